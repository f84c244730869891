#!/usr/bin/python3
"""A hostile or careless client of a program's AT-SPI objects: after a walk
of the whole tree, calls made from each object's introspection, with right
and wrong argument counts and types, unknown members, interfaces and paths,
and extreme values; ill-fitting calls to the bridge's objects outside the
tree must be refused. Exits 1, naming the call, when the program ended or
stopped answering, or when it walked fewer than MIN_OBJECTS or sent fewer than
MIN_CALLS, as when the tree was not read whole.

usage: accessibility_attack.py ADDRESS PID SEED [MIN_OBJECTS MIN_CALLS]
"""

import random
import sys
from gi.repository import GLib

from atspi_bus import (ACCESSIBLE, ATSPI, GET_TEXT, PREFIX, PROPERTIES, ROOT, VALUE, Ended,
                       Program, declared_interfaces, get, in_types, set_, set_text, set_value,
                       short_of_floors)

# Interfaces of AT-SPI and D-Bus that an object may lack, and made-up ones.
OTHER_INTERFACES = [ATSPI + name for name in (
    "Accessible", "Application", "Component", "Action", "Text", "EditableText", "Value",
    "Table", "TableCell", "Selection", "Document", "Hypertext", "Hyperlink", "Image",
    "Collection", "Bogus", "Accessible2")] + [
    "org.freedesktop.DBus.Peer", "org.freedesktop.DBus.Introspectable", "", "a.b"]
WALK_GETTERS = ("GetRole", "GetName", "GetState", "GetInterfaces", "GetParent",
                "GetIndexInParent", "GetRelationSet", "GetAttributes")
UNKNOWN_MEMBERS = ["Bogus", "Introspect", "Get", "GetAll", "Set", "getName", "GetChildAtIndexX",
                   "Name", "Id"]
# Values of every basic D-Bus type and a few containers, right or wrong.
VALUES = {
    "i": [0, 1, -1, 2, 7, 1000, 2**31 - 1, -2**31, 2**30], "u": [0, 1, 2, 3, 99, 2**31, 2**32 - 1],
    "n": [0, -1, 2**15 - 1, -2**15], "q": [0, 2**16 - 1],
    "x": [0, -1, 2**63 - 1, -2**63], "t": [0, 2**64 - 1], "y": [0, 255], "b": [True, False],
    "d": [0.0, -1.5, 1e308, float("inf"), float("-inf"), float("nan")],
    "s": ["", "x", "Name", "ä" * 3, "x" * 100000, "\u202e?"],
    "o": ["/", ROOT, "/org/a11y/atspi/null"], "g": ["", "a{sv}"],
    "v": [GLib.Variant("i", 1), GLib.Variant("s", ""), GLib.Variant("(so)", (":1.0", "/"))],
    "(so)": [("", "/"), (":1.1", ROOT)], "as": [[], ["a", ""]], "ai": [[], [-1, 2**31 - 1]],
    "a{sv}": [{}, {"k": GLib.Variant("u", 3)}], "(iiii)": [(0, 0, -1, -1)], "ay": [b"", b"\xff"],
}
TYPES = list(VALUES)
NAME = "<the interface's name>"
# Properties calls of too few, too many or wrong arguments: (member, signature, values).
MALFORMED_PROPERTY_CALLS = [
    ("Get", "s", (NAME,)), ("Get", None, ()), ("Get", "si", (NAME, 1)),
    ("Set", "ss", (NAME, "Id")), ("Set", "ssi", (NAME, "Id", 1)),
    ("GetAll", None, ()), ("GetAll", "i", (0,)), ("GetAll", "ss", (NAME, NAME)),
]
# Paths that name no accessible object, and what is sent to each of them.
UNKNOWN_PATHS = [
    "/", "/org/a11y/atspi/accessible", PREFIX + "0", PREFIX + "1", ROOT + "/1",
    PREFIX + "4294967295", PREFIX + "18446744073709551616", PREFIX + "2147483648/0",
    PREFIX + "null", "/org/a11y/atspi/null", "/org/a11y/atspi/cache",
    "/org/a11y/atspi/registry/deviceeventcontroller"]
