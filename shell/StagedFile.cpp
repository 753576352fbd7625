#include "shell/StagedFile.h"

namespace staged_file {

namespace {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    return path.substr(0, slash + 1);
}

} // namespace

StagedFile::StagedFile(const std::string& target) : target_(target)
{
    // In the target's own folder: the move into place is then a rename on one volume.
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderOf(target).c_str(), "twk", 0, name))
        return;
    temporary_ = name;
    handle_ = CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        DeleteFileA(name);
}

StagedFile::~StagedFile()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    if (!temporary_.empty() && !committed_)
        DeleteFileA(temporary_.c_str());
}

bool StagedFile::Write(const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (Opened() && size > 0) {
        DWORD block = static_cast<DWORD>(size < 0x40000000 ? size : 0x40000000);
        DWORD written = 0;
        if (!WriteFile(handle_, bytes, block, &written, nullptr) || written != block)
            return false;
        bytes += written;
        size -= written;
    }
    return Opened();
}

bool StagedFile::Commit()
{
    if (!Opened())
        return false;
    bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    committed_ = closed && MoveFileExA(temporary_.c_str(), target_.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    return committed_;
}

bool WriteText(const std::string& target, const std::string& text)
{
    StagedFile file(target);
    return file.Write(text.data(), text.size()) && file.Commit();
}

bool WriteLines(const std::string& target, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return WriteText(target, text);
}

} // namespace staged_file
