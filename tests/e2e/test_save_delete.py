"""Saving a typed command after a trial run, and deleting the selected one."""

import os
import random
import signal
import subprocess
import time

import pytest

from conftest import DONE, KEYS_USED_UP, type_text
from screens import listed, message_boxes, widgets

SAVED = [("Info", "command save", "1, 1, 0")]
DELETED = [("Info", "Entry deleted", "1, 1, 0")]
NOT_FOUND = [("Error", "Command not found", "129, 1, 0")]
# From the list, where the focus starts: to the input field, and from it to the save button.
TO_INPUT, TO_SAVE, TO_DELETE = "down down", "down", "down"


def boxes(run):
    return [box for screen in run.screens for box in message_boxes(screen)]


def focused(screen):
    return next(line.split()[0] for line in screen if line.endswith(" focus"))


def input_text(screen):
    return next(w[1] for w in widgets(screen) if w[0] == "eTextInputField")


def refreshes(run):
    """How often the command list was emptied and filled again."""
    return sum(line == "#3 clearList()" for line in run.trace)


@pytest.mark.parametrize("text", [
    b"   ",
    b"echo a | cat",
    b"true; true",
    b"echo x > /dev/null 2>&1",
    b"echo \"it's\" 'q' \\'",
    b"echo * /e?c/[h]ost*",
    b"echo a\\nb \\\\ \\t",
    b"printf '%s%%\\n' 100 %d %n",
    b"echo $HOME `true` $(true) ${x:-y}",
    b"true -n -e --",
], ids=["blanks", "pipe", "semicolons", "redirections", "quotes", "globs", "backslashes",
        "percent", "expansions", "options"])
def test_a_saved_command_is_stored_byte_for_byte(any_shell_sandbox, text):
    box = any_shell_sandbox
    box.write_commands(b"ls\n")
    run = box.run(f"{TO_INPUT} {type_text(text)} {TO_SAVE} ok ok exit")
    assert run.status == DONE, run.stderr
    assert box.read_commands() == b"ls\n" + text + b"\n"
    assert boxes(run) == SAVED
    last = run.screens[-1]
    assert listed(last) == ([(b"ls", b"ls"), (text, text)], 0)
    assert input_text(last) == ""
    # The box goes, after its hide and the field's emptying, before the refresh.
    tail = run.trace[run.trace.index('#7 setText("")') - 3:]
    assert [line.split(" ", 1)[1] for line in tail[:6]] == [
        "show()", "exec()", "hide()", 'setText("")', "destroy()", "clearList()"]


@pytest.mark.parametrize("before, after", [
    (b"ls", b"ls\ntrue\n"),
    (b"", b"true\n"),
    (b"ls\r\n", b"ls\r\ntrue\n"),
], ids=["unterminated last line", "empty file", "carriage return"])
def test_a_save_adds_exactly_one_line(any_shell_sandbox, before, after):
    box = any_shell_sandbox
    box.write_commands(before)
    run = box.run(f'{TO_INPUT} "true" {TO_SAVE} ok ok exit')
    assert run.status == DONE, run.stderr
    assert box.read_commands() == after


def test_saving_an_empty_field_runs_nothing_and_refreshes(any_shell_sandbox):
    box = any_shell_sandbox
    box.write_commands(b"ls\npwd\n")
    run = box.run(f"left right {TO_INPUT} {TO_SAVE} ok exit")
    assert run.status == DONE, run.stderr
    assert box.read_commands() == b"ls\npwd\n"
    assert boxes(run) == []
    assert refreshes(run) == 1
    assert listed(run.screens[-1]) == ([(b"ls", b"ls"), (b"pwd", b"pwd")], 0)


@pytest.mark.parametrize("text", [b"false", b"nosuchcommand-morvane", b"echo out; exit 3"])
def test_a_failed_trial_run_keeps_the_text_and_writes_nothing(any_shell_sandbox, text):
    box = any_shell_sandbox
    box.write_commands(b"ls\n")
    run = box.run(f"{TO_INPUT} {type_text(text)} {TO_SAVE} ok ok exit")
    assert run.status == DONE, run.stderr
    assert box.read_commands() == b"ls\n"
    assert boxes(run) == NOT_FOUND
    last = run.screens[-1]
    assert focused(last) == "eTextInputField"
    assert input_text(last) == text.decode()
    tail = run.trace[run.trace.index("#1 setFocus(#7)") - 3:]
    assert [line.split(" ", 1)[1] for line in tail[:6]] == [
        "show()", "exec()", "hide()", "setFocus(#7)", "destroy()", "clearList()"]


def test_a_trial_run_takes_effect_even_when_the_append_fails(any_shell_sandbox):
    box = any_shell_sandbox
    box.write_commands(b"ls\n")
    text = (b"rm /var/kovrin/config/morvane.cfg && mkdir /var/kovrin/config/morvane.cfg"
            b" && touch /tmp/effect")
    run = box.run(f"{TO_INPUT} {type_text(text)} {TO_SAVE} ok exit")
    assert run.status == DONE, run.stderr
    assert (box.root / "tmp/effect").exists()
    assert boxes(run) == []  # no message claims a save
    assert input_text(run.screens[-1]) == text.decode()


def test_a_save_shows_in_the_next_call(sandbox):
    sandbox.write_commands(b"ls\n")
    run = sandbox.run(f'{TO_INPUT} "true" {TO_SAVE} ok ok exit exit', calls=2)
    assert run.status == DONE, run.stderr
    assert listed(run.screens[-1]) == ([(b"ls", b"ls"), (b"true", b"true")], 0)


