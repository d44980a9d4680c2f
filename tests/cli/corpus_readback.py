#!/usr/bin/env python3
"""Converts every record of the shared corpus with zarva-cli into each data form and into a
single file, reads every written file back with the independent reader and compares its
values with the ones zarva-cli reads from the original: the same within half a code step of
the written scale, missing exactly where ours are missing, status samples equal. Differences
the other reader makes itself (it cannot read the original either; it takes a code of
revision 1991 binary data as missing) are listed but do not fail the test.

usage: corpus_readback.py ZARVA_CLI CORPUS REFREADER
Exit status 0 when every file reads back the same, 1 otherwise, 77 (skipped) without the
corpus or the reader.
"""
import json
import math
import os
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

SKIPPED = 77
FORMS = [("ASCII", ".cfg", "ascii"), ("BINARY", ".cfg", "binary"), ("BINARY32", ".cfg", "binary32"),
         ("FLOAT32", ".cfg", "float32"), ("CFF", ".cff", None)]


def run_json(command):
    done = subprocess.run(command, capture_output=True, text=True, encoding="utf-8", errors="replace")
    if done.returncode != 0:
        raise RuntimeError(done.stderr.strip() or done.stdout.strip())
    return json.loads(done.stdout)


def encoding_of(corpus, record):
    """The code page the other reader needs for the record's names, as expected/ records it."""
    for name in os.listdir(os.path.join(corpus, "expected")):
        with open(os.path.join(corpus, "expected", name), encoding="utf-8") as f:
            expected = json.load(f)
        if os.path.normpath(expected.get("record", "")) == os.path.normpath(record):
            used = (expected.get("encoding_used") or "").split(" ")[0]
            return None if used in ("", "utf-8") else used
    return None


# Within half a code step of the written scale; the other reader keeps values as 32-bit floats.
def same_value(ours, theirs, step):
    if ours is None or theirs is None:
        return ours is None and theirs is None
    return abs(ours - theirs) <= step / 2 * (1 + 1e-9) + abs(ours) * 1e-6 + 1e-12


def taken_as_missing(ours, channel, factor, binary1991):
    """The other reader takes code -1 of revision 1991 binary data as missing; that revision
    has no missing-value code, so the code is a value."""
    return binary1991 and ours is not None and round((ours / factor - channel["b"]) / channel["a"]) == -1


def compare(original, info, copy, binary1991):
    """The first difference between our reading of the original and theirs of the copy, and
    whether the other reader explains it; (None, False) when they are the same."""
    channels = original["channels"]
    analog = info["analog"]
    if len(copy["analog"]) != len(analog) or len(copy["status"]) != len(info["digital"]):
        return "channel counts differ", False
    if copy["total_samples"] != len(original["times"]):
        return "%d samples, not %d" % (copy["total_samples"], len(original["times"])), False
    quirk = None
    for j, channel in enumerate(copy["analog"]):
        factor = analog[j]["unit_factor"]
        step = abs(channel["a"]) * factor
        for i, (ours, theirs) in enumerate(zip(channels[j]["values"], channel["values"])):
            if same_value(ours, None if theirs is None else theirs * factor, step):
                continue
            difference = "%s sample %d: %r read back as %r" % (channel["id"], i, ours, theirs)
            if theirs is None and taken_as_missing(ours, channel, factor, binary1991):
                quirk = quirk or difference + " (code -1 of revision 1991 binary data taken as missing)"
                continue
            return difference, False
    for j, channel in enumerate(copy["status"]):
        ours = channels[len(analog) + j]["values"]
        if [int(v) for v in ours] != channel["values"]:
            return "status %s differs" % channel["id"], False
    return quirk, quirk is not None


def records(corpus):
    for folder, _, files in sorted(os.walk(corpus)):
        for name in sorted(files):
            if name.lower().endswith((".cfg", ".cff")):
                yield os.path.relpath(os.path.join(folder, name), corpus)


def check_record(cli, corpus, readback, scratch, record):
    """Each form of one record: (files equal, differences the other reader explains, failures)."""
    source = os.path.join(corpus, record)
    encoding = ["--encoding", encoding_of(corpus, record)] if encoding_of(corpus, record) else []
    try:
        original = run_json([cli, "dump", source, "--format", "json"])
        info = run_json([cli, "info", source, "--json"])
    except RuntimeError as error:
        return 0, [], ["%s: zarva-cli cannot read it: %s" % (record, error)]
    unreadable = None
    try:
        run_json([sys.executable, readback, source, "--max-values", "1"] + encoding)
    except (RuntimeError, ValueError) as error:
        unreadable = str(error).splitlines()[-1][:200]
    equal, explained, failures = 0, [], []
    for form, extension, option in FORMS:
        folder = tempfile.mkdtemp(dir=scratch)
        target = os.path.join(folder, "copy" + extension)
        command = [cli, "convert", source, target] + (["--type", option] if option else [])
        try:
            subprocess.run(command, check=True, capture_output=True)
            copy = run_json([sys.executable, readback, target] + encoding)
            difference, quirk = compare(original, info, copy, copy["rev_year"] == "1991" and form == "BINARY")
        except (RuntimeError, subprocess.CalledProcessError, ValueError) as error:
            difference = "not read back: %s" % str(error).splitlines()[-1][:200]
            quirk = difference.endswith(str(unreadable)) and unreadable is not None
            difference += " (nor is the original)" if quirk else ""
        if not difference:
            equal += 1
        else:
            (explained if quirk else failures).append("%s as %s: %s" % (record, form, difference))
    return equal, explained, failures


def main():
    cli, corpus, refreader = sys.argv[1:4]
    readback = os.path.join(refreader, "readback.py")
    if not os.path.isdir(os.path.join(corpus, "expected")) or not os.path.isfile(readback):
        print("skipped: the corpus of records or the independent reader is absent")
        return SKIPPED
    equal, explained, failures = 0, [], []
    with tempfile.TemporaryDirectory() as scratch, ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        checks = [pool.submit(check_record, cli, corpus, readback, scratch, r) for r in records(corpus)]
        for check in checks:
            found = check.result()
            equal += found[0]
            explained += found[1]
            failures += found[2]
    print("%d of %d converted files read back the same" % (equal, equal + len(explained) + len(failures)))
    for line in explained:
        print("  the other reader's doing: " + line)
    for line in failures:
        print("  DIFFERS: " + line)
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
