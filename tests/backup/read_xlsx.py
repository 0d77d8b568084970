#!/usr/bin/env python3
"""Prints what a spreadsheet program would find in a workbook, one fact a line, tab
separated, for the xlsx writer's test:
  sheet NAME / setup KEY VALUE / cell ROW COLUMN TYPE VALUE RGB SIZE BOLD EDGES
(EDGES: the letters T, B, L, R of the cell's borders, "-" for none).
Fails (exit status 1) when openpyxl is missing: the test must not pass without a reader."""
import sys

try:
    import openpyxl
except ImportError as e:
    print(f"openpyxl is missing ({e}); install python3-openpyxl", file=sys.stderr)
    sys.exit(1)


def field(value):
    return str(value).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def main(path):
    book = openpyxl.load_workbook(path)
    for sheet in book.worksheets:
        print("sheet", field(sheet.title), sep="\t")
    ws = book.worksheets[0]
    setup = ws.page_setup
    fit = ws.sheet_properties.pageSetUpPr
    print("setup", "orientation", setup.orientation, sep="\t")
    print("setup", "paperSize", setup.paperSize, sep="\t")
    print("setup", "fitToPage", bool(fit and fit.fitToPage), sep="\t")
    # Absent means 1 page, the file format's default, which writers leave out.
    print("setup", "fitToWidth", 1 if setup.fitToWidth is None else setup.fitToWidth, sep="\t")
    print("setup", "fitToHeight", 1 if setup.fitToHeight is None else setup.fitToHeight,
          sep="\t")
    print("setup", "printArea", field(ws.print_area), sep="\t")
    for row in ws.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            colour = cell.font.color
            colour = colour.rgb if colour is not None and colour.type == "rgb" else "-"
            b = cell.border
            edges = "".join(letter for letter, side in
                            (("T", b.top), ("B", b.bottom), ("L", b.left), ("R", b.right))
                            if side is not None and side.style is not None) or "-"
            print("cell", cell.row, cell.column, type(cell.value).__name__, field(cell.value),
                  colour, cell.font.sz, cell.font.b, edges, sep="\t")


if __name__ == "__main__":
    main(sys.argv[1])
