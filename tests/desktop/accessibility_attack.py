#!/usr/bin/python3
"""A hostile or careless client of a program's AT-SPI objects.

Walks the program's whole accessible tree, then sends calls generated from
what each object declares in its D-Bus introspection: right and wrong argument
counts and types, unknown members, interfaces and object paths, and
Properties.Get, Set and GetAll on every interface, with extreme indices,
offsets and coordinates. After each batch it checks that the program still
runs and answers a well-formed call. Prints how many calls of each kind it
sent; exits 1, naming the call, when the program ended or stopped answering.

With MIN_OBJECTS and MIN_CALLS, also exits 1 when it walked fewer objects or
sent fewer calls, as when the tree was not read whole.

usage: accessibility_attack.py ADDRESS PID SEED [MIN_OBJECTS MIN_CALLS]
"""

import os
import random
import sys
from collections import Counter

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_bus import (ACCESSIBLE, INTROSPECTABLE, PREFIX, PROPERTIES, ROOT,  # noqa: E402
                       connect, program_bus_name)

# Interfaces of AT-SPI and D-Bus that an object may lack, and made-up ones.
OTHER_INTERFACES = [
    "org.a11y.atspi.Accessible", "org.a11y.atspi.Application", "org.a11y.atspi.Component",
    "org.a11y.atspi.Action", "org.a11y.atspi.Text", "org.a11y.atspi.EditableText",
    "org.a11y.atspi.Value", "org.a11y.atspi.Table", "org.a11y.atspi.TableCell",
    "org.a11y.atspi.Selection", "org.a11y.atspi.Document", "org.a11y.atspi.Hypertext",
    "org.a11y.atspi.Hyperlink", "org.a11y.atspi.Image", "org.a11y.atspi.Collection",
    "org.a11y.atspi.Bogus", "org.freedesktop.DBus.Peer", "org.freedesktop.DBus.Introspectable",
    "", "a.b", "org.a11y.atspi.Accessible2",
]
BATCH = 100
TIMEOUT_MS = 3000

INT32 = [0, 1, -1, 2, 7, 1000, 2**31 - 1, -2**31, 2**30]
UINT32 = [0, 1, 2, 3, 99, 2**31, 2**32 - 1]
# Values of every basic D-Bus type and a few containers, for right and wrong
# types alike.
VALUES = {
    "i": INT32, "u": UINT32, "n": [0, -1, 2**15 - 1, -2**15], "q": [0, 2**16 - 1],
    "x": [0, -1, 2**63 - 1, -2**63], "t": [0, 2**64 - 1], "y": [0, 255], "b": [True, False],
    "d": [0.0, -1.5, 1e308, float("inf"), float("-inf"), float("nan")],
    "s": ["", "x", "Name", "ä" * 3, "x" * 100000, "\u202e?"],
    "o": ["/", ROOT, "/org/a11y/atspi/null"], "g": ["", "a{sv}"],
    "v": [GLib.Variant("i", 1), GLib.Variant("s", ""), GLib.Variant("(so)", (":1.0", "/"))],
    "(so)": [("", "/"), (":1.1", ROOT)], "as": [[], ["a", ""]], "ai": [[], [-1, 2**31 - 1]],
    "a{sv}": [{}, {"k": GLib.Variant("u", 3)}], "(iiii)": [(0, 0, -1, -1)], "ay": [b"", b"\xff"],
}
TYPES = list(VALUES)


def complete_types(signature):
    """Splits a D-Bus signature into its complete types: "ia{ss}(ii)" gives
    ["i", "a{ss}", "(ii)"]."""
    types, start, depth = [], 0, 0
    for index, char in enumerate(signature):
        if char in "({":
            depth += 1
        elif char in ")}":
            depth -= 1
        if depth == 0 and char != "a":
            types.append(signature[start:index + 1])
            start = index + 1
    return types


class Ended(Exception):
    pass


