#include "fileengines/StagedFile.h"

namespace staged_file {

std::string TemporaryName(const std::string& target)
{
    return target + ".tidewrack-part";
}

StagedFile::StagedFile(const std::string& target) : target_(target), temporary_(TemporaryName(target))
{
    // In the target's own folder: the move into place is then a rename on one volume. A
    // leftover of a killed run is removed first; while another process writes the same
    // target, its open file can neither be removed nor created anew, and this write fails.
    DeleteFileA(temporary_.c_str());
    handle_ = FileHandle(
        CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle_.Valid())
        temporary_.clear(); // not this write's file: never removed by it
}

StagedFile::~StagedFile()
{
    handle_.Close(); // an open file cannot be deleted
    if (!temporary_.empty() && !committed_)
        DeleteFileA(temporary_.c_str());
}

bool StagedFile::Write(const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (Opened() && size > 0) {
        DWORD block = static_cast<DWORD>(size < 0x40000000 ? size : 0x40000000);
        DWORD written = 0;
        if (!WriteFile(handle_.Get(), bytes, block, &written, nullptr) || written != block)
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
    // On the disk before it takes the target's place: after a power cut the target is the
    // old file or the whole new one, never a renamed file whose blocks were not written.
    bool flushed = FlushFileBuffers(handle_.Get()) != FALSE;
    bool closed = handle_.Close();
    if (!flushed || !closed)
        return false;
    // The new content, not a new look: the renamed file would otherwise carry the
    // temporary file's attributes. Read-only is left out: a read-only target stays refused.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kept) &&
        !SetFileAttributesA(temporary_.c_str(), attributes & kept))
        return false;
    committed_ = MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                 FALSE;
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
