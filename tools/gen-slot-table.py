#!/usr/bin/env python3
"""Builds the expected built-in English texts of slots 1600-3899 (the protocol-table windows and
the description-file writers) from the document that describes those windows, and writes them as the
C++ table that tests/shell/test_texts.cpp compares the program's text table with.

    tools/gen-slot-table.py DOCUMENT                   print the table
    tools/gen-slot-table.py DOCUMENT --write FILE      (re)write the test's table
    tools/gen-slot-table.py DOCUMENT --check FILE      fail when FILE differs from a fresh table
    tools/gen-slot-table.py DOCUMENT --report          every slot with where its text was found

The document is markdown: one section per window, under a heading "# Part <subsystem>.<n>: <title>"
(only the protocol tables' subsystem, 7, is read), texts in double quotes beside their slot numbers, in tables (a slot and
text column, column tables with header and hint slots, the receive/transmit offset tables) and in
prose ("slot 1669 ("...")", "2323 "...", 2324 "..."", ranges "2314..2321 "Byte1" .. "Byte8"",
lists "3508-3513 ("...", ...)", references "(the text of 2544)"). The table windows' role-only slots
(button captions, the title label) get their role texts. Texts that the program's own fixes added
(no window section gives them) are listed in ADDED below.
"""
import argparse
import re
import sys

FIRST, LAST = 1600, 3899
CHANNEL_BLOCK = range(1700, 1800)  # the IO-Link channel table's second block, kept with the shell

# Captions of the six frame buttons, base+2 .. base+7 of every table window's block.
ROLE_BUTTONS = ["OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row"]

# Slots added by mends of faults in the windows and writers; no window section gives their text.
ADDED = {
    2592: "Error!! [EDS] PDO Dimension must be between 0 and 8",
    3287: "!! The Description is a name the MIB module already uses",
    3766: "Warning!! The table is full: the import stopped at row 256",
}

# A slot number stands alone: not part of a longer number, a name ("J1939", "Receive_NMEA_2000"),
# a version or the protocol name "NMEA 2000".
SLOT = r"(?<![\w$#])(?<!NMEA )(?<!\d\.)(\d{4})(?!\w)(?!\.\d)"
QUOTED = r'"([^"]*)"'
RANGE = SLOT + r"\s*(?:\.\.|-)\s*" + SLOT


def in_scope(slot):
    return FIRST <= slot <= LAST and slot not in CHANNEL_BLOCK


class Texts:
    """Slot -> text, with every finding kept so that disagreements show."""

    def __init__(self):
        self.found = {}  # slot -> list of (text, where)
        self.pending = []  # (slot, source slot, where): a slot given as another slot's text
        self.problems = []  # what the document says in a shape this tool cannot read
        self.members = []  # table windows: (window, first slot, last slot, delete question slot)
        self.delete_rule = None
        self.roles = {}  # role-only slots: slot -> (text, where)

    def add(self, slot, text, where):
        if not in_scope(slot):
            return
        entries = self.found.setdefault(slot, [])
        if all(t != text for t, _ in entries):
            entries.append((text, where))

    def text(self, slot):
        entries = self.found.get(slot)
        return entries[0][0] if entries else None

    def conflicts(self):
        return {s: e for s, e in self.found.items() if len(e) > 1}


def sections(document):
    """The protocol tables' sections: (number, title, lines)."""
    out = []
    current = None
    for line in document.splitlines():
        m = re.match(r"^# Part (\d+)\.(\d+): (.*)$", line)
        if m:
            current = None
            if m.group(1) == "7":
                current = (f"{m.group(1)}.{m.group(2)}", m.group(3), [])
                out.append(current)
            continue
        if current is not None:
            current[2].append(line)
    return out


