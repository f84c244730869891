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
    log, address, program_pid, orca_pid = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    bus = connect(address)
    program, orca = set(names_of_process(bus, program_pid)), set(names_of_process(bus, orca_pid))
    if not program or not orca:
        print("the program (%s) or Orca (%s) is not on the bus" % (program, orca))
        return 1
    calls, answers = {}, {}
    for message in messages(log):
        if message["kind"] == "method call" and message["sender"] in orca \
                and message["destination"] in program:
            calls[(message["sender"], message["fields"].get("serial"))] = message
        elif message["kind"] in ("method return", "error") and message["sender"] in program \
                and message["destination"] in orca:
            answers[(message["destination"], message["fields"].get("reply_serial"))] = message
    members, errors = Counter(), Counter()
    refused, unanswered = [], []
    for key, call in calls.items():
        f = call["fields"]
        member = "%s.%s" % (f.get("interface"), f.get("member"))
        if f.get("member") in ("Get", "Set", "GetAll") and call["body"]:
            member += "(%s)" % ", ".join(call["body"])
        members[member] += 1
        answer = answers.get(key)
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
