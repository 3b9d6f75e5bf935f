#!/ usr / bin / env python3
"""Writes a small generated class, runs the instructor's report over it with
--csv, and compares the report's entries.csv with the generator's truth file
row for row, both read with Python's csv module.

    compare_entries.py REPORT GENERATOR
"""

import collections
import csv
import os
import subprocess
import sys
import tempfile

COLUMNS = ["student", "date", "time", "assignment", "question", "kind", "rating", "text", "files"]
BOM = "\ufeff".encode()
STUDENTS = 12
SEED = 7  # the class whose variety check_generated_class.py checks


def spreadsheet_cell(value):
    """The truth's raw value as the report writes it: an apostrophe keeps a
    spreadsheet from reading a cell as a formula."""
    return "'" + value if value.startswith(("=", "+", "-", "@", "\t", "\r")) else value


def read_csv(path, encoding):
    with open(path, encoding=encoding, newline="") as file:
        return list(csv.reader(file))


def describe(row):
    return " | ".join("%s=%r" % (name, value[:60]) for name, value in zip(COLUMNS, row))


def compare(expected, reported):
    """The differences, as lines to print; none when the rows agree in order."""
    if expected == reported:
        return []
    want, got = collections.Counter(map(tuple, expected)), collections.Counter(map(tuple, reported))
    missing, extra = list((want - got).elements()), list((got - want).elements())
    if not missing and not extra:
        lines = ["the same rows, in another order; the first that differ:"]
        for number, (a, b) in enumerate(zip(expected, reported), start=2):
            if a != b and len(lines) < 7:
                lines += ["  row %d truth:  %s" % (number, describe(a)), "  row %d report: %s" % (number, describe(b))]
        return lines
#A row that differs in a few cells shows up as one missing and one extra
#row of the same student and time : name the cells.
    lines = []
    unpaired = list(extra)
    for row in missing[:10]:
        partner = next((other for other in unpaired if other[0] == row[0] and other[2] == row[2]), None)
        if partner is None:
            lines.append("missing from the report: " + describe(row))
            continue
        unpaired.remove(partner)
        columns = [name for name, a, b in zip(COLUMNS, row, partner) if a != b] or ["the number of cells"]
        lines += ["differs in %s:" % ", ".join(columns), "  truth:  " + describe(row), "  report: " + describe(partner)]
    for row in unpaired[:5]:
        lines.append("not in the truth: " + describe(row))
    lines.append("%d truth rows are not in the report, %d report rows are not in the truth (of %d and %d)"
                 % (len(missing), len(extra), len(expected), len(reported)))
    return lines


def main():
    report, generator = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as work:
        class_folder, truth, out = (os.path.join(work, name) for name in ("class", "truth.csv", "out"))
        subprocess.run([generator, "--students", str(STUDENTS), "--seed", str(SEED), "--out", class_folder,
                        "--truth", truth], check=True, stdout=subprocess.DEVNULL)
        run = subprocess.run([report, "--csv", out, class_folder], capture_output=True, text=True)
        if run.returncode != 0:
            print("calctutor-report exited with %d on a clean class:\n%s" % (run.returncode, run.stderr[-2000:]))
            return 1

        entries = os.path.join(out, "entries.csv")
        with open(entries, "rb") as file:
            head = file.read(200)
        if not head.startswith(BOM + ",".join(COLUMNS).encode() + b"\r\n"):
            print("entries.csv does not start with the byte-order mark and the header line: %r" % head[:80])
            return 1
        reported = read_csv(entries, "utf-8-sig")[1:]
        expected = [[spreadsheet_cell(cell) for cell in row] for row in read_csv(truth, "utf-8")[1:]]

    differences = compare(expected, reported)
    print("\n".join(differences))
    print("entries.csv against the truth: %d rows, %s" % (len(expected), "different" if differences else "the same"))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
