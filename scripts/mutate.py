#!/usr/bin/env python3
"""Plants faults made from the source itself, one at a time, and tells which ones the tests catch.

Usage: scripts/mutate.py [--count N] [--seed N] [--results TSV] [--again TSV] [--list FILE]

Every .cpp file of engine/, library/, cli/ and app/ is read and every place where an operator
applies gives a fault: a relational or logical operator swapped, a condition negated or removed,
an operand of && or || dropped, a statement or a `case` label removed, an integer constant one
more or one less, two arguments swapped. Lines that are only comments, strings or preprocessor
lines give none, and files compiled only for Windows (*_windows.cpp) give none either: no test
here builds them. A random sample of them (200 by default) is planted, drawn with the date as the
seed (`date +%Y%m%d`, printed), so nobody picks the sample.

The working tree (tracked and new files, as they are now) is copied to WORK/src and built in
WORK/build (Debug, -O0 with the standard library's checks, ccache, tests on, benchmarks off); the
tree itself is never touched. For each fault the file is changed in the copy, only what depends
on it is rebuilt, the test programs that were rebuilt run with a time limit, and the file is
restored, also on Ctrl+C. A fault is "caught" when a test fails, "timeout" when the tests run past the limit (counted as caught),
"survived" when every test passes, and "not compiling" when it does not build (not counted).

Each result is written to the table as soon as it is known, so an interrupted run keeps what it
found, and the same command run again plants only the faults the table does not tell yet. --again TSV plants anew only the faults that survived in a table of an earlier run (those
whose note says why they are equivalent are kept as they are) and writes the merged table.
--list FILE plants the hand-written faults of scripts/faults.txt instead (faults no operator
makes: file, exact text to find, replacement, why).
"""
import argparse
import datetime
import os
import pathlib
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ("engine", "library", "cli", "app")
SKIPPED = ("app/tools/",)  # programs run while building the documentation, not shipped code
BUILT_ELSEWHERE = "_windows.cpp"  # compiled only for Windows, so no fault there can show here
LINE_BREAK = "\u23ce"  # stands for a line break in the texts of a hand-written fault
COLUMNS = ("id", "outcome", "folder", "file", "line", "operator", "before", "after", "note")
# Quickest first, so a caught fault stops early; large_input_tests is left to `ctest -L slow`.
TEST_PROGRAMS = ("tests/engine/engine_tests", "tests/cases/cases_tests",
                 "tests/library/library_tests", "tests/hostile/hostile_tests",
                 "tests/cli/cli_tests", "tests/app/shell_services_test",
                 "tests/app/library_window_test", "tests/app/main_window_test",
                 "ctest:export")
LEFT_TO_SLOW_RUNS = ("tests/hostile/large_input_tests",)
# A change to the program or the desktop module is seen by the command-line tests and by the
# check that reads the exported sheets back with readers of their own ("ctest:NAME" runs the
# CTest tests named NAME.*), which start them.
STARTED_BY_TESTS = {"cli/tavrel": ("tests/cli/cli_tests", "ctest:export"),
                    "lib/tavrel/tavrel-desktop.so": ("tests/cli/cli_tests", "ctest:export")}


# --- finding the places a fault can be made --------------------------------------------------

def code_only(text):
    """The text with comments, string and character literals and preprocessor lines blanked
    (line breaks kept), so operators are looked for in code alone."""
    out, i, n = list(text), 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    line_start = True
    while i < n:
        c = text[i]
        if line_start and text[i:].lstrip(" \t").startswith("#"):
            end = i
            while True:  # a preprocessor line, continued by a backslash
                end = text.find("\n", end)
                end = n if end < 0 else end
                if end > 0 and text[end - 1] == "\\":
                    end += 1
                    continue
                break
            blank(i, end)
            i = end
            continue
        line_start = c == "\n" or (line_start and c in " \t")
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == '"' and i > 0 and text[i - 1] == "R":
            match = re.match(r'"([^(\s]*)\(', text[i:])
            end = text.find(")" + match.group(1) + '"', i) if match else -1
            end = n if end < 0 else end + len(match.group(1)) + 2
            blank(i - 1, end)
            i = end
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i, k + 1)
            i = k + 1
        else:
            i += 1
    return "".join(out)


