"""What the scripts that use the program over its AT-SPI bus share: the
connection to the bus, the names of the objects and interfaces they call, the
unique names a process holds on the bus and the one its accessible objects
answer on, and a process's resident memory."""

import time

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


def program_bus_name(bus, pid, timeout_ms=3000):
    """The name on which the process answers for its accessible root, waited
    for: a program may come to the bus before its accessible objects."""
    for _ in range(150):
        for name in names_of_process(bus, pid, timeout_ms):
            try:
                bus.call_sync(name, ROOT, ACCESSIBLE, "GetRole", None, None,
                              Gio.DBusCallFlags.NONE, timeout_ms, None)
                return name
            except GLib.Error:
                pass
        time.sleep(0.1)
    raise SystemExit("process %d offers no accessible objects" % pid)


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise SystemExit("no VmRSS for process %d" % pid)
