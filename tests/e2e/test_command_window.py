"""The command window: the entry point, its widgets and the list read from the command file."""

import os
import re

import pytest

from conftest import DONE, KEYS_LEFT_OVER, KEYS_USED_UP, MISSING_FILE_MESSAGE
from screens import entries, listed, unescape, widgets, windows

@pytest.mark.parametrize("setup", ["no file", "no directory", "unreadable file"])
def test_a_command_file_that_cannot_be_read_gives_one_error_box(sandbox, setup):
    user = None
    if setup == "no directory":
        sandbox.command_file.parent.rmdir()
    elif setup == "unreadable file":
        sandbox.write_commands(b"ls\n")
        sandbox.command_file.chmod(0)
        if os.geteuid() == 0:  # root reads anything: run as an unprivileged user
            user = 65534
            for path in [sandbox.root.parent, *sandbox.root.parent.rglob("*")]:
                os.chown(path, user, user)
            sandbox.root.parent.parent.chmod(0o711)  # pytest's base directory is root's alone
    run = sandbox.run("ok", user=user)
    assert run.status == DONE, run.stderr
    assert len(run.screens) == 1
    assert windows(run.screens[0]) == [
        f'eMessageBox "Error" at {" ".join(windows(run.screens[0])[0].split()[3:6])} '
        f'message "{MISSING_FILE_MESSAGE}" (129, 1, 0)']
    assert not any(line.startswith("#") and "eWindow(" in line for line in run.trace)
    if setup != "unreadable file":
        assert not sandbox.command_file.exists()  # the plug-in never creates it


@pytest.mark.parametrize("content, expected", [
    (b"", []),
    (b"ls\npwd\n", [b"ls", b"pwd"]),
    (b"ls\npwd", [b"ls", b"pwd"]),
    (b"ls\r\npwd\n", [b"ls\r", b"pwd"]),
    (b"  a \n\n  a \n", [b"  a ", b"", b"  a "]),
    (b"a" * 1022 + b"\n" + b"b" * 1023 + b"\n" + b"c" * 2000 + b"\n",
     [b"a" * 1022, b"b" * 1023, b"c" * 2000]),
    (b"ab\0cd\nef\n", [b"ab", b"ef"]),
    (b"\0\nx\n", [b"", b"x"]),
], ids=["empty", "two lines", "no final line feed", "carriage return", "blanks, empty, dups",
        "long lines", "NUL inside", "NUL first"])
def test_the_list_holds_one_entry_per_line_with_the_first_current(sandbox, content, expected):
    sandbox.write_commands(content)
    run = sandbox.run("exit")
    assert run.status == DONE, run.stderr
    pairs, current = listed(run.screens[0])
    assert pairs == [(text, text) for text in expected]
    assert current == (0 if expected else None)
    combo = next(w for w in widgets(run.screens[0]) if w[0] == "eComboBox")
    assert unescape(combo[1]) == (expected[0] if expected else b"")


@pytest.mark.parametrize("fontsize", [None, 20, 30])
def test_the_window_layout_follows_only_the_font_size_in_heights(sandbox, fontsize):
    f = 20 if fontsize is None else fontsize
    sandbox.write_commands(b"ls\n")
    run = sandbox.run("exit", fontsize=fontsize)
    screen = run.screens[0]
    assert windows(screen) == ['eWindow "morvane" at 220,150 size 300x320']
    assert widgets(screen) == [
        ("eLabel", "available", 110, 10, 100, f + 10, False),
        ("eComboBox", "ls", 10, 40, 280, f + 15, True),
        ("eButton", "Entry deleted", 40, 90, 220, f + 10, True),
        ("eLabel", "new", 130, 140, 100, f + 10, False),
        ("eTextInputField", "", 10, 170, 280, f + 15, True),
        ("eButton", "new Entry save", 40, 220, 220, f + 10, True),
        ("eButton", "RUN", 100, 280, 100, f + 10, True),
    ]
    assert any('"RUN"' in line and 'shortcut "green" pixmap "green"' in line for line in screen)
    assert sum("shortcut" in line for line in screen) == 1
    assert any("eTextInputField" in line and "chars 40" in line for line in screen)


