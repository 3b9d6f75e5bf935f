#!/usr/bin/env python3
"""Opens the instructor's pages in headless Chromium, with the network refused,
and checks what a browser makes of them:
  - the browser's DOM holds the same tables as the page file (no student text
    closed a table or opened an element), and the sorting script ran;
  - every student text given with --text appears in the DOM as text;
  - nothing was written to the console and the page asked for nothing outside
    itself (Chromium's net log: requests made for a file:// page);
  - with --csv DIR, the questions and students tables equal questions.csv and
    students.csv;
  - with --screenshot FILE, index.html is shot at 1280x1600 and the time from
    start to picture is printed.
usage: browser-check.py SITE [--csv DIR] [--text TEXT]... [--screenshot FILE]
"""
import argparse
import csv
import html.parser
import json
import os
import subprocess
import sys
import tempfile
import time

CHROMIUM = os.environ.get("CHROMIUM", "chromium")
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--proxy-server=127.0.0.1:9",
         "--enable-logging=stderr", "--v=0"]
# Elements the templates write, and the buttons that the sorting script adds.
OURS = {"html", "head", "meta", "link", "title", "style", "body", "header", "nav", "a", "h1", "h2", "h3", "p",
        "main", "section", "article", "div", "table", "caption", "thead", "tbody", "tr", "th", "td", "small",
        "strong", "span", "details", "summary", "svg", "line", "text", "circle", "rect", "form", "label",
        "select", "option", "script", "button"}

failures = []


def fail(page, message):
    failures.append(f"{page}: {message}")


class Page(html.parser.HTMLParser):
    """The tables (id -> rows of cell texts), the elements and the text of a page."""

    def __init__(self, markup):
        super().__init__(convert_charrefs=True)
        self.tables, self.elements, self.text = {}, set(), []
        self._table, self._row, self._cell, self._skip = None, None, None, 0
        self.buttons_in_headers = 0
        self.feed(markup)

    def handle_starttag(self, tag, attrs):
        self.elements.add(tag)
        attrs = dict(attrs)
        if tag in ("script", "style"):
            self._skip += 1
        elif tag == "table" and attrs.get("id"):
            self._table = self.tables.setdefault(attrs["id"], [])
        elif tag == "tr" and self._table is not None:
            self._row = []
        elif tag in ("td", "th") and self._row is not None:
            self._cell = []
        elif tag == "button" and self._cell is not None:
            self.buttons_in_headers += 1

    def handle_endtag(self, tag):
        if tag in ("script", "style"):
            self._skip -= 1
        elif tag in ("td", "th") and self._cell is not None and self._row is not None:
            self._row.append("".join(self._cell).strip())
            self._cell = None
        elif tag == "tr" and self._row is not None:
            if self._table is not None:
                self._table.append(self._row)
            self._row = None
        elif tag == "table":
            self._table = None

    def handle_data(self, data):
        if self._skip:
            return
        self.text.append(data)
        if self._cell is not None:
            self._cell.append(data)


def page_requests(net_log):
    """URLs that a file:// page asked the network for."""
    with open(net_log, encoding="utf-8") as file:
        text = file.read()
    if not text.rstrip().endswith("}"):
        text = text.rstrip().rstrip(",") + "]}"  # a log cut short when the browser ends
    log = json.loads(text)
    urls = set()
    for event in log.get("events", []):
        params = event.get("params") or {}
        if "url" in params and "file://" in str(params.get("site_for_cookies", "")) + str(
                params.get("network_isolation_key", "")):
            urls.add(params["url"])
    return urls


def open_page(path, extra=()):
    """The DOM after load, with console lines and outside requests reported."""
    with tempfile.TemporaryDirectory() as scratch:
        net_log = os.path.join(scratch, "net.json")
        run = subprocess.run([CHROMIUM, *FLAGS, f"--user-data-dir={scratch}/profile", f"--log-net-log={net_log}",
                              *extra, "--dump-dom", "file://" + os.path.abspath(path)],
                             capture_output=True, text=True, timeout=120)
        name = path
        if run.returncode != 0:
            fail(name, f"chromium exited with {run.returncode}: {run.stderr[-500:]}")
        for line in run.stderr.splitlines():
            if ":CONSOLE" in line:
                fail(name, "console: " + line)
        for url in page_requests(net_log):
            if not url.startswith("file://"):
                fail(name, "asked the network for " + url)
        return run.stdout


