#!/usr/bin/env python3
"""docs/toolkit.md against the window procedures: for each class section, the messages of its
"Messages" table must be exactly the case labels of the class's window procedure in controls/,
with those of the kit's shared default (ToolkitDefault) where the procedure falls back on it.
The "Accessibility" table against controls/accessible_classes.cpp: one row per class, its
role, whether it shows a value, and its default action's names. The paint routines the page
quotes against the class headers.
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


ACCESS_ROW = re.compile(r"^\| `(Zut_\w+Class)` \| `(ROLE_SYSTEM_\w+)` \| ([^|]*) \| ([^|]*) \| ([^|]*) \|$")
ACCESS_DEFINITION = re.compile(
    r"extern const AccessibleClass (k\w+Access) = \{(ROLE_SYSTEM_\w+), (\w+), (\w+), (\w+), (true|false)\}")
ROW_DEFINITION = re.compile(r'extern const ToolkitClass k\w+Class = \{"(Zut_\w+Class)", \w+, \w+, &(k\w+Access)\}')
ACTION = r"^const char\* %s\(HWND[^)]*\) \{ (.*) \}$"  # each action is one line


def accessibility_rows(doc_text):
    """{class name: (role, value cell, default action cell)} of the "Accessibility" table."""
    start = doc_text.find("### Accessibility")
    rows = {}
    if start < 0:
        return rows
    for line in doc_text[start:doc_text.find("\n## ", start)].splitlines():
        m = ACCESS_ROW.match(line)
        if m:
            rows[m.group(1)] = (m.group(2), m.group(3).strip(), m.group(5).strip())
    return rows


def accessibility_code(controls_dir):
    """{class name: (role, has a value, the default action's names)} from the descriptions."""
    rows = {}
    for f in os.listdir(controls_dir):
        if f.endswith(".cpp"):
            for m in ROW_DEFINITION.finditer(open(os.path.join(controls_dir, f), encoding="utf-8").read()):
                rows[m.group(2)] = m.group(1)
    text = open(os.path.join(controls_dir, "accessible_classes.cpp"), encoding="utf-8").read()
    out = {}
    for m in ACCESS_DEFINITION.finditer(text):
        access, role, value, _, action, _ = m.groups()
        names = set()
        if action != "nullptr":
            body = re.search(ACTION % action, text, re.M)
            names = set(re.findall(r'"([A-Za-z]+)"', body.group(1))) if body else {"<no one-line %s>" % action}
        out[rows.get(access, access)] = (role, value != "nullptr", names)
    return out


def accessibility_differences(top, doc):
    documented_rows = accessibility_rows(doc)
    code = accessibility_code(os.path.join(top, "controls"))
    problems = []
    for name in sorted(set(code) | set(documented_rows)):
        if name not in documented_rows:
            problems.append("%s: no row in the Accessibility table" % name)
            continue
        if name not in code:
            problems.append("%s: the Accessibility table has a row, accessible_classes.cpp no description" % name)
            continue
        role, value_cell, action_cell = documented_rows[name]
        code_role, has_value, names = code[name]
        if role != code_role:
            problems.append("%s: the table says %s, the code %s" % (name, role, code_role))
        if (value_cell != "\u2014") != has_value:
            problems.append("%s: the table's value (%s) and the code's (%s) differ"
                            % (name, value_cell, "one" if has_value else "none"))
        if set(re.findall(r'"([A-Za-z]+)"', action_cell)) != names:
            problems.append("%s: the table's default action %s, the code's %s"
                            % (name, action_cell, sorted(names) or "none"))
    return problems


PAINT_DECLARATION = re.compile(r"^void (Draw\w+)\(HDC dc, const RECT& client, (.*)\);$", re.M)
PLAIN_PAINT = re.compile(r"^const \w+State\* state$")


def paint_differences(top, doc):
    """Each paint routine the page quotes as a declaration is one a class header declares, and
    every header routine of another shape than (dc, client, const block) is quoted on the page."""
    controls = os.path.join(top, "controls")
    declared = {}
    for f in sorted(os.listdir(controls)):
        if f.endswith(".h"):
            for m in PAINT_DECLARATION.finditer(open(os.path.join(controls, f), encoding="utf-8").read()):
                declared[m.group(1)] = m.group(0)
    quoted = {m.group(1): m.group(0) for m in PAINT_DECLARATION.finditer(doc)}
    problems = ["the page declares %r, the headers %r" % (line, declared.get(name, "nothing"))
                for name, line in sorted(quoted.items()) if declared.get(name) != line]
    for name, line in sorted(declared.items()):
        rest = PAINT_DECLARATION.match(line).group(2)
        short = "%s(HDC, const RECT&, %s)" % (name, rest.rsplit(" ", 1)[0])
        if not PLAIN_PAINT.match(rest) and name not in quoted and short not in doc:
            problems.append("%s has its own signature (%s); the page does not give it" % (name, rest))
    return problems


def class_count(top):
    """How many classes the toolkit registers: the rows of controls/toolkit.cpp's class list."""
    source = open(os.path.join(top, "controls", "toolkit.cpp"), encoding="utf-8").read()
    rows = re.search(r"kClasses\[\]\s*=\s*\{(.*?)\};", source, re.S)
    return len(re.findall(r"&k\w+Class\b", rows.group(1))) if rows else 0


def differences(top):
    doc = open(os.path.join(top, "docs", "toolkit.md"), encoding="utf-8").read()
    tables = documented(doc)
    problems = []
    count = class_count(top)
    if count == 0 or len(tables) != count:
        problems.append("docs/toolkit.md has %d class sections, the class list %d classes" % (len(tables), count))
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
    problems += accessibility_differences(top, doc)
    problems += paint_differences(top, doc)
    return problems, tables


def doc_text(top):
    return open(os.path.join(os.path.abspath(top), "docs", "toolkit.md"), encoding="utf-8").read()


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    problems, tables = differences(os.path.abspath(top))
    for p in problems:
        print("toolkit.md:", p)
    if not problems:
        print("toolkit.md: %d classes, %d messages, as the window procedures answer them; "
              "%d accessibility rows as described in the code"
              % (len(tables), sum(len(m) for m in tables.values()), len(accessibility_rows(doc_text(top)))))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
