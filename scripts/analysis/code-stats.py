#!/usr/bin/env python3
"""Size and structure figures of the sources, reproducible from the tree.

    scripts/analysis/code-stats.py [--top N] [--all-functions]

Prints, for the C and C++ sources (.c .cpp .h):
  - non-blank lines of product code, of tests and of tools (bench/, tools/), and every
    file over 400 non-blank lines;
  - function lengths: how many, the median, the longest N, every one over 40
    lines (a function's length is its non-blank lines, comments included, from
    the first line of its head to its closing brace);
  - the include graph by folder, and whether the product's folders depend one
    way only: wizard -> ui, report, engine, base; ui, report, engine -> base.
Exit status 1 when a product file is over 400 lines, a function over 40 or a
dependency points the wrong way.
"""
import argparse
import os
import re
import statistics
import sys
from collections import Counter, defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PRODUCT = ["base", "engine", "ui", "report", "wizard", "demo"]
TOOLS = ["bench", "tools"]
TESTS = ["tests"]
ALLOWED = {
    "wizard": {"ui", "report", "engine", "base"},
    "ui": {"base"},
    "report": {"base"},
    "engine": {"base"},
    "base": set(),
    "demo": set(),
}
SOURCE_EXT = (".c", ".cpp", ".h")
MAX_FILE_LINES = 400
MAX_FUNCTION_LINES = 40


def sources():
    for top in PRODUCT + TOOLS + TESTS:
        base = os.path.join(ROOT, top)
        for folder, dirs, files in os.walk(base):
            dirs[:] = sorted(d for d in dirs if not d.startswith("."))
            for name in sorted(files):
                if name.endswith(SOURCE_EXT):
                    yield os.path.relpath(os.path.join(folder, name), ROOT)


def area(path):
    top = path.split("/")[0]
    if top in TESTS:
        return "tests"
    if top in TOOLS:
        return "tools"
    return "code"


def group(path):
    """The folder a file belongs to in the include graph."""
    parts = path.split("/")
    if parts[0] == "tests" and len(parts) > 2:
        return "tests/" + parts[1]
    if parts[0] == "report" and len(parts) > 2 and parts[1] == "fuzz":
        return "report/fuzz"
    return parts[0]


def non_blank(lines):
    return sum(1 for line in lines if line.strip())


# ---- function lengths ----