def interpolate(first, last, count):
    """The texts of a numbered run: "Add B1" .. "Add B8", or a shortened end ("byte 4")."""
    fa = list(re.finditer(r"\d+", first))
    la = list(re.finditer(r"\d+", last))
    if not fa or not la:
        return None
    if len(fa) == len(la) and re.sub(r"\d+", "#", first) == re.sub(r"\d+", "#", last):
        diff = [i for i, (a, b) in enumerate(zip(fa, la)) if a.group() != b.group()]
        if len(diff) != 1:
            return None
        m, n0, n1 = fa[diff[0]], int(fa[diff[0]].group()), int(la[diff[0]].group())
    else:
        # A shortened end names only the changing part: its words before the number.
        stem = last[: la[-1].start()]
        pos = first.rfind(stem)
        if pos < 0:
            return None
        m = re.compile(r"\d+").match(first, pos + len(stem))
        if not m:
            return None
        n0, n1 = int(m.group()), int(la[-1].group())
    if n1 - n0 + 1 != count:
        return None
    return [first[: m.start()] + str(n) + first[m.end():] for n in range(n0, n1 + 1)]


def slot_run(a, b):
    a, b = int(a), int(b)
    return list(range(a, b + 1)) if b >= a else None


def split_row(line):
    cells = [c.strip() for c in line.strip().strip("|").split("|")]
    return cells


def unquote(cell):
    cell = cell.strip()
    if len(cell) >= 2 and cell[0] == '"' and cell[-1] == '"':
        return cell[1:-1]
    return None


def cell_texts(texts, cell, where, previous_text):
    """A column-table cell: "2329 "text"", "2814 ("N")", "3816 / 3819 ("N")", "2314..2321 "Byte1" ..
    "Byte8"", "2720..2723 / 2729..2732 "Add Byte1" .. "Add Byte4"", "2556 (the text of 2544)",
    "2742 (same text)". Returns the cell's own text (for a later "same text")."""
    m = re.match(r'^(\d{4})(?:\s*(?:\.\.|-)\s*(\d{4}))?(?:\s*/\s*(\d{4})(?:\s*(?:\.\.|-)\s*(\d{4}))?)?\s*(.*)$', cell)
    if not m:
        return None
    runs = []
    for a, b in ((m.group(1), m.group(2)), (m.group(3), m.group(4))):
        if a:
            runs.append(slot_run(a, b) if b else [int(a)])
    rest = m.group(5).strip()
    if rest.startswith("(same text)"):
        for run in runs:
            for s in run:
                if previous_text is not None:
                    texts.add(s, previous_text, where + " (same text as the cell before)")
        return previous_text
    ref = re.match(r"^\(the text of (\d{4})\)", rest)
    if ref:
        for run in runs:
            for s in run:
                texts.pending.append((s, int(ref.group(1)), where))
        return None
    two = re.match(r'^\(?' + QUOTED + r'\s*\.\.\s*' + QUOTED + r'\)?', rest)
    if two:
        for run in runs:
            series = interpolate(two.group(1), two.group(2), len(run))
            if series is None:
                texts.problems.append(f"{where}: cannot number the run {cell!r}")
                continue
            for s, t in zip(run, series):
                texts.add(s, t, where)
        return None
    one = re.match(r'^\(?"(.*)"\)?(?:\s*\(.*\))?$', rest)
    if one:
        for run in runs:
            for s in run:
                texts.add(s, one.group(1), where)
        return one.group(1)
    return None


def read_table(texts, header, rows, where):
    names = [h.lower() for h in header]
    if "slot" in names and "text" in names:
        si, ti = names.index("slot"), names.index("text")
        for r in rows:
            if re.fullmatch(r"\d{4}", r[si]) and unquote(r[ti]) is not None:
                texts.add(int(r[si]), unquote(r[ti]), where + " (slot and text table)")
        return
    if "header slot" in names and "header (english)" in names:
        si, ti = names.index("header slot"), names.index("header (english)")
        for r in rows:
            text = unquote(r[ti])
            if text is None:
                continue
            for s in re.findall(r"\d{4}", r[si]):
                texts.add(int(s), text, where + " (column table)")
        # hint slot numbers alone carry no text here; the prose gives them
        return
    if names and names[0] == "offset":
        read_offset_table(texts, header, rows, where)
        return
    for r in rows:
        previous = None
        for cell in r:
            own = cell_texts(texts, cell, where + " (column table)", previous)
            if own is not None:
                previous = own


