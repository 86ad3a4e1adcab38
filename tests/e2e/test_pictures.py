"""Pictures of the screen (--screenshot) compared with reference images in tests/golden.

A reference is never made here: a missing one fails. On a mismatch the picture taken is
written beside the reference as NAME.actual.png; to accept it, move it over NAME.png."""

import os
import subprocess
from pathlib import Path

import pytest
from PIL import Image, ImageChops

from conftest import DONE, KEYS_USED_UP, type_text

GOLDEN = Path(__file__).resolve().parent.parent / "golden"

# A pixel differs when a colour channel differs by more than this; a picture matches while
# few enough pixels differ, which leaves room for another Cairo or FreeType build's
# antialiasing at glyph edges but not for one character changed (some 40 to 100 pixels), nor
# for a widget moved, missing or drawn in another colour.
CHANNEL_TOLERANCE = 48
DIFFERING_PIXELS_ALLOWED = 30

SCENES = {
    # The label/widget overlap that the geometry implies at this font size.
    "command-window-fontsize-30": (b"uname -a\ndf -h\nls /\n", "exit", 30, DONE),
    # An output list scrolled to keep its current row in view, with a tab and a CR shown.
    "output-window-scrolled": (
        b"ls\n", "down down " + type_text(b"(seq 9; printf 'tab\\there\\r\\n'; seq 11 40)") + " green"
        + " down" * 20,
        None, KEYS_USED_UP),
}


def differing_pixels(actual, reference):
    difference = ImageChops.difference(actual.convert("RGB"), reference.convert("RGB"))
    worst = difference.split()
    per_pixel = ImageChops.lighter(ImageChops.lighter(worst[0], worst[1]), worst[2])
    return sum(per_pixel.point(lambda v: 255 if v > CHANNEL_TOLERANCE else 0).histogram()[255:])


@pytest.mark.parametrize("name", SCENES)
def test_the_picture_matches_its_reference(sandbox, name):
    commands, keys, fontsize, status = SCENES[name]
    sandbox.write_commands(commands)
    pictures = sandbox.root.parent / "pictures"
    command, _, _ = sandbox.command(keys, fontsize=fontsize)
    command[-1:-1] = ["--screenshot", str(pictures)]
    done = subprocess.run(command, capture_output=True, stdin=subprocess.DEVNULL, timeout=120)
    assert done.returncode == status, done.stderr
    taken = sorted(pictures.glob("screen-*.png"))[-1]

    reference = GOLDEN / f"{name}.png"
    assert reference.exists(), f"no reference {reference}; the picture taken is {taken}"
    actual = Image.open(taken)
    expected = Image.open(reference)
    assert actual.size == expected.size == (720, 576)
    differing = differing_pixels(actual, expected)
    if differing > DIFFERING_PIXELS_ALLOWED:
        beside = reference.with_name(f"{name}.actual.png")
        beside.write_bytes(taken.read_bytes())
        pytest.fail(f"{differing} pixels differ from {reference}; the picture taken is {beside}")
