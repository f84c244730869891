"""The AT-SPI bus as the tests' clients use it: the connection, a process's
unique names, the calls they share, a program's accessible objects (calls with
answers, the tree's walk, whether it still answers) and resident memory."""

import os
import time
from collections import Counter
from functools import partial

from gi.repository import Gio, GLib

ATSPI = "org.a11y.atspi."
ROOT = "/org/a11y/atspi/accessible/root"
PREFIX = "/org/a11y/atspi/accessible/"
ACCESSIBLE = "org.a11y.atspi.Accessible"
PROPERTIES = "org.freedesktop.DBus.Properties"
INTROSPECTABLE = "org.freedesktop.DBus.Introspectable"
BUS = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")
NO_REPLY = "org.freedesktop.DBus.Error.NoReply"
SERVICE_UNKNOWN = "org.freedesktop.DBus.Error.ServiceUnknown"
BATCH = 100  # calls between two checks that the program still answers
VALUE = ATSPI + "Value"
GET_TEXT = (ATSPI + "Text", "GetText", "ii", (0, -1))


class Ended(Exception):
    """The program ended or stopped answering."""


def connect(address):
    flags = (Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
             | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    return Gio.DBusConnection.new_for_address_sync(address, flags, None, None)


def names_of_process(bus, pid, timeout_ms=3000):
    def ask(member, params=None):
        return bus.call_sync(*BUS, member, params, None, Gio.DBusCallFlags.NONE, timeout_ms,
                             None).unpack()[0]
    found = []
    for name in ask("ListNames"):
        try:
            if name.startswith(":") and ask("GetConnectionUnixProcessID",
                                            GLib.Variant("(s)", (name,))) == pid:
                found.append(name)
        except GLib.Error:
            pass  # the name has left the bus meanwhile
    return found


# Calls as send() and call() take them after the path.
def get(interface, prop):
    return PROPERTIES, "Get", "ss", (interface, prop)


def set_(interface, prop, variant):
    return PROPERTIES, "Set", "ssv", (interface, prop, variant)


def set_value(value):
    return set_(VALUE, "CurrentValue", GLib.Variant("d", value))


def set_text(text):
    return ATSPI + "EditableText", "SetTextContents", "s", (text,)


def wait_until(condition, seconds):
    """condition()'s first true answer, asked every tenth of a second, or None."""
    for _ in range(int(seconds * 10)):
        answer = condition()
        if answer:
            return answer
        time.sleep(0.1)
    return None


def declared_interfaces(info):
    """An introspection's interfaces, less the ones every D-Bus object has."""
    return [i for i in info.interfaces if not i.name.startswith("org.freedesktop.DBus.")]


def in_types(method):
    return [arg.signature for arg in method.in_args]


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise SystemExit("no VmRSS for process %d" % pid)


def short_of_floors(floors):
    """Prints each (what, count, floor) whose count is below its floor, as
    when a walk stopped early; returns whether any was."""
    short = [floor for floor in floors if floor[1] < floor[2]]
    for floor in short:
        print("%s: %d, fewer than %d" % floor)
    return bool(short)


class Program:
    """A program's accessible objects on the bus at address, on the name that
    answers for their root, waited for: a program may come before them."""

    def __init__(self, address, pid, timeout_ms=3000):
        self.bus, self.pid, self.timeout_ms = connect(address), pid, timeout_ms
        self.sent, self.answers, self.last = Counter(), Counter(), None

        def root_answers():
            for self.name in names_of_process(self.bus, pid, timeout_ms):
                if self.send(ROOT, ACCESSIBLE, "GetRole")[0][0] == "reply":
                    return True
        if not wait_until(root_answers, 15):
            raise SystemExit("process %d offers no accessible objects" % pid)

    def send(self, path, interface, member, signature=None, values=()):
        """The answer as a client sees it, ("reply", signature), ("error",
        name) or ("no answer", why), and the reply's values (None if none)."""
        message = Gio.DBusMessage.new_method_call(self.name, path, interface or None, member)
        if signature is not None:
            message.set_body(GLib.Variant("(%s)" % signature, tuple(values)))
        try:
            reply, _ = self.bus.send_message_with_reply_sync(
                message, Gio.DBusSendMessageFlags.NONE, self.timeout_ms, None)
        except GLib.Error as error:
            return ("no answer", error.message), None
        if reply.get_message_type() == Gio.DBusMessageType.ERROR:
            name = reply.get_error_name()
            return ("no answer" if name == NO_REPLY else "error", name), None
        body = reply.get_body()
        return ("reply", body.get_type_string() if body else "()"), body.unpack() if body else ()

    def reply(self, *call):
        return self.send(*call)[1]

    def call(self, kind, path, interface, member, signature=None, values=()):
        """send(), counted by kind and by answer; None for an error answer.
        Raises Ended for a call left unanswered, and when the program no
        longer answers, which it checks every BATCH calls."""
        arguments = ("()" if signature is None else
                     GLib.Variant("(%s)" % signature, tuple(values)).print_(False)[:120])
        self.last = "%s %s %s.%s%s" % (kind, path, interface, member, arguments)
        self.sent[kind] += 1
        answer, body = self.send(path, interface, member, signature, values)
        if answer[0] == "no answer" or answer == ("error", SERVICE_UNKNOWN):
            raise Ended("%s\n  -> %s" % (self.last, answer[1]))
        self.answers["reply" if answer[0] == "reply" else "error " + answer[1]] += 1
        if self.sent.total() % BATCH == 0:
            self.check_alive()
        return body

    def unresponsive(self):
        """Why the program no longer answers, or None while it does."""
        try:
            os.kill(self.pid, 0)
        except OSError as error:
            return str(error)
        answer, _ = self.send(ROOT, ACCESSIBLE, "GetRole")
        return None if answer == ("reply", "(u)") else "GetRole answered %s %s" % answer

    def check_alive(self):
        why = self.unresponsive()
        if why:
            raise Ended("after %s\n  -> %s" % (self.last, why))

    def walk(self, kind=None, visit=lambda path: True):
        """The tree read breadth first from the root, as a screen reader reads
        it, by calls of that kind: [(place, path)], a place being the child
        indices from the root. An object that visit(path) refuses is left out
        with its children."""
        call = partial(self.call, kind) if kind else self.reply
        seen, queue, found = set(), [((), ROOT)], []
        while queue:
            place, path = queue.pop(0)
            if path in seen:
                continue
            seen.add(path)
            if not visit(path):
                continue
            found.append((place, path))
            count = call(path, *get(ACCESSIBLE, "ChildCount"))
            for index in range(count[0] if count else 0):
                child = call(path, ACCESSIBLE, "GetChildAtIndex", "i", (index,))
                if child and child[0][0] == self.name:
                    queue.append((place + (index,), child[0][1]))
        return found

    def introspect(self, path, kind=None):
        xml = (partial(self.call, kind) if kind else self.reply)(path, INTROSPECTABLE, "Introspect")
        return Gio.DBusNodeInfo.new_for_xml(xml[0]) if xml else None