def test_the_focus_starts_on_the_list_and_steps_through_the_focusable_widgets(sandbox):
    sandbox.write_commands(b"ls\n")
    run = sandbox.run("down down down down down up exit")
    focused = [next(w for w in screen if w.endswith(" focus")).split('"')[1]
               for screen in run.screens]
    # list, delete, input, save, run, wrap to the list, and back up to run
    assert focused == ["ls", "Entry deleted", "", "new Entry save", "RUN", "ls", "RUN"]


CONSTRUCTION = """\
#1 eWindow(0)
eSkin::queryValue("fontsize", 20)
#1 cmove(220,150)
#1 cresize(300x320)
#1 setText("morvane")
#2 eLabel(#1, 0, 0, "eLabel")
#2 setText("available")
#2 move(110,10)
#2 resize(100x30)
#3 eComboBox(#1, 10, null, 1, "eComboBox")
#3 loadDeco()
#3 move(10,40)
#3 resize(280x35)
#5 eButton(#1, null, 1, "eButton")
#5 move(40,90)
#5 resize(220x30)
#5 loadDeco()
#5 setText("Entry deleted")
#5 selected.connect()
#6 eLabel(#1, 0, 0, "eLabel")
#6 setText("new")
#6 move(130,140)
#6 resize(100x30)
#7 eTextInputField(#1, null, null, "eNumber")
#7 move(10,170)
#7 resize(280x35)
#7 setVisibleChars(40)
#7 loadDeco()
#8 eButton(#1, null, 1, "eButton")
#8 move(40,220)
#8 resize(220x30)
#8 loadDeco()
#8 setText("new Entry save")
#8 selected.connect()
#9 eButton(#1, null, 1, "eButton")
#9 move(100,280)
#9 resize(100x30)
#9 setShortcut("green")
#9 setShortcutPixmap("green")
#9 loadDeco()
#9 setText("RUN")
#9 selected.connect()
#3 eListBoxEntryText("ls", ptr)
#3 eListBoxEntryText("pwd", ptr)
#3 setCurrent(0, false)
#1 show()
#1 exec()
#1 hide()
#1 destroy()
""".splitlines()


def test_the_window_is_built_in_order_and_each_call_builds_it_anew(sandbox):
    sandbox.write_commands(b"ls\npwd\n")
    run = sandbox.run("exit exit", calls=2)
    assert run.status == DONE, run.stderr
    # #4 is the combo box's own list; the second call's widgets number on from #10.
    assert run.trace[:len(CONSTRUCTION)] == CONSTRUCTION
    second = [re.sub(r"#(\d+)", lambda m: f"#{int(m.group(1)) - 9}", line)
              for line in run.trace[len(CONSTRUCTION):]]
    assert second == CONSTRUCTION
    assert len(run.screens) == 2


def test_an_empty_file_gives_a_working_window_without_a_current_entry(sandbox):
    sandbox.write_commands(b"")
    run = sandbox.run("ok right left exit")
    assert run.status == DONE, run.stderr
    assert not any("setCurrent" in line for line in run.trace)
    assert all(entries(screen) == [] for screen in run.screens)
    assert sum("selected.connect()" in line for line in run.trace) == 3


@pytest.mark.parametrize("keys, status, message", [
    ("", KEYS_USED_UP, b'no keys left while "morvane" waits for a key'),
    ("exit ok", KEYS_LEFT_OVER, b"1 keys left over"),
    ("exit bogus", 2, b"unknown key word 'bogus'"),
])
def test_the_host_reports_a_script_that_does_not_fit(sandbox, keys, status, message):
    sandbox.write_commands(b"ls\n")
    run = sandbox.run(keys)
    assert run.status == status
    assert message in run.stderr
