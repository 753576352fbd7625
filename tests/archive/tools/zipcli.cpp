// A command-line front end of the zip writer and reader, so that a host-side script can
// hand our archives to other zip tools and theirs to us.
//   zipcli write ARCHIVE [--pipe] NAME...  adds each file or folder (NAME ending in '/')
//                                          below the current folder under its own name;
//                                          --pipe writes the archive through a pipe
//   zipcli extract ARCHIVE                 extracts every entry below the current folder
//   zipcli list ARCHIVE                    one line per entry: name, packed and unpacked
//                                          size, attributes
// Exit code 0 when every step succeeded, 1 otherwise.
#include "archive/Zip.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

bool Report(ZipResult result, const char* what, const std::string& name)
{
    if (result == ZipOk)
        return true;
    std::fprintf(stderr, "%s %s: result 0x%lX\n", what, name.c_str(), static_cast<unsigned long>(result));
    return false;
}

bool AddAll(ZipHandle zip, const std::vector<std::string>& names)
{
    bool ok = true;
    for (const std::string& name : names) {
        const bool folder = !name.empty() && name.back() == '/';
        ZipResult result = folder ? ZipWriterAdd(zip, name.c_str(), nullptr, 0, ZipSourceKind::Folder)
                                  : ZipWriterAdd(zip, name.c_str(), name.c_str(), 0, ZipSourceKind::FileName);
        ok = Report(result, "adding", name) && ok;
    }
    return Report(ZipWriterClose(zip), "closing", "archive") && ok;
}

int Write(const std::string& archive, bool throughPipe, const std::vector<std::string>& names)
{
    if (!throughPipe) {
        ZipHandle zip = ZipWriterOpen(const_cast<char*>(archive.c_str()), 0, ZipSourceKind::FileName);
        if (!zip)
            return Report(ZipWriterLastResult(), "creating", archive), 1;
        return AddAll(zip, names) ? 0 : 1;
    }
    HANDLE file = CreateFileA(archive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE readEnd, writeEnd;
    if (file == INVALID_HANDLE_VALUE || !CreatePipe(&readEnd, &writeEnd, nullptr, 0))
        return Report(ZipErrOpenFile, "creating", archive), 1;
    std::thread copier([&] {
        std::vector<unsigned char> buffer(1 << 16);
        DWORD got, written;
        while (ReadFile(readEnd, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got)
            WriteFile(file, buffer.data(), got, &written, nullptr);
    });
    ZipHandle zip = ZipWriterOpen(writeEnd, 0, ZipSourceKind::Handle);
    bool ok = zip ? AddAll(zip, names) : Report(ZipWriterLastResult(), "opening pipe for", archive);
    CloseHandle(writeEnd);
    copier.join();
    CloseHandle(readEnd);
    CloseHandle(file);
    return ok ? 0 : 1;
}

int ForEachEntry(const std::string& archive, bool extract)
{
    ZipHandle zip = ZipReaderOpen(archive.c_str(), 0, ZipSourceKind::FileName);
    if (!zip)
        return Report(ZipReaderLastResult(), "opening", archive), 1;
    ZipItemInfo info;
    bool ok = Report(ZipReaderGetItem(zip, -1, &info), "counting", archive);
    const int count = ok ? info.index : 0;
    for (int i = 0; i < count; ++i) {
        if (!Report(ZipReaderGetItem(zip, i, &info), "reading entry", std::to_string(i))) {
            ok = false;
            continue;
        }
        if (extract)
            ok = Report(ZipReaderUnzipItem(zip, i, info.name, 0, ZipSourceKind::FileName), "extracting", info.name) && ok;
        else
            std::printf("%s\t%lu\t%lu\t%08lX\n", info.name, static_cast<unsigned long>(info.packedSize),
                        static_cast<unsigned long>(info.unpackedSize), static_cast<unsigned long>(info.attributes));
    }
    ZipReaderClose(zip);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: zipcli write|extract|list ARCHIVE [--pipe] [NAME...]\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string archive = argv[2];
    if (command == "write") {
        bool throughPipe = false;
        std::vector<std::string> names;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--pipe") == 0)
                throughPipe = true;
            else
                names.push_back(argv[i]);
        }
        return Write(archive, throughPipe, names);
    }
    if (command == "extract" || command == "list")
        return ForEachEntry(archive, command == "extract");
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
