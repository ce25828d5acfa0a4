#!/usr/bin/env python3
"""Reads a workbook written by yoheki-batch xlsx back with openpyxl and checks
it against the CSV and the text output of the same project.

usage: check_workbook.py BOOK.xlsx SUMMARY.csv STATEMENTS_DIR

STATEMENTS_DIR holds N.txt (UTF-8) for the N-th item of the CSV (from 1),
the single-item text output of that item; a stopped item has none.
Prints every fault found and exits 1 when there is one."""
import csv
import os
import re
import sys
import unicodedata

import openpyxl

SUMMARY, FINISHES = "数量総括表", "仕上集計"
HEADER_ROW, FIRST_ROW = 3, 4
QUANTITY_LINE = re.compile(r"^(.*?)[：:] *(-?[0-9]{1,15}(?:\.[0-9][0-9])?)（([^）]+)）(.*)$")
HUNDREDTHS, COUNT = "0.00;[Red]-0.00", "0;[Red]-0"
faults = []


def fault(text):
    faults.append(text)


def key(name):
    folded = unicodedata.normalize("NFKC", name).casefold()
    return "".join(chr(ord(c) + 0x60) if "\u3041" <= c <= "\u3096" else c for c in folded)


def check_sheet_names(book):
    seen = {}
    for name in book.sheetnames:
        if len(name) > 31 or any(c in name for c in "[]:*?/\\") or name[:1] == "'" or name[-1:] == "'":
            fault(f"sheet name not allowed: {name!r}")
        if key(name) in seen:
            fault(f"sheet names clash: {seen[key(name)]!r} and {name!r}")
        seen[key(name)] = name
    if book.sheetnames[:2] != [SUMMARY, FINISHES]:
        fault(f"first sheets are {book.sheetnames[:2]}")


def number(cell, where):
    if not isinstance(cell.value, (int, float)) or isinstance(cell.value, bool):
        fault(f"{where}: {cell.coordinate} is not a number: {cell.value!r}")
        return None
    return cell.value


def check_row(ws, values, r, csvrow, counts):
    """One item row of the summary against its CSV row."""
    cells = [ws.cell(r, c + 1) for c in range(len(csvrow))]
    for c in (0, 1, len(csvrow) - 1):
        if (cells[c].value or "") != csvrow[c]:
            fault(f"row {r} column {c + 1}: {cells[c].value!r} != CSV {csvrow[c]!r}")
    for c in range(2, len(csvrow) - 1):
        if csvrow[c] == "":
            if cells[c].value is not None:
                fault(f"row {r}: stopped item has {cells[c].value!r} in column {c + 1}")
            continue
        v = number(cells[c], f"row {r}")
        if v is not None and round(v * 100) != round(float(csvrow[c]) * 100):
            fault(f"row {r} column {c + 1}: {v} != CSV {csvrow[c]}")
        want = COUNT if c in counts else HUNDREDTHS
        if cells[c].number_format != want:
            fault(f"{cells[c].coordinate}: number format {cells[c].number_format!r}")
        if values.cell(r, c + 1).value != cells[c].value:
            fault(f"{cells[c].coordinate}: cached value differs")


def check_totals(ws, values, r, total, last_item_row):
    for c in range(2, len(total) - 1):
        cell = ws.cell(r, c + 1)
        letter = cell.column_letter
        want = f"=SUM({letter}{FIRST_ROW}:{letter}{last_item_row})"
        if last_item_row >= FIRST_ROW and cell.value != want:
            fault(f"total {cell.coordinate}: {cell.value!r}, expected {want}")
        cached = values.cell(r, c + 1).value
        if not isinstance(cached, (int, float)) or round(cached * 100) != round(float(total[c]) * 100):
            fault(f"total {cell.coordinate}: cached {cached!r} != CSV {total[c]}")
    if (ws.cell(r, 1).value, ws.cell(r, len(total)).value or "") != (total[0], total[-1]):
        fault(f"total row texts {ws.cell(r, 1).value!r} {ws.cell(r, len(total)).value!r}")


