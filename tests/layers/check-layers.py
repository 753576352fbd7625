#!/usr/bin/env python3
"""Checks who includes whom in the program's sources (README, "Where things live").

Each folder is a layer and includes only from itself and the layers below it:
  common -> toolkit -> xplook -> fileengines, pageparts -> the areas -> shell
The areas lie side by side: one may use another's engines, never its windows (a header
that declares a form or frame); a window of another area is opened through a function
that area offers. The main form's header, shell/Unit1.h, is included only in the shell
and in the main form's own method files in the areas (*Page.cpp, *Methods.cpp).

    check-layers.py SOURCE_ROOT
prints every include that breaks a rule and exits 1 if there is one.
"""
import pathlib
import re
import sys

RANK = {"common": 0, "toolkit": 1, "xplook": 2, "fileengines": 3, "pageparts": 3,
        "cleaning": 4, "archive": 4, "filetools": 4, "system": 4, "spacemanager": 4,
        "shell": 5}
AREA_RANK = 4
MAIN_FORM = "shell/Unit1.h"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
WINDOW_CLASS = re.compile(r'\bclass\s+\w+\s*(?:final\s*)?:\s*public\s+T(?:Form|Frame)\b')


def is_main_form_method_file(path):
    return path.suffix == ".cpp" and re.search(r"(Page|Methods)$", path.stem) is not None


def faults(root):
    window_headers = {str(h.relative_to(root)) for layer in RANK
                      for h in (root / layer).glob("*.h")
                      if WINDOW_CLASS.search(h.read_text(encoding="utf-8"))}
    for layer, rank in RANK.items():
        for source in sorted((root / layer).glob("*.[ch]*")):
            name = f"{layer}/{source.name}"
            for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
                target = included.split("/")[0]
                if target not in RANK or target == layer:
                    continue
                if included == MAIN_FORM:
                    if layer != "shell" and not (rank == AREA_RANK and is_main_form_method_file(source)):
                        yield f"{name}: the main form's header belongs to its method files only"
                elif RANK[target] > rank or (RANK[target] == rank and rank != AREA_RANK):
                    yield f"{name}: {included} lies in a layer above or beside {layer}"
                elif RANK[target] == AREA_RANK and rank == AREA_RANK and included in window_headers:
                    yield f"{name}: {included} is another area's window"


def main():
    found = list(faults(pathlib.Path(sys.argv[1])))
    for fault in found:
        print(fault)
    print(f"{len(found)} include(s) against the layering")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
