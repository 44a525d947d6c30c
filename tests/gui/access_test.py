#!/usr/bin/python3
# The running program as a screen reader meets it on its accessibility bus, used by keyboard only:
# the options' labels and order and the focus after a size rule, the gallery's cards by Tab, Enter
# and Escape, and the page file as the program writes it.   access_test.py PROGRAM TEMPLATE PICTURE
import os, shutil, signal, subprocess, sys, tempfile, time
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib

program, picture = sys.argv[1:3]
work = tempfile.mkdtemp()
for card in ('a0001', 'c0001', 'b0001'):
    os.makedirs(f'{work}/set/data/{card}')
    shutil.copy(picture, f'{work}/set/data/{card}/{card}c.jpg')
run = subprocess.Popen([program, f'{work}/set'], env=dict(os.environ, XDG_RUNTIME_DIR=work))
failures = []

check = lambda ok, what: ok or failures.append(what)

def wait(what, find):
    for _ in range(300):
        try:
            found = find()
        except GLib.Error:  # a node can go while it is read: the web view's, as a page loads
            found = None
        if found: return found
        time.sleep(0.1)
    run.terminate()
    sys.exit(f'access_test: no {what} within 30 s; failed before: {failures}')

def nodes(node):
    yield node
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        if child: yield from nodes(child)  # None: gone since the count was read

def window(title):
    desktop = Atspi.get_desktop(0)
    return next((w for a in nodes(desktop) if a.get_role() == Atspi.Role.APPLICATION
                 for w in nodes(a) if w.get_name().startswith(title)), None)

def named(top, role, name=None):
    return [n for n in nodes(top) if n.get_role() == role and name in (None, n.get_name())]

def focused(top):
    held = [n.get_name() for n in nodes(top) if n.get_state_set().contains(Atspi.StateType.FOCUSED)]
    return held[-1] if held else None  # the innermost: a page's focus is also on its frames

key = lambda symbol: Atspi.generate_keyboard_event(symbol, None, Atspi.KeySynthType.SYM)

dialog = wait('options dialog', lambda: window('Option Settings'))
options = named(dialog, Atspi.Role.RADIO_BUTTON)
check(len(options) == 11 and options[1].get_name().startswith('Medium'), 'options not read row by row')
for option in options:
    labels = [r.get_target(i).get_name() for r in option.get_relation_set()
              if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
              for i in range(r.get_n_targets())]
    check(set(labels) <= {option.get_name()}, f'{option.get_name()} labelled by {labels}')
wait('focus on the selected thumbnail size', lambda: focused(dialog) == 'Medium 43 x 63   25%')
key(0xff09)  # Tab: to the selected popup size, which the full-size thumbnail then disables
wait('focus on the selected popup size', lambda: focused(dialog) == 'Full Size  172  x 252  100%')
named(dialog, Atspi.Role.RADIO_BUTTON, 'Full Size 172 x 252  100%')[0].do_action(0)
wait('focus on the option the rule selected',
     lambda: focused(dialog) == 'One and a Half  258  x 378  150%')
key(0xff1b)  # Escape closes the dialog
viewer = wait('gallery', lambda: window('SET - set'))
wait('focusable card', lambda: [c for c in named(viewer, Atspi.Role.IMAGE, 'a0001')
                                  if c.get_state_set().contains(Atspi.StateType.FOCUSABLE)])
key(0xff09)
wait('focus on card a0001', lambda: focused(viewer) == 'a0001')
key(0xff0d)  # Enter
wait('enlarged card a0001', lambda: len(named(viewer, Atspi.Role.IMAGE, 'a0001')) == 2)
key(0xff1b)
wait('enlarged card closed', lambda: len(named(viewer, Atspi.Role.IMAGE, 'a0001')) == 1)
check(len(named(viewer, Atspi.Role.HEADING)) == 1, 'no heading')

run.send_signal(signal.SIGTERM)
check(run.wait(30) == 0, 'exit status')
shutil.rmtree(work)
print('\n'.join(failures) or 'access_test: passed')
sys.exit(1 if failures else 0)
