#!/usr/bin/python3
"""What Orca asked the program on the AT-SPI bus, and how it was answered.

Reads the record dbus-monitor kept of the bus, takes every method call that
Orca's connection sent to the program's connection and the program's answer
to it, and prints how many calls of each member there were. Every call must
have been answered by a method return: an error answer (the guard refusing a
call of the screen reader's, or the bridge failing it) is printed with its
call. A call left without any answer (one the guard swallowed), an error of
the names the guard refuses with (InvalidArgs, UnknownMethod, Failed), and a
record with no calls at all make the exit status 1; the D-Bus library's own
answers for objects that are gone or members the
bridge does not serve (UnknownObject, UnknownInterface) are counted apart.

usage: orca_traffic.py MONITOR_LOG ADDRESS PROGRAM_PID ORCA_PID
"""

import os
import re
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_bus import connect, names_of_process  # noqa: E402

REFUSALS = {"org.freedesktop.DBus.Error." + name
            for name in ("InvalidArgs", "UnknownMethod", "Failed")}
HEADER = re.compile(r"^(method call|method return|error|signal) time=\S+ sender=(\S+) -> "
                    r"destination=(\S+)(.*)$")


def fields(rest):
    return dict(re.findall(r"(\w+)=([^;\s]*)", rest))


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
                           "fields": fields(rest), "body": []}
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
        f = message["fields"]
        if message["kind"] == "method call" and message["sender"] in orca \
                and message["destination"] in program:
            calls[(message["sender"], f.get("serial"))] = message
        elif message["kind"] in ("method return", "error") and message["sender"] in program \
                and message["destination"] in orca:
            answers[(message["destination"], f.get("reply_serial"))] = message
    members, errors = Counter(), Counter()
    refused, unanswered = [], []
    for key, call in calls.items():
        f = call["fields"]
        member = "%s.%s" % (f.get("interface"), f.get("member"))
        if f.get("member") in ("Get", "Set", "GetAll") and call["body"]:
            member += "(%s)" % ", ".join(call["body"])
        members[member] += 1
        answer = answers.get(key)
        if answer is None:
            unanswered.append("%s %s" % (f.get("path"), member))
        elif answer["kind"] == "error":
            errors[answer["fields"].get("error_name")] += 1
        if answer is not None and answer["fields"].get("error_name") in REFUSALS:
            refused.append("%s %s -> %s %s" % (f.get("path"), member,
                                               answer["fields"].get("error_name"),
                                               " ".join(answer["body"])))
    answered = sum(1 for key in calls if key in answers)
    print("%d calls of Orca to the program, %d answered, %d refused"
          % (len(calls), answered, len(refused)))
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
