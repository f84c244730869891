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
from functools import partial

from gi.repository import GLib

from atspi_bus import ACCESSIBLE, ATSPI, PROPERTIES, Program, connect, resident_kib

ROUNDS = 5
CONTROLS = ("HESAPLA", "Moo =", "Moo", "H/L")


def windows(pid):
    return len(subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                              capture_output=True, text=True).stdout.split())


def wait_for_windows(pid, count):
    for _ in range(100):
        if windows(pid) == count:
            return True
        time.sleep(0.1)
    return False


class Client(Program):
    # The controls' paths by accessible name.
    def controls(self):
        find = partial(self.call, "find")
        found, objects = {}, self.walk(find)
        for _, path in objects:
            name = find(path, PROPERTIES, "Get", "ss", (ACCESSIBLE, "Name"))
            if name:
                found.setdefault(name[0], path)
        missing = [name for name in CONTROLS if name not in found]
        if missing:
            raise SystemExit("no control named %r among %s of %d objects"
                             % (missing[0], sorted(found), len(objects)))
        return found

    # Each says whether the program answered that it carried the call out.
    def press(self, path):
        return self.call("press", path, ATSPI + "Action", "DoAction", "i", (0,)) == (True,)

    def set_text(self, path, text):
        return self.call("text", path, ATSPI + "EditableText", "SetTextContents", "s",
                         (text,)) is not None

    def set_value(self, path, value):
        return self.call("value", path, PROPERTIES, "Set", "ssv",
                         (ATSPI + "Value", "CurrentValue", GLib.Variant("d", value))) \
            is not None

    def text_of(self, path):
        return self.call("read", path, ATSPI + "Text", "GetText", "ii", (0, -1))[0]


def flood(client, pid, calls):
    controls = client.controls()
    button, moo_box = controls["HESAPLA"], controls["Moo ="]
    client.set_text(moo_box, "1.5")
    client.press(button)
    if not wait_for_windows(pid, 2):
        raise SystemExit("no error report opened: %d windows" % windows(pid))
    made, answered, resident = Counter(), Counter(), []

    def use(kind, carried_out):
        made[kind] += 1
        answered[kind] += carried_out

    for n in range(calls):
        step = n % 4
        if step == 0:
            use("press", client.press(button))
        elif step == 1:
            use("value", client.set_value(controls["Moo"], (n % 60) / 100))
        elif step == 2:
            use("value", client.set_value(controls["H/L"], 0.01 + (n % 19) / 100))
        else:
            use("text", client.set_text(moo_box, "1.%d" % (n % 10)))
            use("press", client.press(button))
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
    controls = client.controls()
    client.set_value(controls["Moo"], 0.6)
    print("moo_text_after_bar %s" % client.text_of(controls["Moo ="]))
    client.set_text(controls["Moo ="], "1.5")
    client.press(controls["HESAPLA"])
    print("report_again %s" % ("yes" if wait_for_windows(pid, 2) else "no"))


def main():
    address, pid, what = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    client = Client(connect(address), pid)
    if what == "after":
        after(client, pid)
    else:
        flood(client, pid, int(what))
    return 0


if __name__ == "__main__":
    sys.exit(main())
