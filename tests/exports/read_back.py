#!/usr/bin/env python3
"""Exports a month full of hostile texts in every format through velmo-tool and reads
each file back with the readers people use: strict CP932 decoding, Python's csv module,
libxml2's HTML parser, libical (parser and iTIP restrictions) and openpyxl.

Usage: read_back.py --tool VELMO_TOOL --ical-check ICAL_CHECK --sample SAMPLE_HOME
"""

import argparse
import csv
import html.parser
import io
import os
import shutil
import subprocess
import sys
import tempfile

# (day, position, stored text bytes, colour); commas typed by the user are stored as "，".
HOSTILE = [
    (1, 1, 'He said "hi"，and left', ""),
    (2, 1, '<script>alert("x")</script> & <b>bold</b>', "clRed"),
    (3, 1, "長" * 150 + "a" * 150, ""),
    (5, 1, "C:\\path;x", ""),
    (6, 1, "①髙﨑", "clBlue"),
    (7, 1, "前半", ""),
    (7, 2, "後半　", ""),
    (7, 3, "別件", ""),
]
STRAY_DAY = 4  # its text holds a byte that forms no CP932 character

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def month_bytes():
    lines = []
    for day, position, text, colour in HOSTILE:
        lines.append(f"{day},{position},,{text},{colour},,,,".encode("cp932"))
    lines.append(f"{STRAY_DAY},1,,".encode("cp932") + b"A\x80B" + b",,,,,")
    return b"\r\n".join(lines) + b"\r\n"


def shown(text):
    """A stored text as every export shows it: "，" back to "," and the editor's tags gone."""
    for tag in ("<b>", "</b>", "<B>", "</B>"):
        text = text.replace(tag, "")
    return text.replace("，", ",")


def export(tool, start, month, fmt, out, env):
    result = subprocess.run([tool, "--start-folder", start, "export", month, "--format", fmt,
                             "--out", out], env=env, capture_output=True, text=True)
    check(result.returncode == 0, f"export {fmt}: exit {result.returncode} {result.stderr}")
    return out


def strict_cp932(path):
    data = open(path, "rb").read()
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError as error:
        check(False, f"{path} is not strict CP932: {error}")
        return ""
    check("\n" not in text.replace("\r\n", ""), f"{path}: a line end other than CR LF")
    return text


def check_text(path):
    text = strict_cp932(path)
    lines = text.split("\r\n")[:-1]
    check(len(lines) == 31, f"text: {len(lines)} lines")
    for day, _, stored, _ in HOSTILE[:5]:
        check(shown(stored) in lines[day - 1], f"text: day {day} shows its entry")
    check("A〓B" in lines[STRAY_DAY - 1], "text: the stray byte shows as 〓")


def check_csv(path):
    rows = list(csv.reader(io.StringIO(strict_cp932(path), newline="")))
    check(len(rows) == 31 and all(len(r) == 3 for r in rows), "csv: 31 rows of 3 fields")
    for day, _, stored, _ in HOSTILE[:5]:
        check(shown(stored) in rows[day - 1][2], f"csv: day {day} reads back as typed")
    check(rows[0][0] == "2026/12/01" and rows[0][1] == "(火)", "csv: date and weekday fields")


class Collector(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags = set()
        self.text = []

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)

    def handle_data(self, data):
        self.text.append(data)


def check_html(path):
    text = strict_cp932(path)
    # libxml2 decodes "Shift_JIS" without the NEC and IBM rows that Windows and browsers
    # include (①, 髙), so it parses the strictly decoded text, declared as UTF-8.
    utf8 = text.replace("charset=Shift_JIS", "charset=UTF-8").encode("utf-8")
    lint = subprocess.run(["xmllint", "--html", "--noout", "-"], input=utf8, capture_output=True)
    check(lint.returncode == 0 and lint.stderr == b"",
          f"html: libxml2 reports {lint.returncode} {lint.stderr.decode(errors='replace')}")
    collector = Collector()
    collector.feed(text)
    check(collector.tags <= {"html", "head", "meta", "title", "body", "div", "font", "b", "s",
                             "br"}, f"html: only the program's own tags: {collector.tags}")
    body = "".join(collector.text)
    for day, _, stored, _ in HOSTILE[:5]:
        check(shown(stored) in body, f"html: day {day} shows as typed")
    check('charset=Shift_JIS' in text, "html: the charset is declared")


