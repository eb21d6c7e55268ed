#!/usr/bin/env python3
"""Checks the layers of src/ from the #include lines.

    check_layers.py SRC_DIR [QT_INCLUDE_DIR...]

QT_INCLUDE_DIR is Qt's include path (also ";"-separated, as CMake lists it); the headers
of Qt's widget and GUI modules found there may not appear in a core file. Prints every
broken rule with the file, the line and the rule, and exits with 1 if there is one.

The rules are the tables below; moving a folder means editing the tables only.
"""

import fnmatch
import os
import re
import sys

# The folders of src/ from the top down. A file may include its own folder and the
# folders below it, never one above it.
LAYERS = [
    "shell",       # main menu, info window, window registry
    "trainers",    # one folder per trainer, common/ for what they share
    "games",       # the reward games
    "worksheets",  # sheets, printing and copying them
    "widgets",     # shared widgets and window helpers
    "platform",    # the seams' Qt and CUPS implementations
    "seams",       # interfaces to the toolkit: dialogs, random source, printer, clipboard, navigation
    "training",    # exercises, sessions, error diagnosis
    "arithmetic",  # the written multiplication
]

# Core files: no widget or GUI header, and nothing from src/ but other core files.
CORE = [
    "arithmetic/*",
    "training/*",
    # Each trainer's table of controls and cells and its dealing rules.
    "trainers/common/cell_table.*",
    "trainers/*/*_table.*",
    "worksheets/worksheet.*",
    "worksheets/grid_layout.*",
    "worksheets/sheet_code.*",
    "games/*/*_game.*",
    "shell/help_text.*",
    # The seams that are plain interfaces or values.
    "seams/*",
    "platform/print_layout.*",
    "platform/system_random.cpp",
]

# Files that may include from src/ only what the patterns allow.
ONLY = [
    ("arithmetic/*", ["arithmetic/*"], "src/arithmetic includes nothing from other folders"),
    ("training/*", ["training/*", "arithmetic/*"], "src/training includes only src/arithmetic"),
]

# Folders whose subfolders may not include each other; the listed ones are shared by all.
SIBLINGS = [
    ("trainers", ["common"], "no trainer includes another trainer"),
    ("games", [], "no game includes another game"),
]

# Includes that are never allowed: (files, included, rule).
FORBIDDEN = [
    ("games/*", "trainers/*", "games include no trainer"),
] + [
    # A digit reaches the child's statistics, evidence and skills through the session only;
    # windows show what it says.
    (files, "training/" + header, "windows never call statistics, evidence or skills: the session does")
    for files in ("trainers/*", "games/*", "widgets/*")
    for header in ("session_statistics.h", "error_evidence.h", "skills.h", "knowledge_tracing.h")
]

# Qt modules whose headers are widget or GUI code.
GUI_MODULES = ["QtGui", "QtWidgets", "QtPrintSupport", "QtOpenGL", "QtOpenGLWidgets",
               "QtSvg", "QtSvgWidgets", "QtQuick", "QtQml"]
# Used when Qt's include directory is not given.
GUI_HEADERS_FALLBACK = ["QWidget", "QApplication", "QGuiApplication", "QPainter", "QLabel",
                        "QPushButton", "QColor", "QFont", "QPixmap", "QImage", "QIcon",
                        "QPrinter", "QDrag", "QMainWindow", "QDialog", "QMessageBox"]
OTHER_GUI_PREFIXES = ["cups/"]

# What today's tree still does against the rules: (file, included, why). Each entry goes
# when the next step moves the file or the value it needs.
EXEMPT = [
]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def matches(path, patterns):
    return any(fnmatch.fnmatchcase(path, p) for p in patterns)


def layer_of(path):
    top = path.split("/", 1)[0]
    return LAYERS.index(top) if top in LAYERS else None


def gui_headers(qt_dirs):
    names = set(GUI_MODULES)
    roots = set()
    for d in qt_dirs:
        d = d.rstrip("/")
        if os.path.basename(d).startswith("Qt"):
            d = os.path.dirname(d)
        if os.path.isdir(d):
            roots.add(d)
    for root in roots:
        for module in GUI_MODULES:
            folder = os.path.join(root, module)
            if os.path.isdir(folder):
                for name in os.listdir(folder):
                    names.add(name)
                    names.add(module + "/" + name)
    if not roots:
        names.update(GUI_HEADERS_FALLBACK)
    return names


def check(src, qt_dirs):
    gui = gui_headers(qt_dirs)
    exempt = {(f, i) for f, i, _ in EXEMPT}
    used_exemptions = set()
    problems = []
    files = []
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith(SOURCE_SUFFIXES):
                files.append(os.path.relpath(os.path.join(folder, name), src).replace(os.sep, "/"))
    for path in sorted(files):
        if "/" not in path:
            continue  # main.cpp builds everything
        with open(os.path.join(src, path), encoding="utf-8") as f:
            lines = f.readlines()
        for number, text in enumerate(lines, 1):
            m = INCLUDE.match(text)
            if not m:
                continue
            included = m.group(2)
            internal = m.group(1) == '"' and os.path.exists(os.path.join(src, included))
            where = "src/%s:%d: #include %s%s%s" % (
                path, number, m.group(1), included, '"' if m.group(1) == '"' else ">")

            def broken(rule):
                if (path, included) in exempt:
                    used_exemptions.add((path, included))
                else:
                    problems.append("%s\n    breaks: %s" % (where, rule))

            core = matches(path, CORE)
            if core and (included in gui or included.split("/")[0] in GUI_MODULES
                         or any(included.startswith(p) for p in OTHER_GUI_PREFIXES)):
                broken("a core file includes no widget or GUI header")
            if not internal:
                continue
            if core and not matches(included, CORE):
                broken("a core file includes only core files (%s is not one)" % included)
            for files_pattern, allowed, rule in ONLY:
                if fnmatch.fnmatchcase(path, files_pattern) and not matches(included, allowed):
                    broken(rule)
            for files_pattern, target, rule in FORBIDDEN:
                if fnmatch.fnmatchcase(path, files_pattern) and fnmatch.fnmatchcase(included, target):
                    broken(rule)
            for folder, shared, rule in SIBLINGS:
                a, b = path.split("/"), included.split("/")
                if (len(a) > 2 and len(b) > 2 and a[0] == b[0] == folder and a[1] != b[1]
                        and a[1] not in shared and b[1] not in shared):
                    broken(rule)
            own, other = layer_of(path), layer_of(included)
            if own is not None and other is not None and other < own:
                broken("src/%s is below src/%s and may not include it"
                       % (LAYERS[own], LAYERS[other]))
    for f, i, _ in EXEMPT:
        if (f, i) not in used_exemptions:
            problems.append("exemption no longer needed: src/%s includes %s: remove it from EXEMPT"
                            % (f, i))
    return problems


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    qt_dirs = [d for arg in sys.argv[2:] for d in arg.split(";") if d]
    problems = check(sys.argv[1], qt_dirs)
    for p in problems:
        print(p)
    if problems:
        print("%d include(s) break the layers; the rules are the tables at the top of %s"
              % (len(problems), os.path.basename(__file__)))
        return 1
    print("layers ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
