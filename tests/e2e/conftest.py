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


@dataclass
class Sandbox:
    root: Path
    binds: list = field(default_factory=list)
    options: list = field(default_factory=list)  # further host options, e.g. --tmpfs
    env: dict = field(default_factory=dict)
    wrapper: list = field(default_factory=list)  # runs the host, e.g. under valgrind

    @property
    def command_file(self):
        return self.root / COMMAND_FILE

    def write_commands(self, content: bytes):
        self.command_file.parent.mkdir(parents=True, exist_ok=True)
        self.command_file.write_bytes(content)

    def read_commands(self):
        return self.command_file.read_bytes()

    def leftovers(self):
        """What the plug-in left in the sandbox's /tmp."""
        return sorted(path.name for path in (self.root / "tmp").iterdir())

    def command(self, keys, *, fontsize=None, calls=None, user=None):
        """The host's command line and the paths of its dump and trace."""
        dump = self.root.parent / (self.root.name + ".dump")
        trace = self.root.parent / (self.root.name + ".trace")
        for path in (dump, trace):
            path.unlink(missing_ok=True)
        command = [str(HOST), "--root", str(self.root), "--keys", keys,
                   "--dump", str(dump), "--trace", str(trace)]
        for source, target in self.binds:
            command += ["--bind", f"{source}:{target}"]
        command += self.options
        if fontsize is not None:
            command += ["--fontsize", str(fontsize)]
        if calls is not None:
            command += ["--calls", str(calls)]
        command = self.wrapper + command + [str(PLUGIN)]
        if user is not None:
            command = ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups",
                       "--inh-caps=-all"] + command
        return command, dump, trace

    def run(self, keys, *, fontsize=None, calls=None, user=None, timeout=120):
        command, dump, trace = self.command(keys, fontsize=fontsize, calls=calls, user=user)
        done = subprocess.run(command, capture_output=True, timeout=timeout,
                              env={**os.environ, **self.env}, stdin=subprocess.DEVNULL)
        return Run(done.returncode, done.stdout, done.stderr,
                   dump.read_text() if dump.exists() else "",
                   trace.read_text().splitlines() if trace.exists() else [])


def type_text(text: bytes) -> str:
    """A key script word that types text (any bytes but NUL) into the focused field."""
    escaped = text.replace(b"\\", b"\\\\").replace(b'"', b'\\"')
    return '"' + os.fsdecode(escaped) + '"'


@pytest.fixture
def sandbox(tmp_path):
    box = Sandbox(tmp_path / "root")
    (box.root / "tmp").mkdir(parents=True)
    (box.root / "var/kovrin/config").mkdir(parents=True)
    return box


@pytest.fixture(scope="session")
def busybox_applets(tmp_path_factory):
    """A directory of busybox applet links, to put first on PATH."""
    applets = tmp_path_factory.mktemp("busybox-applets")
    subprocess.run(["busybox", "--install", "-s", str(applets)], check=True)
    return applets


@pytest.fixture(params=["system shell", "busybox"])
def any_shell_sandbox(request, sandbox, busybox_applets):
    """A sandbox with the machine's /bin/sh and tools, or with busybox standing in for them
    as on the box."""
    if request.param == "busybox":
        busybox = subprocess.run(["sh", "-c", "command -v busybox"], capture_output=True,
                                 text=True, check=True).stdout.strip()
        sandbox.binds.append((busybox, "/bin/sh"))
        sandbox.env["PATH"] = f"{busybox_applets}:{os.environ['PATH']}"
    return sandbox
