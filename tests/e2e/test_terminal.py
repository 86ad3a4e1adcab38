"""The host program on a terminal, as a person uses it: started in a tmux pane without a key
script, driven with keys sent to the pane, read back with capture-pane."""

import os
import shlex
import signal
import subprocess
import time
from pathlib import Path

import pytest

from conftest import HOST, PLUGIN

# Only how long to keep polling before giving up; nothing is measured against it.
PATIENCE = 60


class Pane:
    def __init__(self, socket, env):
        self.socket, self.env = socket, env

    def tmux(self, *args):
        return subprocess.run(["tmux", "-S", str(self.socket), *args], env=self.env,
                              capture_output=True, text=True, check=True).stdout

    def text(self):
        return self.tmux("capture-pane", "-p", "-t", "ui")

    def show(self, what):
        return self.tmux("display-message", "-p", "-t", "ui", what).strip()

    def keys(self, *keys):
        self.tmux("send-keys", "-t", "ui", *keys)

    def wait_for(self, *texts, absent=()):
        """Polls the pane until every text is on it and none of absent; returns the pane."""
        deadline = time.monotonic() + PATIENCE
        while True:
            screen = self.text()
            if all(t in screen for t in texts) and not any(t in screen for t in absent):
                return screen
            if time.monotonic() > deadline:
                pytest.fail(f"waited for {texts} without {absent}; the pane shows:\n{screen}")
            time.sleep(0.05)


@pytest.fixture
def terminal(sandbox, tmp_path_factory):
    """Starts the host on a 100x30 tmux pane of a tmux server of its own, whose socket lies in
    a short directory of the test's own (a socket path has a short length limit)."""
    base = tmp_path_factory.mktemp("tmux")
    env = {**os.environ, "TMUX_TMPDIR": str(base), "TERM": "xterm"}
    env.pop("TMUX", None)
    started = []

    def start(columns=100, lines=30):
        host = shlex.join([str(HOST), "--root", str(sandbox.root), str(PLUGIN)])
        modes = sandbox.root.parent
        script = (f"stty -g > {modes}/before; {host}; echo \"host exited $?\"; "
                  f"stty -g > {modes}/after; exec cat")
        pane = Pane(base / "s", env)
        pane.tmux("-f", "/dev/null", "new-session", "-d", "-s", "ui", "-x", str(columns),
                  "-y", str(lines), "sh", "-c", script)
        pane.tmux("set-option", "-t", "ui", "status", "off")
        started.append(pane)
        return pane

    yield start
    for pane in started:
        subprocess.run(["tmux", "-S", str(pane.socket), "kill-server"], env=env,
                       capture_output=True)


def assert_restored(pane, sandbox):
    """The terminal is as it was before the host started: its modes, the normal screen, a
    visible cursor."""
    modes = sandbox.root.parent
    pane.wait_for("host exited")
    deadline = time.monotonic() + PATIENCE
    while not (modes / "after").exists() and time.monotonic() < deadline:
        time.sleep(0.05)
    assert (modes / "after").read_text() == (modes / "before").read_text()
    assert pane.show("#{alternate_on} #{cursor_flag}") == "0 1"


def host_pid(pane):
    """The host program's process, the child of the pane's shell."""
    shell = pane.show("#{pane_pid}")
    for stat in Path("/proc").glob("[0-9]*/stat"):
        try:
            fields = stat.read_text().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if fields[1] == shell:
            return int(stat.parent.name)
    pytest.fail("the host program is not running")


@pytest.mark.parametrize("green, red", [("F2", "F1"), ("C-g", "C-r")])
def test_a_command_runs_its_output_shows_and_closes_and_the_terminal_comes_back(
        sandbox, terminal, green, red):
    sandbox.write_commands(b"(echo from-the-command; echo to-the-log >&2)\n")
    pane = terminal()
    pane.wait_for("morvane", "available", "(echo from-the-command", "RUN")
    pane.keys(green)
    screen = pane.wait_for("Window(console)", "from-the-command\\n", "Close")
    assert "to-the-log" not in screen
    pane.keys(red)
    pane.wait_for("available", "RUN", absent=["Window(console)"])
    pane.keys("Escape")
    assert "host exited 0" in pane.wait_for("host exited")
    assert_restored(pane, sandbox)
    assert b"to-the-log\n" in (sandbox.root / "morvane.log").read_bytes()


def test_typed_characters_and_backspace_edit_the_field_that_runs(sandbox, terminal):
    sandbox.write_commands(b"ls\n")
    pane = terminal()
    pane.wait_for("available")
    pane.keys("Down", "Down")
    pane.keys("-l", "echo typed-textX")
    pane.keys("BSpace")
    pane.wait_for("echo typed-text", absent=["typed-textX"])
    pane.keys("F2")
    pane.wait_for("Window(console)", "typed-text\\n")
    pane.keys("F1")
    pane.wait_for("available", absent=["Window(console)"])
    pane.keys("Escape")
    assert_restored(pane, sandbox)


@pytest.mark.parametrize("signal_number", [signal.SIGTERM, signal.SIGINT])
def test_a_signal_ends_the_host_and_restores_the_terminal(sandbox, terminal, signal_number):
    sandbox.write_commands(b"ls\n")
    pane = terminal()
    pane.wait_for("available")
    os.kill(host_pid(pane), signal_number)
    assert f"host exited {128 + signal_number}" in pane.wait_for("host exited")
    assert_restored(pane, sandbox)


def test_a_terminal_too_small_is_told_so_until_it_grows(sandbox, terminal):
    sandbox.write_commands(b"ls\n")
    pane = terminal(columns=40, lines=12)
    pane.wait_for("too small")
    pane.tmux("resize-window", "-t", "ui", "-x", "100", "-y", "30")
    pane.wait_for("available", "RUN", absent=["too small"])
    pane.keys("Escape")
    assert_restored(pane, sandbox)