def read_offset_table(texts, header, rows, where):
    """The receive/transmit windows' block layout: one column per window, cells such as
    "2800: "Receive J1939 Frames"", "2801: same text" (the row above), "2802-2807: "OK", ...",
    "3002-3007: the same texts" (the first window's cell of the row), "2808: "..."; 2809: "..."" ."""
    above = {}  # column -> texts of its cell in the row above
    for r in rows:
        first = None  # texts of the first window's cell in this row
        for ci in range(2, len(header)):
            values_of_cell = []
            for part in re.split(r";\s*(?=\d{4}\s*[:-])", r[ci]):
                m = re.match(r"^\s*(\d{4})(?:-(\d{4}))?:\s*(.*)$", part)
                if not m:
                    continue
                run = slot_run(m.group(1), m.group(2)) if m.group(2) else [int(m.group(1))]
                rest = m.group(3)
                quoted = re.findall(QUOTED, rest)
                if rest.startswith("same text"):
                    values = above.get(ci, [])[:1] * len(run)
                elif rest.startswith("the same texts"):
                    values = first
                else:
                    values = quoted
                if not values or len(values) != len(run):
                    if quoted or "same" in rest:
                        texts.problems.append(f"{where}: cannot read {part!r}")
                    continue
                for slot, text in zip(run, values):
                    texts.add(slot, text, where + " (block layout table)")
                values_of_cell += values
            if values_of_cell:
                above[ci] = values_of_cell
                if first is None:
                    first = values_of_cell