def closing(code, start):
    """The index of the parenthesis closing the one at start, on the same line, or -1."""
    depth = 0
    for k in range(start, len(code)):
        if code[k] == "(":
            depth += 1
        elif code[k] == ")":
            depth -= 1
            if depth == 0:
                return k
        elif code[k] == "\n":
            return -1
    return -1


def operand_end(code, start, step):
    """Where the operand of && or || beginning at start ends, walking by step (1 or -1)."""
    depth, k = 0, start
    while 0 <= k < len(code):
        c = code[k]
        if c in "([{" if step > 0 else c in ")]}":
            depth += 1
        elif c in ")]}" if step > 0 else c in "([{":
            if depth == 0:
                return k
            depth -= 1
        elif depth == 0 and (c in ";,?\n" or code.startswith("&&", k) or code.startswith("||", k)
                             or (step < 0 and code.startswith("&&", k - 1))
                             or (step < 0 and code.startswith("||", k - 1))):
            return k
        k += step
    return k


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
STATEMENT = re.compile(r"^[ \t]*(?:(?:\+\+|--)?[\w.:\[\]>-]+(?:\(.*\))?(?:\+\+|--)?"
                       r"(?:\s*(?:[-+*/|&^]?=|<<=|>>=)\s*.+)?|break|continue|return);\s*$")
DECLARATION = re.compile(r"^\s*(?:return\b|const\b|auto\b|using\b|static\b|[\w:<>,]+[&*]*\s+[&*]*\w+"
                         r"\s*(?:[=({;]|$))")


def starts_statement(code, start):
    """True when the code before start ends a statement or opens a block."""
    before = code[:start].rstrip()
    return not before or before[-1] in ";{}:"


def line_faults(code, text, start, end):
    """The faults of one line: (operator, start, end, replacement) over offsets of the file."""
    line = code[start:end]
    found = []
    for match in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", line):
        op = match.group(1)
        found.append(("relational", start + match.start(1), start + match.end(1), RELATIONAL[op]))
    for match in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", line):
        op = match.group(1)
        found.append(("logical", start + match.start(1), start + match.end(1),
                      "||" if op == "&&" else "&&"))
        right = operand_end(code, start + match.end(1) + 1, 1)
        found.append(("operand dropped", start + match.start(1) - 1, right, ""))
        left = operand_end(code, start + match.start(1) - 2, -1)
        found.append(("operand dropped", left + 1, start + match.end(1) + 1, ""))
    for match in re.finditer(r"(?<![\w)\]=!<>])!(?!=)", line):
        found.append(("negation dropped", start + match.start(), start + match.end(), ""))
    for match in re.finditer(r"\b(if|while) \(", line):
        open_at = start + match.end() - 1
        close_at = closing(code, open_at)
        if close_at < 0:
            continue
        condition = text[open_at + 1:close_at]
        found.append(("condition negated", open_at + 1, close_at, f"!({condition})"))
        if match.group(1) == "if":
            found.append(("condition removed", open_at + 1, close_at, "true"))
            found.append(("condition removed", open_at + 1, close_at, "false"))
    case = re.match(r"^\s*(case\s+(?:\w|::)+\s*:)(?!:)", line)
    if case:
        found.append(("case removed", start + case.start(1), start + case.end(1), ""))
    elif STATEMENT.match(line) and not DECLARATION.match(line) and starts_statement(code, start) \
            and line.count("(") == line.count(")"):
        first = start + len(line) - len(line.lstrip())
        found.append(("statement removed", first, end, ";"))
    for match in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", line):
        value = int(match.group(1))
        for other in (value + 1, value - 1):
            found.append(("constant", start + match.start(1), start + match.end(1), str(other)))
    for match in re.finditer(r"\b\w+\(([^(),]+), ([^(),]+)\)", line):
        first, second = match.group(1), match.group(2)
        if first.strip() != second.strip():
            found.append(("arguments swapped", start + match.start(1), start + match.end(2),
                          f"{second}, {first}"))
    return found