class Attacker:
    def __init__(self, address, pid, seed):
        self.pid = pid
        self.random = random.Random(seed)
        self.sent = Counter()
        self.answers = Counter()
        self.last = None
        self.other_objects = []
        self.bus = connect(address)
        self.name = program_bus_name(self.bus, pid, TIMEOUT_MS)

    # One call; returns the reply's values or None for an error reply. A call
    # that the program does not answer ends the attack.
    def call(self, kind, path, interface, member, signature=None, values=()):
        params = GLib.Variant("(%s)" % signature, tuple(values)) if signature is not None else None
        self.last = "%s %s %s.%s%s" % (kind, path, interface, member,
                                        params.print_(False)[:120] if params else "()")
        self.sent[kind] += 1
        message = Gio.DBusMessage.new_method_call(self.name, path, interface or None, member)
        if params is not None:
            message.set_body(params)
        try:
            reply, _ = self.bus.send_message_with_reply_sync(
                message, Gio.DBusSendMessageFlags.NONE, TIMEOUT_MS, None)
        except GLib.Error as error:
            raise Ended("%s\n  -> %s" % (self.last, error.message))
        if reply.get_message_type() == Gio.DBusMessageType.ERROR:
            remote = reply.get_error_name()
            if remote in ("org.freedesktop.DBus.Error.NoReply",
                          "org.freedesktop.DBus.Error.ServiceUnknown"):
                raise Ended("%s\n  -> %s" % (self.last, remote))
            self.answers["error " + remote] += 1
            result = None
        else:
            self.answers["reply"] += 1
            result = reply.get_body().unpack() if reply.get_body() else ()
        if self.sent.total() % BATCH == 0:
            self.check_alive()
        return result

    def check_alive(self):
        try:
            os.kill(self.pid, 0)
            reply = self.bus.call_sync(self.name, ROOT, ACCESSIBLE, "GetRole", None, None,
                                       Gio.DBusCallFlags.NONE, TIMEOUT_MS, None)
        except (OSError, GLib.Error) as error:
            raise Ended("after %s\n  -> %s" % (self.last, error))
        if reply.get_type_string() != "(u)":
            raise Ended("after %s: GetRole answered %s" % (self.last, reply.print_(True)))

    def introspect(self, path):
        xml = self.call("walk", path, INTROSPECTABLE, "Introspect")
        return Gio.DBusNodeInfo.new_for_xml(xml[0]) if xml else None

    # The whole tree, read as a screen reader reads it; returns each object's
    # path and its introspection.
    def walk(self):
        seen, queue, objects = set(), [ROOT], []
        while queue:
            path = queue.pop(0)
            if path in seen:
                continue
            seen.add(path)
            info = self.introspect(path)
            if info is None:
                continue
            objects.append((path, info))
            for member in ("GetRole", "GetName", "GetState", "GetInterfaces", "GetParent",
                           "GetIndexInParent", "GetRelationSet", "GetAttributes"):
                self.call("walk", path, ACCESSIBLE, member)
            count = self.call("walk", path, PROPERTIES, "Get", "ss", (ACCESSIBLE, "ChildCount"))
            for index in range(count[0] if count else 0):
                child = self.call("walk", path, ACCESSIBLE, "GetChildAtIndex", "i", (index,))
                if child and child[0][0] == self.name:
                    queue.append(child[0][1])
        return objects

    # A value for each type; a signature here is a list of complete types.
    def values(self, types):
        return [self.value(t) for t in types]

    # Containers that the table lacks (a newer bridge declares structs such as
    # a collection's match rule) are built from values of their parts.
    def value(self, type_):
        if type_ in VALUES:
            return self.random.choice(VALUES[type_])
        if type_.startswith("a{"):
            key, value = complete_types(type_[2:-1])
            return {} if self.random.random() < 0.5 else {self.value(key): self.value(value)}
        if type_.startswith("a"):
            return [self.value(type_[1:]) for _ in range(self.random.randrange(3))]
        if type_.startswith("("):
            return tuple(self.values(complete_types(type_[1:-1])))
        raise ValueError("no value for D-Bus type %r" % type_)

    def wrong_type(self, declared):
        return self.random.choice([t for t in TYPES if t != declared])

    def attack_method(self, path, interface, method):
        types = [arg.signature for arg in method.in_args]
        member = method.name
        for _ in range(3):
            self.call("declared arguments", path, interface, member, "".join(types),
                      self.values(types))
        for count in range(len(types)):
            self.call("missing arguments", path, interface, member, "".join(types[:count]),
                      self.values(types[:count]))
        extra = types + [self.random.choice(TYPES)]
        self.call("extra arguments", path, interface, member, "".join(extra), self.values(extra))
        for index in range(len(types)):
            wrong = list(types)
            wrong[index] = self.wrong_type(types[index])
            self.call("wrong argument types", path, interface, member, "".join(wrong),
                      self.values(wrong))
        if not types:
            self.call("wrong argument types", path, interface, member, "v", self.values("v"))

    def attack_properties(self, path, interface):
        declared = interface.properties if interface else []
        name = interface.name if interface else self.random.choice(OTHER_INTERFACES)
        values = self.call("GetAll", path, PROPERTIES, "GetAll", "s", (name,))
        # A GetAll that is answered gives values of the declared properties.
        if values is not None and not (isinstance(values[0], dict) and (
                interface is None or set(values[0]) <= {prop.name for prop in declared})):
            raise Ended("%s\n  -> answered %r" % (self.last, values))
        if declared and values:
            self.answers["GetAll with values"] += 1
        for prop in declared:
            self.call("Get", path, PROPERTIES, "Get", "ss", (name, prop.name))
            self.call("Set", path, PROPERTIES, "Set", "ssv",
                      (name, prop.name, GLib.Variant(prop.signature, self.value(prop.signature))))
            self.call("Set", path, PROPERTIES, "Set", "ssv",
                      (name, prop.name, self.values("v")[0]))
        # Names that are members, not properties, and names nobody declares.
        methods = [m.name for m in interface.methods] if interface else []
        for prop in [m[3:] for m in methods if m.startswith("Get")] + ["Bogus", ""]:
            self.call("Get", path, PROPERTIES, "Get", "ss", (name, prop))
            self.call("Set", path, PROPERTIES, "Set", "ssv", (name, prop, self.values("v")[0]))
        self.call("Get", path, PROPERTIES, "Get", "s", (name,))
        self.call("Get", path, PROPERTIES, "Get")
        self.call("Get", path, PROPERTIES, "Get", "si", (name, 1))
        self.call("Set", path, PROPERTIES, "Set", "ss", (name, "Id"))
        self.call("Set", path, PROPERTIES, "Set", "ssi", (name, "Id", 1))
        self.call("GetAll", path, PROPERTIES, "GetAll")
        self.call("GetAll", path, PROPERTIES, "GetAll", "i", (0,))
        self.call("GetAll", path, PROPERTIES, "GetAll", "ss", (name, name))

    def attack_object(self, path, info):
        for interface in info.interfaces:
            if interface.name.startswith("org.freedesktop.DBus."):
                continue
            for method in interface.methods:
                self.attack_method(path, interface.name, method)
            self.attack_properties(path, interface)
            for _ in range(2):
                member = self.random.choice(["Bogus", "Introspect", "Get", "GetAll", "Set",
                                             "getName", "GetChildAtIndexX", "Name", "Id"])
                self.call("unknown members", path, interface.name, member)
        for name in self.random.sample(OTHER_INTERFACES, 4):
            self.call("unknown interfaces", path, name, "GetName")
            self.call("unknown interfaces", path, name, "GetChildAtIndex", "i", (0,))
            self.attack_properties(path, None)

    def attack_paths(self, objects):
        numbers = [p[len(PREFIX):] for p, _ in objects if p != ROOT]
        paths = ["/", "/org/a11y/atspi/accessible", PREFIX + "0", PREFIX + "1", ROOT + "/1",
                 PREFIX + "4294967295", PREFIX + "18446744073709551616", PREFIX + "2147483648/0",
                 PREFIX + "null", "/org/a11y/atspi/null", "/org/a11y/atspi/cache",
                 "/org/a11y/atspi/registry/deviceeventcontroller"]
        paths += [PREFIX + str(int(n) + d) for n in numbers[:5] if n.isdigit() for d in (-7, 13)]
        for path in paths:
            self.call("unknown paths", path, ACCESSIBLE, "GetChildAtIndex", "i", (0,))
            self.call("unknown paths", path, ACCESSIBLE, "GetChildAtIndex")
            self.call("unknown paths", path, PROPERTIES, "GetAll", "s", (ACCESSIBLE,))
            self.call("unknown paths", path, PROPERTIES, "Get", "s", (ACCESSIBLE,))
            self.call("unknown paths", path, "org.a11y.atspi.Cache", "GetItems", "i", (1,))
            self.call("unknown paths", path, "org.a11y.atspi.DeviceEventController",
                      "NotifyListenersSync")

    # Puts back what the attack wrote: the texts and values a user had.
    def restore(self, objects, texts, values):
        for path, text in texts.items():
            self.call("restoring", path, "org.a11y.atspi.EditableText", "SetTextContents", "s",
                      (text,))
        for path, value in values.items():
            self.call("restoring", path, PROPERTIES, "Set", "ssv",
                      ("org.a11y.atspi.Value", "CurrentValue", GLib.Variant("d", value)))

    def saved_state(self, objects):
        texts, values = {}, {}
        for path, info in objects:
            names = {i.name for i in info.interfaces}
            if "org.a11y.atspi.EditableText" in names:
                reply = self.call("walk", path, "org.a11y.atspi.Text", "GetText", "ii", (0, -1))
                texts[path] = reply[0] if reply else ""
            if "org.a11y.atspi.Value" in names:
                reply = self.call("walk", path, PROPERTIES, "Get", "ss",
                                  ("org.a11y.atspi.Value", "CurrentValue"))
                if reply:
                    values[path] = float(reply[0])
        return texts, values

    # The bridge's objects outside the accessible tree (its cache, its
    # listener for device events), found by introspection from the root of
    # the program's objects. No guard stands in front of them: the toolkit
    # serves them through D-Bus adaptors, which check a call's signature
    # themselves, so a call that does not fit must get an error.
    def attack_other_objects(self, path="/"):
        xml = self.call("other objects", path, INTROSPECTABLE, "Introspect")
        info = Gio.DBusNodeInfo.new_for_xml(xml[0]) if xml else None
        if info is None:
            return
        declared = [i for i in info.interfaces if not i.name.startswith("org.freedesktop.DBus.")]
        if declared and not path.startswith(PREFIX):
            self.other_objects.append(path)
        for interface in declared if not path.startswith(PREFIX) else []:
            for method in interface.methods:
                types = [arg.signature for arg in method.in_args]
                wrong = [[], ["v"], types[:-1], types + [self.random.choice(TYPES)],
                         [self.wrong_type(t) if k == 0 else t for k, t in enumerate(types)]]
                for signature in wrong:
                    # Of a type made here, and not the one declared.
                    if signature == types or any(t not in VALUES for t in signature):
                        continue
                    answer = self.call("other objects", path, interface.name, method.name,
                                       "".join(signature), self.values(signature))
                    if answer is not None:
                        raise Ended("%s\n  -> answered %r, not an error" % (self.last, answer))
                    self.answers["other objects refused"] += 1
                if all(t in VALUES for t in types):
                    self.call("other objects", path, interface.name, method.name,
                              "".join(types), self.values(types))
        for node in info.nodes:
            if path.startswith(PREFIX) or path == PREFIX.rstrip("/"):
                break
            self.attack_other_objects(path.rstrip("/") + "/" + node.path)

    def run(self):
        objects = self.walk()
        walked = len(objects)
        texts, values = self.saved_state(objects)
        for path, info in objects:
            self.attack_object(path, info)
        self.attack_paths(objects)
        self.attack_other_objects()
        self.check_alive()
        self.restore(objects, texts, values)
        self.check_alive()
        return walked