def prose(texts, line, where):
    """Slot texts in a line of prose. Each pattern blanks what it took so later ones skip it."""
    work = line

    def take(m):
        nonlocal work
        work = work[: m.start()] + " " * (m.end() - m.start()) + work[m.end():]

    # "2670 .. 2678 ("a", "b", ... "x" .. "y")", "3210 .. 3215 the six button hints ("a", ...)",
    # "3208 and 3209 the tab captions ("a", "b")"
    pair = SLOT + r" and " + SLOT
    for m in list(re.finditer("(?:" + RANGE + "|" + pair + r')([^"()\d]{0,60}?)\(((?:"[^"]*"(?:, | \.\. ))+"[^"]*")\)', work)):
        if m.group(1):
            run = slot_run(m.group(1), m.group(2))
        else:
            run = [int(m.group(3)), int(m.group(4))]
        listed = m.group(6)
        items = re.findall(r'"([^"]*)"', listed)
        values = items
        if " .. " in listed:
            # the last two items number the rest of the run
            tail = interpolate(items[-2], items[-1], len(run) - len(items) + 2) if run else None
            values = items[:-2] + tail if tail else None
        if run and values and len(values) == len(run):
            for s, t in zip(run, values):
                texts.add(s, t, where + " (list)")
            take(m)
        elif run and len(items) > 1:
            texts.problems.append(f"{where}: list does not fit its slots: {m.group(0)[:80]!r}")

    # "the text 2570+k ("a" for k = 1 .. "b" for k = 8)": k runs over the numbers the texts carry
    for m in list(re.finditer(SLOT + r"\+k \(" + QUOTED + r"(?: for k = \d+)? \.\. " + QUOTED + r"(?: for k = \d+)?\)", work)):
        first, last = m.group(2), m.group(3)
        changed = [(int(x), int(y)) for x, y in zip(re.findall(r"\d+", first), re.findall(r"\d+", last)) if x != y]
        series = interpolate(first, last, changed[0][1] - changed[0][0] + 1) if len(changed) == 1 else None
        if series:
            for k, text in enumerate(series, start=changed[0][0]):
                texts.add(int(m.group(1)) + k, text, where + " (numbered run)")
            take(m)
        else:
            texts.problems.append(f"{where}: cannot number {m.group(0)[:80]!r}")

    # "2335 .. 2342 "a" .. "b"", "2352 .. 2357 for Byte3 .. Byte8 ("a" .. "b")"
    for m in list(re.finditer(RANGE + r'[^"\d]{0,40}?\(?' + QUOTED + r'\s*\.\.\s*' + QUOTED + r'\)?', work)):
        run = slot_run(m.group(1), m.group(2))
        series = interpolate(m.group(3), m.group(4), len(run)) if run else None
        if series:
            for s, t in zip(run, series):
                texts.add(s, t, where + " (numbered run)")
            take(m)
        else:
            texts.problems.append(f"{where}: cannot number {m.group(0)[:80]!r}")

    # "2455 .. 2460 for Byte3 .. Byte8": the run repeats an earlier text of the same line with its
    # number changed ("2452 "!! Byte1 must be between 0 and "")
    for m in list(re.finditer(RANGE + r" for ([A-Za-z ]+?)(\d+) \.\. \3(\d+)(?![\w\"])", work)):
        run = slot_run(m.group(1), m.group(2))
        stem = m.group(3)
        model = None
        for q in re.findall(QUOTED, line[: m.start()]):
            if re.search(re.escape(stem) + r"\d+", q):
                model = q
        if run and model:
            n0, n1 = int(m.group(4)), int(m.group(5))
            if n1 - n0 + 1 == len(run):
                for s, n in zip(run, range(n0, n1 + 1)):
                    texts.add(s, re.sub(re.escape(stem) + r"\d+", stem + str(n), model, count=1),
                              where + " (run named after an earlier text)")
                take(m)

    # references: "2427..2430 (the texts of slots 2325..2328", "2556 (the text of 2544)",
    # "Type 2433 and Dimension 2434 (the same texts as slots 2331 and 2332"
    for m in list(re.finditer(RANGE + r" \(the texts of slots " + RANGE, work)):
        run, source = slot_run(m.group(1), m.group(2)), slot_run(m.group(3), m.group(4))
        if run and source and len(run) == len(source):
            for s, r in zip(run, source):
                texts.pending.append((s, r, where))
            take(m)
    for m in list(re.finditer(SLOT + r" \(the text of " + SLOT + r"\)", work)):
        texts.pending.append((int(m.group(1)), int(m.group(2)), where))
        take(m)
    for m in list(re.finditer(SLOT + r"[A-Za-z ]{0,30}? " + SLOT + r" \(the same texts as slots " + SLOT + " and " + SLOT, work)):
        texts.pending.append((int(m.group(1)), int(m.group(3)), where))
        texts.pending.append((int(m.group(2)), int(m.group(4)), where))
        take(m)

    # "Set Modbus Access" (slots 1600, 1601); "Error row " (slots 1668, 1938, ...)
    for m in list(re.finditer(QUOTED + r" \(slots? ((?:\d{4}, )*\d{4})\)", work)):
        for s in re.findall(r"\d{4}", m.group(2)):
            texts.add(int(s), m.group(1), where + " (text before its slots)")
        take(m)

    # "2108 and 2109 the captions of `A` ("a") and `B` ("b")"
    for m in list(re.finditer(SLOT + r" and " + SLOT + r' the captions of [^"()\d]*\(' + QUOTED + r'\) and [^"()\d]*\(' + QUOTED + r"\)", work)):
        texts.add(int(m.group(1)), m.group(3), where + " (pair)")
        texts.add(int(m.group(2)), m.group(4), where + " (pair)")
        take(m)

    # "caption 2300 and `L_SW_Desc` 2301 ("text")": the caption and the title label
    for m in list(re.finditer(SLOT + r" and `\w+` " + SLOT + r" \(" + QUOTED + r"\)", work)):
        texts.add(int(m.group(1)), m.group(3), where + " (caption and title)")
        texts.add(int(m.group(2)), m.group(3), where + " (caption and title)")
        take(m)

    # "slot 1614, "Modbus Read""
    for m in list(re.finditer(r"slot " + SLOT + r", " + QUOTED, work)):
        texts.add(int(m.group(1)), m.group(2), where)
        take(m)

    # one text for several slots: "3239 and 3252 "text"", "slot 2847 or 3043 ("text")",
    # "2716 / 2725 "N"", "slots 3400 and 3402 ("Set Topic")"
    for m in list(re.finditer(SLOT + r"((?:\s*(?:,|/|and|or)\s*\d{4})+)\s*:?\s*\(?" + QUOTED, work)):
        slots = [m.group(1)] + re.findall(r"\d{4}", m.group(2))
        for s in slots:
            texts.add(int(s), m.group(3), where + " (several slots, one text)")
        take(m)

    # "1616 "N"", "2808: "text"", "slot 1669 ("text")"; with a few words between, the text stands in
    # brackets: "2200 window caption ("text")", "3405 header of keyword column 0 ("Keyword")". A
    # slot followed by a number ("followed by the limit in decimal ("1000" ...") gives no text.
    for m in list(re.finditer(SLOT + r'(?::\s*|\s*\(|\s+)' + QUOTED, work)):
        texts.add(int(m.group(1)), m.group(2), where)
        take(m)
    for m in list(re.finditer(SLOT + r'((?:\s+[A-Za-z_`\'\d]+){1,6})\s*\(' + QUOTED + r'\)', work)):
        words = m.group(2).split()
        if any(w in ("and", "or", "followed", "by") or re.fullmatch(r"\d{4}", w) for w in words):
            continue
        texts.add(int(m.group(1)), m.group(3), where)
        take(m)

    # "the delete question slots hold "X" except 3733 and 3822, which hold "Y"": the slots are
    # the second number of the members table's last column
    m = re.search(r'delete question slots hold ' + QUOTED + r' except ((?:\d{4}(?:, | and ))*\d{4}), which hold ' + QUOTED, line)
    if m:
        texts.delete_rule = (m.group(1), [int(s) for s in re.findall(r"\d{4}", m.group(2))], m.group(3), where)


