// A backup of chosen files into a new backup project under the zip progress window: the
// one way another area (the found-files window) makes a backup without knowing that window.
#pragma once

#include "archive/BackupPacker.h"

#include <functional>
#include <string>
#include <vector>

class TComponent;
class TForm1;

// Shows the zip progress window (owned by progressOwner; its Cancel sets the form's
// AbortFlag), claims a project, tells packingStarts and packs the files into the
// project's archive. An archive that holds nothing leaves no project behind; without a
// project every file is unsaved.
backup::PackResult BackUpIntoNewProject(TForm1& form, TComponent& progressOwner, const std::vector<std::string>& paths,
                                        const std::function<void()>& packingStarts);
