"""The unique names a process holds on a D-Bus bus, for the scripts that find
the program on its AT-SPI bus."""

from gi.repository import Gio, GLib

BUS = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")


def names_of_process(bus, pid, timeout_ms=3000):
    names = bus.call_sync(*BUS, "ListNames", None, None, Gio.DBusCallFlags.NONE, timeout_ms,
                          None).unpack()[0]
    found = []
    for name in names:
        if not name.startswith(":"):
            continue
        try:
            owner = bus.call_sync(*BUS, "GetConnectionUnixProcessID",
                                  GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE,
                                  timeout_ms, None).unpack()[0]
        except GLib.Error:
            continue  # the name has left the bus meanwhile
        if owner == pid:
            found.append(name)
    return found
