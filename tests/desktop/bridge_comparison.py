#!/usr/bin/python3
"""Every well-formed call answered alike with and without the guard: the
program and the same program with the toolkit's bridge alone, on one AT-SPI
bus, objects matched by their place in the tree. Each declared member gets two
lists of well-formed values, each property a Get and, if writable, its value
written back; the answer (reply signature or error name) through the guard
must be the bridge alone's. The guard's own GetAll must hold the bridge
alone's Gets. A call the guard refuses as ending the bridge must end the
bridge alone, sent last. Exits 1 on a difference, too few objects or calls, a
member it could not call, or a program that stopped answering.

usage: bridge_comparison.py ADDRESS GUARDED_PID ALONE_PID MIN_OBJECTS MIN_CALLS
"""

import os
import sys
from collections import Counter

from gi.repository import Gio, GLib

from atspi_bus import (ATSPI, PROPERTIES, ROOT, VALUE, Program, declared_interfaces, get,
                       in_types, set_, short_of_floors, wait_until)

TIMEOUT_MS = 2000
# Well-formed calls that end the bridge alone: its SetCurrentValue reads the
# value as the third argument of a Properties.Set. The guard must refuse them.
ENDS_THE_BRIDGE = {(VALUE, "SetCurrentValue")}
# Two harmless values of each type the bridge declares: offsets and indices
# inside the texts and lists of the program's objects.
VALUES = {
    "i": (0, 1), "u": (0, 1), "d": (0.0, 0.5), "b": (False, True), "s": ("", "0.5"),
    "n": (0, 1), "q": (0, 1), "x": (0, 1), "t": (0, 1), "y": (0, 1),
    "o": (ROOT, ROOT),
    # A Collection's match rule (Qt 6.9 and later): states, attributes, roles
    # and interfaces, each with how it matches, and whether to invert; an
    # empty rule matching all, and the same matching any.
    "(aiia{ss}iaiiasib)": (([], 0, {}, 0, [], 0, [], 0, False),
                           ([], 1, {}, 1, [], 1, [], 1, False)),
}
READABLE, WRITABLE = Gio.DBusPropertyInfoFlags.READABLE, Gio.DBusPropertyInfoFlags.WRITABLE


