# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the real window over AT-SPI, as a screen reader does, while real key
presses read the simulated radio, edit a channel and write it back.

Run by scripts/accessibility-check.sh, which provides the display, the window
manager, the session and accessibility buses and a scratch HOME. Every wait is
bounded; a failure names what was missing. What a screen reader would be told
(focus changes and progress values) is printed as "spoken:" lines."""

import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

EXE = os.environ["QUAYSTONE_EXE"]
WORK = os.environ["QUAYSTONE_WORK"]
SHOTS = os.environ.get("QUAYSTONE_SHOTS", WORK)
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "gui")
TYPED = "14.25"

failures = []
events = []


# Controls a screen reader announces by their name.
NAMED_ROLES = (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
               pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST,
               pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_PROGRESS_BAR)


def check(ok, what):
    if not ok:
        failures.append(what)
        print("accessibility-check: FAIL: " + what, file=sys.stderr)
    return ok


def fatal(what):
    shot("failure")
    print("accessibility-check: FAIL: " + what, file=sys.stderr)
    raise SystemExit(1)


def shot(name):
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")], capture_output=True)


def describe(acc):
    try:
        return "%s %r" % (acc.getRoleName(), acc.name)
    except Exception:  # the object may be gone already
        return "(gone)"


def on_event(event):
    try:
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return
        text = describe(event.source)
        if "accessible-value" in event.type:
            # The value the event carries: by the time it is read here, the bar may have moved on.
            value = event.source.queryValue()
            now = event.any_data if isinstance(event.any_data, (int, float)) else value.currentValue
            text += " value %g of %g" % (now, value.maximumValue)
        events.append((event.type, event.source, text, event.source.getRole(), event.source.name))
    except Exception:
        pass


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.split()


def key(name):
    xdotool("key", name)
    pump(0.3)


def wait_for(what, test, seconds=20):
    """Pumps events until test() gives something true; fails with what otherwise."""
    end = time.time() + seconds
    while time.time() < end:
        try:
            result = test()
        except Exception:
            result = None
        if result:
            return result
        if program.poll() is not None:
            fatal("the program ended while waiting for " + what)
        pump(0.1)
    fatal("no " + what + " within %d s" % seconds)


def wait_for_quietly(test, seconds):
    """Like wait_for, but gives False instead of failing."""
    end = time.time() + seconds
    while time.time() < end:
        try:
            if test():
                return True
        except Exception:
            pass
        pump(0.1)
    return False


def x_window(pattern, seconds=20):
    return wait_for("window titled " + pattern, lambda: xdotool("search", "--onlyvisible", "--name", pattern), seconds)[0]


def walk(acc, keep, into_tables=False):
    found = []
    try:
        if keep(acc):
            found.append(acc)
        if acc.getRole() == pyatspi.ROLE_TABLE and not into_tables:
            return found
        for child in acc:
            if child is not None:
                found += walk(child, keep, into_tables)
    except Exception:
        pass
    return found


def role(wanted):
    return lambda acc: acc.getRole() == wanted


def focused_since(mark, keep):
    """The focus events after events[mark] whose object passes keep."""
    return [e for e in events[mark:] if e[0].startswith("object:state-changed:focused") and keep(e[3], e[4])]


def spoken(mark, title):
    print("spoken: --- " + title)
    previous = None
    for kind, _, text, _, _ in events[mark:]:
        # A bar's values are many: the first, every tenth step and the last are enough here.
        line = ("value " if "value" in kind else "focus ") + text
        if line != previous:
            print("spoken: " + line)
        previous = line


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quaystone":
            return app
    return None


def top_window(app, keep):
    for window in app:
        if window is not None and keep(window):
            return window
    return None


def alert(app, fragment):
    """The message box showing a text that holds fragment, with that text."""
    for window in app:
        if window is not None and window.getRole() == pyatspi.ROLE_ALERT:
            text = " ".join(label.name for label in walk(window, role(pyatspi.ROLE_LABEL)))
            if fragment in text:
                return text
    return None


def cell_position(cell):
    table = cell.parent.queryTable()
    index = cell.getIndexInParent()
    return table, table.getRowAtIndex(index), table.getColumnAtIndex(index)


def say_cell(cell):
    """What a screen reader says for a cell: row header, column header, text."""
    table, row, column = cell_position(cell)
    return "%s, %s, %s" % (table.getRowHeader(row).name, table.getColumnHeader(column).name, cell.name)


def action_captions():
    """Object name -> caption (without the access-key mark) of every command
    in the window's enabling table, from the sources that build them."""
    form = open(os.path.join(SOURCE, "Form1.cpp")).read()
    table = form[form.index("void Form1::declareActions()"):]
    names = re.findall(r'\{(\w+), A::', table[:table.index("});")])
    menus = open(os.path.join(SOURCE, "Form1Menus.cpp")).read()
    buttons = open(os.path.join(SOURCE, "ButtonBar.cpp")).read()
    captions = {}
    for name in names:
        caption = None
        for source in (form, menus, buttons):
            for pattern in (r'\{&[\w:]+, "%s", "([^"]+)"' % name,
                            r'addAction\(\w+,\s*"%s",\s*QStringLiteral\("([^"]+)"\)' % name,
                            r'(\w+)->setObjectName\(QStringLiteral\("%s"\)\)' % name):
                found = re.search(pattern, source)
                if found and caption is None:
                    caption = found.group(1)
                    if pattern.startswith(r"(\w+)"):
                        # A menu: its caption is where the variable was made.
                        made = re.search(r'%s = [^;]*addMenu\(QStringLiteral\("([^"]+)"\)' % caption, source)
                        if not made:
                            made = re.search(r'new QAction\(QStringLiteral\("([^"]+)"\), this\);\s*\n\s*%s->'
                                             % caption, source)
                        caption = made.group(1) if made else None
        check(caption is not None, "no caption found in the sources for %s" % name)
        if caption:
            # A caption may show its key after wide spacing, as the item's name does.
            captions[name] = re.sub(r"\s{2,}.*$", "", caption.replace("&", ""))
    check(len(captions) > 30, "the enabling table gave only %d commands" % len(captions))
    return captions


