"""Command files no one writes by hand: each gives a window that works and closes."""

import os
import random

import pytest

from conftest import DONE
from screens import listed, message_boxes, output_lines, windows

COMMAND_WINDOW = 'eWindow "morvane" at 220,150 size 300x320'
OUTPUT_WINDOW = 'eWindow "Window(console)" at 70,80 size 580x450'
# Type a command, run it, close its output window, then the command window.
RUN_TYPED = 'down down "echo works" green red exit'


def garbage():
    return random.Random(66).randbytes(256 << 10)


def lines_of(content):
    """The commands the list shows for a file: one per line, each stopping at a NUL."""
    lines = content.split(b"\n")
    if lines[-1] == b"":
        lines.pop()
    return [line.split(b"\0")[0] for line in lines]


@pytest.mark.parametrize("content", [
    garbage(),
    b"\0" * (1 << 20),
    b"echo " + b"x" * (10 << 20) + b"\nls\n",
    b"".join(b"echo %d\n" % i for i in range(100000)),
], ids=["binary garbage", "only NULs", "a 10 MB line", "100000 lines"])
def test_a_hostile_command_file_gives_a_working_window(sandbox, content):
    sandbox.write_commands(content)
    run = sandbox.run(RUN_TYPED)
    assert run.status == DONE, run.stderr[-2000:]
    screens = run.screens
    expected = lines_of(content)
    assert listed(screens[0]) == ([(text, text) for text in expected], 0)
    assert [output_lines(screen) for screen in screens
            if windows(screen) == [OUTPUT_WINDOW]] == [[b"works\n"]]
    assert listed(screens[-1]) == listed(screens[0])
    assert sandbox.read_commands() == content
    assert sandbox.leftovers() == []


@pytest.mark.parametrize("kind", ["FIFO", "directory"])
def test_a_command_file_that_is_not_a_regular_file_lists_nothing_and_takes_nothing(sandbox,
                                                                                  kind):
    """It opens without waiting for a writer; a save and a delete then leave it alone."""
    if kind == "FIFO":
        os.mkfifo(sandbox.command_file)
    else:
        sandbox.command_file.mkdir()
    # Save "true", which keeps the text since nothing is saved; delete, with nothing to delete;
    # then run the text, made longer, to see the window still works.
    keys = 'down down "true" down ok up up ok down " && echo works" green red exit'
    run = sandbox.run(keys, timeout=60)
    assert run.status == DONE, run.stderr
    screens = run.screens
    assert all(listed(screen) == ([], None) for screen in screens
               if windows(screen)[:1] == [COMMAND_WINDOW])
    assert [box for screen in screens for box in message_boxes(screen)] == []
    assert [output_lines(screen) for screen in screens
            if windows(screen) == [OUTPUT_WINDOW]] == [[b"works\n"]]
    assert (sandbox.command_file.is_fifo() if kind == "FIFO" else
            sandbox.command_file.is_dir() and not any(sandbox.command_file.iterdir()))
    assert sandbox.leftovers() == []