def blank_out(text):
    """Comments, string and character literals and preprocessor lines turned
    into spaces; line breaks stay where they were."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            # a preprocessor line, with its continuations
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append(" \n")
                    i += 2
                    continue
                out.append(" ")
                i += 1
            continue
        if c == "/" and text.startswith("//", i):
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
            continue
        if c == "/" and text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        if c == "R" and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if m:
                end = text.find(")" + m.group(1) + '"', i)
                end = n if end < 0 else end + len(m.group(1)) + 2
                out.append('""' + re.sub(r"[^\n]", " ", text[i + 2:end]))
                i = end
                continue
        if c in "\"'":
            # a digit separator (1'000) is no character literal
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum() \
                    and re.match(r"[0-9a-fA-F]", text[i - 1]) and re.search(r"\b[0-9][0-9a-fA-FxX']*$", text[max(0, i - 20):i]):
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
            i = j + 1
            continue
        out.append(c)
        line_start = c == "\n" or (line_start and c in " \t")
        i += 1
    return "".join(out)


ACCESS = re.compile(r"^\s*((public|private|protected)\s*:(?!:)\s*)+")


def classify(head):
    h = ACCESS.sub("", head).strip()
    if not h:
        return "other"
    if re.match(r"^(inline\s+)?namespace\b", h) or re.match(r'^extern\s*"', h):
        return "container"
    if re.match(r"^(template\s*<.*>\s*)?(class|struct|union)\b", h, re.S) and not re.search(
            r"\)\s*((const|noexcept|override|final|volatile|&|&&)\s*)*$", h):
        return "container"
    if re.match(r"^(typedef\s+)?enum\b", h):
        return "other"
    if "(" not in h:
        return "other"
    # '=' outside parentheses: an initialiser, not a function (operators aside)
    plain = re.sub(r"\boperator\s*(\(\)|[^\s(]+)", "operator", h)
    depth = 0
    for ch in plain:
        if ch in "(<[":
            depth += 1
        elif ch in ")>]":
            depth = max(0, depth - 1)
        elif ch == "=" and depth == 0:
            return "other"
    if re.search(r"\)\s*((const|noexcept|override|final|volatile|mutable|&|&&)\s*)*"
                 r"(->\s*[^{;]+)?$", h) or re.search(r"\)\s*(noexcept\s*)?:[^:]", h) \
            or re.search(r"\)\s*(const\s*)?(noexcept\s*)?try$", h):
        return "function"
    return "other"


def functions(path):
    """(name, first line, last line, non-blank lines) of every function body
    at namespace or class level."""
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
        original = f.read()
    text = blank_out(original)
    lines = original.split("\n")
    found = []
    stack = []  # (kind, start offset of head, head text)
    head_start = 0

    def line_of(offset):
        return text.count("\n", 0, offset) + 1

    for i, c in enumerate(text):
        at_container = all(kind == "container" for kind, _, _ in stack)
        if c == "{":
            if not at_container:
                stack.append(("inner", i, ""))
                continue
            head = text[head_start:i]
            kind = classify(head)
            if kind == "other" and re.search(r"\)\s*(noexcept\s*)?:[^:]", ACCESS.sub("", head)) \
                    and re.search(r"[\w>]\s*$", head):
                # a member initialised with braces inside a constructor's list
                stack.append(("initbrace", i, head))
                continue
            stripped = ACCESS.sub("", head)
            lead = len(head) - len(stripped.lstrip())
            stack.append((kind, head_start + lead, stripped.strip()))
        elif c == "}":
            if not stack:
                continue
            kind, start, head = stack.pop()
            if kind == "inner":
                continue
            if kind == "initbrace":
                continue
            if kind == "function":
                first, last = line_of(start), line_of(i)
                name = re.sub(r"\s+", " ", head.split("(")[0]).split(" ")[-1]
                if name in ("TEST", "TEST_F", "TEST_P"):
                    name += "(" + re.sub(r"\s+", " ", head.split("(", 1)[1].split(")")[0]) + ")"
                count = non_blank(lines[first - 1:last])
                found.append((name, first, last, count))
            if all(k == "container" for k, _, _ in stack):
                head_start = i + 1
        elif c == ";" and at_container:
            head_start = i + 1
    return found


# ---- includes ----

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def resolve(path, include, by_name):
    here = os.path.dirname(path)
    candidate = os.path.normpath(os.path.join(here, include))
    if os.path.isfile(os.path.join(ROOT, candidate)):
        return candidate
    if os.path.isfile(os.path.join(ROOT, include)):
        return include
    matches = by_name.get(include, [])
    return matches[0] if len(matches) == 1 else None


def include_graph(files):
    by_name = defaultdict(list)
    for p in files:
        parts = p.split("/")
        for k in range(1, len(parts)):
            by_name["/".join(parts[k:])].append(p)
    edges = Counter()
    unresolved = []
    for p in files:
        with open(os.path.join(ROOT, p), encoding="utf-8", errors="replace") as f:
            for inc in INCLUDE.findall(f.read()):
                target = resolve(p, inc, by_name)
                if target is None:
                    if not inc.endswith(".rc"):
                        unresolved.append((p, inc))
                    continue
                a, b = group(p), group(target)
                if a != b:
                    edges[(a, b)] += 1
    return edges, unresolved


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--top", type=int, default=10)
    ap.add_argument("--all-functions", action="store_true", help="list every function")
    args = ap.parse_args()
    files = list(sources())
    failed = False

    print("== non-blank lines (C/C++ sources)")
    totals = Counter()
    big = []
    for p in files:
        with open(os.path.join(ROOT, p), encoding="utf-8", errors="replace") as f:
            n = non_blank(f.read().split("\n"))
        totals[area(p)] += n
        if n > MAX_FILE_LINES:
            big.append((n, p))
    for a in ("code", "tests", "tools"):
        print(f"{a:6} {totals[a]:6}")
    for n, p in sorted(big, reverse=True):
        print(f"over {MAX_FILE_LINES}: {p} {n}")
        failed = failed or area(p) != "tools"

    print("\n== functions")
    for a in ("code", "tests"):
        funcs = [(n, p, name, first) for p in files if area(p) == a
                 for name, first, last, n in functions(p)]
        lengths = [f[0] for f in funcs]
        if not lengths:
            continue
        print(f"{a}: {len(lengths)} functions, median {statistics.median(lengths):g} lines, "
              f"mean {statistics.mean(lengths):.1f}")
        ranked = sorted(funcs, key=lambda f: (-f[0], f[1], f[3]))
        for n, p, name, first in ranked[:args.top]:
            print(f"  {n:4}  {p}:{first} {name}")
        over = [f for f in ranked if f[0] > MAX_FUNCTION_LINES]
        print(f"  over {MAX_FUNCTION_LINES} lines: {len(over)}")
        if a == "code" and over:
            failed = True
        if args.all_functions:
            for n, p, name, first in ranked:
                print(f"    {n:4}  {p}:{first} {name}")

    print("\n== include graph by folder (from -> to: includes)")
    edges, unresolved = include_graph(files)
    for (a, b), n in sorted(edges.items()):
        print(f"  {a} -> {b}: {n}")
    wrong = [(a, b) for (a, b) in edges if a in ALLOWED and b in ALLOWED and b not in ALLOWED[a]]
    wrong += [(a, b) for (a, b) in edges if a in ALLOWED and b not in ALLOWED
              and not b.startswith("resources")]
    print("one way: " + ("yes" if not wrong else "no: " + ", ".join(f"{a} -> {b}" for a, b in wrong)))
    for p, inc in unresolved:
        print(f"  unresolved: {p} includes {inc}")
    failed = failed or bool(wrong)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
