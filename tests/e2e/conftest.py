"""Runs the built plug-in in the host program, inside a sandbox per test."""

import os
import re
import subprocess
from dataclasses import dataclass, field
from pathlib import Path

import pytest

HOST = Path(os.environ.get("MORVANE_HOST", "build/default/morvane-host")).resolve()
PLUGIN = Path(os.environ.get("MORVANE_PLUGIN", "build/default/morvane.so.0")).resolve()
COMMAND_FILE = "var/kovrin/config/morvane.cfg"
MISSING_FILE_MESSAGE = "/var/kovrin/config/morvane.cfg not found"

# The host program's exit statuses.
DONE, KEYS_USED_UP, KEYS_LEFT_OVER = 0, 3, 5


@dataclass
class Run:
    status: int
    stdout: bytes
    stderr: bytes
    dump: str
    trace: list

    @property
    def screens(self):
        """Each screen of the dump as a list of its lines, without the header line."""
        parts = re.split(r"^=== screen \d+: .*\n", self.dump, flags=re.MULTILINE)
        return [part.splitlines() for part in parts[1:]]

    @property
    def waiting(self):
        """The title of the window that waited, for each screen."""
        return re.findall(r"^=== screen \d+: (\".*\") waits for a key$", self.dump, re.MULTILINE)


def windows(screen):
    """The top-level lines (windows and message boxes) of one screen."""
    return [line for line in screen if not line.startswith(" ")]


def entries(screen):
    """The entry lines of one screen, stripped of their indentation."""
    return [line.strip() for line in screen if line.lstrip().startswith("entry ")]


@dataclass
class Sandbox:
    root: Path
    binds: list = field(default_factory=list)

    @property
    def command_file(self):
        return self.root / COMMAND_FILE

    def write_commands(self, content: bytes):
        self.command_file.parent.mkdir(parents=True, exist_ok=True)
        self.command_file.write_bytes(content)

    def run(self, keys, *, fontsize=None, calls=None, user=None, timeout=60):
        dump = self.root.parent / (self.root.name + ".dump")
        trace = self.root.parent / (self.root.name + ".trace")
        for path in (dump, trace):
            path.unlink(missing_ok=True)
        command = [str(HOST), "--root", str(self.root), "--keys", keys,
                   "--dump", str(dump), "--trace", str(trace)]
        for source, target in self.binds:
            command += ["--bind", f"{source}:{target}"]
        if fontsize is not None:
            command += ["--fontsize", str(fontsize)]
        if calls is not None:
            command += ["--calls", str(calls)]
        command.append(str(PLUGIN))
        if user is not None:
            command = ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups",
                       "--inh-caps=-all"] + command
        done = subprocess.run(command, capture_output=True, timeout=timeout)
        return Run(done.returncode, done.stdout, done.stderr,
                   dump.read_text() if dump.exists() else "",
                   trace.read_text().splitlines() if trace.exists() else [])


@pytest.fixture
def sandbox(tmp_path):
    return Sandbox(tmp_path / "root")
