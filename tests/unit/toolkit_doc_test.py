#!/usr/bin/env python3
"""docs/toolkit.md against the window procedures: for each class section, the messages of its
"Messages" table must be exactly the case labels of the class's window procedure in controls/,
with those of the kit's shared default (ToolkitDefault) where the procedure falls back on it.
Usage: toolkit_doc_test.py [CHECKOUT]  (default: two levels above this file)"""

import os
import re
import sys

SECTION = re.compile(r"^## \d+\. .*\(`(Zut_\w+Class)`\)\s*$")
MESSAGE_ROW = re.compile(r"^\| `([A-Z][A-Z0-9_]*)` \|")
CASE_LABEL = re.compile(r"^\s*case ([A-Z][A-Z0-9_]*):", re.M)
PROC_DEFINITION = re.compile(r"LRESULT CALLBACK \w+WindowProc\(HWND \w+")


def documented(doc_text):
    """{class name: [messages of its table]} in the order of the sections."""
    tables, current, in_table = {}, None, False
    for line in doc_text.splitlines():
        m = SECTION.match(line)
        if m:
            current, in_table = m.group(1), False
            tables[current] = []
        elif current and line.startswith("**Messages**"):
            in_table = True
        elif current and in_table and line.startswith("**"):
            in_table = False
        elif current and in_table:
            row = MESSAGE_ROW.match(line)
            if row:
                tables[current].append(row.group(1))
    return tables


def window_procedure_labels(controls_dir, class_name):
    """The case labels of the one source in controls/ that names the class and defines a
    window procedure."""
    quoted = '"%s"' % class_name
    texts = {}
    for f in sorted(os.listdir(controls_dir)):
        if f.endswith(".cpp"):
            text = open(os.path.join(controls_dir, f), encoding="utf-8").read()
            if quoted in text and PROC_DEFINITION.search(text):
                texts[f] = text
    sources = list(texts)
    if len(sources) != 1:
        return None, sources
    text = texts[sources[0]]
    start = PROC_DEFINITION.search(text).start()
    body = text[start:text.find("\n}\n", start)]
    labels = CASE_LABEL.findall(body)
    if "ToolkitDefault<" in body:
        # The messages every class answers alike, in the kit's shared default.
        kit = open(os.path.join(controls_dir, "toolkit_class.h"), encoding="utf-8").read()
        shared = kit[kit.index("LRESULT ToolkitDefault("):]
        labels += [m for m in CASE_LABEL.findall(shared[:shared.find("\n}\n")]) if m not in labels]
    return labels, sources


def differences(top):
    doc = open(os.path.join(top, "docs", "toolkit.md"), encoding="utf-8").read()
    tables = documented(doc)
    problems = []
    if len(tables) != 15:
        problems.append("docs/toolkit.md has %d class sections, not 15" % len(tables))
    for name, messages in tables.items():
        labels, sources = window_procedure_labels(os.path.join(top, "controls"), name)
        if labels is None:
            problems.append("%s: named by %d sources in controls/ (%s), not one"
                            % (name, len(sources), ", ".join(sources)))
            continue
        if len(set(messages)) != len(messages):
            problems.append("%s: a message listed twice in its table" % name)
        for m in sorted(set(labels) - set(messages)):
            problems.append("%s: %s answers %s, the table does not list it" % (name, sources[0], m))
        for m in sorted(set(messages) - set(labels)):
            problems.append("%s: the table lists %s, %s does not answer it" % (name, m, sources[0]))
    return problems, tables


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    problems, tables = differences(os.path.abspath(top))
    for p in problems:
        print("toolkit.md:", p)
    if not problems:
        print("toolkit.md: %d classes, %d messages, as the window procedures answer them"
              % (len(tables), sum(len(m) for m in tables.values())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
