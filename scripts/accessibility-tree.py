#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints the editor's accessibility tree as AT-SPI hands it to a screen reader: each object's
role, name, description, states and relations, indented by depth. With --tab N it first
chooses tab N through the page tab's action, with --keys it types keys into the window, and
prints after each what a screen reader was told: focus, selected tab, page shown.
Ends with a list of what a screen reader would stumble on: objects without a name, relations
that point at the wrong object or only one way, more than one focused object. Exits 1 if
there is any.
  accessibility-tree.py [--tab N] [--keys 'KEY ...'] [--timeout SECONDS]
"""
import argparse
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "QAVMaker"
# States that tell a screen reader user something; the rest ("enabled", "visible", ...)
# are on almost every object.
STATES = [
    "focusable", "focused", "selectable", "selected", "checkable", "checked", "editable",
    "read-only", "multi-line", "single-line", "showing",
]
RELATIONS = {
    pyatspi.RELATION_LABELLED_BY: "labelled-by",
    pyatspi.RELATION_LABEL_FOR: "label-for",
    pyatspi.RELATION_DESCRIBED_BY: "described-by",
    pyatspi.RELATION_DESCRIPTION_FOR: "description-for",
    pyatspi.RELATION_CONTROLLED_BY: "controlled-by",
    pyatspi.RELATION_CONTROLLER_FOR: "controller-for",
    pyatspi.RELATION_MEMBER_OF: "member-of",
}


def application(timeout):
    """The editor once its window is on the screen, with the pages it builds just after."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == APP and app.childCount > 0:
                time.sleep(1)
                return app
        time.sleep(0.2)
    sys.exit(f"no accessible application '{APP}' within {timeout} s")


def states(obj):
    present = obj.getState()
    return [s for s in STATES if present.contains(getattr(pyatspi, "STATE_" + s.upper().replace("-", "_")))]


def relations(obj):
    found = {}
    for relation in obj.getRelationSet():
        kind = RELATIONS.get(relation.getRelationType(), str(relation.getRelationType()))
        targets = found.setdefault(kind, [])
        targets += [relation.getTarget(i) for i in range(relation.getNTargets())]
    return list(found.items())


def describe(obj):
    return f"{obj.getRoleName()} '{obj.name}'"


def walk(obj, depth, out, problems):
    line = "  " * depth + describe(obj)
    if obj.description:
        line += f" ({obj.description})"
    line += " [" + ", ".join(states(obj)) + "]"
    for kind, targets in relations(obj):
        line += f" {kind}: " + ", ".join(describe(t) for t in targets)
        for target in targets:
            check_link(obj, kind, target, problems)
    out.append(line)
    # A filler only lays others out and a scroll bar is read by its value: screen readers
    # pass over the first and never ask the name of the second.
    if not obj.name and obj.getRole() not in (pyatspi.ROLE_FILLER, pyatspi.ROLE_SCROLL_BAR):
        problems.append("unnamed: " + path(obj))
    for child in obj:
        if child is not None:
            walk(child, depth + 1, out, problems)


def path(obj):
    parts = []
    while obj is not None and obj.getRole() != pyatspi.ROLE_APPLICATION:
        parts.append(f"{obj.getRoleName()} '{obj.name}'#{obj.getIndexInParent()}")
        obj = obj.parent
    return " / ".join(reversed(parts))


def page_of(obj):
    while obj is not None and obj.getRole() not in (pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_FRAME):
        obj = obj.parent
    return obj


BACK = {"labelled-by": "label-for", "label-for": "labelled-by",
        "controlled-by": "controller-for", "controller-for": "controlled-by"}


