#!/usr/bin/python3
"""Every well-formed call answered alike with and without the guard.

Two copies of the program run on one AT-SPI bus: the program itself, whose
guard stands in front of the toolkit's accessibility bridge, and the same
program with the bridge alone. Both trees are walked as a screen reader walks
them; objects are matched by their place in the tree. Then every member of
every interface each object declares is called with well-formed arguments
(two lists of values of the declared types), and every declared property is
read, and set if it is writable, first on the guarded program and then on the
other. A call the bridge alone answers must get the same answer through the
guard: a reply of the same signature, or an error of the same name. Each
interface's GetAll, which the guard answers itself (the bridge alone's own
GetAll can end it), must give what the bridge alone gives to a Get of each
property. A member the guard refuses because it would
end the bridge is sent to the bridge alone last, which must then end. Prints
the counts and each difference; exits 1 on a difference, on too few objects
or calls, on a declared member it could not call, or when a program stopped
answering.

usage: bridge_comparison.py ADDRESS GUARDED_PID ALONE_PID MIN_OBJECTS MIN_CALLS
"""

import os
import sys
import time
from collections import Counter

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_bus import (ACCESSIBLE, INTROSPECTABLE, PROPERTIES, ROOT, connect,  # noqa: E402
                       program_bus_name)

TIMEOUT_MS = 2000
APPLICATION = "org.a11y.atspi.Application"
# Well-formed calls that end the bridge alone: its SetCurrentValue reads the
# value as the third argument of a Properties.Set. They go to the guarded
# program, which must answer them with an error, and at the end one of them to
# the bridge alone, which must end.
ENDS_THE_BRIDGE = {("org.a11y.atspi.Value", "SetCurrentValue")}
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


class Program:
    def __init__(self, bus, pid):
        self.bus, self.pid = bus, pid
        self.executable = os.path.realpath("/proc/%d/exe" % pid)
        self.name = program_bus_name(bus, pid, TIMEOUT_MS)

    def answers_on(self, name):
        try:
            self.bus.call_sync(name, ROOT, ACCESSIBLE, "GetRole", None, None,
                               Gio.DBusCallFlags.NONE, TIMEOUT_MS, None)
            return True
        except GLib.Error:
            return False

    # The answer as a client sees it: ("reply", signature), ("error", name),
    # or ("no answer",) when none came in time.
    def call(self, path, interface, member, signature, values):
        message = Gio.DBusMessage.new_method_call(self.name, path, interface, member)
        if signature:
            message.set_body(GLib.Variant("(%s)" % signature, tuple(values)))
        try:
            reply, _ = self.bus.send_message_with_reply_sync(
                message, Gio.DBusSendMessageFlags.NONE, TIMEOUT_MS, None)
        except GLib.Error:
            return ("no answer",), None
        if reply.get_message_type() == Gio.DBusMessageType.ERROR:
            name = reply.get_error_name()
            if name == "org.freedesktop.DBus.Error.NoReply":
                return ("no answer",), None
            return ("error", name), None
        body = reply.get_body()
        return ("reply", body.get_type_string() if body else "()"), body.unpack() if body else ()

    # The tree, as places (child indices from the root) and object paths.
    def walk(self):
        places, queue = {}, [((), ROOT)]
        while queue:
            place, path = queue.pop(0)
            if path in places.values():
                continue
            places[place] = path
            _, count = self.call(path, PROPERTIES, "Get", "ss", (ACCESSIBLE, "ChildCount"))
            for index in range(count[0] if count else 0):
                _, child = self.call(path, ACCESSIBLE, "GetChildAtIndex", "i", (index,))
                if child and child[0][0] == self.name:
                    queue.append((place + (index,), child[0][1]))
        return places

    def introspect(self, path):
        _, xml = self.call(path, INTROSPECTABLE, "Introspect", "", ())
        return Gio.DBusNodeInfo.new_for_xml(xml[0]) if xml else None


def argument_lists(types):
    if any(t not in VALUES for t in types):
        return None
    return [[VALUES[t][k] for t in types] for k in range(2)]


