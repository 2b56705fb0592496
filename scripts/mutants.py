#!/usr/bin/env python3
"""Mutation testing for Quillmar: does the suite notice a small fault in FILE?

Each mutant is one classic single-line fault. The script copies the tracked sources into
BUILD/tree (so the working tree is never edited), applies one mutant there, rebuilds in
BUILD, runs only the test programs that the rebuild relinked, and restores the file.
A mutant that does not compile is "not viable"; one that no test notices "survived" and is
printed with its place.

    scripts/mutants.py src/model/BodItem.cpp
    scripts/mutants.py --sample 40 --seed 1 src/model/BodHierarchy.cpp
    scripts/mutants.py --lines 120-180 --filter 'sort|<' src/model/BodHierarchy.cpp
    scripts/mutants.py --list src/import/ParseText.cpp
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PROGRAMS = ("src/bodtool", "src/quillmar")  # tests that start these must rerun when they change

SWAPS = [  # (pattern, replacement, operator name); patterns need blanks around the operator
    (r" < ", " <= ", "relational"), (r" <= ", " < ", "relational"),
    (r" > ", " >= ", "relational"), (r" >= ", " > ", "relational"),
    (r" == ", " != ", "relational"), (r" != ", " == ", "relational"),
    (r" \+ ", " - ", "arithmetic"), (r" - ", " + ", "arithmetic"),
    (r" \* ", " / ", "arithmetic"), (r" / ", " * ", "arithmetic"),
    (r" \+= ", " -= ", "arithmetic"), (r" -= ", " += ", "arithmetic"),
    (r"\+\+", "--", "arithmetic"), (r"--", "++", "arithmetic"),
    (r" && ", " || ", "logical"), (r" \|\| ", " && ", "logical"),
    (r"\bstable_sort\b", "sort", "stable_sort"),
    (r"\btrue\b", "false", "constant"), (r"\bfalse\b", "true", "constant"),
]
NO_REMOVE = re.compile(r"^(return|using|const |auto |static |struct |class |namespace |case |"
                       r"default|public|private|protected|template|typedef|#|[A-Za-z_:<>]+ \w+ = )")
LITERAL = re.compile(r'"(?:[^"\\]|\\.)*"|\'(?:[^\'\\]|\\.)*\'')


def code_spans(line):
    """The parts of line outside string and character literals and // comments."""
    spans, pos = [], 0
    cut = len(line)
    for m in LITERAL.finditer(line):
        if "//" in line[pos:m.start()]:
            break
        spans.append((pos, m.start()))
        pos = m.end()
    comment = line.find("//", pos)
    if comment >= 0:
        cut = comment
    spans.append((pos, cut))
    return spans


def balanced_end(line, start):
    """Index just past the parenthesis that closes the one at start, or -1."""
    depth = 0
    for i in range(start, len(line)):
        depth += {"(": 1, ")": -1}.get(line[i], 0)
        if depth == 0:
            return i + 1
    return -1


