"""Reading the host's screen dumps."""

import re


def windows(screen):
    """The top-level lines (windows and message boxes) of one screen."""
    return [line for line in screen if not line.startswith(" ")]


def entries(screen):
    """The entry lines of one screen, stripped of their indentation."""
    return [line.strip() for line in screen if line.lstrip().startswith("entry ")]


# Unrolled: each run of plain characters is one step, so texts of megabytes match quickly.
QUOTED = r'"([^"\\]*(?:\\.[^"\\]*)*)"'
WIDGET = re.compile(rf"^  (\w+) {QUOTED} at (\d+),(\d+) size (\d+)x(\d+)( deco)?")


def widgets(screen):
    """(kind, text, x, y, width, height, decorated) of each child of the window."""
    found = []
    for line in screen:
        match = WIDGET.match(line)
        if match:
            kind, text, x, y, w, h, deco = match.groups()
            found.append((kind, text, int(x), int(y), int(w), int(h), bool(deco)))
    return found


ESCAPES = {b"n": b"\n", b"r": b"\r", b"t": b"\t", b'"': b'"', b"\\": b"\\"}


def unescape(text):
    """Turns the dump's visible escapes back into the bytes they stand for."""
    def replace(match):
        code = match.group(1)
        return bytes([int(code[1:], 16)]) if code.startswith(b"x") else ESCAPES[code]
    return re.sub(rb'\\(x[0-9a-f]{2}|[nrt"\\])', replace, text.encode("ascii"))


def listed(screen):
    """(text, key) as bytes for each entry of the command list, and the current one's index."""
    pairs, current = [], None
    for index, line in enumerate(entries(screen)):
        match = re.fullmatch(rf"entry {QUOTED} key {QUOTED}( current)?", line)
        assert match, line
        pairs.append((unescape(match.group(1)), unescape(match.group(2))))
        if match.group(3):
            current = index
    return pairs, current


def output_lines(screen):
    """The texts, as bytes, of the output window's entries (which have no key)."""
    texts = []
    for line in entries(screen):
        match = re.fullmatch(rf"entry {QUOTED}( current)?", line)
        assert match, line
        texts.append(unescape(match.group(1)))
    return texts


def message_boxes(screen):
    """(caption, message, integers) of each message box on the screen."""
    found = []
    for line in windows(screen):
        match = re.match(rf'eMessageBox {QUOTED} at .* message {QUOTED} \((.*)\)$', line)
        if match:
            found.append((match.group(1), match.group(2), match.group(3)))
    return found
