#!/usr/bin/env python3
"""Runs the benchmarks that have a goal and prints one table of them.

Every figure is the median of several repetitions, and every ratio is
taken between two medians of the same run, with the repetitions of the work
and of its baseline interleaved in random order: a machine busy with other
work slows both alike, and the ratio stays put where the times do not.

usage: benchtable.py BIN_FOLDER [REPETITIONS]
"""

import json
import os
import re
import statistics
import subprocess
import sys
import tempfile

TEXT_FIELDS = (1, 2, 5, 6, 7, 8, 9, 10)


def run(binary, pattern, repetitions, min_time):
    """The medians of each benchmark's repetitions: {name: {field: value}}."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        command = [
            binary,
            "--benchmark_filter=" + pattern,
            "--benchmark_repetitions=%d" % repetitions,
            "--benchmark_enable_random_interleaving=true",
            "--benchmark_min_time=%g" % min_time,
            "--benchmark_out_format=json",
            "--benchmark_out=" + out.name,
        ]
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, env=env)
        with open(out.name, encoding="utf-8") as handle:
            report = json.load(handle)
    runs = {}
    for entry in report["benchmarks"]:
        if entry.get("run_type") != "iteration" or entry.get("error_occurred"):
            continue
        # A minimum time set in the code is part of the name; the table
        # names the work alone.
        name = re.sub(r"/min_time:[0-9.]+", "", entry["run_name"])
        runs.setdefault(name, []).append(entry)
    medians = {}
    for name, entries in runs.items():
        fields = {}
        for key, value in entries[0].items():
            if isinstance(value, (int, float)) and not isinstance(value, bool):
                fields[key] = statistics.median(e[key] for e in entries)
        # Every time in seconds, whatever unit the benchmark prints in.
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[entries[0]["time_unit"]]
        fields["seconds"] = fields["real_time"] * scale
        medians[name] = fields
    return medians


def seconds_text(seconds):
    if seconds >= 1:
        return "%.2f s" % seconds
    if seconds >= 0.001:
        return "%.3g ms" % (seconds * 1e3)
    return "%.3g us" % (seconds * 1e6)


class Table:
    def __init__(self):
        self.rows = []

    def compare(self, work, spent, baseline, goal):
        """Two times of one run, their ratio held against `goal`."""
        ratio = spent / baseline
        self.rows.append((work, seconds_text(spent), seconds_text(baseline),
                          "%.2fx" % ratio, "<= %gx" % goal, ratio > goal))

    def add(self, work, time, baseline, ratio, goal, over):
        self.rows.append((work, time, baseline, ratio, goal, over))

    def print(self):
        heads = ("work", "time", "baseline", "ratio", "goal", "")
        rows = [heads] + [r[:5] + ("OVER GOAL" if r[5] else "",) for r in self.rows]
        widths = [max(len(r[i]) for r in rows) for i in range(len(heads))]
        for number, row in enumerate(rows):
            print("| " + " | ".join(c.ljust(w) for c, w in zip(row, widths)) + " |")
            if number == 0:
                print("|" + "|".join("-" * (w + 2) for w in widths) + "|")


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = sys.argv[1]
    repetitions = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    table = Table()

    def binary(name):
        return os.path.join(folder, name)

    # Opening apart from sorting: the sorts' report, read first, would leave
    # the heap other than a program that has just started finds it.
    report = run(binary("report_bench"), "BM_OpenReport|BM_Baseline_ReadFileBytes",
                 repetitions, 0.3)
    read = report["BM_Baseline_ReadFileBytes"]["seconds"]
    opened = report["BM_OpenReport"]
    table.compare("open a report of 100,000 expenses vs reading its bytes",
                  opened["seconds"], read, 3)
    heap = opened["heap_bytes_per_record"]
    disk = opened["file_bytes_per_record"]
    table.add("heap per expense vs its bytes in the file", "%.0f B" % heap, "%.0f B" % disk,
              "%.2fx" % (heap / disk), "<= 1x", heap / disk > 1.0)
    # Each sort against doubles met in the same kind of order: sorting again
    # the other way (or after one edit) meets keys in order, a first sort by
    # a heading meets them in none.
    report = run(binary("report_bench"),
                 "BM_Baseline_Sort|BM_Baseline_ReadEveryDate|BM_SortByField|"
                 "BM_FirstSortByField|BM_SortAfterOneEdit", repetitions, 0.3)
    ordered = report["BM_Baseline_SortDoubles"]["seconds"]
    shuffled = report["BM_Baseline_SortShuffledDoubles"]["seconds"]
    for bench, what, baseline, against in (
            ("BM_SortByField", "sort again, the other way", ordered, "doubles the other way"),
            ("BM_FirstSortByField", "first sort", shuffled, "shuffled doubles")):
        texts = {f: report["%s/%d" % (bench, f)]["seconds"] for f in TEXT_FIELDS}
        slowest = max(texts, key=texts.get)
        table.compare("%s by a text heading (slowest, field %d) vs 100,000 %s" %
                      (what, slowest, against), texts[slowest], baseline, 10)
        for field, name in ((0, "date"), (3, "amount")):
            table.compare("%s by %s vs 100,000 %s" % (what, name, against),
                          report["%s/%d" % (bench, field)]["seconds"], baseline, 3)
    # What a first sort pays before it sorts, however it sorts.
    gather = report["BM_Baseline_ReadEveryDate"]["seconds"]
    table.add("  of which reading each expense's date where it lies", seconds_text(gather),
              seconds_text(shuffled), "%.2fx" % (gather / shuffled), "-", False)
    edits = {f: report["BM_SortAfterOneEdit/%d" % f]["seconds"] for f in (0, 2, 3)}
    slowest = max(edits, key=edits.get)
    table.compare("one expense edited, then sorted (slowest, field %d) vs doubles the other way"
                  % slowest, edits[slowest], ordered, 3)

    archive = run(binary("archive_bench"), ".", repetitions, 0.3)
    decode = archive["BM_ArchiveRead"]
    copy = archive["BM_Baseline_CopyBytes"]
    rate = decode["payload_bytes"] / decode["seconds"] / 1e9
    table.add("archive decode, %.1f MB (%.2f GB/s)" % (decode["payload_bytes"] / 1e6, rate),
        seconds_text(decode["seconds"]), seconds_text(copy["seconds"]) + " copy",
        "%.1fx" % (decode["seconds"] / copy["seconds"]), ">= 1 GB/s", rate < 1.0)
    save = archive["BM_SaveObjectToFile"]["seconds"]
    plain = archive["BM_Baseline_WriteFile"]["seconds"]
    table.compare("save (crash-safe, synced) vs a plain synced write", save, plain, 1.5)
    replace = archive["BM_Baseline_ReplaceFile"]["seconds"]
    table.add("  the same save vs a new synced file renamed over the old",
              seconds_text(save), seconds_text(replace), "%.2fx" % (save / replace), "-", False)

    backup = run(binary("backup_bench"), "BM_Restore/0|BM_Baseline_InfoZipRestore",
                 repetitions, 0.5)
    restore = backup["BM_Restore/0"]["seconds"]
    unzip = backup["BM_Baseline_InfoZipRestore/1"]["seconds"]
    table.compare("restore %d files vs unzip -o of the same archive, over files on the disk" %
                  backup["BM_Restore/0"]["files"], restore, unzip, 1)
    cached = backup["BM_Baseline_InfoZipRestore/0"]["seconds"]
    table.add("  the same restore vs unzip -o over files it never let reach the disk",
              seconds_text(restore), seconds_text(cached), "%.2fx" % (restore / cached), "-",
              False)

    startup = run(binary("startup_bench"), ".", repetitions, 0.3)
    for count, goal in ((100000, 0.25), (1000, 0.08)):
        spent = startup["BM_StartToPaintedList/%d" % count]["seconds"]
        table.add("window start to the list painted, %s expenses" % format(count, ","),
                  seconds_text(spent), "-", "-", "<= %g s" % goal, spent > goal)

    table.print()
    return 0


if __name__ == "__main__":
    sys.exit(main())