@pytest.mark.parametrize("before, after", [
    (b"a\nb\na\n", b"b\n"),
    (b"a.c\nxa.cx\nabc\na.c\n", b"xa.cx\nabc\n"),
    (b"only\n", b""),
    (b"ls\r\nls\n", b"ls\n"),
    (b"\nx\n\n", b"x\n"),
    (b"-e\n-v\n", b"-v\n"),
    (b"a\n\xff\xfe\nc\n", b"\xff\xfe\nc\n"),
], ids=["duplicates", "contains or matches as a pattern", "the last entry", "carriage return",
        "empty line", "leading dash", "not UTF-8"])
def test_a_delete_removes_exactly_the_lines_equal_to_the_entry(any_shell_sandbox, before,
                                                                after):
    box = any_shell_sandbox
    box.write_commands(before)
    run = box.run(f"{TO_DELETE} ok ok exit")
    assert run.status == DONE, run.stderr
    assert box.read_commands() == after
    assert boxes(run) == DELETED
    assert box.leftovers() == []
    assert sorted(os.listdir(box.command_file.parent)) == ["morvane.cfg"]
    first = before.split(b"\n")[0].split(b"\0")[0]
    quoted = b"'" + first.replace(b"'", b"'\\''") + b"'"
    assert run.stderr.startswith(b"LC_ALL=C grep -a -v -x -F -e " + quoted +
                                 b" /var/kovrin/config/morvane.cfg > /tmp/morvane.temp: ")
    assert listed(run.screens[-1])[1] == (0 if after else None)


@pytest.mark.parametrize("obstacle", ["scratch file is a directory", "move target is taken"])
def test_a_failed_delete_leaves_the_command_file_intact(any_shell_sandbox, obstacle):
    box = any_shell_sandbox
    box.write_commands(b"a\nb\n")
    if obstacle == "scratch file is a directory":
        (box.root / "tmp/morvane.temp").mkdir()
    else:
        (box.command_file.parent / "morvane.temp").mkdir()
        (box.command_file.parent / "morvane.temp/morvane.cfg").mkdir()
    run = box.run(f"{TO_DELETE} ok exit")
    assert run.status == DONE, run.stderr
    assert box.read_commands() == b"a\nb\n"
    assert boxes(run) == []
    assert b"grep -a -v -x -F -e 'a' " in run.stderr
    assert refreshes(run) == 1


def test_deleting_from_an_empty_list_does_nothing(sandbox):
    sandbox.write_commands(b"")
    run = sandbox.run(f"{TO_DELETE} ok exit")
    assert run.status == DONE, run.stderr
    assert sandbox.read_commands() == b""
    assert boxes(run) == [] and run.stderr == b""
    assert refreshes(run) == 1


def quoting_cases():
    rng = random.Random(20261211)
    every_byte = [b"#" + bytes([b]) for b in range(1, 256) if b != 10]
    alphabet = [b for b in range(1, 256) if b != 10]
    randoms = [b"#" + bytes(rng.choice(alphabet) for _ in range(rng.randint(1, 40)))
               for _ in range(300)]
    return every_byte + randoms


def test_any_text_survives_save_and_delete_exactly(any_shell_sandbox):
    """A comment is a valid command whatever it holds, so its trial run always succeeds."""
    box = any_shell_sandbox
    box.write_commands(b"")
    texts = quoting_cases()
    cycle = f"{TO_SAVE} ok ok up up ok ok"
    script = " ".join(["down"] + [f"down {type_text(text)} {cycle}" for text in texts] +
                      ["exit"])
    run = box.run(script, timeout=600)
    assert run.status == DONE, run.stderr[-2000:]
    assert box.read_commands() == b""
    assert boxes(run) == [SAVED[0], DELETED[0]] * len(texts)
    # While "Entry deleted" is shown the list still holds what the save wrote.
    at_delete = [listed(screen)[0] for screen in run.screens if message_boxes(screen) == DELETED]
    assert at_delete == [[(text, text)] for text in texts]


def test_a_delete_killed_at_any_moment_leaves_the_old_or_the_new_file(sandbox):
    rng = random.Random(7)
    first = b"echo the first command\n"
    rest = b"".join(b"echo saved command number %06d and some text\n" % i for i in range(60000))
    old = first + rest + first
    new = rest
    sandbox.write_commands(old)
    command, _, _ = sandbox.command(f"{TO_DELETE} ok")

    def delete(kill_after=None):
        process = subprocess.Popen(command, start_new_session=True, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if kill_after is None:
            return process.wait(timeout=60)
        time.sleep(kill_after)
        os.killpg(process.pid, signal.SIGKILL)
        process.wait(timeout=60)
        return None

    started = time.monotonic()
    assert delete() == KEYS_USED_UP  # the "Entry deleted" box waits with no key left
    duration = time.monotonic() - started
    assert sandbox.read_commands() == new

    outcomes = []
    deadline = time.monotonic() + 60
    for _ in range(40):
        if time.monotonic() > deadline:
            break
        sandbox.write_commands(old)
        delete(kill_after=rng.uniform(0, duration))
        content = sandbox.read_commands()
        assert content in (old, new), f"partial file of {len(content)} bytes"
        outcomes.append(content == new)
    assert outcomes
