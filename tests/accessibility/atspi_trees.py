#!/usr/bin/python3
"""The program's windows as an assistive technology reads them over AT-SPI:
every control named, the lists named for what they set with the choice as
their text, no picture that is only a look, and "Send feedback" a link that
can be followed (which opens the feedback window: both trees are read); no
hidden control and no notice already spoken in the trees.
Prints each problem; exits 1 when there is one."""
import sys
import time

import pyatspi

CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LINK, pyatspi.ROLE_TEXT,
            pyatspi.ROLE_ENTRY, pyatspi.ROLE_LIST, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PASSWORD_TEXT}
LISTS = {"Bit rate (kbit/s)": "128", "Sample rate (Hz)": "44100", "Channels": "Stereo"}
problems = []


def actions(node):
    try:
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        return []


def walk(node, path, seen):
    role, name = node.getRole(), node.name
    where = f"{path} > [{node.getRoleName()}] {name!r}"
    seen.append((role, name, node))
    if role in CONTROLS and not name:
        problems.append(f"an unnamed control: {where}")
    for child in node:
        walk(child, where, seen)


def application():
    for _ in range(50):
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == "tolvik":
                return app
        time.sleep(0.2)
    sys.exit("no application named tolvik on the AT-SPI bus")


def windows():
    return [w for w in application() if w and w.getState().contains(pyatspi.STATE_SHOWING)]


main = [w for w in windows() if w.name == "Tolvik"]
if len(main) != 1:
    sys.exit(f"no one window named Tolvik: {[w.name for w in windows()]}")
seen = []
walk(main[0], "Tolvik", seen)
lists = {name: node for role, name, node in seen if role == pyatspi.ROLE_COMBO_BOX}
for name, value in LISTS.items():
    if name not in lists:
        problems.append(f"no list named {name!r} (lists: {sorted(lists)})")
        continue
    text = lists[name].queryText()
    if text.getText(0, -1) != value:
        problems.append(f"the list {name!r} reads {text.getText(0, -1)!r}, not {value!r}")
# A field's line is its whole text, wherever the caret is (the reader asks
# for the line at the caret, usually at the end).
for role, name, node in seen:
    if role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        text = node.queryText()
        whole = text.getText(0, -1)
        for offset in {0, text.caretOffset, text.characterCount}:
            line = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)[0]
            if whole and line != whole:
                problems.append(f"the field {name!r} reads {line!r} at {offset}, not {whole!r}")
# Notices already spoken do not stay: at most the last one is there.
if sum(1 for role, name, node in seen if role == pyatspi.ROLE_NOTIFICATION) > 1:
    problems.append("spoken notices stay in the tree")
if any(role == pyatspi.ROLE_PUSH_BUTTON and not name for role, name, _ in seen):
    problems.append("a held picture is in the tree")
links = [node for role, name, node in seen if role == pyatspi.ROLE_LINK and name == "Send feedback"]
if len(links) != 1 or "Press" not in actions(links[0]):
    problems.append("no link named 'Send feedback' that can be pressed")
else:
    action = links[0].queryAction()
    action.doAction(actions(links[0]).index("Press"))
    for _ in range(50):
        if len(windows()) > 1:
            break
        time.sleep(0.2)
    others = [w for w in windows() if w.name != "Tolvik"]
    if not others:
        problems.append("following the link opened no window")
    for window in others:
        feedback = []
        walk(window, window.name, feedback)
        print(f"read the window {window.name!r}")
        # Hidden controls are none to meet: not the window's hidden Send and
        # Back buttons, whose pictures are the ones to press.
        hidden = [name for role, name, node in feedback
                  if role in CONTROLS and not node.getState().contains(pyatspi.STATE_SHOWING)]
        if hidden:
            problems.append(f"hidden controls in the tree of {window.name!r}: {hidden}")

for problem in problems:
    print("FAIL:", problem)
print(f"read {len(seen)} objects of the main window; {len(problems)} problems")
sys.exit(1 if problems else 0)