def key_binding(acc):
    try:
        action = acc.queryAction()
        return action.getKeyBinding(0) if action.nActions else ""
    except NotImplementedError:
        return ""


def reachable(acc):
    """A shortcut of its own, or an access key on it and on every menu above it."""
    binding = key_binding(acc)
    if binding.startswith("Ctrl+") or re.match(r"^(Shift\+)?F\d+$|^(Shift\+)?Del", binding):
        return True
    while acc is not None and acc.getRole() in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU,
                                                 pyatspi.ROLE_PUSH_BUTTON):
        if not re.match(r"^Alt\+\w$", key_binding(acc)):
            return False
        acc = acc.parent
        if acc is not None and acc.getRole() == pyatspi.ROLE_POPUP_MENU:
            acc = acc.parent
    return True


pyatspi.Registry.registerEventListener(on_event, "object:state-changed:focused",
                                       "object:property-change:accessible-value")
data = os.path.join(WORK, "data")
os.makedirs(data, exist_ok=True)
program = subprocess.Popen([EXE, "--simulate"], stdout=open(os.path.join(WORK, "program.log"), "w"),
                           stderr=subprocess.STDOUT)
try:
    x_window("^First time use$")
    app = wait_for("Quaystone on the accessibility bus", application)
    first_use = wait_for("first-use window over AT-SPI", lambda: top_window(app, lambda w: w.name == "First time use"))
    check(walk(first_use, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name),
          "the first-use window has no named button")
    pump(0.5)
    key("Return")
    x_window("^Choose a folder")
    field = wait_for("the folder chooser's Directory field", lambda: [
        e[1] for e in focused_since(0, lambda r, n: r == pyatspi.ROLE_TEXT and n == "Directory:")], 10)[-1]
    # A loaded machine may drop a typed key: the field is read back, and typed again if it differs.
    for _ in range(3):
        key("ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "20", data])
        pump(0.3)
        if field.queryText().getText(0, -1) == data:
            break
    check(field.queryText().getText(0, -1) == data, "the data folder could not be typed into the folder chooser")
    key("Return")
    x_window("Quaystone V[0-9]")
    main = wait_for("main window over AT-SPI", lambda: top_window(app, lambda w: "Quaystone V" in w.name))
    # The start-up file is opened by a timer once the window is up.
    wait_for("the start-up memory file", lambda: os.path.exists(os.path.join(data, "Initial memory file.950")))
    pump(1)

    # Names and roles.
    tabs = [t.name for t in walk(main, role(pyatspi.ROLE_PAGE_TAB))]
    check(tabs == ["Memories", "PMS edges"], "page tabs should be Memories and PMS edges, are %s" % tabs)
    tables = {t.name: t for t in walk(main, role(pyatspi.ROLE_TABLE))}
    check(sorted(tables) == ["Memories", "PMS edges"], "tables should be Memories and PMS edges, are %s" % sorted(tables))
    check(tables.get("Memories") is not None and tables["Memories"].description == "Channels from a memory file",
          "the Memories table does not say its channels come from a file")
    panels = [p.name for p in walk(main, role(pyatspi.ROLE_LABEL)) if p.parent.getRole() == pyatspi.ROLE_STATUS_BAR]
    check(panels == ["File", "Changes", "First selected memory", "Last selected memory", "Time"],
          "status bar fields are named %s" % panels)
    for button in walk(main, role(pyatspi.ROLE_PUSH_BUTTON)):
        if button.getState().contains(pyatspi.STATE_SHOWING):
            check(button.name, "a push button without a name")

    # The other windows, opened by keys: every control in them has a name.
    for keys, title in ((["alt+i"], "Import/Export"), (["alt+s", "r"], "Repeater Rules"),
                        (["alt+s", "p"], "Select memory columns to print"), (["alt+h", "a"], "About Quaystone")):
        for name in keys:
            key(name)
        window = wait_for("the window " + title, lambda: top_window(app, lambda w: w.name == title and
                                                                     w.getState().contains(pyatspi.STATE_SHOWING)))
        unnamed = [c.getRoleName() for c in walk(window, lambda a: a.getRole() in NAMED_ROLES and not a.name.strip()
                                                             and a.getState().contains(pyatspi.STATE_SHOWING))]
        check(not unnamed, "unnamed controls in %s: %s" % (title, unnamed))
        key("Escape")
        wait_for("the window %s closed by Escape" % title, lambda: not top_window(
            app, lambda w: w.name == title and w.getState().contains(pyatspi.STATE_SHOWING)), 10)

    # Every command of the enabling table can be reached from the keyboard.
    captions = action_captions()
    items = walk(main, lambda a: a.getRole() in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_PUSH_BUTTON))
    for name, caption in captions.items():
        holders = [i for i in items if re.sub(r"\s{2,}.*$", "", i.name) == caption]
        check(holders, "the command %s (%r) is not in the accessibility tree" % (name, caption))
        if holders:
            check(any(reachable(h) for h in holders),
                  "the command %s (%r) has neither a shortcut nor an access-key path" % (name, caption))

    # Reading the radio: the question's text, the progress value, the stop message taking the keyboard.
    mark = len(events)
    key("alt+r")
    question = wait_for("read question", lambda: top_window(app, lambda w: w.getRole() == pyatspi.ROLE_ALERT))
    text = " ".join(label.name for label in walk(question, role(pyatspi.ROLE_LABEL)))
    check("You are about to read the Radio." in text, "the read question's text is not readable: %r" % text)
    print("spoken: read question: %r" % text)
    key("Return")
    wait_for("progress value above 0",
             lambda: [e for e in events[mark:] if "value" in e[0] and " value 0 " not in e[2]], 30)
    stop = focused_since(mark, lambda r, n: r == pyatspi.ROLE_LABEL and "click this message" in n)
    check(stop, "the progress window's stop message did not take the keyboard")
    print("spoken: read outcome: %r" % wait_for("completion message", lambda: alert(app, "completed"), 60))
    key("Return")
    spoken(mark, "reading the radio")

    # Moving through the table speaks the channel.
    memories = tables.get("Memories") or fatal("there is no table named Memories to move through")
    check(memories.description == "Channels read from the radio",
          "after the read, the Memories table says %r" % memories.description)
    mark = len(events)
    key("Down")
    key("Down")
    cells = wait_for("focus on a cell after the arrow keys",
                     lambda: focused_since(mark, lambda r, n: r == pyatspi.ROLE_TABLE_CELL), 5)
    cell = cells[-1][1]
    said = say_cell(cell)
    table, row, column = cell_position(cell)
    check(table.getRowHeader(row).name == table.getAccessibleAt(row, 0).name,
          "row header %r is not the slot label" % table.getRowHeader(row).name)
    check(table.getColumnHeader(column).name == "Receive Frequency",
          "column header is %r" % table.getColumnHeader(column).name)
    print("spoken: cell: " + said)
    spoken(mark, "arrow keys")

    # The Menu key opens the table's menu at the cell cursor.
    undo = [i for i in items if i.name.startswith("Undo") and i.parent.parent.getRole() != pyatspi.ROLE_MENU_BAR]
    key("Menu")
    check(wait_for_quietly(lambda: any(i.getState().contains(pyatspi.STATE_SHOWING) for i in undo), 5),
          "the Menu key did not open the table's menu")
    key("Escape")

    # Editing: the editor says its value, the cell its new value.
    mark = len(events)
    subprocess.run(["xdotool", "type", "--delay", "20", TYPED])
    pump(0.5)
    key("Return")
    pump(0.5)
    editor = focused_since(mark, lambda r, n: r == pyatspi.ROLE_TEXT)
    check(editor and editor[0][4] == "Receive Frequency",
          "the cell editor did not report focus with its heading: %s" % [e[2] for e in editor])
    after = table.getAccessibleAt(row, column)
    check(after.name.startswith(TYPED), "the edited cell says %r, not %s" % (after.name, TYPED))
    print("spoken: edited cell: " + say_cell(after))
    spoken(mark, "editing a channel")

    # A refused entry: its message is shown with its text, the cursor stays.
    mark = len(events)
    key("Up")
    subprocess.run(["xdotool", "type", "--delay", "20", "99999"])
    key("Return")
    text = wait_for("a readable message refusing 99999", lambda: alert(app, "99999"), 10)
    print("spoken: refusal: %r" % text)
    box_closed = len(events)
    key("Return")
    pump(1)
    after_box = focused_since(box_closed, lambda r, n: True)
    check(after_box and after_box[0][3] in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TEXT),
          "after the refusal the keyboard went to %s, not back to the table" % [e[2] for e in after_box[:1]])
    key("Escape")
    cells = [e[1] for e in focused_since(box_closed, lambda r, n: r == pyatspi.ROLE_TABLE_CELL)]
    if not cells:  # the table took the focus back without naming the cell: ask for it
        cells = [c for c in memories if c.getState().contains(pyatspi.STATE_FOCUSED)]
    check(cells and cell_position(cells[-1])[1:] == (row, column),
          "after the refusal the cursor is not on the cell typed into: %s" % [cell_position(c)[1:] for c in cells[-1:]])
    check(table.getAccessibleAt(row, column).name.startswith(TYPED), "the refused entry changed the cell")
    spoken(mark, "a refused entry")


    # Writing it back, with its trace lines in the message log: question, progress, completion.
    key("alt+s")
    log_item = [i for i in items if i.name == "Log read/write to rig"]
    check(log_item, "no Settings item 'Log read/write to rig'")
    wait_for("the Settings menu open", lambda: log_item[0].getState().contains(pyatspi.STATE_SHOWING), 10)
    key("l")
    wait_for("the Settings menu closed", lambda: not log_item[0].getState().contains(pyatspi.STATE_SHOWING), 10)
    mark = len(events)
    key("alt+a")
    text = wait_for("write question", lambda: alert(app, "abort the memory write"), 10)
    print("spoken: write question: %r" % text)
    key("Return")
    wait_for("progress value of the write", lambda: [e for e in events[mark:] if "value" in e[0] and " value 0 " not in e[2]], 30)
    text = wait_for("end of the write", lambda: alert(app, "written"), 90)
    print("spoken: write outcome: %r" % text)
    key("Return")
    spoken(mark, "writing the radio")

    # The message log's newest line is reachable from the keyboard: F6.
    mark = len(events)
    log = wait_for("message log window", lambda: top_window(app, lambda w: w.name == "Quaystone Messages"), 10)
    key("F6")
    log_text = wait_for("focus on the message log's text after F6",
                        lambda: focused_since(mark, lambda r, n: r == pyatspi.ROLE_TEXT and n == "Messages"), 10)[-1][1].queryText()
    lines = log_text.getText(0, -1).splitlines()
    caret = log_text.caretOffset
    last = log_text.getTextAtOffset(max(0, caret - 1), pyatspi.TEXT_BOUNDARY_LINE_START)[0].strip()
    check(lines and last == lines[-1].strip(), "the caret is not on the log's newest line: %r" % last)
    print("spoken: newest log line: %r" % last)
    key("F6")
    wait_for("focus back in the main window after F6",
             lambda: focused_since(mark, lambda r, n: r in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TABLE_CELL)), 10)
    spoken(mark, "the message log")

    # The stop control answers the keyboard: Escape during a read stops it.
    # Last, since the radio may be left mid-way by a stop.
    # The simulated read lasts about a second, so the keys here are sent
    # straight from the window manager's focus, without reading events between.
    mark = len(events)
    key("alt+r")
    # The edit written to the radio is not saved to disk: the read asks first.
    print("spoken: unsaved question: %r" % wait_for("unsaved-changes question", lambda: alert(app, "not yet saved")))
    key("alt+y")
    wait_for("read question", lambda: alert(app, "You are about to read"))
    xdotool("key", "Return")
    progress = None
    end = time.time() + 10
    while time.time() < end and progress is None:
        found = xdotool("search", "--onlyvisible", "--name", "^Read/write instructions$")
        if found and xdotool("getwindowfocus") == found[:1]:
            progress = found[0]
        time.sleep(0.02)
    check(progress, "the progress window did not get the keyboard")
    xdotool("key", "Escape")
    text = wait_for("message after Escape", lambda: alert(app, "The read of memories"), 20)
    print("spoken: after Escape: %r" % text)
    check("was stopped at memory" in text, "Escape did not stop the read: %r" % text)
    key("Return")
    spoken(mark, "stopping a read with Escape")
finally:
    program.terminate()
    try:
        program.wait(10)
    except subprocess.TimeoutExpired:
        program.kill()

if failures:
    shot("failure")
    print("accessibility-check: %d checks failed" % len(failures), file=sys.stderr)
    raise SystemExit(1)
print("accessibility-check: passed")