def check_link(obj, kind, target, problems):
    """A caption labels a control on its own page (a titled frame what it holds), and says
    so from both ends; what controls something is a control."""
    back = BACK.get(kind)
    # Qt links a scroll bar to its box one way only; it is the labels that must agree.
    if kind in ("labelled-by", "label-for") and not any(k == back and obj in targets for k, targets in relations(target)):
        problems.append(f"one-way {kind}: {path(obj)} -> {describe(target)}")
    if kind in ("controlled-by", "controller-for"):
        controlled = obj if kind == "controlled-by" else target
        if controlled.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL):
            problems.append(f"controls a {controlled.getRoleName()}: {path(obj)} {kind} {describe(target)}")
    if kind not in ("labelled-by", "label-for"):
        return
    label, control = (target, obj) if kind == "labelled-by" else (obj, target)
    if label.getRole() not in (pyatspi.ROLE_LABEL, pyatspi.ROLE_PANEL):
        problems.append(f"labelled by a {label.getRoleName()}: {path(control)}")
    if label.getRole() == pyatspi.ROLE_LABEL and control.getRole() == pyatspi.ROLE_LABEL:
        problems.append(f"a label labels a label: {path(label)} -> {describe(control)}")
    if page_of(label) != page_of(control):
        problems.append(f"label on another page: {path(control)} -> {describe(label)}")


def listen(steps):
    """Runs each step, a title and what to do, and returns what a screen reader was told
    after each: focus (with the states it reads), the selected tab, the page shown."""
    lines = []

    def record(event):
        source = event.source
        role = source.getRole()
        if event.type.startswith("object:state-changed:showing"):
            if role != pyatspi.ROLE_PAGE_TAB or source.parent.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
                return
        elif event.type.startswith("object:state-changed:focused") and not event.detail1:
            return
        line = f"    {event.type} {event.detail1} {describe(source)}"
        if event.type.startswith("focus"):
            if source.description:
                line += f" ({source.description})"
            line += " [" + ", ".join(states(source)) + "]"
        lines.append(line)

    kinds = ["focus:", "object:state-changed:focused", "object:state-changed:selected",
             "object:selection-changed", "object:state-changed:showing"]
    pyatspi.Registry.registerEventListener(record, *kinds)

    def run(title, action):
        lines.append("> " + title)
        action()
        return False

    for i, (title, action) in enumerate(steps):
        GLib.timeout_add(300 + 700 * i, run, title, action)
    GLib.timeout_add(1300 + 700 * len(steps), pyatspi.Registry.stop)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(record, *kinds)
    return lines


def choose_tab(app, number):
    """Chooses a tab through its page tab, as a screen reader's user can."""
    lists = pyatspi.findAllDescendants(app, lambda o: o.getRole() == pyatspi.ROLE_PAGE_TAB_LIST)
    tab = lists[0].getChildAtIndex(number - 1)
    action = tab.queryAction()
    return (f"action '{action.getName(0)}' on {describe(tab)}", lambda: action.doAction(0))


def press(key):
    return (f"key {key}", lambda: subprocess.run(["xdotool", "key", key], check=True))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tab", type=int)
    parser.add_argument("--keys", default="", help="X key names to type, e.g. 'Tab Right'")
    parser.add_argument("--timeout", type=float, default=30)
    args = parser.parse_args()
    app = application(args.timeout)
    steps = [choose_tab(app, args.tab)] if args.tab else []
    if args.keys:
        window = subprocess.run(["xdotool", "search", "--name", "KORVALIN"], check=True,
                                capture_output=True, text=True).stdout.split()[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        steps += [press(key) for key in args.keys.split()]
    if steps:
        print("\n".join(listen(steps)))
        print()
    out, problems = [], []
    walk(app, 0, out, problems)
    focused = [path(o) for o in pyatspi.findAllDescendants(
        app, lambda o: o.getState().contains(pyatspi.STATE_FOCUSED))]
    if len(focused) > 1:
        problems.append("more than one focused object: " + "; ".join(focused))
    print("\n".join(out))
    print()
    print(f"{len(out)} objects, {len(problems)} problems")
    for problem in problems:
        print("  " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