def check_summary(book, values, rows):
    ws, wv = book[SUMMARY], values[SUMMARY]
    # The heading is broken into lines where the CSV has a space.
    header = [(ws.cell(HEADER_ROW, c + 1).value or "").replace("\n", "") for c in range(len(rows[0]))]
    if header != [h.replace(" ", "") for h in rows[0]]:
        fault(f"header {header} != CSV {rows[0]}")
    counts = {c for c, h in enumerate(rows[0]) if h.endswith("(ヶ所)")}
    items = rows[1:-1]
    for i, csvrow in enumerate(items):
        check_row(ws, wv, FIRST_ROW + i, csvrow, counts)
    check_totals(ws, wv, FIRST_ROW + len(items), rows[-1], FIRST_ROW + len(items) - 1)
    if ws.freeze_panes != "B4":
        fault(f"summary freeze panes {ws.freeze_panes}")
    setup = ws.page_setup
    if (setup.orientation, str(setup.paperSize), setup.fitToWidth or 1, setup.fitToHeight) != (
            "landscape", "9", 1, 0):
        fault(f"summary page {setup.orientation} {setup.paperSize} {setup.fitToWidth} {setup.fitToHeight}")
    if not ws.sheet_properties.pageSetUpPr.fitToPage:
        fault("summary not fitted to the page width")
    if ws.print_title_rows.replace("$", "") != "3:3":
        fault(f"summary repeats rows {ws.print_title_rows}")
    if ws["A4"].font.name != "ＭＳ ゴシック":
        fault(f"font {ws['A4'].font.name}")
    if not ws["A1"].value == SUMMARY or not (ws["A2"].value or "").startswith("物件："):
        fault(f"title rows {ws['A1'].value!r} {ws['A2'].value!r}")


def check_statement(ws, lines, name):
    """The item sheet against the text output's lines."""
    if ws["A1"].value != name:
        fault(f"sheet {ws.title!r}: first row {ws['A1'].value!r}, not the item name")
    quantities = 0
    for i, line in enumerate(lines):
        r = 3 + i
        m = QUANTITY_LINE.match(line)
        rest = line.lstrip(" \u3000")
        if not m and len(line) - len(rest) >= 4 and rest[:1] in (":", "：", "(", "（", "［", "+", "＋", "-", "－"):
            # a formula carried on from the line above: in the formula column
            if (ws.cell(r, 4).value or "") != rest or ws.cell(r, 1).value:
                fault(f"{ws.title!r} row {r}: continuation {ws.cell(r, 4).value!r} != {rest!r}")
            continue
        if not m:
            if (ws.cell(r, 1).value or "") != line:
                fault(f"{ws.title!r} row {r}: {ws.cell(r, 1).value!r} != {line!r}")
            continue
        quantities += 1
        v = number(ws.cell(r, 2), f"{ws.title!r} row {r}")
        if v is not None and round(v * 100) != round(float(m.group(2)) * 100):
            fault(f"{ws.title!r} row {r}: {v} != statement {m.group(2)}")
        if ws.cell(r, 3).value != m.group(3):
            fault(f"{ws.title!r} row {r}: unit {ws.cell(r, 3).value!r} != {m.group(3)!r}")
        if (ws.cell(r, 1).value or "").strip(" \u3000") != m.group(1).strip(" \u3000"):
            fault(f"{ws.title!r} row {r}: label {ws.cell(r, 1).value!r}")
        if (ws.cell(r, 4).value or "") != m.group(4).lstrip(" \u3000"):
            fault(f"{ws.title!r} row {r}: formula {ws.cell(r, 4).value!r}")
    if ws.max_row != 2 + len(lines):
        fault(f"{ws.title!r}: {ws.max_row - 2} lines, statement has {len(lines)}")
    if quantities == 0:
        fault(f"{ws.title!r}: no quantity line")
    if ws.page_setup.orientation != "portrait" or name.replace("&", "&&")[:50] not in (ws.oddHeader.center.text or ""):
        fault(f"{ws.title!r}: page {ws.page_setup.orientation} header {ws.oddHeader.center.text!r}")


def main(xlsx, csv_path, statements):
    book = openpyxl.load_workbook(xlsx)
    values = openpyxl.load_workbook(xlsx, data_only=True)
    with open(csv_path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    rows = rows[: rows.index([])] if [] in rows else rows  # the finish totals follow the table
    check_sheet_names(book)
    check_summary(book, values, rows)
    by_name = {book[s]["A1"].value: book[s] for s in book.sheetnames[2:]}
    calculated = 0
    for i, row in enumerate(rows[1:-1], start=1):
        path = os.path.join(statements, f"{i}.txt")
        if not os.path.exists(path):
            if row[0] in by_name:
                fault(f"stopped item {row[0]!r} has a sheet")
            continue
        calculated += 1
        with open(path, encoding="utf-8", newline="") as f:
            lines = f.read().split("\r\n")
        lines = lines[: lines.index("\n\r")] if "\n\r" in lines else lines
        if row[0] not in by_name:
            fault(f"item {row[0]!r} has no sheet")
        else:
            check_statement(by_name[row[0]], lines, row[0])
    if len(book.sheetnames) != 2 + calculated:
        fault(f"{len(book.sheetnames)} sheets for {calculated} calculated items")
    for text in faults:
        print(text)
    print(f"{len(book.sheetnames)} sheets, {len(rows) - 2} items, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