class Comparison:
    def __init__(self, guarded, alone):
        self.guarded, self.alone = guarded, alone
        self.counts = Counter()
        self.differences = []
        self.unanswered = []
        self.skipped = set()
        self.ending_calls = []

    def compare(self, place, paths, interface, member, signature, values):
        what = "%s %s.%s(%s)" % (list(place), interface, member,
                                 ", ".join(repr(v) for v in values))
        through_guard, _ = self.guarded.call(paths[0], interface, member, signature, values)
        if (interface, member) in ENDS_THE_BRIDGE:
            self.counts["that would end the bridge alone, refused"] += 1
            if through_guard[0] != "error":
                self.differences.append("%s: guard %s, where the bridge alone ends"
                                        % (what, through_guard))
            self.ending_calls.append((paths[1], interface, member, signature, values))
            return
        bridge, _ = self.alone.call(paths[1], interface, member, signature, values)
        for program in (self.guarded, self.alone):
            if not program.answers_on(program.name):
                raise SystemExit("process %d stopped answering after %s" % (program.pid, what))
        if bridge == ("no answer",):
            self.unanswered.append(what)
            self.counts["not answered by the bridge alone"] += 1
            return
        self.counts["compared"] += 1
        self.counts["%s %s" % bridge] += 1
        if through_guard != bridge:
            self.differences.append("%s: bridge %s, guard %s" % (what, bridge, through_guard))

    # The guard answers GetAll itself, from a Get of each readable property:
    # its answer must hold what the bridge alone gives to those Gets. What
    # names the process is written alike: its bus name (in references to
    # objects) and its executable (the application's description), and the
    # number the registry gave each application is left out.
    def compare_all_properties(self, place, paths, interface):
        def written_alike(program, properties):
            if interface.name == APPLICATION:
                properties = {k: v for k, v in properties.items() if k != "Id"}
            return (repr(sorted(properties.items())).replace(program.name, "<program>")
                    .replace(program.executable, "<executable>"))

        answer, body = self.guarded.call(paths[0], PROPERTIES, "GetAll", "s", (interface.name,))
        through_guard = (answer, written_alike(self.guarded, body[0]) if body else None)
        alone = {}
        for prop in interface.properties:
            if prop.flags & Gio.DBusPropertyInfoFlags.READABLE:
                got, value = self.alone.call(paths[1], PROPERTIES, "Get", "ss",
                                             (interface.name, prop.name))
                if got[0] == "reply":
                    alone[prop.name] = value[0]
        bridge = (("reply", "(a{sv})"), written_alike(self.alone, alone))
        self.counts["GetAll compared with the Gets of the bridge alone"] += 1
        if through_guard != bridge:
            self.differences.append("%s GetAll(%r): the bridge alone's Gets %s, guard %s"
                                    % (list(place), interface.name, bridge, through_guard))

    def compare_object(self, place, paths, info):
        for interface in info.interfaces:
            if interface.name.startswith("org.freedesktop.DBus."):
                continue
            self.compare_all_properties(place, paths, interface)
            for method in interface.methods:
                types = [arg.signature for arg in method.in_args]
                lists = argument_lists(types)
                if lists is None:
                    self.skipped.add("%s.%s(%s)" % (interface.name, method.name, "".join(types)))
                    continue
                for values in lists:
                    self.compare(place, paths, interface.name, method.name, "".join(types),
                                 values)
                # A Get of a member's name runs that member, reading the Get's
                # two arguments as its own (Orca 51 asks for AccessibleId so).
                if method.name.startswith("Get") and len(types) <= 2:
                    self.compare(place, paths, PROPERTIES, "Get", "ss",
                                 (interface.name, method.name[3:]))
            for prop in interface.properties:
                if prop.flags & Gio.DBusPropertyInfoFlags.READABLE:
                    self.compare(place, paths, PROPERTIES, "Get", "ss",
                                 (interface.name, prop.name))
                if prop.flags & Gio.DBusPropertyInfoFlags.WRITABLE and prop.signature in VALUES:
                    # The value the property has, written back: nothing changes.
                    _, now = self.guarded.call(paths[0], PROPERTIES, "Get", "ss",
                                               (interface.name, prop.name))
                    value = now[0] if now else VALUES[prop.signature][0]
                    self.compare(place, paths, PROPERTIES, "Set", "ssv",
                                 (interface.name, prop.name, GLib.Variant(prop.signature, value)))

    # What the guard refuses as ending the bridge is sent to the bridge alone
    # once every comparison is made, with a value the object does not have:
    # the bridge reads the value past the end of the call, so it ends, or it
    # sets a value that was never sent. A bridge that set the value sent would
    # make the refusal take away a call that works.
    def end_the_bridge_alone(self):
        if not self.ending_calls:
            return
        path, interface, member, signature, _ = self.ending_calls[0]
        _, before = self.alone.call(path, PROPERTIES, "Get", "ss", (interface, "CurrentValue"))
        sent = 0.5 if before and before[0] != 0.5 else 0.25
        answer, _ = self.alone.call(path, interface, member, signature, (sent,))
        for _ in range(50):
            if not self.alone.answers_on(self.alone.name):
                self.counts["ended the bridge alone, sent last"] += 1
                return
            if answer != ("no answer",):
                break
            time.sleep(0.1)
        _, after = self.alone.call(path, PROPERTIES, "Get", "ss", (interface, "CurrentValue"))
        if after and after[0] == sent:
            self.differences.append("the bridge alone carried out %s.%s(%r), which the guard "
                                    "refuses as ending it" % (interface, member, sent))
        else:
            self.counts["set a value never sent on the bridge alone, sent last"] += 1
            print("  %s.%s(%r) on the bridge alone: %s, the value %r before, %r after"
                  % (interface, member, sent, answer, before, after))

    def run(self):
        guarded_tree, alone_tree = self.guarded.walk(), self.alone.walk()
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
    address, guarded_pid, alone_pid = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    min_objects, min_calls = int(sys.argv[4]), int(sys.argv[5])
    bus = connect(address)
    comparison = Comparison(Program(bus, guarded_pid), Program(bus, alone_pid))
    comparison.run()
    for kind, count in sorted(comparison.counts.items()):
        print("%6d %s" % (count, kind))
    for what in comparison.unanswered:
        print("  not answered by the bridge alone: %s" % what)
    for what in sorted(comparison.skipped):
        print("NOT CALLED, arguments of a type with no values here: %s" % what)
    for difference in comparison.differences:
        print("DIFFERENT %s" % difference)
    status = 0
    if comparison.differences or comparison.skipped:
        status = 1
    if comparison.counts["objects"] < min_objects:
        print("only %d objects compared, fewer than the %d of the program's tree"
              % (comparison.counts["objects"], min_objects))
        status = 1
    if comparison.counts["compared"] < min_calls:
        print("only %d calls compared, fewer than %d" % (comparison.counts["compared"], min_calls))
        status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
