#!/usr/bin/env python3
"""Checks who includes whom in the program's sources (README, "Where things live").

Each folder is a layer and includes only from itself and the layers below it:
  common -> toolkit -> xplook -> fileengines, pageparts -> the areas -> shell
The areas lie side by side: one may use another's engines, never its windows (a header
that declares a form or frame, or a class derived from one), and never in a circle (when cleaning uses a filetools
header, no filetools file includes a cleaning one). The main form's header, shell/Unit1.h,
is included only in the shell and in the main form's own method files in the areas
(*Page.cpp, *Methods.cpp); the global Form1 is used only by the main form's own files.

An include is followed as the compiler finds it: "..." beside the including file first,
then from the source root (the only include folder of the build); <...> from the source
root. What a header includes, whoever includes it gets, so a header cannot smuggle a
window or a higher layer in (the header is named when it breaks the rule itself). An
include that finds no file of the tree (<windows.h>) is the system's and fine; one written
through a macro cannot be followed and is refused. A folder the check does not rank is refused: a source file in it,
or an include of it. Test and benchmark code (tests/, bench/) may include any layer, and
no program file includes it; res/ holds the resource scripts and their numbers, which
every layer may include.

    check-layers.py SOURCE_ROOT
prints every fault as `file: rule: detail` and exits 1 if there is one.
"""
import os
import re
import sys
from collections import deque

RANK = {"common": 0, "toolkit": 1, "xplook": 2, "fileengines": 3, "pageparts": 3,
        "cleaning": 4, "archive": 4, "filetools": 4, "system": 4, "spacemanager": 4,
        "shell": 5}
AREAS = {folder for folder, rank in RANK.items() if rank == 4}
TEST_CODE = {"tests", "bench"}
RESOURCES = "res"
# Every other folder (help/, cmake/, scripts/ hold no source) is refused; build trees and
# hidden folders are not searched for sources, but an include that reaches into one is refused.
KNOWN = set(RANK) | TEST_CODE | {RESOURCES}
MAIN_FORM = "shell/Unit1.h"
MAIN_FORM_FILES = {"shell/MainForm.cpp", "shell/WinMain.cpp", MAIN_FORM}
SOURCE_SUFFIXES = {".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp", ".hxx", ".inc", ".inl",
                   ".ipp", ".tcc", ".rc"}

# Comments, then literals; a literal is skipped whole so that "/*" in it starts nothing.
TOKEN = re.compile(r'(?=[/"\'uULR])(?:(?P<comment>//[^\n]*|/\*.*?\*/)'
                   r'|(?P<literal>\b(?:u8|u|U|L)?R"(?P<delim>[^()\\\s]{0,16})\(.*?\)(?P=delim)"'
                   r'|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'))', re.S)
DIRECTIVE = re.compile(r'^[ \t]*#[ \t]*(?:include|include_next|import)\b[ \t]*(.*)$', re.M)
INCLUDED = re.compile(r'"([^"]+)"|<([^>]+)>')
CLASS = re.compile(r'\b(?:class|struct)\s+(?:\[\[[^\]]*\]\]\s*)?(\w+)\s*(?:final\s*)?:([^{;]*)\{')
WORD = re.compile(r'\w+')
FORM1 = re.compile(r'\bForm1\b')


def blanked(text):
    """The text without comments, and the text without comments and literals (lines kept)."""
    code, bare, end = [], [], 0
    for token in TOKEN.finditer(text):
        code.append(text[end:token.start()])
        bare.append(text[end:token.start()])
        blank = "\n" * token.group().count("\n")
        code.append(blank if token.group("comment") else token.group())
        bare.append(blank)
        end = token.end()
    code.append(text[end:])
    bare.append(text[end:])
    return "".join(code), "".join(bare)


def top(path):
    return path.split("/")[0] if "/" in path else ""


def where(folder):
    return f"{folder}/" if folder else "the root"


