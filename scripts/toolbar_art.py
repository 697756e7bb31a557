#!/usr/bin/env python3
"""Draws the pictures of the program's toolbar buttons.

Every toolbar of resources/mainframe.rc gets a strip of 16 x 15 cells, one
cell per button in the order of its list (separators take no cell), written
as an RGBA picture beside the resource file: toolbars/toolbar<id>.png. The
loader takes the alpha channel as the transparency of the buttons.

    scripts/toolbar_art.py            writes the strips
    scripts/toolbar_art.py --check    fails when a strip on disk differs

Each picture is a pixel map: one character per pixel, looked up in PALETTE;
"." is transparent. A few pictures are the mirror image of another; parts
that several pictures share are drawn once and joined.
Only the Python 3 standard library is used.
"""

import re
import struct
import sys
import zlib
from pathlib import Path

CELL_WIDTH = 16
CELL_HEIGHT = 15

ROOT = Path(__file__).resolve().parent.parent
RESOURCE_FILE = ROOT / "resources" / "mainframe.rc"
STRIP_FOLDER = ROOT / "resources" / "toolbars"

# One palette for every picture, so that the bars look of a piece.
PALETTE = {
    ".": (0, 0, 0, 0),
    "k": (32, 32, 32, 255),      # outline
    "w": (255, 255, 255, 255),   # paper
    "l": (200, 200, 200, 255),   # light metal
    "g": (128, 128, 128, 255),   # text lines, shadows
    "y": (255, 214, 80, 255),    # folder front, star, lock
    "o": (208, 156, 24, 255),    # folder back, lock shadow
    "m": (150, 96, 40, 255),     # clipboard board
    "b": (40, 96, 200, 255),     # blue: arrows, new ladder parts
    "c": (150, 200, 245, 255),   # light blue: glass, screens
    "n": (20, 40, 120, 255),     # navy: title bars
    "G": (24, 160, 48, 255),     # green: plus, tick, lamps
    "r": (210, 24, 24, 255),     # red: cross, scissor handles
}

# Parts that several pictures share, drawn once and joined with the rest
# of each picture's rows.
# The window's caption over the project tree pane beside the editor.
WORKSPACE_PANE = [
    "kkkkkkkkkkkkkkkk",
    "knnnnnnnnnnnnnnk",
    "kkkkkkkkkkkkkkkk",
    "kwwwwwkwwwwwwwwk",
    "kwoowwkwwwwwwwwk",
    "kwgwwwkwwwwwwwwk",
    "kwgoowkwwwwwwwwk",
    "kwgwwwkwwwwwwwwk",
]

# The output pane with its lines, at the foot of the window.
OUTPUT_PANE = [
    "kkkkkkkkkkkkkkkk",
    "kwwwwwwwwwwwwwwk",
    "kwggggggggggwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwggggggwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
]

# A rung with one contact on the power rail; the pictures go on below it.
RUNG = [
    "k...............",
    "k...............",
    "k....k..k.......",
    "k....k..k.......",
    "kkkkkk..kkkkkkkk",
    "k....k..k.......",
    "k....k..k.......",
    "k...............",
    "k...............",
]

# The PLC with its lamps, under the arrow of a transfer.
PLC = [
    "................",
    "kkkkkkkkkkkkkkkk",
    "kllllllllllllllk",
    "klGlGlGllllllllk",
    "kllllllllllkkllk",
    "kggggggggggggggk",
    "kkkkkkkkkkkkkkkk",
    "................",
]

# The body of a lock; its shackle above, shut or open.
LOCK_BODY = [
    ".kkkkkkkkkkkkk..",
    ".kyyyyyyyyyyyk..",
    ".kyyyykkkyyyyk..",
    ".kyyyykkkyyyyk..",
    ".kyyyyykyyyyyk..",
    ".kyyyyykyyyyyk..",
    ".koooooooooook..",
    ".kkkkkkkkkkkkk..",
    "................",
]

