"""Full and read-only file systems: each run, save and delete fails as designed and loses
nothing. A small tmpfs (the host's --tmpfs) stands for a full /tmp or config directory."""

import os

import pytest

from conftest import DONE, type_text
from screens import listed, message_boxes, output_lines, windows

NOT_FOUND = [("Error", "Command not found", "129, 1, 0")]
SAVED = [("Info", "command save", "1, 1, 0")]
OUTPUT_WINDOW = 'eWindow "Window(console)" at 70,80 size 580x450'
SMALL = "16k"
# More than SMALL, so a capture or a scratch file of it cannot fit.
BIG_OUTPUT = 100000


def boxes(run):
    return [box for screen in run.screens for box in message_boxes(screen)]


def shown_output(run):
    """The output of each run the output window showed."""
    return [output_lines(screen) for screen in run.screens if windows(screen) == [OUTPUT_WINDOW]]


@pytest.mark.parametrize("command", [b"seq 1 %d" % BIG_OUTPUT, b"printf %%0%dd 0" % BIG_OUTPUT],
                         ids=["utility", "shell builtin"])
def test_a_run_whose_output_does_not_fit_in_tmp_reports_failure(any_shell_sandbox, command):
    box = any_shell_sandbox
    box.options += ["--tmpfs", f"/tmp:{SMALL}"]
    box.write_commands(command + b"\n")
    run = box.run("green ok")  # the plug-in ends after its box
    assert run.status == DONE, run.stderr
    assert boxes(run) == NOT_FOUND
    assert shown_output(run) == []


def test_a_delete_whose_scratch_file_does_not_fit_in_tmp_leaves_the_file(any_shell_sandbox):
    box = any_shell_sandbox
    box.options += ["--tmpfs", f"/tmp:{SMALL}"]
    content = b"a\n" + b"".join(b"echo %06d\n" % i for i in range(BIG_OUTPUT // 10))
    box.write_commands(content)
    # Delete "a", then list /tmp: the run's own capture fits only if the failed delete left
    # no partial scratch file behind.
    run = box.run('down ok down "ls /tmp" green red exit')
    assert run.status == DONE, run.stderr
    assert box.read_commands() == content
    assert boxes(run) == []
    assert b"grep -a -v -x -F -e 'a' " in run.stderr
    assert shown_output(run) == [[b"shell.temp\n"]]


def test_a_full_config_directory_takes_no_save_or_delete_and_loses_nothing(any_shell_sandbox):
    box = any_shell_sandbox
    box.options += ["--tmpfs", "/var/kovrin/config:64k"]
    content = b"cat /var/kovrin/config/morvane.cfg\nls\n"
    box.write_commands(content)
    # The trial run fills the directory and succeeds; the line is longer than a memory page,
    # so some of it may fit into the command file's last page before the append fails.
    fill = b"head -c 1000000 /dev/zero > /var/kovrin/config/filler; true #" + b"x" * 5000
    first_call = f"down down {type_text(fill)} down ok up up ok exit"
    # The tmpfs goes with the host, so the second call shows what the file then holds.
    second_call = "green red exit"
    run = box.run(f"{first_call} {second_call}", calls=2)
    assert run.status == DONE, run.stderr
    assert boxes(run) == []
    assert b"grep -a -v -x -F -e 'cat /var/kovrin/config/morvane.cfg' " in run.stderr
    assert shown_output(run) == [content.splitlines(keepends=True)]


def unprivileged(sandbox):
    """The user to run the host as, owning the sandbox: root ignores permissions, so then an
    unprivileged one."""
    if os.geteuid() != 0:
        return None
    user = 65534
    for path in [sandbox.root.parent, *sandbox.root.parent.rglob("*")]:
        os.chown(path, user, user)
    sandbox.root.parent.parent.chmod(0o711)  # pytest's base directory is root's alone
    return user


@pytest.mark.parametrize("file_mode, saves", [(0o444, False), (0o644, True)],
                         ids=["read-only file", "writable file"])
def test_a_read_only_config_directory_takes_no_delete(sandbox, file_mode, saves):
    """A delete needs to create a file beside the command file; an append needs only the file."""
    content = b"ls\npwd\n"
    sandbox.write_commands(content)
    user = unprivileged(sandbox)
    sandbox.command_file.chmod(file_mode)
    sandbox.command_file.parent.chmod(0o555)
    try:
        run = sandbox.run('down ok down "true" down ok' + (" ok" if saves else "") + " exit",
                          user=user)
    finally:
        sandbox.command_file.parent.chmod(0o755)
    assert run.status == DONE, run.stderr
    assert sandbox.read_commands() == content + (b"true\n" if saves else b"")
    assert boxes(run) == (SAVED if saves else [])
    assert b"grep -a -v -x -F -e 'ls' " in run.stderr
    assert sorted(os.listdir(sandbox.command_file.parent)) == ["morvane.cfg"]
    assert sandbox.leftovers() == []
    assert listed(run.screens[-1])[0][:2] == [(b"ls", b"ls"), (b"pwd", b"pwd")]
