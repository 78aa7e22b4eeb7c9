#!/usr/bin/python3
"""What a screen reader finds of one running program over AT-SPI.

Usage: e2e_accessibility.py PID [SECONDS]

Waits up to SECONDS (10) for the program with process id PID to show on the accessibility bus, then
prints, as one JSON list, each of its shown objects: role, name, description, and for text its
content and caret. Exits 2 when the program never shows.
"""
import json
import sys
import time

import pyatspi


def application(pid, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass  # an application that left while we looked
        time.sleep(0.2)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 30:
        return
    try:
        if node.getRole() != pyatspi.ROLE_APPLICATION and not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        entry = {"role": node.getRoleName(), "name": node.name or "", "description": node.description or ""}
        try:
            text = node.queryText()
            entry["text"] = text.getText(0, -1)
            entry["caret"] = text.caretOffset
        except NotImplementedError:
            pass
        found.append(entry)
        for index in range(node.childCount):
            walk(node.getChildAtIndex(index), found, depth + 1)
    except Exception as error:  # an object gone while walking: what is left still counts
        found.append({"role": "error", "name": str(error), "description": ""})


def main():
    pid = int(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    app = application(pid, seconds)
    if app is None:
        print("the program did not show on the accessibility bus", file=sys.stderr)
        return 2
    found = []
    walk(app, found)
    json.dump(found, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
