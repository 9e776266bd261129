#!/usr/bin/python3
"""What a screen reader meets: starts the program with a works entry open and reads the
names in its accessibility tree (AT-SPI). Run inside a D-Bus session with the accessibility
bus up and an X server (see run-accessibility-test)."""

import os
import subprocess
import sys
import time

import pyatspi

# Controls a reader moves to or acts on: each needs a name to be said.
NAMED_ROLES = {
    "push button", "toggle button", "check box", "radio button", "page tab", "tree", "table",
    "list", "tree table", "image", "spin button", "combo box", "menu item", "text", "slider",
    "document frame", "document text", "document web",
}
START_PAGE = ["Dzieła", "Twórcy", "Bohaterowie", "Epoki", "Rodzaje", "Terminy", "Gatunki",
              "Wypisy", "Filmografia", "Cytaty", "Sztuka polska", "Quiz", "Kalendarium"]


def nodes(acc, path=()):
    try:
        role, name, count = acc.getRoleName(), acc.name or "", acc.childCount
    except Exception:
        return
    here = path + ((role, name),)
    yield acc, role, name, here
    for i in range(count):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from nodes(child, here)


def find_app(proc, timeout):
    end = time.time() + timeout
    while time.time() < end and proc.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Verbarium":
                for _, role, name, _ in nodes(app):
                    if role == "frame" and name.startswith("Dzieło:"):
                        return app
        time.sleep(0.5)
    return None


def show(path):
    return " > ".join(f"[{r}] {n!r}" for r, n in path[-4:])


def main():
    program, data, typ, numer = sys.argv[1:5]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               VERBARIUM_AUDIO_OUT="test:")
    proc = subprocess.Popen([program, "--open", typ, numer, data], env=env)
    failures = []
    all_nodes = []
    try:
        app = find_app(proc, 60)
        if app is None:
            print("FAIL: the program's document window never showed in the accessibility tree")
            return 1
        time.sleep(1)
        all_nodes = list(nodes(app))
        frames = [n for _, r, n, _ in all_nodes if r == "frame"]
        if not any(f.startswith("Verbarium - [Dzieło:") for f in frames):
            failures.append(f"main window caption: {frames[:3]}")
        for acc, role, name, path in all_nodes:
            # A text view shows as a label that holds its scroll bars.
            view = role == "label" and acc.childCount > 0
            if (role in NAMED_ROLES or view) and not name.strip():
                failures.append("no name: " + show(path))
        names_under = lambda title: [(r, n) for _, r, n, p in all_nodes if ("frame", title) in p]
        index = names_under("Indeks")
        for caption in START_PAGE:
            if ("push button", caption) not in index:
                failures.append(f"Index start page: no button named {caption!r}")
        if not any(r == "tree" for r, _ in index):
            failures.append("Index: no lists")
        document = [t for t in frames if t.startswith("Dzieło:")][0]
        # The entry's text is a document a reader reads, its links listed with their names.
        texts = [a for a, r, n, p in all_nodes
                 if r == "document frame" and ("frame", document) in p
                 and a.queryText().characterCount > 0]
        if not texts:
            failures.append("document window: no document with text")
        links = [a.getChildAtIndex(i) for a in texts for i in range(a.childCount)]
        if not links or any(l.getRoleName() != "link" or not l.name.strip() for l in links):
            failures.append("document window: the text's links are not named links")
        # A related-entry button, pressed, drops down its menu of entries, which a reader meets
        # in the tree with every item named.
        related = [a for a, r, n, p in all_nodes
                   if r == "push button" and ("frame", document) in p and n.strip()
                   and a.getState().contains(pyatspi.STATE_SHOWING)]
        opened = False
        for button in related:
            try:
                button.queryAction().doAction(0)
            except Exception:
                continue
            time.sleep(1)
            items = [n for _, r, n, p in nodes(app) if r == "menu item"
                     and any(role == "popup menu" for role, _ in p) and ("menu bar", "") not in p
                     and ("tool bar", "Menu") not in p]
            if items:
                opened = all(i.strip() for i in items)
                break
        if not opened:
            failures.append("document window: no related-entry menu with named items in the tree")
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
    for f in failures:
        print("FAIL:", f)
    print(f"{len(all_nodes)} accessible objects read, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