def read_members(texts, lines, where):
    """The frame section's members table: each table window's text block and its delete slot."""
    header = None
    for line in lines:
        if not line.startswith("|"):
            header = None
            continue
        cells = split_row(line)
        if header is None:
            header = [c.lower() for c in cells]
            continue
        if set(c.strip("-: ") for c in cells) == {""}:
            continue
        if "text block" not in header or "prefix / delete" not in header:
            continue
        window = cells[0].split("`")[1] if "`" in cells[0] else cells[0]
        block = re.match(r"(\d{4})-(\d{4})", cells[header.index("text block")])
        pd = re.match(r"(\d{4}) / (\d{4})", cells[header.index("prefix / delete")])
        if block and pd:
            texts.members.append((window, int(block.group(1)), int(block.group(2)), int(pd.group(2))))


def collect(document):
    texts = Texts()

    for number, title, lines in sections(document):
        where = f"{number} {title}"
        if not texts.members:
            read_members(texts, lines, where)
        table = []
        for line in lines + [""]:
            if line.startswith("|"):
                table.append(split_row(line))
                continue
            if table:
                header, rows = table[0], [r for r in table[1:] if set(c.strip("-: ") for c in r) != {""}]
                read_table(texts, header, rows, where)
                table = []
            if line.strip():
                prose(texts, line, where)
        # "`Btn_OK` and `Btn_Cancel` captions 1802, 1803": role-only captions of a dialog
        for line in lines:
            for m in re.finditer(r"`Btn_OK` and `Btn_Cancel` captions (\d{4}), (\d{4})", line):
                texts.roles[int(m.group(1))] = ("OK", where)
                texts.roles[int(m.group(2))] = ("Cancel", where)

    if texts.delete_rule:
        text, except_slots, other, where = texts.delete_rule
        for window, first, last, delete in texts.members:
            texts.add(delete, other if delete in except_slots else text, where + " (delete question slots)")

    # texts given as "the text of" another slot, in as many rounds as references chain
    for _ in range(3):
        left = []
        for slot, source, where in texts.pending:
            t = texts.text(source)
            if t is None:
                left.append((slot, source, where))
            else:
                texts.add(slot, t, where + f" (the text of {source})")
        texts.pending = left
    for slot, source, where in texts.pending:
        texts.problems.append(f"{where}: slot {slot} takes the text of {source}, which has none")

    # role-only slots of the table windows: the title label repeats the caption, base+2 .. base+7
    # caption the six buttons
    for window, first, last, delete in texts.members:
        if texts.text(first + 1) is None and texts.text(first) is not None:
            texts.roles[first + 1] = (texts.text(first), f"{window}: title label repeats the caption")
        for i, caption in enumerate(ROLE_BUTTONS):
            if texts.text(first + 2 + i) is None:
                texts.roles[first + 2 + i] = (caption, f"{window}: button caption")
    for slot, (text, where) in texts.roles.items():
        if texts.text(slot) is None:
            texts.add(slot, text, where + " (role)")
    for slot, text in ADDED.items():
        texts.add(slot, text, "added by a mend")
    return texts


