#include "archive/ZipPaths.h"

#include "common/PathFacts.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsUpwardStep(const std::string& step)
{
    size_t dots = std::count(step.begin(), step.end(), '.');
    size_t blanks = std::count(step.begin(), step.end(), ' ');
    return dots >= 2 && dots + blanks == step.size();
}

}  // namespace

bool IsRelativeTarget(const std::string& path)
{
    if (path.empty())
        return true;
    if (IsSeparator(path[0]))
        return false;
    return !(path.size() >= 2 && path[1] == ':');
}

bool HasParentStep(const std::string& path)
{
    std::string step;
    for (char c : path) {
        if (IsSeparator(c)) {
            if (IsUpwardStep(step))
                return true;
            step.clear();
        } else {
            step += c;
        }
    }
    return IsUpwardStep(step);
}

std::string WithBackslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string FolderPart(const std::string& path)
{
    size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool CreateFoldersBelow(const std::string& root, const std::string& folders)
{
    std::string path = root;
    std::string step;
    bool any = false;
    for (size_t i = 0; i <= folders.size(); ++i) {
        if (i < folders.size() && !IsSeparator(folders[i])) {
            step += folders[i];
            continue;
        }
        if (!step.empty() && step != ".") {
            path += step;
            CreateDirectoryA(path.c_str(), nullptr);  // an existing folder is fine
            path += '\\';
            any = true;
        }
        step.clear();
    }
    if (!any)
        return true;
    return common::IsFolder(path);
}
