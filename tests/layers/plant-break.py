#!/usr/bin/env python3
"""Copies the program's folders into a scratch folder, plants one break of the layering
there and runs check-layers.py on the copy, whose report (and exit code, printed last)
must name the break.

    plant-break.py KIND SOURCE_ROOT SCRATCH
"""
import os
import shutil
import subprocess
import sys

FRAME = "#pragma once\n#include \"toolkit/Forms.h\"\nclass TPlantedFrame final : public TFrame {};\n"
PLANTS = {
    # A file includes a layer above its own.
    "direct": {"common/PlantedDirect.cpp": '#include "toolkit/Forms.h"\n'},
    # The same with the compiler's other include form.
    "angle": {"common/PlantedAngle.cpp": "#include <shell/Unit1.h>\n"},
    # A path that climbs out of the including file's folder.
    "dotdot": {"fileengines/PlantedDotDot.cpp": '#include "./../cleaning/PlantedEngine.h"\n',
               "cleaning/PlantedEngine.h": "#pragma once\n"},
    # An area's plain header that brings its window along to another area.
    "header": {"filetools/PlantedHeader.cpp": '#include "cleaning/PlantedEngine.h"\n',
               "cleaning/PlantedEngine.h": '#pragma once\n#include "PlantedFrame.h"\n',
               "cleaning/PlantedFrame.h": FRAME},
    # A top-level folder the layering does not know, used by a program file.
    "folder": {"plugins/PlantedPlugin.h": "#pragma once\n",
               "common/PlantedFolder.cpp": '#include "plugins/PlantedPlugin.h"\n'},
    # Two areas using each other's headers (which include each other, too).
    "cycle": {"system/PlantedCycle.h": '#pragma once\n#include "spacemanager/PlantedCycle.h"\n',
              "spacemanager/PlantedCycle.h": '#pragma once\n#include "system/PlantedCycle.h"\n'},
    # Program code using the test code.
    "testcode": {"tests/PlantedKit.h": "#pragma once\n",
                 "archive/PlantedTestCode.cpp": '#include "tests/PlantedKit.h"\n'},
    # A page of an area reaching the main form through the global rather than its own object.
    "form1": {"system/PlantedForm1Page.cpp": '#include "shell/Unit1.h"\nbool Planted() { return Form1; }\n'},
}
COPIED = ("common", "toolkit", "xplook", "fileengines", "pageparts", "cleaning", "archive",
          "filetools", "system", "spacemanager", "shell", "res")


def main():
    kind, root, scratch = sys.argv[1:4]
    shutil.rmtree(scratch, ignore_errors=True)
    for folder in COPIED:
        shutil.copytree(os.path.join(root, folder), os.path.join(scratch, folder))
    for path, text in PLANTS[kind].items():
        os.makedirs(os.path.dirname(os.path.join(scratch, path)), exist_ok=True)
        with open(os.path.join(scratch, path), "w", encoding="utf-8") as f:
            f.write(text)
    check = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check-layers.py")
    code = subprocess.run([sys.executable, check, scratch]).returncode
    print(f"the check exited with {code}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
