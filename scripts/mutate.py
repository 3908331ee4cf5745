#!/usr/bin/env python3
"""Plants one fault at a time in a copy of the tree, rebuilds it incrementally, runs the tests
and tells which faults they caught.

Usage: scripts/mutate.py [--work DIR] [--results FILE] [--check] [FAULT...]

The faults are listed in scripts/faults.txt. The working tree (tracked and new files, as they
are now) is copied to WORK/src, built in WORK/build, and every fault is planted there alone:
the tree itself is never touched. A fault whose text is no longer found is "not applicable";
one that no longer compiles is "does not build". Both are left out of the catch rate.
"""
import argparse
import pathlib
import shutil
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
LINE_BREAK = "\u23ce"  # stands for a line break in the texts of a fault
TEST_COMMAND = ["ctest", "--output-on-failure", "-LE", "package|slow", "--stop-on-failure",
                "--parallel", "2", "--timeout", "120"]


def read_faults(path):
    faults, fault = [], None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            fault = {"name": line[1:-1], "line": number}
            faults.append(fault)
            continue
        key, _, value = line.partition(": ")
        if fault is None or key not in ("file", "find", "replace", "why"):
            sys.exit(f"{path}:{number}: expected [name] or file/find/replace/why: value")
        fault[key] = value.replace(LINE_BREAK, "\n")
    for fault in faults:
        missing = {"file", "find", "replace", "why"} - fault.keys()
        if missing:
            sys.exit(f"{path}:{fault['line']}: fault {fault['name']} lacks {', '.join(missing)}")
    return faults


def sync_tree(copy):
    """Copies the files of the working tree whose bytes changed, keeping the others' times so
    that the build stays incremental, and removes the files the tree no longer has."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                            check=True, capture_output=True).stdout.decode().split("\0")
    listed = set(filter(None, listed))
    for stale in [p for p in copy.rglob("*") if p.is_file()]:
        if str(stale.relative_to(copy)) not in listed:
            stale.unlink()
    for name in listed:
        source, target = ROOT / name, copy / name
        if not source.is_file():
            continue
        if target.is_file() and target.read_bytes() == source.read_bytes():
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(source, target)


def run(command, cwd, log):
    with open(log, "w") as out:
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT).returncode


def build(work):
    return run(["cmake", "--build", str(work / "build"), "--parallel", "2"], work,
               work / "build.log") == 0


def tests_pass(work):
    return run(TEST_COMMAND, work / "build", work / "test.log") == 0


def configure(work):
    if (work / "build" / "build.ninja").exists():
        return
    # Quick to compile and quick to run: light optimisation, no debug information.
    command = ["cmake", "-S", str(work / "src"), "-B", str(work / "build"), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O1", "-DTAVREL_BUILD_TESTS=ON",
               "-DTAVREL_BUILD_BENCH=OFF", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
    if run(command, work, work / "configure.log") != 0:
        sys.exit(f"configuring failed; see {work / 'configure.log'}")


def try_fault(work, fault):
    path = work / "src" / fault["file"]
    if not path.is_file():
        return "not applicable"
    original = path.read_text(encoding="utf-8")
    if fault["find"] not in original:
        return "not applicable"
    try:
        path.write_text(original.replace(fault["find"], fault["replace"], 1), encoding="utf-8")
        if not build(work):
            return "does not build"
        return "missed" if tests_pass(work) else "caught"
    finally:
        path.write_text(original, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("faults", nargs="*", help="names of the faults to plant (all by default)")
    parser.add_argument("--work", type=pathlib.Path, default=ROOT / "build-mutate")
    parser.add_argument("--results", type=pathlib.Path, help="where to write the per-fault table")
    parser.add_argument("--list", type=pathlib.Path, default=ROOT / "scripts" / "faults.txt")
    parser.add_argument("--check", action="store_true",
                        help="only tell which faults still apply to the tree")
    args = parser.parse_args()

    faults = read_faults(args.list)
    if args.faults:
        faults = [f for f in faults if f["name"] in args.faults]
    work = args.work.resolve()
    (work / "src").mkdir(parents=True, exist_ok=True)
    sync_tree(work / "src")
    if args.check:
        for fault in faults:
            text = (ROOT / fault["file"]).read_text(encoding="utf-8") \
                if (ROOT / fault["file"]).is_file() else ""
            count = text.count(fault["find"])
            print(f"{fault['name']:40} {'ok' if count == 1 else f'found {count} times'}")
        return 0

    configure(work)
    if not build(work) or not tests_pass(work):
        sys.exit(f"the tree without faults does not build or pass; see {work}/*.log")

    rows = []
    for fault in faults:
        started = time.monotonic()
        outcome = try_fault(work, fault)
        seconds = time.monotonic() - started
        rows.append((fault, outcome))
        print(f"{outcome:15} {seconds:6.0f} s  {fault['name']}", flush=True)
    build(work)  # leave the copy built as the tree is

    table = [f"{outcome}\t{fault['file'].split('/')[0]}\t{fault['name']}\t{fault['why']}"
             for fault, outcome in rows]
    if args.results:
        args.results.write_text("\n".join(table) + "\n", encoding="utf-8")
    counted = [(f, o) for f, o in rows if o in ("caught", "missed")]
    caught = sum(o == "caught" for _, o in counted)
    print(f"\ncaught {caught} of {len(counted)} faults"
          f" ({len(rows) - len(counted)} not applicable or not building)")
    for area in sorted({f["file"].split("/")[0] for f, _ in counted}):
        in_area = [o for f, o in counted if f["file"].split("/")[0] == area]
        print(f"  {area:8} {in_area.count('caught')} of {len(in_area)}")
    missed = [f for f, o in counted if o == "missed"]
    if missed:
        print("missed:")
        for fault in missed:
            print(f"  {fault['name']}: {fault['why']}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