def check_page(path, texts):
    name = path
    with open(path, encoding="utf-8") as file:
        written = Page(file.read())
    shown = Page(open_page(path))
    if set(shown.tables) != set(written.tables):
        fail(name, f"tables {sorted(shown.tables)} in the browser, {sorted(written.tables)} in the file")
    for table, rows in written.tables.items():
        if sorted(shown.tables.get(table, [])) != sorted(rows):
            fail(name, f"table {table} differs between the file and the browser")
    if not shown.elements <= OURS:
        fail(name, f"elements from student text: {sorted(shown.elements - OURS)}")
    if "script" in written.elements and shown.buttons_in_headers == 0:
        fail(name, "the sorting script did not run")
    page_text = "".join(shown.text)
    for text in texts:
        if text in "".join(written.text) and text not in page_text:
            fail(name, f"the text {text!r} is not shown as text")
    return shown


def holds_any(path, texts):
    with open(path, encoding="utf-8") as file:
        shown = "".join(Page(file.read()).text)
    return any(text in shown for text in texts)


def number(text):
    text = text.strip().rstrip("%")
    return float(text) if text else None


def compare_csv(csv_folder, shown):
    """The class page's tables against the spreadsheet files, row for row."""
    def rows(name):
        with open(os.path.join(csv_folder, name), encoding="utf-8-sig", newline="") as file:
            return list(csv.DictReader(file))

    def same(page, sheet):
        page, sheet = number(page), number(sheet)
        return (page is None) == (sheet is None) and (page is None or abs(page - sheet) < 0.0051)

    questions = {row[0]: row for row in shown.tables.get("questions-table", [])[1:]}
    compared = 0
    for row in rows("questions.csv"):
        if not row["question"]:
            continue  # entries not placed at a question have no row on the page
        key = f"Assignment {int(row['assignment'])}, question {int(row['question'])}"
        cells = questions.get(key)
        if cells is None:
            fail("index.html", f"{key} of questions.csv is missing")
            continue
        share = row["share of self-critiques rated 3"]
        sheet = [row["students answering"], row["mean confidence"], str(100 * float(share)) if share else "",
                 row["confident misses"], row["notes"]]
        page = [cells[1], cells[2], cells[3], cells[4], cells[5]]
        # The page rounds shares to whole percentages.
        if not all(same(p, q) for p, q in zip(page[:2] + page[3:], sheet[:2] + sheet[3:])) or (
                (page[2] == "") != (sheet[2] == "") or (page[2] and abs(number(page[2]) - float(sheet[2])) > 0.5)):
            fail("index.html", f"{key}: page {page}, questions.csv {sheet}")
        compared += 1
    grid = {row[0].replace(" (on the roster, sent nothing)", ""): row for row in shown.tables.get("grid", [])[1:]}
    for row in rows("students.csv"):
        cells = grid.get(row["student"])
        if cells is None:
            fail("index.html", f"student {row['student']!r} of students.csv is missing from the grid")
        elif cells[-1] != row["last day active"]:
            fail("index.html", f"{row['student']}: last day {cells[-1]!r} on the page, {row['last day active']!r} in students.csv")
        compared += 1
    print(f"browser-check: {compared} rows of questions.csv and students.csv compared")


def main():
    arguments = argparse.ArgumentParser()
    arguments.add_argument("site")
    arguments.add_argument("--csv")
    arguments.add_argument("--text", action="append", default=[])
    arguments.add_argument("--screenshot")
    arguments.add_argument("--pages", type=int, default=3, help="student and question pages opened, of each")
    options = arguments.parse_args()

    index = os.path.join(options.site, "index.html")
    shown = check_page(index, options.text)
    for folder in ("students", "questions"):
        paths = sorted(os.path.join(options.site, folder, name) for name in os.listdir(os.path.join(options.site, folder)))
        # The pages that hold the given student texts first: they are the ones worth a browser's time.
        paths.sort(key=lambda path: not holds_any(path, options.text))
        for path in paths[:options.pages]:
            check_page(path, options.text)
    if options.csv:
        compare_csv(options.csv, shown)
    if options.screenshot:
        started = time.monotonic()
        with tempfile.TemporaryDirectory() as scratch:
            subprocess.run([CHROMIUM, *FLAGS, f"--user-data-dir={scratch}/profile", "--hide-scrollbars",
                            f"--screenshot={os.path.abspath(options.screenshot)}", "--window-size=1280,1600",
                            "file://" + os.path.abspath(index)], capture_output=True, timeout=120, check=True)
        print(f"browser-check: index.html shot in {time.monotonic() - started:.2f} s")
    for failure in failures:
        print("browser-check:", failure)
    print(f"browser-check: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
