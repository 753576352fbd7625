// A backup of chosen files into a new backup project under the zip progress window: the
// one way the program makes one (the shared-DLL page, and the found-files window, which
// knows nothing of that window).
#pragma once

#include "archive/BackupPacker.h"

#include <functional>
#include <string>
#include <vector>

class TComponent;
class TForm1;

// What differs between the callers: how the backup folder's missing levels are made, and
// the packing loop that puts the paths into the project's archive (each caller names its
// own, and both end in TForm1::MakeZipArchive).
struct BackupSteps {
    std::function<bool(const std::string& folder)> makeDirectory;
    std::function<backup::PackResult(const std::string& archive, const std::vector<std::string>& paths)> pack;
};

// Shows the zip progress window (owned by progressOwner; its Cancel sets the form's
// AbortFlag), claims a project, tells packingStarts and packs the files into the
// project's archive, listed with comment. An archive that holds nothing leaves no
// project behind; without a project every file is unsaved.
backup::PackResult BackUpIntoNewProject(TForm1& form, TComponent& progressOwner, const std::vector<std::string>& paths,
                                        const std::string& comment, const std::function<void()>& packingStarts,
                                        const BackupSteps& steps);
