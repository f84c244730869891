"""What the scripts that use the program over its AT-SPI bus share: the
connection to the bus, the names of the objects and interfaces they call, the
unique names a process holds on the bus, and a process's resident memory."""

from gi.repository import Gio, GLib

ROOT = "/org/a11y/atspi/accessible/root"
PREFIX = "/org/a11y/atspi/accessible/"
ACCESSIBLE = "org.a11y.atspi.Accessible"
PROPERTIES = "org.freedesktop.DBus.Properties"
INTROSPECTABLE = "org.freedesktop.DBus.Introspectable"
BUS = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")


def connect(address):
    flags = (Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
             | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    return Gio.DBusConnection.new_for_address_sync(address, flags, None, None)


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


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise SystemExit("no VmRSS for process %d" % pid)
