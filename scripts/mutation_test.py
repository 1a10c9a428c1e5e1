#!/usr/bin/env python3
"""Mutation testing of the Qt-free library and the command-line tool.

Picks random mutation sites in the .cpp files of engine/ info/ library/ tools/ cli/,
applies one mutant at a time to a scratch copy of the tree, rebuilds it and runs the
GoogleTest executables. A mutant that some test notices (a failure, a crash or a
time-out) is killed; one that does not build does not count. Started through
scripts/mutation-test.sh, which runs it at low priority.
"""

import argparse
import fnmatch
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_FOLDERS = ["engine", "info", "library", "tools", "cli"]
# Built on Windows only: a mutant there could never be seen on Linux.
NOT_BUILT_HERE = re.compile(r"Win32\.cpp$")
SUITES = ["engine_tests", "info_tests", "library_tests", "tools_tests", "cli_tests"]
TARGETS = SUITES + ["vaskedit-cli"]
COPY_SKIPPED = {".git", ".cache", "out"}

# (pattern on the masked line, replacement). Comparison and logical operators only
# when they stand between spaces, as the formatter writes binary operators: a
# template's angle brackets, shifts, arrows and rvalue references never do.
OPERATORS = [
    (re.compile(r"(?<= )==(?= )"), "!="),
    (re.compile(r"(?<= )!=(?= )"), "=="),
    (re.compile(r"(?<= )<(?= )"), ">="),
    (re.compile(r"(?<= )>=(?= )"), "<"),
    (re.compile(r"(?<= )>(?= )"), "<="),
    (re.compile(r"(?<= )<=(?= )"), ">"),
    (re.compile(r"(?<= )&&(?= )"), "||"),
    (re.compile(r"(?<= )\|\|(?= )"), "&&"),
    (re.compile(r" \+ 1(?![\w.'])"), ""),
    (re.compile(r" - 1(?![\w.'])"), ""),
    (re.compile(r"\btrue\b"), "false"),
    (re.compile(r"\bfalse\b"), "true"),
]


@dataclass
class Site:
    path: str  # relative to the tree
    line: int  # 1-based
    column: int  # 0-based, in the line
    old: str
    new: str


def mask_code(text):
    """The text with comments, string and character literals blanked out (line
    breaks kept), so that positions still match the original."""
    out = list(text)
    i, n = 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
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
        elif c == "R" and text.startswith('"', i + 1) and not (i and (text[i - 1].isalnum() or text[i - 1] == "_")):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2 : open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            blank(i, end)
            i = end
        elif c == '"' or (c == "'" and not (i and text[i - 1].isalnum())):
            # A quote after a letter or digit is a digit separator (1'000).
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i, min(k + 1, n))
            i = k + 1
        else:
            i += 1
    return "".join(out)


def sites_in(relative_path):
    text = (ROOT / relative_path).read_text(encoding="utf-8", errors="surrogateescape")
    masked = mask_code(text).split("\n")
    lines = text.split("\n")
    found = []
    continued = False
    for number, line in enumerate(masked, start=1):
        directive = continued or line.lstrip().startswith("#")
        continued = directive and lines[number - 1].rstrip().endswith("\\")
        if directive:
            continue
        for pattern, replacement in OPERATORS:
            for match in pattern.finditer(line):
                found.append(Site(relative_path, number, match.start(), match.group(0), replacement))
    return found


def production_files(globs):
    files = []
    for folder in SOURCE_FOLDERS:
        for path in sorted((ROOT / folder).rglob("*.cpp")):
            relative = path.relative_to(ROOT).as_posix()
            if NOT_BUILT_HERE.search(relative):
                continue
            if globs and not any(fnmatch.fnmatch(relative, g) for g in globs):
                continue
            files.append(relative)
    return files


def mutated_text(original, site):
    lines = original.split("\n")
    line = lines[site.line - 1]
    lines[site.line - 1] = line[: site.column] + site.new + line[site.column + len(site.old) :]
    return "\n".join(lines)


def shown(site, text):
    return text.split("\n")[site.line - 1].strip()


def sync_copy(source, target):
    """Makes TARGET hold the tree at SOURCE. Only files whose content differs are
    written, and they get the current time: the build then redoes exactly those,
    including one left mutated by a run that was killed."""
    target.mkdir(parents=True, exist_ok=True)
    wanted = set()
    for directory, subdirs, files in os.walk(source):
        relative_dir = Path(directory).relative_to(source)
        subdirs[:] = [
            d
            for d in subdirs
            if not (relative_dir == Path(".") and (d in COPY_SKIPPED or d.startswith("build")))
        ]
        for name in files:
            relative = relative_dir / name
            wanted.add(relative)
            source_file, target_file = source / relative, target / relative
            data = source_file.read_bytes()
            if target_file.is_file() and target_file.read_bytes() == data:
                continue
            target_file.parent.mkdir(parents=True, exist_ok=True)
            target_file.write_bytes(data)
            shutil.copymode(source_file, target_file)
    for directory, _, files in os.walk(target):
        for name in files:
            relative = Path(directory).relative_to(target) / name
            if relative not in wanted:
                (target / relative).unlink()


def run_logged(command, log, cwd=None, timeout=None):
    """Runs COMMAND in its own process group; returns its exit code, or None when it
    ran past TIMEOUT (the whole group is then ended)."""
    with open(log, "w") as out:
        process = subprocess.Popen(
            command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, start_new_session=True
        )
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            return None
        except BaseException:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise


class Runner:
    def __init__(self, work, jobs):
        self.source = work / "src"
        self.build = work / "build"
        self.logs = work / "logs"
        self.jobs = jobs
        self.timeouts = {}

    def prepare(self):
        sync_copy(ROOT, self.source)
        self.logs.mkdir(parents=True, exist_ok=True)
        configure = [
            "cmake", "-S", str(self.source), "-B", str(self.build), "-G", "Ninja",
            "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DVASK_BUILD_GUI=OFF",
            "-DVASK_BUILD_BENCH=OFF", "-DVASK_BUILD_TESTS=ON",
        ]
        if run_logged(configure, self.logs / "configure.log") != 0:
            sys.exit(f"configure failed: see {self.logs / 'configure.log'}")
        if not self.compile("baseline"):
            sys.exit(f"the unchanged tree does not build: see {self.logs / 'baseline-build.log'}")
        for suite in SUITES:
            started = time.monotonic()
            if self.run_suite(suite, "baseline", timeout=600) != 0:
                sys.exit(f"{suite} fails on the unchanged tree: see {self.logs}/baseline-{suite}.log")
            # A mutant that makes a suite this much slower is taken as hanging.
            self.timeouts[suite] = max(30.0, 5 * (time.monotonic() - started))

    def compile(self, name):
        command = ["cmake", "--build", str(self.build), f"-j{self.jobs}", "--target"] + TARGETS
        return run_logged(command, self.logs / f"{name}-build.log") == 0

    def run_suite(self, suite, name, timeout):
        """The suite's exit code; None after a time-out. A run that ends with 0 but
        without GoogleTest's report (the code under test ended the process early)
        counts as a failure."""
        executable = self.build / "tests" / suite
        report = self.logs / f"{name}-{suite}.json"
        report.unlink(missing_ok=True)
        command = [str(executable), "--gtest_brief=1", "--gtest_fail_fast",
                   f"--gtest_output=json:{report}"]
        code = run_logged(command, self.logs / f"{name}-{suite}.log", cwd=self.build / "tests",
                          timeout=timeout)
        if code == 0 and not report.is_file():
            return -1
        return code

    def suites_for(self, site):
        # cli_tests alone links the command-line code; the suite of the mutated
        # folder goes first, as the one most likely to notice.
        folder = site.path.split("/")[0]
        if folder == "cli":
            return ["cli_tests"]
        first = f"{folder}_tests"
        return [first] + [s for s in SUITES if s != first]

    def try_mutant(self, index, site):
        """Returns ("killed", suite), ("survived", None) or ("no-compile", None)."""
        target = self.source / site.path
        original = target.read_text(encoding="utf-8", errors="surrogateescape")
        try:
            target.write_text(mutated_text(original, site), encoding="utf-8", errors="surrogateescape")
            name = f"mutant{index:03d}"
            if not self.compile(name):
                return "no-compile", None
            for suite in self.suites_for(site):
                code = self.run_suite(suite, name, self.timeouts[suite])
                if code is None:
                    return "killed", f"{suite}, time-out"
                if code == -1:
                    return "killed", f"{suite}, ended early"
                if code != 0:
                    return "killed", suite
            return "survived", None
        finally:
            # Written anew, so the restored file is newer than the mutant's objects.
            target.write_text(original, encoding="utf-8", errors="surrogateescape")


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, required=True, help="seed of the random choice")
    parser.add_argument("--sample", type=int, required=True, help="number of mutants to try")
    parser.add_argument("--files", action="append", default=[], metavar="GLOB",
                        help="only files matching GLOB (relative to the tree; repeatable)")
    parser.add_argument("--summary", type=Path, help="also write the results to this file")
    parser.add_argument("--work", type=Path, default=ROOT / "build-mutation",
                        help="scratch copy, build and logs (default: build-mutation)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs (default: 2)")
    parser.add_argument("--list", action="store_true",
                        help="only print the chosen mutants; build and run nothing")
    return parser.parse_args()


def main():
    arguments = parse_arguments()
    # Ending by a signal still runs the restoring `finally` blocks.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, lambda received, _frame: sys.exit(128 + received))

    files = production_files(arguments.files)
    all_sites = [site for path in files for site in sites_in(path)]
    if not all_sites:
        sys.exit("no mutation sites in the chosen files")
    chosen = random.Random(arguments.seed).sample(all_sites, min(arguments.sample, len(all_sites)))
    print(f"{len(all_sites)} mutation sites in {len(files)} files; seed {arguments.seed}, "
          f"sample {len(chosen)}", flush=True)

    runner = Runner(arguments.work.resolve(), arguments.jobs)
    if not arguments.list:
        runner.prepare()

    rows = []
    counts = {"killed": 0, "survived": 0, "no-compile": 0}
    for index, site in enumerate(chosen, start=1):
        original = (ROOT / site.path).read_text(encoding="utf-8", errors="surrogateescape")
        before, after = shown(site, original), shown(site, mutated_text(original, site))
        heading = f"[{index}/{len(chosen)}] {site.path}:{site.line}: {before}  ->  {after}"
        if arguments.list:
            print(heading, flush=True)
            continue
        outcome, detail = runner.try_mutant(index, site)
        counts[outcome] += 1
        row = f"{heading}  => {outcome}" + (f" ({detail})" if detail else "")
        rows.append(row)
        print(row, flush=True)
    if arguments.list:
        return 0

    compiled = counts["killed"] + counts["survived"]
    percent = f"{100.0 * counts['killed'] / compiled:.1f}%" if compiled else "n/a"
    score = (f"seed {arguments.seed}, sample {len(chosen)}: killed {counts['killed']} / compiled "
             f"{compiled} ({percent}); survived {counts['survived']}, "
             f"no-compile {counts['no-compile']}")
    print(score)
    if arguments.summary:
        arguments.summary.write_text("\n".join(rows + [score]) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