def source_files():
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", *FOLDERS], cwd=ROOT,
                            check=True, capture_output=True, text=True).stdout.split()
    return sorted(name for name in listed if name.endswith(".cpp")
                  and not name.startswith(SKIPPED) and not name.endswith(BUILT_ELSEWHERE)
                  and (ROOT / name).is_file())


def all_faults():
    faults = []
    for name in source_files():
        text = (ROOT / name).read_text(encoding="utf-8")
        code = code_only(text)
        offset = 0
        for number, line in enumerate(code.split("\n"), 1):
            end = offset + len(line)
            if line.strip():
                for operator, start, stop, replacement in line_faults(code, text, offset, end):
                    line_text = text[offset:end]
                    after = line_text[:start - offset] + replacement + line_text[stop - offset:]
                    faults.append({"file": name, "line": number, "operator": operator,
                                   "before": line_text.strip(), "after": after.strip(),
                                   "indent": line_text[:len(line_text) - len(line_text.lstrip())]})
            offset = end + 1
    for number, fault in enumerate(faults):
        fault["id"] = f"{fault['file']}:{fault['line']}:{number}"
    return faults


# --- planting them ---------------------------------------------------------------------------

def sync_tree(copy, revision=None):
    """Copies the files of the working tree (or of a commit) whose bytes changed, keeping the
    others' times so that the build stays incremental, and removes the files it does not have."""
    command = ["git", "ls-tree", "-r", "-z", "--name-only", revision] if revision else \
        ["git", "ls-files", "-co", "--exclude-standard", "-z"]
    listed = subprocess.run(command, cwd=ROOT, check=True, capture_output=True).stdout
    listed = set(filter(None, listed.decode().split("\0")))
    for stale in [p for p in copy.rglob("*") if p.is_file()]:
        if str(stale.relative_to(copy)) not in listed:
            stale.unlink()
    for name in listed:
        target = copy / name
        if revision:
            data = subprocess.run(["git", "show", f"{revision}:{name}"], cwd=ROOT, check=True,
                                  capture_output=True).stdout
        elif (ROOT / name).is_file():
            data = (ROOT / name).read_bytes()
        else:
            continue
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        if not revision:
            shutil.copymode(ROOT / name, target)


def run(command, cwd, log, limit=None, env=None):
    """The exit status of command, or None when it ran past limit seconds (then it is killed)."""
    with open(log, "a") as out:
        process = subprocess.Popen(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                   env=env, start_new_session=True)
        try:
            return process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def configure(work):
    # The standard library's checks turn a read past the end of a container into a failure, as
    # the sanitized build of the test command does.
    command = ["cmake", "-S", str(work / "src"), "-B", str(work / "build"), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -D_GLIBCXX_ASSERTIONS",
               "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DTAVREL_BUILD_TESTS=ON",
               "-DTAVREL_BUILD_BENCH=OFF", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld",
               "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"]
    if run(command, work, work / "configure.log") != 0:
        sys.exit(f"configuring failed; see {work / 'configure.log'}")


def stamps(build):
    names = [name for name in TEST_PROGRAMS if not name.startswith("ctest:")]
    names += list(STARTED_BY_TESTS)
    return {name: (build / name).stat().st_mtime_ns if (build / name).exists() else 0
            for name in names}


def build(work):
    return run(["cmake", "--build", str(work / "build"), "--parallel", "2"], work,
               work / "build.log") == 0