def is_main_form_method_file(path):
    stem, suffix = os.path.splitext(os.path.basename(path))
    return suffix == ".cpp" and re.search(r"(Page|Methods)$", stem) is not None


class Tree:
    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.files, self.folded, self.links = set(), {}, {}
        for folder, subfolders, names in os.walk(self.root):
            relative = os.path.relpath(folder, self.root).replace(os.sep, "/")
            relative = "" if relative == "." else relative + "/"
            subfolders[:] = [s for s in subfolders if not s.startswith(".") and not (
                relative == "" and (s == "build" or os.path.exists(os.path.join(folder, s, "CMakeCache.txt"))))]
            for name in names:
                path = relative + name
                self.files.add(path)
                self.folded.setdefault(path.lower(), path)
                full = os.path.join(folder, name)
                if os.path.islink(full):
                    self.links[path] = os.path.relpath(os.path.realpath(full), self.root).replace(os.sep, "/")
        self.parsed, self.resolved = {}, {}

    def sources(self):
        return sorted(p for p in self.files if os.path.splitext(p)[1].lower() in SOURCE_SUFFIXES)

    def parse(self, path):
        """(includes as written, computed includes, code without comments and literals)."""
        if path not in self.parsed:
            with open(os.path.join(self.root, path), encoding="utf-8", errors="replace") as f:
                text = re.sub(r"\\\r?\n", "", f.read())
            code, bare = blanked(text)
            includes, computed = [], []
            for argument in DIRECTIVE.findall(code):
                written = INCLUDED.match(argument.strip())
                if written:
                    includes.append((written.group(1), True) if written.group(1) else (written.group(2), False))
                else:
                    computed.append(argument.strip())
            self.parsed[path] = (includes, computed, bare)
        return self.parsed[path]

    def find(self, name):
        """The tree's file at this path from the root, or None."""
        if os.path.isabs(name):
            name = os.path.relpath(name, self.root).replace(os.sep, "/")
        relative = os.path.normpath(name).replace(os.sep, "/")
        if relative == ".." or relative.startswith("../"):
            return None
        found = relative if relative in self.files else self.folded.get(relative.lower())
        if found is None and os.path.isfile(os.path.join(self.root, relative)):
            found = relative  # in a build tree or a hidden folder
        if found in self.links:
            found = self.links[found]
            return found if found in self.files else None
        return found

    def resolve(self, path, written, quoted):
        name = written.replace("\\", "/")
        if quoted:
            beside = self.find(os.path.join(os.path.dirname(path), name))
            if beside:
                return beside
        return self.find(name)

    def includes(self, path):
        if path not in self.resolved:
            found = (self.resolve(path, written, quoted) for written, quoted in self.parse(path)[0])
            self.resolved[path] = [target for target in found if target]
        return self.resolved[path]


def window_headers(tree, paths):
    """The files that declare a form or frame, or a class derived from one."""
    declared = {}
    for path in paths:
        for name, bases in CLASS.findall(tree.parse(path)[2]):
            declared.setdefault(name, []).append((path, set(WORD.findall(bases))))
    windows, headers, grown = {"TForm", "TFrame"}, set(), True
    while grown:
        grown = False
        for name, declarations in declared.items():
            for path, bases in declarations:
                if bases & windows and path not in headers:
                    windows.add(name)
                    headers.add(path)
                    grown = True
    return headers