def cpp_string(text):
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ord(ch) < 32 or ord(ch) > 126:
            out.append("\\u%04x" % ord(ch))
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def render(texts):
    lines = [
        "// Expected built-in English texts of slots 1600-3899, the protocol tables' windows and the",
        "// description-file writers (the IO-Link channel table's block 1700-1799 aside). Written by",
        "// tools/gen-slot-table.py from the windows' descriptions; regenerate it, do not edit it by hand.",
        "// Every slot of the range that is not listed holds one blank.",
        "#pragma once",
        "",
        "namespace expected_texts {",
        "",
        "struct SlotText {",
        "    int slot;",
        "    const char16_t *text;",
        "};",
        "",
        "inline constexpr SlotText kProtocolSlots[] = {",
    ]
    for slot in sorted(texts.found):
        line = f"    {{{slot}, u{cpp_string(texts.text(slot))}}},"
        if slot in ADDED:
            line += " // new message"
        elif texts.found[slot][0][1].endswith("(role)"):
            line += " // role"
        lines.append(line)
    lines += ["};", "", "} // namespace expected_texts", ""]
    return "\n".join(lines)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("document")
    g = ap.add_mutually_exclusive_group()
    g.add_argument("--write", metavar="FILE")
    g.add_argument("--check", metavar="FILE")
    g.add_argument("--report", action="store_true")
    args = ap.parse_args()
    with open(args.document, encoding="utf-8") as f:
        texts = collect(f.read())

    for p in texts.problems:
        print("warning:", p, file=sys.stderr)
    for slot, entries in sorted(texts.conflicts().items()):
        print(f"disagreement on slot {slot} (the first is taken):", file=sys.stderr)
        for t, where in entries:
            print(f"    {t!r}  <- {where}", file=sys.stderr)

    table = render(texts)
    if args.report:
        blanks = [s for s in range(FIRST, LAST + 1) if in_scope(s) and s not in texts.found]
        for slot in sorted(texts.found):
            t, where = texts.found[slot][0]
            print(f"{slot}\t{t!r}\t{where}")
        print(f"# {len(texts.found)} slots with a text, {len(blanks)} blank", file=sys.stderr)
        return 0
    if args.write:
        with open(args.write, "w", encoding="utf-8") as f:
            f.write(table)
        return 0
    if args.check:
        with open(args.check, encoding="utf-8") as f:
            if f.read() != table:
                print(f"{args.check} differs from the table the document gives", file=sys.stderr)
                return 1
        return 0
    sys.stdout.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main())