def mutants_of_line(line, prev):
    """Yield (new line, description) for every mutant of one source line."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("#", "//", "*", "/*", "extern ")):
        return
    # Qt's declarations (Q_OBJECT, Q_SIGNALS:, Q_DECLARE_...) are no code to break; a signal
    # sent with Q_EMIT is, and removing it is a fault a test should notice.
    if stripped.startswith("Q_") and not stripped.startswith("Q_EMIT "):
        return
    for a, b in code_spans(line):
        seg = line[a:b]
        for pattern, repl, name in SWAPS:
            for m in re.finditer(pattern, seg):
                s, e = a + m.start(), a + m.end()
                if name == "arithmetic" and m.group(0) in ("++", "--") and "operator" in line:
                    continue
                yield line[:s] + repl + line[e:], f"{name}: '{m.group(0).strip()}' -> '{repl.strip()}'"
        for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", seg):
            s, e, n = a + m.start(), a + m.end(), int(m.group(1))
            for v in (n + 1, n - 1) if n > 0 else (1,):
                yield line[:s] + str(v) + line[e:], f"constant: {n} -> {v}"
        for m in re.finditer(r"\b(if|while) \(", seg):
            s = a + m.end() - 1
            e = balanced_end(line, s)
            if e > 0:
                yield line[:s] + "(!" + line[s:e] + ")" + line[e:], f"negated {m.group(1)} condition"
    for m in LITERAL.finditer(line):
        if m.group(0).startswith('"') and "//" not in line[:m.start()]:
            repl = '""' if m.group(0) != '""' else '"mutant"'
            yield line[:m.start()] + repl + line[m.end():], f"string: {m.group(0)[:30]} -> {repl}"
    prev = prev.strip()
    if (stripped.endswith(";") and not NO_REMOVE.match(stripped)
            and (not prev or prev.endswith((";", "{", "}")) or prev.startswith("//"))):
        indent = line[:len(line) - len(line.lstrip())]
        yield indent + ";\n", "statement removed"


def mutants_of_file(path, lines_range, pattern):
    text = (ROOT / path).read_text(encoding="utf-8").splitlines(keepends=True)
    in_block, prev = False, ""
    for no, line in enumerate(text, 1):
        if in_block or line.lstrip().startswith("/*"):
            in_block = "*/" not in line
            continue
        if lines_range and not lines_range[0] <= no <= lines_range[1]:
            prev = line
            continue
        for new, desc in mutants_of_line(line, prev):
            if not pattern or re.search(pattern, desc):
                yield (path, no, line, new, desc)
        prev = line


def sync_tree(tree):
    """Copy the tracked and new files into tree, touching only files whose bytes differ, and
    drop the files that are gone (a deleted test would otherwise still be globbed and built)."""
    files = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                           cwd=ROOT, check=True, capture_output=True, text=True).stdout.split()
    wanted = set(files)
    gone = [p for p in tree.rglob("*") if p.is_file() and str(p.relative_to(tree)) not in wanted]
    for old in gone:
        old.unlink()
    for rel in files:
        src, dst = ROOT / rel, tree / rel
        if not src.is_file() or (dst.exists() and dst.read_bytes() == src.read_bytes()):
            continue
        dst.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(src, dst)  # a fresh mtime, so ninja rebuilds what changed


def executables(build):
    found = {}
    for p in list((build / "tests").glob("tests_*")) + [build / p for p in PROGRAMS]:
        if p.is_file() and os.access(p, os.X_OK):
            found[p] = p.stat().st_mtime_ns
    return found


def run_mutant(args, build, tree, mutant):
    path, no, old, new, _ = mutant
    target = tree / path
    original = target.read_bytes()
    lines = original.decode("utf-8").splitlines(keepends=True)
    lines[no - 1] = new
    try:
        target.write_text("".join(lines), encoding="utf-8")
        before = executables(build)
        built = subprocess.run(["ninja", "-C", str(build), f"-j{args.jobs}"] + args.targets,
                               capture_output=True, text=True)
        if built.returncode != 0:
            return "not viable"
        after = executables(build)
        changed = {p for p, t in after.items() if before.get(p) != t}
        tests = {p for p in after if p.name.startswith("tests_")
                 and (not args.tests or re.search(args.tests, p.name))}
        if changed & {build / p for p in PROGRAMS}:
            changed |= tests - {build / "tests" / "tests_core"}
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        for test in sorted(changed & tests):
            try:
                cmd = [str(test)] + ([f"--gtest_filter={args.gtest_filter}"] if args.gtest_filter else [])
                if subprocess.run(cmd, env=env, capture_output=True, timeout=args.timeout).returncode:
                    return "killed"
            except subprocess.TimeoutExpired:
                return "killed"
        return "survived" if changed & tests else "survived (no test relinked)"
    finally:
        target.write_bytes(original)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("files", nargs="+")
    ap.add_argument("--build", default=str(ROOT / "build-mutants"))
    ap.add_argument("--sample", type=int, help="try only N mutants per file, drawn at random")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--lines", help="only lines A-B, or only line A")
    ap.add_argument("--filter", help="only mutants whose description matches this regex")
    ap.add_argument("--tests", help="build and run only the test programs matching this regex, "
                    "e.g. 'tests_views' (much faster; a survivor may still die in another program)")
    ap.add_argument("--gtest-filter", help="run only these tests (faster, less thorough)")
    ap.add_argument("--timeout", type=int, default=120,
                    help="seconds per test program (a hang counts as killed)")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--list", action="store_true", help="print the mutants and stop")
    args = ap.parse_args()
    lines_range = None
    if args.lines:
        first, _, last = args.lines.partition("-")
        lines_range = (int(first), int(last or first))

    mutants = []
    rng = random.Random(args.seed)
    for f in args.files:
        rel = str(Path(f).resolve().relative_to(ROOT))
        these = list(mutants_of_file(rel, lines_range, args.filter))
        if args.sample and len(these) > args.sample:
            these = sorted(rng.sample(these, args.sample), key=lambda m: m[1])
        mutants += these
    if args.list:
        for path, no, _, new, desc in mutants:
            print(f"{path}:{no}: {desc}\n    {new.strip()}")
        print(f"{len(mutants)} mutants")
        return 0

    build = Path(args.build).resolve()
    tree = build / "tree"
    sync_tree(tree)
    if not (build / "build.ninja").exists():
        subprocess.run(["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0",
                        "-DBUILD_TESTING=ON", "-DQUILLMAR_BENCH=OFF",
                        "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"],
                       check=True, stdout=subprocess.DEVNULL)
    ninja_targets = subprocess.run(["ninja", "-C", str(build), "-t", "targets", "all"],
                                   capture_output=True, text=True, check=True).stdout
    args.targets = sorted({t.split(":")[0] for t in ninja_targets.splitlines()
                           if re.match(r"^(tests_[a-z_]+|bodtool|quillmar):", t)
                           and (not args.tests or not t.startswith("tests_")
                                or re.search(args.tests, t.split(":")[0]))})
    # With no test program every mutant would count as surviving.
    if not any(t.startswith("tests_") for t in args.targets):
        sys.exit(f"no test program matches in {build}; configure it with -DBUILD_TESTING=ON")
    subprocess.run(["ninja", "-C", str(build), f"-j{args.jobs}"] + args.targets, check=True,
                   stdout=subprocess.DEVNULL)
    # Without a green baseline every mutant would count as killed.
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for test in sorted(p for p in executables(build) if p.name.startswith("tests_")
                       and (not args.tests or re.search(args.tests, p.name))):
        if subprocess.run([str(test)], env=env, capture_output=True, timeout=args.timeout).returncode:
            sys.exit(f"{test.name} fails without a mutant; fix that first")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # so the finally blocks restore

    tally = {}
    start = time.time()
    for i, m in enumerate(mutants, 1):
        outcome = run_mutant(args, build, tree, m)
        tally[outcome] = tally.get(outcome, 0) + 1
        path, no, old, new, desc = m
        print(f"[{i}/{len(mutants)}] {outcome:>10}  {path}:{no}: {desc}", flush=True)
        if outcome.startswith("survived"):
            print(f"      - {old.strip()}\n      + {new.strip()}", flush=True)
    print(f"{len(mutants)} mutants in {time.time() - start:.0f} s: "
          + ", ".join(f"{k} {v}" for k, v in sorted(tally.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main())
