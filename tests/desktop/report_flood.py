#!/usr/bin/python3
"""An accessibility client that keeps using the program while an error report
is open: CALLS presses, bar values and texts through AT-SPI. Prints, for the
shell script to check, how many of each were made and answered as carried out
(a press with true, a value or text set with an empty reply), the resident
memory (KiB) after each of ROUNDS rounds, the first a warm-up, and the
program's windows. With "after", once the report is closed: a bar's value in
its text box, and whether HESAPLA reports again.

usage: report_flood.py ADDRESS PID CALLS
       report_flood.py ADDRESS PID after
"""

import subprocess
import sys
import time
from collections import Counter

from atspi_bus import (ACCESSIBLE, ATSPI, GET_TEXT, Program, get, resident_kib, set_text,
                       set_value, wait_until)

ROUNDS = 5
CONTROLS = ("HESAPLA", "Moo =", "Moo", "H/L")
PRESS = (ATSPI + "Action", "DoAction", "i", (0,))
# Each use of a control: its call for a value, and whether an answer says the
# program carried it out.
USES = {"press": (lambda _: PRESS, lambda answer: answer == (True,)),
        "value": (set_value, lambda answer: answer is not None),
        "text": (set_text, lambda answer: answer is not None)}


def windows(pid):
    return len(subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                              capture_output=True, text=True).stdout.split())


def report_opens(pid):
    return wait_until(lambda: windows(pid) == 2, 10)


class Client(Program):
    """The program's controls, their paths found by accessible name."""

    def __init__(self, address, pid):
        super().__init__(address, pid)
        self.controls, objects = {}, self.walk("find")
        for _, path in objects:
            name = self.call("find", path, *get(ACCESSIBLE, "Name"))
            if name:
                self.controls.setdefault(name[0], path)
        missing = [name for name in CONTROLS if name not in self.controls]
        if missing:
            raise SystemExit("no control named %r among %s of %d objects"
                             % (missing[0], sorted(self.controls), len(objects)))

    def use(self, kind, control, value=None):
        """Whether the program answered that it carried the use out."""
        call, carried_out = USES[kind]
        return carried_out(self.call(kind, self.controls[control], *call(value)))


def flood(client, pid, calls):
    client.use("text", "Moo =", "1.5")
    client.use("press", "HESAPLA")
    if not report_opens(pid):
        raise SystemExit("no error report opened: %d windows" % windows(pid))
    made, answered, resident = Counter(), Counter(), []
    for n in range(calls):
        uses = ([("press", "HESAPLA", None)], [("value", "Moo", (n % 60) / 100)],
                [("value", "H/L", 0.01 + (n % 19) / 100)],
                [("text", "Moo =", "1.%d" % (n % 10)), ("press", "HESAPLA", None)])
        for kind, control, value in uses[n % 4]:
            made[kind] += 1
            answered[kind] += client.use(kind, control, value)
        if (n + 1) % (calls // ROUNDS) == 0:
            time.sleep(0.3)  # the toolkit presses a button a tenth of a second after the call
            resident.append(resident_kib(pid))
    time.sleep(1)
    client.check_alive()
    for kind in ("press", "value", "text"):
        print("%s_made %d\n%s_answered %d" % (kind, made[kind], kind, answered[kind]))
    print("resident_rounds %s" % ",".join(str(kib) for kib in resident))
    print("windows %d" % windows(pid))


# Closed, the report lets every control work at once: a bar's value is
# written into its text box, and HESAPLA reports the supersonic Moo again.
def after(client, pid):
    client.use("value", "Moo", 0.6)
    print("moo_text_after_bar %s" % client.call("read", client.controls["Moo ="], *GET_TEXT)[0])
    client.use("text", "Moo =", "1.5")
    client.use("press", "HESAPLA")
    print("report_again %s" % ("yes" if report_opens(pid) else "no"))


def main():
    address, pid, what = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    client = Client(address, pid)
    if what == "after":
        after(client, pid)
    else:
        flood(client, pid, int(what))
    return 0


if __name__ == "__main__":
    sys.exit(main())