class Check:
    def __init__(self, root):
        self.tree = Tree(root)
        # The sources, and whatever they include whatever its name.
        self.checked, queue = set(self.tree.sources()), list(self.tree.sources())
        while queue:
            for target in self.tree.includes(queue.pop()):
                if target not in self.checked:
                    self.checked.add(target)
                    queue.append(target)
        self.checked = sorted(self.checked)
        self.windows = window_headers(self.tree, [p for p in self.checked if top(p) in RANK])

    def fault(self, source, target):
        """(rule, why) when source may not include target, else None."""
        into, within = top(target), top(source)
        if into not in KNOWN:
            return "unranked folder", f"and {where(into)} is no layer of the program"
        if within not in RANK:
            return None
        if into in TEST_CODE:
            return "test code", "which no program file includes"
        if into == RESOURCES:
            return None
        if target == MAIN_FORM:
            if within == "shell" or (within in AREAS and is_main_form_method_file(source)):
                return None
            return "main form header", "which only shell/ and the areas' *Page.cpp and *Methods.cpp include"
        if into == within:
            return None
        if RANK[into] > RANK[within]:
            return "layer order", f"which lies above {within}/"
        if RANK[into] == RANK[within] and within not in AREAS:
            return "layer order", f"which lies beside {within}/"
        if within in AREAS and into in AREAS and target in self.windows:
            return "area window", "a window of another area (open it through a function that area offers)"
        return None

    def reached(self, source):
        """Each file the source may not reach, with the headers it comes through. When a
        header on the way may not include that file either, the header is named instead,
        and what lies past a refused file is not followed."""
        parent, queue = {source: None}, deque([source])
        while queue:
            path = queue.popleft()
            for target in self.tree.includes(path):
                if target in parent:
                    continue
                parent[target] = path
                fault = self.fault(source, target)
                if fault is None:
                    queue.append(target)
                    continue
                chain, step = [], path
                while step != source:
                    chain.append(step)
                    step = parent[step]
                if not any(self.fault(header, target) for header in chain):
                    yield target, list(reversed(chain)), fault

    def unranked_sources(self):
        for path in self.tree.sources():
            if top(path) not in KNOWN:
                yield f"{path}: unranked folder: {where(top(path))} is no layer of the program"

    def includes(self):
        for source in self.checked:
            if top(source) not in KNOWN:
                continue
            for written in self.tree.parse(source)[1]:
                yield f"{source}: computed include: #include {written} cannot be followed"
            for target, chain, (rule, why) in self.reached(source):
                through = f" through {' > '.join(chain)}" if chain else ""
                yield f"{source}: {rule}: includes {target}{through}, {why}"

    def area_cycles(self):
        """The includes that close a circle of areas: on each circle, those of the link made
        by the fewest files, where it is cheapest to cut."""
        links = {}
        for source in self.checked:
            if top(source) in AREAS:
                for target in self.tree.includes(source):
                    if top(target) in AREAS and top(target) != top(source):
                        links.setdefault((top(source), top(target)), []).append((source, target))

        def circles(path):
            for (a, b) in links:
                if a == path[-1] and b == path[0]:
                    yield path + [b]
                elif a == path[-1] and b > path[0] and b not in path:
                    yield from circles(path + [b])

        cut = {}
        for circle in sorted((c for start in sorted(AREAS) for c in circles([start])), key=len):
            steps = list(zip(circle, circle[1:]))
            fewest = min(len({source for source, _ in links[step]}) for step in steps)
            for step in steps:
                if len({source for source, _ in links[step]}) == fewest:
                    cut.setdefault(step, " -> ".join(circle))
        for step, circle in sorted(cut.items()):
            for source, target in links[step]:
                yield f"{source}: area cycle: includes {target}, closing the circle {circle}"

    def main_form_uses(self):
        for source in self.checked:
            if top(source) in RANK and source not in MAIN_FORM_FILES and FORM1.search(self.tree.parse(source)[2]):
                yield (f"{source}: global Form1: only {', '.join(sorted(MAIN_FORM_FILES))} use it; "
                       f"everything else gets the main form from whoever makes it")

    def faults(self):
        yield from self.unranked_sources()
        yield from self.includes()
        yield from self.area_cycles()
        yield from self.main_form_uses()


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    found = list(Check(sys.argv[1]).faults())
    for fault in found:
        print(fault)
    print(f"{len(found)} fault(s) against the layering")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
