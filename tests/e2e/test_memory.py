"""Memory over a long session, and a second opinion on it from valgrind."""

import os
import re

import pytest

from conftest import DONE
from screens import listed, message_boxes, windows

COMMAND_WINDOW = 'eWindow "morvane" at 220,150 size 300x320'
SAVED = ("Info", "command save", "1, 1, 0")
DELETED = ("Info", "Entry deleted", "1, 1, 0")
# From the delete button: save "true", close its box, delete it again, close that box. Each of
# the nine keys is read while a window waits, so a cycle is nine screens.
CYCLE = 'down "true" down ok ok up up ok ok'
CYCLE_SCREENS = 9
# Well under one allocation per refresh over the cycles compared: any leak per refresh
# (a list entry, its key, a line buffer) shows.
TOLERANCE = 1024


def test_the_heap_stays_flat_over_a_thousand_saves_and_deletes(sandbox):
    sandbox.write_commands(b"")
    heap = sandbox.root.parent / "heap"
    sandbox.options += ["--heap", str(heap)]
    run = sandbox.run(" ".join(["down"] + [CYCLE] * 1000 + ["exit"]), timeout=900)
    assert run.status == DONE, run.stderr[-2000:]
    assert sandbox.read_commands() == b""
    figures = [int(line) for line in heap.read_text().splitlines()]
    screens = run.screens
    assert len(figures) == len(screens)
    # Before the first key of a cycle, and before the last key ("exit"): the command window
    # alone, with an empty list, after the same work.
    after = {cycles: 1 + CYCLE_SCREENS * cycles for cycles in (10, 1000)}
    for index in after.values():
        assert windows(screens[index]) == [COMMAND_WINDOW]
        assert listed(screens[index]) == ([], None)
    assert [box for screen in screens for box in message_boxes(screen)] == [SAVED, DELETED] * 1000
    grown = figures[after[1000]] - figures[after[10]]
    assert abs(grown) <= TOLERANCE, f"heap in use grew by {grown} bytes"


VALGRIND = os.environ.get("MORVANE_VALGRIND")


@pytest.mark.skipif(not VALGRIND, reason="needs MORVANE_VALGRIND: the default build sets it; "
                                         "the sanitizer build's programs cannot run under it")
def test_run_save_and_delete_are_clean_under_valgrind(sandbox):
    scratch = sandbox.root.parent / "valgrind-tmp"  # valgrind's own files, not the real /tmp
    scratch.mkdir()
    sandbox.env["TMPDIR"] = str(scratch)
    sandbox.wrapper = [VALGRIND, "--error-exitcode=99", "--leak-check=full", "--vgdb=no",
                       "--quiet"]
    sandbox.write_commands(b"echo hello\n")
    # Run the entry and close its output; save "true"; delete the first entry.
    run = sandbox.run('green red down down "true" down ok ok up up ok ok exit', timeout=600)
    assert run.status == DONE, run.stderr[-4000:]
    assert not re.search(rb"==\d+==", run.stderr), run.stderr[-4000:]  # nothing reported
    assert sandbox.read_commands() == b"true\n"
    assert [box for screen in run.screens for box in message_boxes(screen)] == [SAVED, DELETED]
