#!/usr/bin/python3
"""Reads an .xls workbook with independent readers and prints what they saw as JSON.

Usage: /usr/bin/python3 xls_check.py WORKBOOK.xls

Output (one JSON object on stdout):
  problems: every NOTE or WARNING line xlrd logged, every exception of xlrd or
            olefile, and any container defect olefile reports;
  container: {"streams": [...], "workbook_size": n} as olefile sees the file;
  formats:  format strings, indexed by the cells' third element;
  sheets:   [{"name", "nrows", "ncols", "cells": [[[ctype, value, format], ...], ...]}]
            ctype as xlrd gives it (0 empty, 1 text, 2 number).
The process exits 0 whenever it could print this object.
"""
import io
import json
import sys

import olefile
import xlrd


def read_with_xlrd(path, out):
    log = io.StringIO()
    try:
        book = xlrd.open_workbook(path, formatting_info=True, verbosity=1, logfile=log)
    except Exception as e:  # any failure of the reader is a finding
        out["problems"].append("xlrd: %s: %s" % (type(e).__name__, e))
        book = None
    if book is not None:
        formats = []
        format_index = {}
        for sheet in book.sheets():
            rows = []
            for r in range(sheet.nrows):
                row = []
                for c in range(sheet.ncols):
                    cell = sheet.cell(r, c)
                    fmt = ""
                    if cell.xf_index is not None and 0 <= cell.xf_index < len(book.xf_list):
                        xf = book.xf_list[cell.xf_index]
                        f = book.format_map.get(xf.format_key)
                        fmt = f.format_str if f is not None else "?%d" % xf.format_key
                    if fmt not in format_index:
                        format_index[fmt] = len(formats)
                        formats.append(fmt)
                    row.append([cell.ctype, cell.value, format_index[fmt]])
                rows.append(row)
            out["sheets"].append({"name": sheet.name, "nrows": sheet.nrows,
                                  "ncols": sheet.ncols, "cells": rows})
        out["formats"] = formats
    for line in log.getvalue().splitlines():
        if "NOTE" in line or "WARNING" in line:
            out["problems"].append("xlrd log: " + line.strip())


def read_with_olefile(path, out):
    try:
        ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
        streams = ["/".join(s) for s in ole.listdir(streams=True, storages=True)]
        out["container"]["streams"] = streams
        if ole.exists("Workbook"):
            size = ole.get_size("Workbook")
            data = ole.openstream("Workbook").read()
            out["container"]["workbook_size"] = size
            if len(data) != size:
                out["problems"].append("olefile: Workbook stream reads %d bytes, directory says %d"
                                       % (len(data), size))
        for level, message in ole.parsing_issues:
            out["problems"].append("olefile: %s" % message)
        ole.close()
    except Exception as e:
        out["problems"].append("olefile: %s: %s" % (type(e).__name__, e))


def main():
    path = sys.argv[1]
    out = {"problems": [], "container": {}, "formats": [], "sheets": []}
    read_with_xlrd(path, out)
    read_with_olefile(path, out)
    sys.stdout.write(json.dumps(out, ensure_ascii=True))
    return 0


if __name__ == "__main__":
    sys.exit(main())
