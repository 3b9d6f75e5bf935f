#!/ usr / bin / env python3
"""Checks calctutor-class-generator without the report: the same seed gives
the same class byte for byte, every row of the truth file is an entry in each
file it names (with its time, rating, text, record number and date), every
entry in the files has its row, and a small class already holds the awkward
cases the report must meet.

    check_generated_class.py GENERATOR
"""

import codecs
import csv
import datetime
import filecmp
import os
import re
import subprocess
import sys
import tempfile

OPENING = "......!!!!!!!!..................................."
CLOSING = "." * 49
ENTRY_START = re.compile(re.escape(OPENING) + r"\r\n {36}(\d\d:\d\d:\d\d)\r\n")
STUDENTS = 12
SEED = 7  # compare_entries.py compares this class with the report

failures = []

#Bytes that Windows - 1252 leaves undefined(the start header's code line has
#them) stand for the C1 controls of the same number, as on Windows.
codecs.register_error("c1", lambda error: (chr(error.object[error.start]), error.start + 1))


def read_record_file(path):
    with open(path, "rb") as file:
        return file.read().decode("cp1252", errors="c1")


def check(condition, message):
    if not condition:
        failures.append(message)


def generate(generator, folder, seed):
    subprocess.run([generator, "--students", str(STUDENTS), "--seed", str(seed), "--out",
                    os.path.join(folder, "class"), "--truth", os.path.join(folder, "truth.csv"),
                    "--roster", os.path.join(folder, "roster.txt")],
                   check=True, stdout=subprocess.DEVNULL)


def same_trees(left, right):
    compared = filecmp.dircmp(left, right)
    if compared.left_only or compared.right_only or compared.diff_files or compared.funny_files:
        return False
    return all(same_trees(os.path.join(left, sub), os.path.join(right, sub)) for sub in compared.common_dirs)


def record_text(text):
    return text.replace("\n", "\r\n")


def one_second_later(time):
    h, m, s = (int(part) for part in time.split(":"))
    total = h * 3600 + m * 60 + s + 1
    return "%02d:%02d:%02d" % (total // 3600, total // 60 % 60, total % 60)


def entry_tail(row):
    """The entry's bytes from its response or note line to its closing line."""
    if row["kind"] == "note":
        return "\r\n" + OPENING + "\r\nNOTES -------> " + record_text(row["text"]) + "\r\n" + CLOSING + "\r\n"
    rating = {"answer": "confidence assessment:  " + row["rating"] + "\r\n",
              "critique": "self critique assessment: " + row["rating"] + "\r\n", "response": ""}[row["kind"]]
    return ("\r\n" + OPENING + "\r\nRESPONSE -->  \r\n" + record_text(row["text"]) + "\r\n" + rating + CLOSING
            + "\r\n")


def find_entry(text, row, file_name):
    """The entry's own bytes in the file: from its time line to its closing line."""
    times = [row["time"]] if not file_name.startswith("send_") else [row["time"], one_second_later(row["time"])]
    tail = entry_tail(row)
    for time in times:
#The same time of day may begin entries of other days too.
        start = text.find(OPENING + "\r\n" + " " * 36 + time + "\r\n")
        while start >= 0:
            end = text.find(tail, start)
            following = ENTRY_START.search(text, start + 1)
            if end >= 0 and (following is None or end + len(tail) <= following.start()):
                return text[start:end + len(tail)]
            start = text.find(OPENING + "\r\n" + " " * 36 + time + "\r\n", start + 1)
    return None


def check_row(folder, row):
    date = row["date"]
    for file_name in row["files"].split(";"):
        text = read_record_file(os.path.join(folder, file_name))
        entry = find_entry(text, row, file_name)
        where = "%s %s %s in %s" % (row["student"], date, row["time"], file_name)
        if entry is None:
            failures.append("no entry for the truth row of " + where)
            continue
        if file_name.startswith("masterFile_") and row["kind"] != "note":
            number = int(row["assignment"]) * 10000 + int(row["question"] or 0)
            check("\r\n`questionNumber %d \r\n" % number in entry, "wrong record number for " + where)
        if row["kind"] == "note":
            year, month, day = date.split("-")
            check(" " * 36 + "%s-%s-%s%s" % (month, day, year, row["time"]) in entry, "wrong note date for " + where)
        if file_name.startswith("send_"):
#The send file is named for the start's day; a session may have run past midnight.
            day = datetime.date.fromisoformat(date)
            start_days = {(day - datetime.timedelta(days=back)).strftime("%m%d") for back in (0, 1)}
            check(file_name[5:9] in start_days, "entry not dated on its send file's day or the next: " + where)


def count_entries(class_folder):
    count = 0
    for root, _, names in os.walk(class_folder):
        for name in names:
            if not name.startswith("."):
                count += len(ENTRY_START.findall(read_record_file(os.path.join(root, name))))
    return count


def check_variety(class_folder, roster, rows):
    kinds = {row["kind"] for row in rows}
    check(kinds == {"answer", "critique", "response", "note"}, "kinds: %s" % sorted(kinds))
    ratings = {row["rating"] for row in rows if row["kind"] in ("answer", "critique")}
    check({"0", "1", "2", "3", ""} <= ratings, "ratings 0 to 3 and empty: %s" % sorted(ratings))
    check(any(not rating.strip().isdigit() and rating for rating in ratings), "no typed rating such as 2.5")
    texts = "\n".join(row["text"] for row in rows)
    for wanted in ("é", "ü", "’", "\n" + CLOSING + "\n", "\n" + OPENING):
        check(wanted in texts, "no text holds %r" % wanted)
    check(any(row["text"][:1] in ("=", "+", "-", "@", "\t") for row in rows), "no text that looks like a formula")
    check(len(os.listdir(class_folder)) < len(roster), "every student on the roster started")
    check(any(row["date"][5:7] + row["date"][8:10] != file[5:9]
              for row in rows for file in row["files"].split(";") if file.startswith("send_")),
          "no session ran past midnight")
    last = {}
    for row in rows:
        last[row["student"]] = max(last.get(row["student"], 0), int(row["assignment"]))
    check(min(last.values()) < 16, "every student went on to the last assignment")
    restarted = False
    for student in os.listdir(class_folder):
        for name in os.listdir(os.path.join(class_folder, student)):
            if name.startswith("masterFile_"):
                text = read_record_file(os.path.join(class_folder, student, name))
                headers = re.findall(r"\r\nassignment #(\d{3})\r\n", text)
                restarted = restarted or len(headers) > len(set(headers))
    check(restarted, "no student started an assignment twice")


def main():
    generator = sys.argv[1]
    with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
        generate(generator, first, SEED)
        generate(generator, second, SEED)
        check(same_trees(first, second), "the same seed gave two different classes")

        class_folder = os.path.join(first, "class")
        with open(os.path.join(first, "roster.txt"), encoding="utf-8") as file:
            roster = file.read().splitlines()
        with open(os.path.join(first, "truth.csv"), encoding="utf-8", newline="") as file:
            rows = list(csv.DictReader(file))
        check(len(roster) == STUDENTS, "the roster has %d names" % len(roster))
        for row in rows:
            check_row(os.path.join(class_folder, row["student"].replace(" ", "_")), row)
        written = count_entries(class_folder)
        named = sum(len(row["files"].split(";")) for row in rows)
        check(written == named, "the files hold %d entries, the truth names %d" % (written, named))
        check_variety(class_folder, roster, rows)

    for failure in failures[:20]:
        print("FAIL:", failure)
    print("generated class: %d rows checked, %d failures" % (len(rows), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
