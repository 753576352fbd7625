// The compiled help files that the help button opens lie beside the program, one per
// language, and their table of contents leads from every sidebar link's caption to a page.
#include "shell/SidebarLinks.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The system's reader of compiled help files (itss.dll), declared as its documentation
// gives it: the toolchain brings no header for it. Outside the unnamed namespace, or the
// compiler, seeing no class that implements it, takes its calls for unreachable.
const CLSID clsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID iidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

// The build's program folder, where the help files are built beside the program; the
// sandbox shows it as drive D: (the test's own path there is a Unix one).
const char programFolder[] = "D:";

template <typename Interface>
struct ComPtr {
    Interface* p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
};

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

// A file stored in a compiled help file; nothing when the help file or the entry is missing.
std::optional<std::string> ReadFromHelpFile(const std::string& helpFile, const std::string& entry)
{
    ComPtr<IITStorage> reader;
    ComPtr<IStorage> storage;
    ComPtr<IStream> stream;
    if (FAILED(CoCreateInstance(clsidITStorage, nullptr, CLSCTX_INPROC_SERVER, iidITStorage,
                                reinterpret_cast<void**>(&reader.p))) ||
        FAILED(reader.p->StgOpenStorage(Wide(helpFile).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr,
                                        0, &storage.p)) ||
        FAILED(storage.p->OpenStream(Wide(entry).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream.p)))
        return std::nullopt;
    std::string content;
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream.p->Read(buffer, sizeof buffer, &read)) && read > 0)
        content.append(buffer, read);
    return content;
}

// The value of the first <param name="NAME" value="..."> in the text.
std::optional<std::string> ParamValue(const std::string& text, const std::string& name)
{
    const std::string head = "<param name=\"" + name + "\" value=\"";
    size_t start = text.find(head);
    if (start == std::string::npos)
        return std::nullopt;
    start += head.size();
    return text.substr(start, text.find('"', start) - start);
}

// The (caption, page) pairs of a table of contents; group headings without a page are left out.
std::vector<std::pair<std::string, std::string>> ContentsPages(const std::string& contents)
{
    std::vector<std::pair<std::string, std::string>> pages;
    for (size_t at = contents.find("<OBJECT"); at != std::string::npos; at = contents.find("<OBJECT", at + 1)) {
        const size_t end = contents.find("</OBJECT>", at);
        const std::string entry = contents.substr(at, end - at);
        std::optional<std::string> caption = ParamValue(entry, "Name");
        std::optional<std::string> page = ParamValue(entry, "Local");
        if (caption && page)
            pages.emplace_back(*caption, *page);
    }
    return pages;
}

struct CoApartment {
    CoApartment() { CoInitialize(nullptr); }
    ~CoApartment() { CoUninitialize(); }
};

} // namespace

TEST(HelpFilesTest, EachLanguageHasAPageForEverySidebarLink)
{
    CoApartment apartment;
    const struct {
        const char* file;
        bool german;
    } languages[] = {{"Tidewrack Hilfedatei.chm", true}, {"Tidewrack Helper.chm", false}};
    const int allLinksShown = 3; // Windows XP: the privacy and disk-check links too

    for (const auto& language : languages) {
        SCOPED_TRACE(language.file);
        const std::string helpFile = std::string(programFolder) + "\\" + language.file;
        std::optional<std::string> contents = ReadFromHelpFile(helpFile, "contents.hhc");
        ASSERT_TRUE(contents) << "no table of contents in " << helpFile;
        const auto pages = ContentsPages(*contents);

        for (int group = 0; group < 6; ++group) {
            for (const sidebar::Link& link : sidebar::LinksOf(group, language.german, allLinksShown).links) {
                auto entry = std::find_if(pages.begin(), pages.end(),
                                          [&](const auto& page) { return page.first == link.caption; });
                ASSERT_NE(entry, pages.end()) << "no page for \"" << link.caption << "\"";
                std::optional<std::string> page = ReadFromHelpFile(helpFile, entry->second);
                ASSERT_TRUE(page) << entry->second << " is missing";
                EXPECT_NE(page->find("<h1>" + link.caption + "</h1>"), std::string::npos)
                    << entry->second << " is not headed \"" << link.caption << "\"";
            }
        }
    }
}