def tests_pass(work, programs, limit):
    """True when every program passes, False when one fails, None past the time limit."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    deadline = time.monotonic() + limit
    for program in TEST_PROGRAMS:
        if program not in programs:
            continue
        left = deadline - time.monotonic()
        if left <= 0:
            return None
        if program.startswith("ctest:"):
            command = ["ctest", "--test-dir", str(work / "build"), "--no-tests=error", "-R",
                       "^" + program.removeprefix("ctest:") + r"\."]
            status = run(command, work / "build", work / "test.log", left, env)
        else:
            path = work / "build" / program
            status = run([str(path)], path.parent, work / "test.log", left, env)
        if status is None:
            return None
        if status != 0:
            return False
    return True


def unlisted_programs(build):
    """Test programs of the build that TEST_PROGRAMS forgets."""
    found = {str(path.relative_to(build)) for path in (build / "tests").rglob("*")
             if path.is_file() and os.access(path, os.X_OK) and path.suffix == ""}
    return sorted(found - set(TEST_PROGRAMS) - set(LEFT_TO_SLOW_RUNS))


def rebuilt_programs(before, after):
    changed = {name for name in after if after[name] != before.get(name)}
    programs = {name for name in changed if name in TEST_PROGRAMS}
    for name in changed & STARTED_BY_TESTS.keys():
        programs |= set(STARTED_BY_TESTS[name])
    return programs


def plant(work, relative, change, limit):
    """Applies change (old text -> new text) to the copy of one file, rebuilds, runs the tests
    that depend on it and restores the file. Returns the outcome."""
    path = work / "src" / relative
    original = path.read_text(encoding="utf-8")
    changed = change(original)
    if changed is None:
        return "not applicable"
    before = stamps(work / "build")
    try:
        path.write_text(changed, encoding="utf-8")
        (work / "build.log").write_text("")
        (work / "test.log").write_text("")
        if not build(work):
            return "not compiling"
        programs = rebuilt_programs(before, stamps(work / "build"))
        if not programs:
            return "survived"  # nothing the tests run was changed by it
        passed = tests_pass(work, programs, limit)
        return "timeout" if passed is None else "survived" if passed else "caught"
    finally:
        path.write_text(original, encoding="utf-8")


def line_change(fault):
    """Replaces the line fault['before'] nearest to fault['line'] with fault['after']."""
    def change(text):
        lines = text.split("\n")
        places = [i for i, line in enumerate(lines) if line.strip() == fault["before"]]
        if not places:
            return None
        at = min(places, key=lambda i: abs(i + 1 - int(fault["line"])))
        lines[at] = lines[at][:len(lines[at]) - len(lines[at].lstrip())] + fault["after"]
        return "\n".join(lines)
    return change


def text_change(fault):
    def change(text):
        if fault["find"] not in text:
            return None
        return text.replace(fault["find"], fault["replace"], 1)
    return change


def read_hand_faults(path):
    faults, fault = [], None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            fault = {"id": line[1:-1], "line": number, "operator": "hand-written"}
            faults.append(fault)
            continue
        key, _, value = line.partition(": ")
        if fault is None or key not in ("file", "find", "replace", "why"):
            sys.exit(f"{path}:{number}: expected [name] or file/find/replace/why: value")
        fault[key] = value.replace(LINE_BREAK, "\n")
    for fault in faults:
        missing = {"file", "find", "replace", "why"} - fault.keys()
        if missing:
            sys.exit(f"{path}:{fault['line']}: fault {fault['id']} lacks {', '.join(missing)}")
        fault.update(before=fault["find"].replace("\n", LINE_BREAK),
                     after=fault["replace"].replace("\n", LINE_BREAK), note=fault["why"])
    return faults


# --- the table -------------------------------------------------------------------------------

def read_table(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    return [dict(zip(COLUMNS, line.split("\t"))) for line in lines[1:] if line]


def write_table(path, rows):
    path.parent.mkdir(parents=True, exist_ok=True)
    text = "\t".join(COLUMNS) + "\n"
    for row in rows:
        text += "\t".join(str(row.get(column, "")) for column in COLUMNS) + "\n"
    path.write_text(text, encoding="utf-8")


def judged(row):
    """A survivor's note: "equivalent: why" (no behaviour changes) or "cosmetic: why" (only
    spacing, sizes or names a person might notice in a picture, which no promise covers)."""
    return row.get("note", "").split(":")[0] if row["outcome"] == "survived" else ""


def equivalent(row):
    return judged(row) in ("equivalent", "cosmetic")


def summary(rows):
    print()
    for folder in FOLDERS + ("all",):
        mine = [r for r in rows if "outcome" in r and folder in ("all", r["folder"])]
        caught = sum(r["outcome"] in ("caught", "timeout") for r in mine)
        survived = [r for r in mine if r["outcome"] == "survived"]
        missed = sum(not equivalent(r) for r in survived)
        cosmetic = sum(judged(r) == "cosmetic" for r in survived)
        rate = f"{100 * caught / (caught + missed):.0f}%" if caught + missed else "-"
        print(f"  {folder:8} {len(mine)} planted, {caught + len(survived)} built, {caught} caught;"
              f" survived: {missed} observable, {cosmetic} cosmetic,"
              f" {len(survived) - missed - cosmetic} equivalent; {rate} of the observable caught")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--count", type=int, default=200, help="how many faults to plant")
    parser.add_argument("--seed", type=int, help="the seed of the sample (the date by default)")
    parser.add_argument("--work", type=pathlib.Path, default=ROOT / "build-mutate")
    parser.add_argument("--results", type=pathlib.Path, help="the table to write")
    parser.add_argument("--again", type=pathlib.Path, help="plant the survivors of this table")
    parser.add_argument("--list", type=pathlib.Path, help="plant these hand-written faults")
    parser.add_argument("--limit", type=int, default=90, help="seconds of tests per fault")
    parser.add_argument("--at", metavar="COMMIT", help="plant in this commit, not the tree")
    parser.add_argument("--dry-run", action="store_true", help="only print the sample")
    parser.add_argument("--summary", action="store_true", help="only print the rates of a table")
    args = parser.parse_args()
    # Ctrl+C and kill both unwind, so the file being changed is restored.
    signal.signal(signal.SIGTERM, signal.default_int_handler)

    if args.list:
        rows = read_hand_faults(args.list)
        for row in rows:
            row["folder"] = row["file"].split("/")[0]
        change = text_change
    elif args.again:
        rows = read_table(args.again)
        change = line_change
    else:
        seed = args.seed or int(datetime.date.today().strftime("%Y%m%d"))
        faults = all_faults()
        rows = random.Random(seed).sample(faults, min(args.count, len(faults)))
        print(f"seed {seed}: {len(rows)} of {len(faults)} faults", flush=True)
        for row in rows:
            row["folder"] = row["file"].split("/")[0]
        change = line_change
    results = args.results or args.again or ROOT / "docs" / "mutation" / "mutants.tsv"
    if args.summary:
        summary(read_table(results))
        return 0
    if not args.again and not args.list and results.exists():
        # The same sample again: what the table already tells is kept, the rest is planted.
        done = {row["id"]: row for row in read_table(results)}
        for row in rows:
            if row["id"] in done:
                row.update(outcome=done[row["id"]]["outcome"], note=done[row["id"]].get("note", ""))
    if args.dry_run:
        for row in rows:
            print(f"{row['id']:45} {row['operator']:18} {row['after']}")
        return 0

    work = args.work.resolve()
    (work / "src").mkdir(parents=True, exist_ok=True)
    sync_tree(work / "src", args.at)
    configure(work)
    if not build(work) or tests_pass(work, set(TEST_PROGRAMS), 600) is not True:
        sys.exit(f"the tree without faults does not build or pass; see {work}/*.log")
    unlisted = unlisted_programs(work / "build")
    if unlisted:
        sys.exit(f"test programs no fault would run: {', '.join(unlisted)}; add them to "
                 "TEST_PROGRAMS")

    try:
        for row in rows:
            if "outcome" in row and not (args.again and row["outcome"] == "survived"
                                         and not equivalent(row)):
                continue
            started = time.monotonic()
            row["outcome"] = plant(work, row["file"], change(row), args.limit)
            print(f"{row['outcome']:14} {time.monotonic() - started:5.0f} s  {row['id']}  "
                  f"{row['operator']}: {row['after']}", flush=True)
            write_table(results, [r for r in rows if "outcome" in r])
    finally:
        build(work)  # leave the copy built as the tree is
    summary(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
