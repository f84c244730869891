#!/usr/bin/python3
"""Closes an X client's window as a window manager's close button does, by a
WM_DELETE_WINDOW message of the WM_PROTOCOLS kind: the test's X server has no
window manager, and the program must end as when a user closes it.

usage: close_window.py WINDOW_ID
"""

import sys

from Xlib import X, display
from Xlib.protocol import event

window_id = int(sys.argv[1], 0)
screen = display.Display()
window = screen.create_resource_object("window", window_id)
protocols = screen.intern_atom("WM_PROTOCOLS")
delete = screen.intern_atom("WM_DELETE_WINDOW")
window.send_event(event.ClientMessage(window=window, client_type=protocols,
                                      data=(32, [delete, X.CurrentTime, 0, 0, 0])),
                  event_mask=X.NoEventMask)
screen.sync()
