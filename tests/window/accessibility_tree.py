"""Reads Kestrelwick's window as a screen reader does, through AT-SPI, and
checks what it finds: the three links as links with their captions, tooltips
and a press action, kept out of the focus chain, and the boxes and buttons by
their names; then, with keys as a user presses them, the output box's name
after a switch of format and the text of the help that F1 opens."""

import os
import sys
import time

import pyatspi


def find_application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def press(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def wait_for(app, role, name):
    for _ in range(50):
        for node in nodes(app):
            if node.getRoleName() == role and node.name == name:
                return node
        time.sleep(0.1)
    return None


def switch_format_and_read_help(app, choice):
    failures = []
    # A click in the grid makes the window the active one, as a window
    # manager would have, so that its keys work.
    grid = wait_for(app, "text", "Word counts per paragraph")
    x, y, width, height = grid.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(x + width // 2, y + height // 2, "b1c")
    time.sleep(0.3)
    choice.queryComponent().grabFocus()
    time.sleep(0.3)
    press(0xFF54)  # Down: the next format
    if wait_for(app, "text", "Spin text output, pipe format") is None:
        failures.append("after a switch to the pipe format the output box is not named for it")

    press(0xFFBE)  # F1
    # Read-only, the help's text is static text ("label") to a screen reader.
    help_text = wait_for(app, "label", "Kestrelwick help")
    if help_text is None:
        return failures + ["F1 showed no text named 'Kestrelwick help'"]
    if not help_text.description:
        failures.append("the help has no description")
    text = help_text.queryText().getText(0, -1)
    state = os.environ.get("KESTRELWICK_STATE_PATH", "")
    for wanted in ("Kestrelwick checks three versions of one article", "Ctrl+Shift+S",
                   "Save spun articles", "Shift+F10 or Menu", state, "MIT licence"):
        if wanted not in text:
            failures.append(f"the help does not say {wanted!r}: {text[:200]!r}...")
    return failures


def main():
    app = find_application("prjKestrelwick")
    if app is None:
        print("the application did not appear on the accessibility bus")
        return 1
    found = {}
    for node in nodes(app):
        found.setdefault(node.getRoleName(), []).append(node)

    failures = []
    links = {node.name: node for node in found.get("link", [])}
    wanted = {
        "Unique Article Wizard": "Go to Unique Article Wizard website",
        "Article Marketing Automation": "Go to Article Marketing Automation website",
        "Magic Article Submitter": "Go to Magic Article Submitter website",
    }
    for name, description in wanted.items():
        link = links.get(name)
        if link is None:
            failures.append(f"no link named {name!r}; links: {sorted(links)}")
            continue
        if link.description != description:
            failures.append(f"{name!r} is described as {link.description!r}")
        if actions(link) != ["Press"]:
            failures.append(f"{name!r} offers {actions(link)}, not a press action")
        if link.getState().contains(pyatspi.STATE_FOCUSABLE):
            failures.append(f"{name!r} takes the focus")

    buttons = {node.name for node in found.get("push button", [])}
    for name in ("Check Articles & Generate AMA format", "Clear form"):
        if name not in buttons:
            failures.append(f"no button named {name!r}; buttons: {sorted(buttons)}")
    boxes = {node.name for node in found.get("text", [])}
    for name in ("Article 1", "Article 2", "Article 3",
                 "Spin text output, AMA format"):
        if name not in boxes:
            failures.append(f"no box named {name!r}; boxes: {sorted(boxes)}")

    # The choices under the output box are named for what they are, not for
    # the item chosen.
    for name in ("Spin format", "Spin by"):
        choices = [node for node in found.get("combo box", []) if node.name == name]
        if len(choices) != 1:
            names = [node.name for node in found.get("combo box", [])]
            failures.append(f"no combo box named {name!r}; combo boxes: {names}")

    # Started with article files: their texts are in the boxes, one line a
    # paragraph. The expected texts are separated by form feeds.
    expected = os.environ.get("KESTRELWICK_EXPECT_ARTICLES")
    if expected is not None:
        texts = {node.name: node.queryText() for node in found.get("text", [])}
        for number, wanted_text in enumerate(expected.split("\f"), start=1):
            box = texts.get(f"Article {number}")
            got = box.getText(0, -1).replace("\r\n", "\n") if box else None
            if got != wanted_text:
                failures.append(f"Article {number} holds {got!r}, not {wanted_text!r}")

    # As a screen reader's user works: the output box's name follows a switch
    # of format, and the help that F1 opens reads as text.
    formats = [node for node in found.get("combo box", []) if node.name == "Spin format"]
    if expected is None and len(formats) == 1:
        failures += switch_format_and_read_help(app, formats[0])

    for failure in failures:
        print(failure)
    print(f"{len(links)} links, {len(buttons)} buttons, {len(boxes)} boxes seen")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