CALLS_OF_UNKNOWN_PATHS = [
    (ACCESSIBLE, "GetChildAtIndex", "i", (0,)), (ACCESSIBLE, "GetChildAtIndex", None, ()),
    (PROPERTIES, "GetAll", "s", (ACCESSIBLE,)), (PROPERTIES, "Get", "s", (ACCESSIBLE,)),
    (ATSPI + "Cache", "GetItems", "i", (1,)),
    (ATSPI + "DeviceEventController", "NotifyListenersSync", None, ()),
]


def complete_types(signature):
    """"ia{ss}(ii)" gives ["i", "a{ss}", "(ii)"]."""
    types, start, depth = [], 0, 0
    for index, char in enumerate(signature):
        depth += (char in "({") - (char in ")}")
        if depth == 0 and char != "a":
            types.append(signature[start:index + 1])
            start = index + 1
    return types


class Attacker(Program):
    def __init__(self, address, pid, seed):
        super().__init__(address, pid)
        self.random = random.Random(seed)
        self.other_objects = []

    # Each object's path and introspection, and what a screen reader asks it.
    def walk(self):
        objects = {}

        def visit(path):
            objects[path] = self.introspect(path, "walk")
            for member in WALK_GETTERS if objects[path] else ():
                self.call("walk", path, ACCESSIBLE, member)
            return objects[path] is not None
        super().walk("walk", visit)
        return [(path, info) for path, info in objects.items() if info]

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

    def wrong_type(self, declared_type):
        return self.random.choice([t for t in TYPES if t != declared_type])

    def call_with(self, kind, path, interface, member, types):
        self.call(kind, path, interface, member, "".join(types), self.values(types))

    # A method's arguments: as declared, too few, too many, of a wrong type.
    def argument_types(self, types):
        yield from [("declared arguments", types)] * 3
        yield from (("missing arguments", types[:count]) for count in range(len(types)))
        yield "extra arguments", types + [self.random.choice(TYPES)]
        for i in range(len(types)):
            yield "wrong argument types", types[:i] + [self.wrong_type(types[i])] + types[i + 1:]
        if not types:
            yield "wrong argument types", ["v"]

    def attack_properties(self, path, interface):
        props = interface.properties if interface else []
        name = interface.name if interface else self.random.choice(OTHER_INTERFACES)
        values = self.call("GetAll", path, PROPERTIES, "GetAll", "s", (name,))
        # A GetAll that is answered gives values of the declared properties.
        if values is not None and not (isinstance(values[0], dict) and (
                interface is None or set(values[0]) <= {prop.name for prop in props})):
            raise Ended("%s\n  -> answered %r" % (self.last, values))
        if props and values:
            self.answers["GetAll with values"] += 1
        for prop in props:
            self.call("Get", path, *get(name, prop.name))
            self.call("Set", path, *set_(name, prop.name, GLib.Variant(
                prop.signature, self.value(prop.signature))))
            self.call("Set", path, *set_(name, prop.name, self.value("v")))
        # Names that are members, not properties, and names nobody declares.
        methods = [m.name for m in interface.methods] if interface else []
        for prop in [m[3:] for m in methods if m.startswith("Get")] + ["Bogus", ""]:
            self.call("Get", path, *get(name, prop))
            self.call("Set", path, *set_(name, prop, self.value("v")))
        for member, signature, args in MALFORMED_PROPERTY_CALLS:
            self.call(member, path, PROPERTIES, member, signature,
                      tuple(name if arg == NAME else arg for arg in args))

    def attack_object(self, path, info):
        for interface in declared_interfaces(info):
            for method in interface.methods:
                for kind, types in self.argument_types(in_types(method)):
                    self.call_with(kind, path, interface.name, method.name, types)
            self.attack_properties(path, interface)
            for _ in range(2):
                self.call("unknown members", path, interface.name,
                          self.random.choice(UNKNOWN_MEMBERS))
        for name in self.random.sample(OTHER_INTERFACES, 4):
            self.call("unknown interfaces", path, name, "GetName")
            self.call("unknown interfaces", path, name, "GetChildAtIndex", "i", (0,))
            self.attack_properties(path, None)

    def attack_paths(self, objects):
        numbers = [p[len(PREFIX):] for p, _ in objects if p != ROOT]
        near = [PREFIX + str(int(n) + d) for n in numbers[:5] if n.isdigit() for d in (-7, 13)]
        for path in UNKNOWN_PATHS + near:
            for call in CALLS_OF_UNKNOWN_PATHS:
                self.call("unknown paths", path, *call)

    # The calls that put back what a user had in the texts and values the
    # attack writes: the texts first, as a bar's value writes a text box.
    def restoring_calls(self, objects):
        texts, values = [], []
        for path, info in objects:
            names = {i.name for i in info.interfaces}
            if ATSPI + "EditableText" in names:
                texts.append((path, *set_text((self.call("walk", path, *GET_TEXT) or [""])[0])))
            value = VALUE in names and self.call("walk", path, *get(VALUE, "CurrentValue"))
            if value:
                values.append((path, *set_value(float(value[0]))))
        return texts + values

    # The bridge's objects outside the tree (its cache, its listener for
    # device events), found by introspection from "/". The toolkit serves
    # them through D-Bus adaptors, which check a call's signature themselves,
    # so a call that does not fit must get an error.
    def attack_other_objects(self, path="/"):
        info = self.introspect(path, "other objects")
        if info is None or path.startswith(PREFIX):
            return
        if declared_interfaces(info):
            self.other_objects.append(path)
        for interface in declared_interfaces(info):
            for method in interface.methods:
                types = in_types(method)
                wrong = [[], ["v"], types[:-1], types + [self.random.choice(TYPES)],
                         [self.wrong_type(t) if k == 0 else t for k, t in enumerate(types)]]
                for signature in wrong:
                    if signature == types or any(t not in VALUES for t in signature):
                        continue
                    answer = self.call("other objects", path, interface.name, method.name,
                                       "".join(signature), self.values(signature))
                    if answer is not None:
                        raise Ended("%s\n  -> answered %r, not an error" % (self.last, answer))
                    self.answers["other objects refused"] += 1
                if all(t in VALUES for t in types):
                    self.call_with("other objects", path, interface.name, method.name, types)
        for node in info.nodes if path != PREFIX.rstrip("/") else []:
            self.attack_other_objects(path.rstrip("/") + "/" + node.path)

    def run(self):
        objects = self.walk()
        restoring = self.restoring_calls(objects)
        for path, info in objects:
            self.attack_object(path, info)
        self.attack_paths(objects)
        self.attack_other_objects()
        self.check_alive()
        for call in restoring:
            self.call("restoring", *call)
        self.check_alive()
        return len(objects)


def main():
    address, pid, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    min_objects, min_calls = (int(sys.argv[4]), int(sys.argv[5])) if len(sys.argv) > 5 else (0, 0)
    attacker = Attacker(address, pid, seed)
    try:
        walked = attacker.run()
    except Ended as ended:
        print("the program ended or stopped answering at the call\n  %s" % ended, file=sys.stderr)
        walked = None
    for kind, count in sorted(attacker.sent.items()):
        print("sent %6d %s" % (count, kind))
    print("sent %6d calls in all (seed %d)" % (attacker.sent.total(), seed))
    for answer, count in sorted(attacker.answers.items()):
        print("  answered %6d %s" % (count, answer))
    if walked is None:
        return 1
    print("walked %d accessible objects" % walked)
    print("attacked %d objects outside the tree: %s"
          % (len(attacker.other_objects), " ".join(attacker.other_objects)))
    return 1 if short_of_floors([
        ("accessible objects walked", walked, min_objects),
        ("calls sent", attacker.sent.total(), min_calls),
        ("the bridge's objects outside the tree attacked", len(attacker.other_objects), 1)]) else 0


if __name__ == "__main__":
    sys.exit(main())