def check_ics(path, ical_check):
    data = open(path, "rb").read()
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        check(False, f"ics is not UTF-8: {error}")
    check(all(len(line) <= 75 for line in data.split(b"\r\n")), "ics: lines of 75 octets at most")
    result = subprocess.run([ical_check, path], capture_output=True, text=True)
    check(result.returncode == 0, f"ics: libical refuses it: {result.stderr[-2000:]}")
    events = [line.split("\t") for line in result.stdout.splitlines()]
    summaries = {(e[1], e[3]) for e in events}
    for day, _, stored, _ in HOSTILE[:5]:
        check((f"202612{day:02d}", shown(stored)) in summaries, f"ics: day {day} as typed")
    check(("20261204", "A\ufffdB") in summaries, "ics: the stray byte is U+FFFD")
    check(("20261207", "前半後半") in summaries and ("20261207", "別件") in summaries,
          "ics: entries join until one ends with a full-width blank")
    day7 = sorted(e[0] for e in events if e[1] == "20261207")
    check(len(day7) == 2 and day7[0].split("@")[0].endswith("_001")
          and day7[1].split("@")[0].endswith("_002"), f"ics: UIDs of day 7: {day7}")
    check(all(e[2] != e[1] for e in events), "ics: no event ends where it starts")


def check_xlsx(path):
    import openpyxl
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    check(sheet.title == "2026年12月", f"xlsx: sheet name {sheet.title}")
    # December 2026 begins on a Tuesday: day 1 sits in week row 1, weekday column 2.
    def cell(row, column):
        return sheet.cell(row=row, column=column).value
    check(cell(15, 14) == 1, f"xlsx: day 1 at (15, 14): {cell(15, 14)}")

    def day_lines(column):
        return [cell(row, column) for row in range(16, 21) if cell(row, column) is not None]
    check(day_lines(14) == [shown(HOSTILE[0][2])], f"xlsx: day 1's line: {day_lines(14)}")
    check(day_lines(19) == [shown(HOSTILE[1][2])], f"xlsx: day 2's line: {day_lines(19)}")
    check(day_lines(24) == [shown(HOSTILE[2][2])], "xlsx: the 300-character line")
    check(day_lines(29) == ["A\ufffdB"], f"xlsx: the stray byte: {day_lines(29)}")
    check(cell(9, 16) is not None and "2026 年 12 月" in cell(9, 16), f"xlsx: title {cell(9, 16)}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True)
    parser.add_argument("--ical-check", required=True)
    parser.add_argument("--sample", required=True)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as temp:
        start = os.path.join(temp, "start") + "/"
        shutil.copytree(args.sample, start)
        with open(os.path.join(start, "Data", "Files1", "Ca202612.myc"), "wb") as month:
            month.write(month_bytes())
        env = dict(os.environ, HOME=temp, VELMO_TODAY="2026-12-10",
                   VELMO_COMPUTER_NAME="PC-01", QT_QPA_PLATFORM="offscreen")
        out = os.path.join(temp, "out")
        os.mkdir(out)
        check_text(export(args.tool, start, "202612", "txt", f"{out}/Te202612.txt", env))
        check_csv(export(args.tool, start, "202612", "csv", f"{out}/Te202612.csv", env))
        check_html(export(args.tool, start, "202612", "html", f"{out}/202612.html", env))
        check_ics(export(args.tool, start, "202612", "ics", f"{out}/Te202612.ics", env),
                  args.ical_check)
        check_xlsx(export(args.tool, start, "202612", "xlsx", f"{out}/VelExcel.xlsx", env))

        # An existing file stays unless the command is told to replace it.
        before = open(f"{out}/Te202612.txt", "rb").read()
        again = subprocess.run([args.tool, "--start-folder", start, "export", "202612",
                                "--format", "csv", "--out", f"{out}/Te202612.txt"], env=env,
                               capture_output=True, text=True)
        check(again.returncode == 1 and open(f"{out}/Te202612.txt", "rb").read() == before,
              "an existing file is kept without --yes")
        if os.environ.get("VELMO_EXPORT_KEEP"):
            shutil.copytree(out, os.environ["VELMO_EXPORT_KEEP"], dirs_exist_ok=True)

    if failures:
        print(f"{len(failures)} check(s) failed", file=sys.stderr)
        return 1
    print("every reader accepts every export")
    return 0


if __name__ == "__main__":
    sys.exit(main())
