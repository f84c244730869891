#!/usr/bin/python3
"""An accessibility client that keeps using the program while an error report
is open.

Types a supersonic Moo into its text box and presses HESAPLA through AT-SPI,
so that an error report opens; then makes CALLS presses of HESAPLA, values set
on both scroll bars, and texts set and pressed, all through AT-SPI, while the
report stays open. Prints how many of each of those calls were made and how
many were answered as a program that carried them out answers (a press
with true, a value or a text set with an empty return), the program's
resident memory (VmRSS, KiB) after each of ROUNDS rounds of the calls, the
first a warm-up, and the number of the program's
windows the X server shows.

usage: report_flood.py ADDRESS PID CALLS
       report_flood.py ADDRESS PID after   # once the report is closed
"""

import subprocess
import sys
import time
from collections import Counter

from gi.repository import GLib

from accessibility_attack import Attacker
from atspi_bus import ACCESSIBLE, PROPERTIES, resident_kib

ACTION = "org.a11y.atspi.Action"
EDITABLE = "org.a11y.atspi.EditableText"
VALUE = "org.a11y.atspi.Value"


ROUNDS = 5


def windows(pid):
    listed = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                            capture_output=True, text=True).stdout.split()
    return len(listed)


class Client(Attacker):
    def controls(self):
        found = {}
        objects = self.walk()
        for path, _ in objects:
            name = self.call("find", path, PROPERTIES, "Get", "ss", (ACCESSIBLE, "Name"))
            if name:
                found.setdefault(name[0], path)
        for name in ("HESAPLA", "Moo =", "Moo", "H/L"):
            if name not in found:
                raise SystemExit("no control named %r among %s of %d objects"
                                 % (name, sorted(found), len(objects)))
        return found

    # Each says whether the program answered that it carried the call out.
    def press(self, path):
        return self.call("press", path, ACTION, "DoAction", "i", (0,)) == (True,)

    def set_text(self, path, text):
        return self.call("text", path, EDITABLE, "SetTextContents", "s", (text,)) is not None

    def set_value(self, path, value):
        return self.call("value", path, PROPERTIES, "Set", "ssv",
                         (VALUE, "CurrentValue", GLib.Variant("d", value))) is not None

    def text_of(self, path):
        return self.call("read", path, "org.a11y.atspi.Text", "GetText", "ii", (0, -1))[0]


def wait_for_windows(pid, count):
    for _ in range(100):
        if windows(pid) == count:
            return True
        time.sleep(0.1)
    return False


def flood(client, pid, calls):
    controls = client.controls()
    button, moo_box = controls["HESAPLA"], controls["Moo ="]
    client.set_text(moo_box, "1.5")
    client.press(button)
    if not wait_for_windows(pid, 2):
        raise SystemExit("no error report opened: %d windows" % windows(pid))
    made, answered = Counter(), Counter()
    resident = []

    def use(kind, carried_out):
        made[kind] += 1
        answered[kind] += carried_out

    for n in range(calls):
        kind = n % 4
        if kind == 0:
            use("press", client.press(button))
        elif kind == 1:
            use("value", client.set_value(controls["Moo"], (n % 60) / 100))
        elif kind == 2:
            use("value", client.set_value(controls["H/L"], 0.01 + (n % 19) / 100))
        else:
            use("text", client.set_text(moo_box, "1.%d" % (n % 10)))
            use("press", client.press(button))
        if (n + 1) % (calls // ROUNDS) == 0:
            # The toolkit presses a button a tenth of a second after the call.
            time.sleep(0.3)
            resident.append(resident_kib(pid))
    time.sleep(1)
    client.check_alive()
    for kind in ("press", "value", "text"):
        print("%s_made %d" % (kind, made[kind]))
        print("%s_answered %d" % (kind, answered[kind]))
    print("resident_rounds %s" % ",".join(str(kib) for kib in resident))
    print("windows %d" % windows(pid))


# Closed, the report lets every control work at once: a bar's value is
# written into its text box, and HESAPLA reports the supersonic Moo again.
def after(client, pid):
    controls = client.controls()
    client.set_value(controls["Moo"], 0.6)
    text = client.text_of(controls["Moo ="])
    print("moo_text_after_bar %s" % text)
    client.set_text(controls["Moo ="], "1.5")
    client.press(controls["HESAPLA"])
    print("report_again %s" % ("yes" if wait_for_windows(pid, 2) else "no"))


def main():
    address, pid, what = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    client = Client(address, pid, 0)
    if what == "after":
        after(client, pid)
    else:
        flood(client, pid, int(what))
    return 0


if __name__ == "__main__":
    sys.exit(main())