class Comparison:
    def __init__(self, guarded, alone):
        self.guarded, self.alone, self.counts, self.skipped = guarded, alone, Counter(), set()
        self.differences, self.ending_calls = [], []

    def compare(self, place, paths, interface, member, signature, values):
        what = "%s %s.%s(%s)" % (list(place), interface, member, ", ".join(map(repr, values)))
        call = (interface, member, signature or None, values)
        through_guard, _ = self.guarded.send(paths[0], *call)
        if (interface, member) in ENDS_THE_BRIDGE:
            self.counts["that would end the bridge alone, refused"] += 1
            if through_guard[0] != "error":
                self.differences.append("%s: guard %s, where the bridge alone ends"
                                        % (what, through_guard))
            self.ending_calls.append((paths[1], interface, member, signature, values))
            return
        bridge, _ = self.alone.send(paths[1], *call)
        for program in (self.guarded, self.alone):
            if program.unresponsive():
                raise SystemExit("process %d stopped answering after %s" % (program.pid, what))
        if bridge[0] == "no answer":
            print("  not answered by the bridge alone: %s" % what)
            self.counts["not answered by the bridge alone"] += 1
            return
        self.counts["compared"] += 1
        self.counts["%s %s" % bridge] += 1
        if through_guard != bridge:
            self.differences.append("%s: bridge %s, guard %s" % (what, bridge, through_guard))

    # What names the process is written alike: its bus name (in references to
    # objects) and its executable (the application's description); the number
    # the registry gave each application is left out.
    def compare_all_properties(self, place, paths, interface):
        def written_alike(program, properties):
            if interface.name == ATSPI + "Application":
                properties = {k: v for k, v in properties.items() if k != "Id"}
            return (repr(sorted(properties.items())).replace(program.name, "<program>")
                    .replace(os.path.realpath("/proc/%d/exe" % program.pid), "<executable>"))

        answer, body = self.guarded.send(paths[0], PROPERTIES, "GetAll", "s", (interface.name,))
        through_guard = (answer, written_alike(self.guarded, body[0]) if body else None)
        gets = {prop.name: self.alone.send(paths[1], *get(interface.name, prop.name))
                for prop in interface.properties if prop.flags & READABLE}
        alone = {name: value[0] for name, (got, value) in gets.items() if got[0] == "reply"}
        bridge = (("reply", "(a{sv})"), written_alike(self.alone, alone))
        self.counts["GetAll compared with the Gets of the bridge alone"] += 1
        if through_guard != bridge:
            self.differences.append("%s GetAll(%r): the bridge alone's Gets %s, guard %s"
                                    % (list(place), interface.name, bridge, through_guard))

    def compare_object(self, place, paths, info):
        for interface in declared_interfaces(info):
            self.compare_all_properties(place, paths, interface)
            for method in interface.methods:
                types = in_types(method)
                if any(t not in VALUES for t in types):
                    self.skipped.add("%s.%s(%s)" % (interface.name, method.name, "".join(types)))
                    continue
                for k in range(2):
                    self.compare(place, paths, interface.name, method.name, "".join(types),
                                 [VALUES[t][k] for t in types])
                # A Get of a member's name runs that member, reading the Get's
                # two arguments as its own (Orca 51 asks for AccessibleId so).
                if method.name.startswith("Get") and len(types) <= 2:
                    self.compare(place, paths, *get(interface.name, method.name[3:]))
            for prop in interface.properties:
                if prop.flags & READABLE:
                    self.compare(place, paths, *get(interface.name, prop.name))
                if prop.flags & WRITABLE and prop.signature in VALUES:
                    # The value the property has, written back: nothing changes.
                    _, now = self.guarded.send(paths[0], *get(interface.name, prop.name))
                    value = now[0] if now else VALUES[prop.signature][0]
                    self.compare(place, paths, *set_(interface.name, prop.name,
                                                     GLib.Variant(prop.signature, value)))

    # Sent once every comparison is made, with a value the object does not
    # have: the bridge reads the value past the end of the call, so it ends,
    # or sets a value never sent. One that set the value sent would make the
    # guard's refusal take away a call that works.
    def end_the_bridge_alone(self):
        if not self.ending_calls:
            return
        path, interface, member, signature, _ = self.ending_calls[0]
        _, before = self.alone.send(path, *get(interface, "CurrentValue"))
        sent = 0.5 if before and before[0] != 0.5 else 0.25
        answer, _ = self.alone.send(path, interface, member, signature, (sent,))
        # Left unanswered, the call has five seconds to end the bridge.
        wait_until(lambda: answer[0] != "no answer" or self.alone.unresponsive(), 5)
        if self.alone.unresponsive():
            self.counts["ended the bridge alone, sent last"] += 1
            return
        _, after = self.alone.send(path, *get(interface, "CurrentValue"))
        if after and after[0] == sent:
            self.differences.append("the bridge alone carried out %s.%s(%r), which the guard "
                                    "refuses as ending it" % (interface, member, sent))
        else:
            self.counts["set a value never sent on the bridge alone, sent last"] += 1
            print("  %s.%s(%r) on the bridge alone: %s, the value %r before, %r after"
                  % (interface, member, sent, answer, before, after))

    def run(self):
        guarded_tree, alone_tree = dict(self.guarded.walk()), dict(self.alone.walk())
        places = [p for p in guarded_tree if p in alone_tree]
        if len(places) != len(guarded_tree) or len(places) != len(alone_tree):
            self.differences.append("the trees differ: %d and %d objects, %d in the same places"
                                    % (len(guarded_tree), len(alone_tree), len(places)))
        for place in places:
            paths = (guarded_tree[place], alone_tree[place])
            info = self.alone.introspect(paths[1])
            if info is None:
                continue
            self.counts["objects"] += 1
            self.compare_object(place, paths, info)
        self.end_the_bridge_alone()


def main():
    address, min_objects, min_calls = sys.argv[1], int(sys.argv[4]), int(sys.argv[5])
    comparison = Comparison(*(Program(address, int(pid), TIMEOUT_MS) for pid in sys.argv[2:4]))
    comparison.run()
    counts = comparison.counts
    for kind, count in sorted(counts.items()):
        print("%6d %s" % (count, kind))
    for what in sorted(comparison.skipped):
        print("NOT CALLED, arguments of a type with no values here: %s" % what)
    for difference in comparison.differences:
        print("DIFFERENT %s" % difference)
    too_few = short_of_floors([("objects compared", counts["objects"], min_objects),
                               ("calls compared", counts["compared"], min_calls)])
    return 1 if comparison.differences or comparison.skipped or too_few else 0


if __name__ == "__main__":
    sys.exit(main())
