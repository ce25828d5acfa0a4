#!/usr/bin/env python3
"""Reads the sheet 内訳書 of a workbook written by yoheki-batch estimate back
with openpyxl: every 金額 is ROUNDDOWN of its 数量 × 単価 and its cached value
is that figure, every 小計 a SUM over its amounts, 直接工事費 the sum of the
subtotals, and the cached totals those of the program's CSV.

usage: check_estimate.py BOOK.xlsx ESTIMATE.csv   (CSV in UTF-8 with BOM)
Prints every fault found and exits 1 when there is one."""
import csv
import math
import re
import sys

import openpyxl

book, own_csv = sys.argv[1], sys.argv[2]
formulas = openpyxl.load_workbook(book)["内訳書"]
values = openpyxl.load_workbook(book, data_only=True)["内訳書"]
faults = []
amount = re.compile(r"^=ROUNDDOWN\(ROUND\(C(\d+)\*E(\d+),2\),0\)$")
total_sum = re.compile(r"^=SUM\(F(\d+):F(\d+)\)$")
labels, subtotals = {}, []
for row in range(1, formulas.max_row + 1):
    f = formulas.cell(row, 6).value
    v = values.cell(row, 6).value
    name = formulas.cell(row, 1).value
    if not isinstance(f, str) or not f.startswith("="):
        continue
    labels[(name or "").strip()] = v
    if m := amount.match(f):
        q, p = values.cell(row, 3).value, values.cell(row, 5).value
        want = math.trunc(round(q * p, 2))
        if int(m[1]) != row or int(m[2]) != row or v != want:
            faults.append(f"row {row}: {f} cached {v}, want {want}")
    elif m := total_sum.match(f):
        want = sum(values.cell(r, 6).value or 0 for r in range(int(m[1]), int(m[2]) + 1))
        subtotals.append(v)
        if v != want:
            faults.append(f"row {row}: {f} cached {v}, sum {want}")
direct = labels.get("直接工事費")
if direct != sum(subtotals):
    faults.append(f"直接工事費 {direct} is not the sum of the subtotals {sum(subtotals)}")
own = {r[0]: r[6] for r in csv.reader(open(own_csv, encoding="utf-8-sig")) if len(r) > 6 and r[0]}
for label in ("直接工事費", "工事価格", "工事費計"):
    if label in own and str(labels.get(label)) != own[label]:
        faults.append(f"{label}: sheet {labels.get(label)}, CSV {own[label]}")
if formulas.page_setup.orientation != "portrait" or str(formulas.page_setup.paperSize) != "9":
    faults.append("not A4 portrait")
print("\n".join(faults))
print(f"checked {len(labels)} formulas")
sys.exit(1 if faults else 0)
