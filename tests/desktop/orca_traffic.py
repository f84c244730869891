#!/usr/bin/python3
"""What Orca asked the program on the AT-SPI bus, and how it was answered.

From dbus-monitor's record of the bus, counts Orca's method calls to the
program by member and pairs each with the program's answer. Exits 1 when a
call got no answer (the guard swallowed it), when one got an error of the
names the guard refuses with (printed with its call), or when the record
holds no calls; the D-Bus library's answers for objects gone or members the
bridge does not serve (UnknownObject, UnknownInterface) are counted apart.

usage: orca_traffic.py MONITOR_LOG ADDRESS PROGRAM_PID ORCA_PID
"""

import re
import sys
from collections import Counter

from atspi_bus import connect, names_of_process

REFUSALS = {"org.freedesktop.DBus.Error." + name
            for name in ("InvalidArgs", "UnknownMethod", "Failed")}
HEADER = re.compile(r"^(method call|method return|error|signal) time=\S+ sender=(\S+) -> "
                    r"destination=(\S+)(.*)$")


# Each message of the record: its kind, sender, destination, header fields
# and body lines.
def messages(log):
    current = None
    with open(log, encoding="utf-8", errors="replace") as record:
        for line in record:
            header = HEADER.match(line)
            if header:
                if current:
                    yield current
                kind, sender, destination, rest = header.groups()
                current = {"kind": kind, "sender": sender, "destination": destination,
                           "fields": dict(re.findall(r"(\w+)=([^;\s]*)", rest)), "body": []}
            elif current:
                current["body"].append(line.strip())
    if current:
        yield current


def main():
    log, bus = sys.argv[1], connect(sys.argv[2])
    program, orca = (set(names_of_process(bus, int(pid))) for pid in sys.argv[3:5])
    if not program or not orca:
        print("the program (%s) or Orca (%s) is not on the bus" % (program, orca))
        return 1
    calls, answers = {}, {}
    for m in messages(log):
        if m["kind"] == "method call" and m["sender"] in orca and m["destination"] in program:
            calls[m["sender"], m["fields"].get("serial")] = m
        elif m["kind"] != "signal" and m["sender"] in program and m["destination"] in orca:
            answers[m["destination"], m["fields"].get("reply_serial")] = m
    members, errors, refused, unanswered = Counter(), Counter(), [], []
    for key, call in calls.items():
        f, answer = call["fields"], answers.get(key)
        member = "%s.%s" % (f.get("interface"), f.get("member"))
        if f.get("member") in ("Get", "Set", "GetAll") and call["body"]:
            member += "(%s)" % ", ".join(call["body"])
        members[member] += 1
        error = answer and answer["fields"].get("error_name")
        if answer is None:
            unanswered.append("%s %s" % (f.get("path"), member))
        elif answer["kind"] == "error":
            errors[error] += 1
        if error in REFUSALS:
            refused.append("%s %s -> %s %s" % (f.get("path"), member, error,
                                               " ".join(answer["body"])))
    print("%d calls of Orca to the program, %d answered, %d refused"
          % (len(calls), sum(key in answers for key in calls), len(refused)))
    for name, count in errors.most_common():
        print("%6d answered with the error %s" % (count, name))
    for member, count in members.most_common():
        print("%6d %s" % (count, member))
    for what in refused:
        print("ERROR ANSWER %s" % what)
    for what in unanswered:
        print("ERROR NO ANSWER %s" % what)
    return 1 if refused or unanswered or not calls else 0


if __name__ == "__main__":
    sys.exit(main())
