"""Running a command with the "green" key, and the output window that shows its output."""

import pytest

from conftest import DONE, type_text
from screens import entries, message_boxes, output_lines, widgets, windows

COMMAND_WINDOW = 'eWindow "morvane" at 220,150 size 300x320'
OUTPUT_WINDOW = 'eWindow "Window(console)" at 70,80 size 580x450'
TO_INPUT = "down down"


def console_screen(run):
    """The one screen on which the output window waited, checked to be alone on screen."""
    shown = [screen for screen in run.screens if windows(screen)[:1] == [OUTPUT_WINDOW]]
    assert len(shown) == 1, run.dump[:2000]
    screen = shown[0]
    assert windows(screen) == [OUTPUT_WINDOW]  # the command window is hidden meanwhile
    assert widgets(screen) == [("eListBox", "", 10, 10, 560, 390, False),
                               ("eButton", "Close", 240, 410, 100, 30, True)]
    assert any(line.startswith("  eListBox ") and " flags 2 " in line for line in screen)
    assert any(line.startswith('  eButton "Close"') and 'shortcut "red" pixmap "red"' in line
               for line in screen)
    return screen


@pytest.mark.parametrize("commands, keys, output", [
    (b"printf 'x\\ny\\n'\n", "green", [b"x\n", b"y\n"]),
    (b"printf selected\n", f"{TO_INPUT} {type_text(b'printf typed')} green", [b"typed"]),
    (b"printf selected\n", f'{TO_INPUT} "   " green', []),
    (b"\n", "green", []),
    (b"sh -c 'echo oops >&2'\n", "green", []),
    (b"printf 'a\\nb\\n' | grep b\n", "green", [b"b\n"]),
    (b"echo first; echo second\n", "green", [b"second\n"]),
], ids=["selected entry", "typed text wins", "blank text counts as typed", "empty entry",
        "stderr only", "pipe", "semicolon"])
def test_a_successful_run_shows_its_output_and_returns(any_shell_sandbox, commands, keys,
                                                       output):
    box = any_shell_sandbox
    box.write_commands(commands)
    run = box.run(f"{keys} red exit")
    assert run.status == DONE, run.stderr
    assert output_lines(console_screen(run)) == output
    assert windows(run.screens[-1]) == [COMMAND_WINDOW]  # back after "red"
    assert box.leftovers() == []  # the capture file is removed
    if b"oops" in commands:
        assert b"oops" in run.stderr
    if b"first" in commands:
        assert run.stdout == b"first\n"


@pytest.mark.parametrize("command", [b"echo shown; false", b"nosuchcommand-morvane",
                                     b"grep nothing /dev/null"],
                         ids=["fails after output", "unknown command", "search finds nothing"])
def test_a_failed_run_reports_and_ends_the_plug_in(any_shell_sandbox, command):
    box = any_shell_sandbox
    box.write_commands(command + b"\n")
    run = box.run("green ok")  # no key after the box: the plug-in must end by itself
    assert run.status == DONE, run.stderr
    assert [message_boxes(screen) for screen in run.screens] == [
        [], [("Error", "Command not found", "129, 1, 0")]]
    assert windows(run.screens[1])[0].startswith("eMessageBox")  # the command window is hidden
    assert not any(OUTPUT_WINDOW in screen for screen in run.screens)  # its output is not shown
    assert box.leftovers() == []
    if b"nosuch" in command:
        assert b"nosuchcommand-morvane" in run.stderr


def test_the_command_window_comes_back_ready_to_run_the_same_command_again(any_shell_sandbox):
    box = any_shell_sandbox
    box.write_commands(b"echo run >> /tmp/count; cat /tmp/count\n")
    run = box.run("green red green red exit")
    assert run.status == DONE, run.stderr
    shown = [output_lines(screen) for screen in run.screens
             if windows(screen)[:1] == [OUTPUT_WINDOW]]
    assert shown == [[b"run\n"], [b"run\n", b"run\n"]]
    assert (box.root / "tmp/count").read_bytes() == b"run\nrun\n"


def test_nothing_runs_without_a_command(sandbox):
    sandbox.write_commands(b"")
    run = sandbox.run("green exit")
    assert run.status == DONE, run.stderr
    assert [windows(screen) for screen in run.screens] == [[COMMAND_WINDOW]] * 2
    assert not any("Window(console)" in line for line in run.trace)


LONG = b"x" * 2500


@pytest.mark.parametrize("content, output", [
    (b"one\ntwo\nthree\n", [b"one\n", b"two\n", b"three\n"]),
    (b"one\nlast", [b"one\n", b"last"]),
    (b"one\n\nthree\n", [b"one\n", b"\n", b"three\n"]),
    (b"a" * 1023 + b"\n", [b"a" * 1023, b"\n"]),
    (LONG + b"\n", [LONG[:1023], LONG[1023:2046], LONG[2046:] + b"\n"]),
    (b"ab\0cd\nef\n", [b"ab", b"ef\n"]),
    (b"".join(b"%d\n" % i for i in range(20000)), [b"%d\n" % i for i in range(20000)]),
], ids=["three lines", "no final line feed", "empty line", "1023 characters",
        "2500 characters", "NUL inside a line", "20000 lines"])
def test_the_output_window_shows_each_read_of_the_capture_file(sandbox, content, output):
    (sandbox.root / "tmp/output").write_bytes(content)
    sandbox.write_commands(b"cat /tmp/output\n")
    run = sandbox.run("green red exit")
    assert run.status == DONE, run.stderr
    assert output_lines(console_screen(run)) == output


CUT = b"--- output cut here: this window shows at most 4 MiB or 100000 lines ---"


@pytest.mark.parametrize("command, shown", [
    # 150,000 short lines: the line limit comes first.
    (b"seq 1 150000", [b"%d\n" % i for i in range(1, 100001)] + [CUT]),
    # 5,000 lines of 1000 characters: the 4 MiB text limit comes first (4194 whole lines).
    (b"yes $(printf '%0999d' 0) | head -n 5000",
     [b"0" * 999 + b"\n"] * 4194 + [CUT]),
    # Exactly at the line limit: nothing is cut.
    (b"seq 1 100000", [b"%d\n" % i for i in range(1, 100001)]),
], ids=["line limit", "text limit", "at the limit"])
def test_the_output_window_stops_at_its_limit_and_says_so(sandbox, command, shown):
    sandbox.write_commands(command + b"\n")
    run = sandbox.run("green red exit")
    assert run.status == DONE, run.stderr
    assert output_lines(console_screen(run)) == shown


def test_the_host_survives_hundreds_of_megabytes_of_output(sandbox):
    sandbox.write_commands(b"head -c 300000000 /dev/zero | tr '\\0' 'y'\n")
    run = sandbox.run("green red exit")
    assert run.status == DONE, run.stderr
    lines = output_lines(console_screen(run))
    assert lines[-1] == CUT
    assert sum(map(len, lines[:-1])) <= 4 << 20
    assert sandbox.leftovers() == []


def test_the_output_window_survives_a_removed_capture_file(sandbox):
    sandbox.write_commands(b"rm /tmp/shell.temp\n")
    run = sandbox.run("green red exit")
    assert run.status == DONE, run.stderr
    assert entries(console_screen(run)) == []
    assert windows(run.screens[-1]) == [COMMAND_WINDOW]
