// Scratch folders and files for tests: a fresh folder below the Wine prefix's temp
// folder that takes everything in it along when it goes, and the few file helpers the
// tests of every area need.
#pragma once

#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();   // a new, empty folder of its own
    ~TempFolder();  // removes it with everything below it
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

// Removes a folder with everything in it, read-only files too. Links are removed, never
// followed, so that clean-up cannot reach outside the folder.
void RemoveTree(const std::string& folder);

// A file's whole content (binary); "" when it cannot be read.
std::string ReadFileText(const std::string& path);
// Creates or replaces a file with exactly these bytes.
void WriteFileText(const std::string& path, const std::string& text);
bool Exists(const std::string& path);

} // namespace testing_support