ICONS = {
    "new_project": [
        ".kkkkkkk...y.y.y",
        ".kwwwwwkk...yyy.",
        ".kwwwwwklk.yyyyy",
        ".kwwwwwkllk.yyy.",
        ".kwwwwwkkkky.y.y",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kwwwwwwwwk.....",
        ".kkkkkkkkkk.....",
    ],
    "open_project": [
        "................",
        "................",
        "................",
        ".kkkk...........",
        "koooook.........",
        "koooooookkkkk...",
        "kooooooooooook..",
        "koookkkkkkkkkkkk",
        "kookyyyyyyyyyyk.",
        "kokyyyyyyyyyyk..",
        "kokyyyyyyyyyyk..",
        "kkyyyyyyyyyyk...",
        "kkyyyyyyyyyyk...",
        "kkkkkkkkkkkk....",
        "................",
    ],
    "save_project": [
        ".kkkkkkkkkkkkk..",
        ".kbwwwwwwwwwwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbllllllllbbk.",
        ".kbbllkkllllbbk.",
        ".kbbllkkllllbbk.",
        ".kbbllkkllllbbk.",
        ".kbbllllllllbbk.",
        ".kkkkkkkkkkkkkk.",
    ],
    "closed_folder": [
        "................",
        "................",
        ".kkkk...........",
        "koooook.........",
        "kooooookkkkkk...",
        "koooooooooooo...",
        "kkkkkkkkkkkkkk..",
        "kyyyyyyyyyyyyk..",
        "kyyyyyyyyyyyyk..",
        "kyyyyyyyyyyyyk..",
        "kyyyyyyyyyyyyk..",
        "kyyyyyyyyyyyyk..",
        "kyyyyyyyyyyyyk..",
        "kkkkkkkkkkkkkk..",
        "................",
    ],
    "print_preview": [
        "kkkkkkkkk.......",
        "kwwwwwwwk.......",
        "kwgggggwk.......",
        "kwwwwwwwk.......",
        "kwgggkkkk.......",
        "kwwwkcccck......",
        "kwggkcwccck.....",
        "kwwkcwccccck....",
        "kwgkccccccck....",
        "kwwkccccccck....",
        "kkkkkcccccck....",
        ".....kcccckkk...",
        "......kkkk.kkk..",
        "............kkk.",
        ".............kk.",
    ],
    "print": [
        "...kkkkkkkkk....",
        "...kwwwwwwwk....",
        "...kwgggggwk....",
        "...kwwwwwwwk....",
        ".kkkkkkkkkkkkkk.",
        "kllllllllllllllk",
        "kllllllllllGGllk",
        "kllllllllllllllk",
        "kggggggggggggggk",
        "kkkkkkkkkkkkkkkk",
        "...kwwwwwwwwk...",
        "...kwggggggwk...",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "................",
    ],
    "cut": [
        "....k......k....",
        "....kg....gk....",
        ".....k....k.....",
        ".....kg..gk.....",
        "......k..k......",
        "......kggk......",
        ".......kk.......",
        "......kggk......",
        ".....rr..rr.....",
        "..rrrr....rrrr..",
        ".rr..rr..rr..rr.",
        ".r....r..r....r.",
        ".rr..rr..rr..rr.",
        "..rrrr....rrrr..",
        "................",
    ],
    "copy": [
        "kkkkkkk.........",
        "kwwwwwk.........",
        "kwgggwk.........",
        "kwwwwwk.........",
        "kwggkkkkkkkk....",
        "kwwwkwwwwwwk....",
        "kwggkwggggwk....",
        "kwwwkwwwwwwk....",
        "kkkkkwggggwk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "....kwggggwk....",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
    ],
    "paste": [
        "....kkkkk.......",
        ".kkkklllkkkk....",
        "kmmkkkkkkkmmk...",
        "kmmmmmmmmmmmk...",
        "kmmmmmmmmmmmk...",
        "kmmmmkkkkkkkkk..",
        "kmmmmkwwwwwwwk..",
        "kmmmmkwgggggwk..",
        "kmmmmkwwwwwwwk..",
        "kmmmmkwgggggwk..",
        "kmmmmkwwwwwwwk..",
        "kmmmmkwgggggwk..",
        "kmmmmkwwwwwwwk..",
        "kkkkkkkkkkkkkk..",
        "................",
    ],
    "undo": [
        "................",
        "................",
        "....b...........",
        "...bb...........",
        "..bbbbbbbbb.....",
        ".bbbbbbbbbbbb...",
        "..bbbbbbbbbbbb..",
        "...bb......bbb..",
        "....b.......bb..",
        "............bb..",
        "...........bbb..",
        "..........bbb...",
        "........bbbb....",
        "................",
        "................",
    ],
    "program_page": [
        "kkkkkkkkk.......",
        "kwwwwwwwkk......",
        "kwbbbbwwklk.....",
        "kwwwwwwwkkkk....",
        "kwbbbbbbbbwk....",
        "kwwwwwwwwwwk....",
        "kwbbbbbbwwwk....",
        "kwwwwwwwwwwk....",
        "kwbbbbbbbwwk....",
        "kwwwwwwwwwwk....",
        "kwbbbbbbwwwk....",
        "kwwwwwwwwwwk....",
        "kwbbbbbwwwwk....",
        "kwwwwwwwwwwk....",
        "kkkkkkkkkkkk....",
    ],
    "symbol_table": [
        "kkkkkkkkkkkkkkkk",
        "knnnnnnknnnnnnnk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "kkkkkkkkkkkkkkkk",
        "kwbbbbwkwggggwwk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "kkkkkkkkkkkkkkkk",
        "kwbbbwwkwgggggwk",
        "kkkkkkkkkkkkkkkk",
        "................",
        "kkkkkkkkkkkkkkkk",
        "kwbbbbbkwgggwwwk",
        "kkkkkkkkkkkkkkkk",
    ],
    "workspace": WORKSPACE_PANE + [
        "kwgoowkwwwwwwwwk",
        "kwwwwwkwwwwwwwwk",
        "kwoowwkwwwwwwwwk",
        "kwgwwwkwwwwwwwwk",
        "kwgoowkwwwwwwwwk",
        "kwwwwwkwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
    ],
    "output": [
        "kkkkkkkkkkkkkkkk",
        "knnnnnnnnnnnnnnk",
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk",
    ] + OUTPUT_PANE,
    "cross_reference": [
        "kkkkkkkkkk......",
        "kwwwwwwwwk......",
        "kwggggggwk......",
        "kwwwwwwwwk......",
        "kwbbbbbbwkbbbb..",
        "kwwwwwwwwk...bb.",
        "kwggggggwk....b.",
        "kwwwwwwwwk....b.",
        "kwggggggwk..b.b.",
        "kwwwwwwwwk.bb.b.",
        "kwbbbbbbwkbbbbb.",
        "kwwwwwwwwk.bb...",
        "kwggggggwk..b...",
        "kwwwwwwwwk......",
        "kkkkkkkkkk......",
    ],
    "open_all": [
        "kkkkkkkkkk......",
        "knnnnnnnnk......",
        "kkkkkkkkkkkk....",
        "kwknnnnnnnnk....",
        "kwkkkkkkkkkkkk..",
        "kwkwknnnnnnnnk..",
        "kwkwkkkkkkkkkk..",
        "kwkwkwwwwwwwwk..",
        "kkkwkwwwwwwwwk..",
        "..kkkwwwwwwwwk..",
        "....kwwwwwwwwk..",
        "....kwwwwwwwwk..",
        "....kkkkkkkkkk..",
        "................",
        "................",
    ],
    "full_screen": [
        "kkkkkkkkkkkkkkkk",
        "knnnnnnnnnnnnnnk",
        "kkkkkkkkkkkkkkkk",
        "kwwwwwwwwwwwwwwk",
        "kwbbbwwwwwwbbbwk",
        "kwbbwwwwwwwwbbwk",
        "kwbwbwwwwwwbwbwk",
        "kwwwwbwwwwbwwwwk",
        "kwwwwwwwwwwwwwwk",
        "kwwwwbwwwwbwwwwk",
        "kwbwbwwwwwwbwbwk",
        "kwbbwwwwwwwwbbwk",
        "kwbbbwwwwwwbbbwk",
        "kwwwwwwwwwwwwwwk",
        "kkkkkkkkkkkkkkkk",
    ],
    "restore_panes": WORKSPACE_PANE + OUTPUT_PANE,
    "find": [
        "....kkkk........",
        "..kkccwwkk......",
        ".kccccccwwk.....",
        ".kcccccccwk.....",
        "kccccccccccw....",
        "kccccccccccck...",
        "kccccccccccck...",
        "kccccccccccck...",
        ".kccccccccck....",
        ".kccccccccckk...",
        "..kkccccckkgkk..",
        "....kkkkk..kgkk.",
        "............kgkk",
        ".............kgk",
        "..............kk",
    ],
    "small_lens": [
        "..kkkk..........",
        ".kccwwk.........",
        "kccccwwk........",
        "kcccccck........",
        "kcccccck........",
        ".kcccckk........",
        "..kkkkkgk.......",
        "......kgk.......",
        ".......kk.......",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    "rung": RUNG + [
        "k...............",
        "kbbbbbbb........",
        "k...............",
        "k...............",
        "k...............",
        "k...............",
    ],
    "left_contact": [
        "................",
        "................",
        "................",
        "................",
        "..b...b..ggggggg",
        "..b...b..g.....g",
        "..b...b..g.....g",
        "bbb...bbbg.....g",
        "..b...b..g.....g",
        "..b...b..g.....g",
        "..b...b..ggggggg",
        "................",
        "................",
        "................",
        "................",
    ],
    "parallel_contact": [
        "................",
        "................",
        "...k...k........",
        "...k...k........",
        "kkkk...kkkkkkkkk",
        "k..k...k.......k",
        "k..k...k.......k",
        "k..............k",
        "k..............k",
        "k..b...b.......k",
        "k..b...b.......k",
        "kbbb...bbbbbbbbk",
        "...b...b........",
        "...b...b........",
        "................",
    ],
    "block": [
        "................",
        "....kkkkkkkk....",
        "....knnnnnnk....",
        "....kkkkkkkk....",
        "kkkkkwwwwwwkkkkk",
        "....kwwwwwwk....",
        "....kwwwwwwk....",
        "kkkkkwwwwwwkkkkk",
        "....kwwwwwwk....",
        "....kwwwwwwk....",
        "kkkkkwwwwwwk....",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
        "................",
    ],
    "branch": [
        "................",
        "................",
        "................",
        "kkkkkkkkkkkkkkkk",
        "...r.......r....",
        "...r.......r....",
        "...r.......r....",
        "...r.......r....",
        "...r.......r....",
        "...rrrrrrrrr....",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    "coil": [
        "................",
        "................",
        "................",
        "................",
        "......b..b......",
        ".....b....b.....",
        ".....b....b.....",
        "bbbbbb....bbbbbb",
        ".....b....b.....",
        ".....b....b.....",
        "......b..b......",
        "................",
        "................",
        "................",
        "................",
    ],
    "contact": [
        "................",
        "................",
        "................",
        "....k...k.......",
        "....k...k.......",
        "....k...k.......",
        "kkkkk...kkkkk...",
        "....k...k.......",
        "....k...k.......",
        "....k...k.......",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    "ladder": RUNG + [
        "k....k..k.......",
        "kkkkkk..kk......",
        "k....k..k.......",
        "k...............",
        "k...............",
        "k...............",
    ],
    "compile_all": [
        "...kkkkkkkk.....",
        "...kwwwwwwk.....",
        ".kkkkkkkkwk.....",
        ".kwwwwwwkwk.....",
        ".kwggggwkwk.....",
        ".kwwwwwwkwk.....",
        ".kwggggwkkk.....",
        ".kwwwwwwk.....GG",
        ".kwggggwk....GGG",
        ".kwwwwwwk...GGG.",
        ".kwggggGG..GGG..",
        ".kwwwwwGGGGGG...",
        ".kkkkkkkGGGG....",
        "........GG......",
        "................",
    ],
    "upload": [
        ".......bb.......",
        "......bbbb......",
        ".....bbbbbb.....",
        "....bbbbbbbb....",
        "......bbbb......",
        "......bbbb......",
        "......bbbb......",
    ] + PLC,
    "download": [
        "......bbbb......",
        "......bbbb......",
        "......bbbb......",
        "....bbbbbbbb....",
        ".....bbbbbb.....",
        "......bbbb......",
        ".......bb.......",
    ] + PLC,
    "monitor": [
        "................",
        "................",
        "................",
        "k..............k",
        "k..............k",
        "kkkkkkk..kkkkkkk",
        "kcwccckkkkcwccck",
        "kwcccck..kwcccck",
        "kccccck..kccccck",
        "kccccck..kccccck",
        ".kkkkk....kkkkk.",
        "................",
        "................",
        "................",
        "................",
    ],
    "force": [
        "................",
        ".....kkkkk......",
        "....kgggggk.....",
        "...kgk...kgk....",
        "...kgk...kgk....",
        "...kgk...kgk....",
    ] + LOCK_BODY,
    "unforce": [
        ".........kkkkk..",
        "........kgggggk.",
        ".......kgk...kgk",
        ".......kgk...kgk",
        ".......kgk...kgk",
        ".......kgk......",
    ] + LOCK_BODY,
    "pid_loop": [
        "................",
        "................",
        ".....kkkkkk.....",
        ".....kwwwwk.....",
        ".....kwGGwk.....",
        "bbbbbkwGGwkbbbbb",
        "bbb..kkkkkk...b.",
        ".b............b.",
        ".bbbbbbbbbbbbbb.",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ],
    "pid_trend": [
        "................",
        ".k..............",
        ".k....bb........",
        ".kr.rbrbr.r.r.r.",
        ".k..b...bbbbbbb.",
        ".k..b...........",
        ".k.b............",
        ".k.b............",
        ".kb.............",
        ".kb.............",
        ".kb.............",
        ".k..............",
        ".kkkkkkkkkkkkkkk",
        "................",
        "................",
    ],
}

# Small marks laid over a picture; "." leaves the picture below.
BADGES = {
    "star": [
        "...y...",
        "..yyy..",
        "yyyyyyy",
        ".yyyyy.",
        "..yoy..",
        ".yo.oy.",
    ],
    "plus": [
        "..kkkk..",
        "..kGGk..",
        "kkkGGkkk",
        "kGGGGGGk",
        "kGGGGGGk",
        "kkkGGkkk",
        "..kGGk..",
        "..kkkk..",
    ],
    "cross": [
        "rr...rr",
        "rrr.rrr",
        ".rrrrr.",
        "..rrr..",
        ".rrrrr.",
        "rrr.rrr",
        "rr...rr",
    ],
    "bolt": [
        "....kkkk",
        "...kyyyk",
        "...kyyk.",
        "..kyyk..",
        "..kyykkk",
        ".kyyyyyk",
        ".kkkyyk.",
        "...kyk..",
        "..kyk...",
        "..kk....",
        ".kk.....",
    ],
    "swap": [
        "......b...",
        "......bb..",
        ".bbbbbbbb.",
        "......bb..",
        "......b...",
        "...b......",
        "..bb......",
        ".bbbbbbbb.",
        "..bb......",
        "...b......",
    ],
}

# Pictures made of another with a badge on it: (picture, badge, left, top).
COMPOSED = {
    "close_project": ("closed_folder", "cross", 9, 7),
    "new_subroutine": ("program_page", "plus", 8, 7),
    "new_interrupt": ("program_page", "bolt", 8, 4),
    "close_all": ("open_all", "cross", 9, 8),
    "replace": ("small_lens", "swap", 6, 5),
    "network": ("rung", "plus", 8, 7),
    "delete_component": ("contact", "cross", 9, 7),
    "delete_network": ("ladder", "cross", 9, 8),
    "pid_wizard": ("pid_loop", "star", 9, 9),
}

# Pictures that are the mirror image of another, left to right.
MIRRORED = {
    "redo": "undo",
    "right_contact": "left_contact",
}

# The picture of each command.
COMMAND_ICONS = {
    32695: "new_project",
    32696: "open_project",
    32779: "save_project",
    32697: "close_project",
    57609: "print_preview",
    57607: "print",
    57635: "cut",
    57634: "copy",
    57637: "paste",
    57643: "undo",
    57644: "redo",
    32921: "new_subroutine",
    32922: "new_interrupt",
    32927: "symbol_table",
    32690: "workspace",
    32692: "output",
    32928: "cross_reference",
    32880: "close_all",
    32962: "open_all",
    32964: "full_screen",
    32966: "restore_panes",
    57636: "find",
    57641: "replace",
    32814: "network",
    32914: "left_contact",
    32912: "right_contact",
    32816: "parallel_contact",
    32817: "block",
    32915: "branch",
    32818: "coil",
    32819: "delete_component",
    32820: "delete_network",
    32935: "compile_all",
    32793: "upload",
    32794: "download",
    32806: "monitor",
    32809: "force",
    32810: "unforce",
    32967: "pid_wizard",
    61449: "pid_trend",
}


def checked_map(name, rows, width, height):
    """The rows of a pixel map after checking its size and colours."""
    if len(rows) > height:
        raise ValueError(f"{name}: {len(rows)} rows, more than {height}")
    for number, row in enumerate(rows):
        if len(row) != len(rows[0]) or len(row) > width:
            raise ValueError(f"{name}: row {number} has {len(row)} pixels")
        unknown = set(row) - PALETTE.keys()
        if unknown:
            raise ValueError(f"{name}: row {number} uses colours {sorted(unknown)} not in the palette")
    return rows


def picture(name):
    """The rows of a picture, each a string of palette keys."""
    if name in MIRRORED:
        return [row[::-1] for row in picture(MIRRORED[name])]
    if name in COMPOSED:
        base, badge, left, top = COMPOSED[name]
        rows = [list(row) for row in picture(base)]
        mark = checked_map(badge, BADGES[badge], CELL_WIDTH - left, CELL_HEIGHT - top)
        for y, row in enumerate(mark):
            for x, key in enumerate(row):
                if key != ".":
                    rows[top + y][left + x] = key
        return ["".join(row) for row in rows]
    rows = checked_map(name, ICONS[name], CELL_WIDTH, CELL_HEIGHT)
    if len(rows) != CELL_HEIGHT or len(rows[0]) != CELL_WIDTH:
        raise ValueError(f"{name}: not {CELL_WIDTH} x {CELL_HEIGHT} pixels")
    return rows


def toolbar_lists(text):
    """The toolbars of a resource file: {id: [command, ...]} without separators."""
    bars = {}
    pattern = re.compile(r"^\s*(\d+)\s+TOOLBAR\b.*?^\s*BEGIN\s*$(.*?)^\s*END\s*$", re.M | re.S)
    for match in pattern.finditer(text):
        bars[int(match.group(1))] = [int(n) for n in re.findall(r"^\s*BUTTON\s+(\d+)", match.group(2), re.M)]
    return bars


def strip_pixels(commands):
    """The RGBA rows of a strip that holds one cell per command."""
    cells = []
    for command in commands:
        if command not in COMMAND_ICONS:
            raise ValueError(f"command {command} has no picture")
        cells.append(picture(COMMAND_ICONS[command]))
    rows = []
    for y in range(CELL_HEIGHT):
        row = bytearray()
        for cell in cells:
            for key in cell[y]:
                row.extend(PALETTE[key])
        rows.append(bytes(row))
    return rows


def png_bytes(width, height, rows):
    """An 8-bit RGBA PNG of the given rows."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    bars = toolbar_lists(RESOURCE_FILE.read_text(encoding="utf-8"))
    if not bars:
        print(f"{RESOURCE_FILE}: no toolbars found", file=sys.stderr)
        return 1
    differs = []
    for bar_id, commands in sorted(bars.items()):
        try:
            rows = strip_pixels(commands)
        except ValueError as error:
            print(f"toolbar {bar_id}: {error}", file=sys.stderr)
            return 1
        data = png_bytes(CELL_WIDTH * len(commands), CELL_HEIGHT, rows)
        path = STRIP_FOLDER / f"toolbar{bar_id}.png"
        if check:
            if not path.exists() or path.read_bytes() != data:
                differs.append(path)
            continue
        path.write_bytes(data)
    for path in differs:
        print(f"{path}: differs from its pixel maps", file=sys.stderr)
    return 1 if differs else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