def main():
    address, pid, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    min_objects, min_calls = (int(sys.argv[4]), int(sys.argv[5])) if len(sys.argv) > 5 else (0, 0)
    attacker = Attacker(address, pid, seed)
    try:
        walked = attacker.run()
        status = 0
    except Ended as ended:
        print("the program ended or stopped answering at the call\n  %s" % ended, file=sys.stderr)
        walked, status = None, 1
    for kind, count in sorted(attacker.sent.items()):
        print("sent %6d %s" % (count, kind))
    print("sent %6d calls in all (seed %d)" % (attacker.sent.total(), seed))
    for answer, count in sorted(attacker.answers.items()):
        print("  answered %6d %s" % (count, answer))
    if walked is not None:
        print("walked %d accessible objects" % walked)
        print("attacked %d objects outside the tree: %s"
              % (len(attacker.other_objects), " ".join(attacker.other_objects)))
        if walked < min_objects:
            print("walked fewer objects than the %d of the program's tree" % min_objects,
                  file=sys.stderr)
            status = 1
        if attacker.sent.total() < min_calls:
            print("sent fewer calls than %d" % min_calls, file=sys.stderr)
            status = 1
        if not attacker.other_objects:
            print("found none of the bridge's objects outside the tree", file=sys.stderr)
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
