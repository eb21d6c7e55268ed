#!/usr/bin/env python3
"""Puts the figures of a bench/run.sh run into the documentation.

Usage: write_figures.py DOC TABLE CHILDREN

TABLE is what run.py printed, CHILDREN what malrechnen_children_bench printed. The text
between the two marker lines of DOC is replaced by them, headed by when and where they were
measured and with which settings; the rest of DOC stays as it is.
"""

import datetime
import os
import platform
import subprocess
import sys

BEGIN = "<!-- BEGIN figures: written by bench/run.sh, do not edit -->"
END = "<!-- END figures -->"

# The settings that shorten a run, with run.py's defaults.
KNOBS = [("RUNS", "10"), ("DROPS", "10000"), ("IDLE_SECONDS", "10"),
         ("IDLE_WINDOWS", None), ("BOXES", "10000"),
         ("MALRECHNEN_BENCH_HINTS", None), ("MALRECHNEN_BENCH_FIT", None),
         ("MALRECHNEN_BENCH_ESTIMATE", None)]


def output_of(argv):
    try:
        return subprocess.run(argv, capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return ""


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.machine()


def system():
    try:
        with open("/etc/debian_version") as f:
            return "Debian " + f.read().strip()
    except OSError:
        return platform.system()


def header():
    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    qt = output_of(["dpkg-query", "-W", "-f", "${Version}", "libqt6core6"]).split("+")[0]
    commit = output_of(["git", "rev-parse", "--short", "HEAD"])
    if commit and output_of(["git", "status", "--porcelain", "--untracked-files=no"]):
        commit += " mit Änderungen"
    settings = []
    shortened = False
    for name, default in KNOBS:
        value = os.environ.get(name)
        if value is not None:
            settings.append(f"{name}={value}")
            shortened = shortened or (default is not None and value != default)
    where = f"{cpu_model()}, {os.cpu_count()} Kerne, {system()}"
    if qt:
        where += f", Qt {qt}"
    lines = [f"Gemessen {now} auf {where}"
             + (f", Stand {commit}" if commit else "") + "."]
    lines.append("Einstellungen: " + (" ".join(settings) if settings else "Voreinstellungen")
                 + (" (verkürzter Lauf)" if shortened else "") + ".")
    return lines


def figures(table, children):
    return "\n".join([BEGIN, *header(), "", table.rstrip("\n"), "",
                      "Simulierte Kinder (`malrechnen_children_bench`):", "", "```",
                      children.rstrip("\n"), "```", END]) + "\n"


def replaced(doc, block):
    begin = doc.find(BEGIN)
    end = doc.find(END, begin)
    if begin < 0 or end < 0:
        return None
    end += len(END)
    if doc[end:end + 1] == "\n":
        end += 1
    return doc[:begin] + block + doc[end:]


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    path, table_path, children_path = sys.argv[1:]
    with open(table_path, encoding="utf-8") as f:
        table = f.read()
    with open(children_path, encoding="utf-8") as f:
        children = f.read()
    with open(path, encoding="utf-8") as f:
        doc = f.read()
    new = replaced(doc, figures(table, children))
    if new is None:
        print(f"{path}: the marker lines are missing:\n{BEGIN}\n{END}", file=sys.stderr)
        return 1
    with open(path, "w", encoding="utf-8") as f:
        f.write(new)
    print(f"Zahlen in {path} geschrieben", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
