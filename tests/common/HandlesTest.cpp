#include "common/ComPtr.h"
#include "common/FileHandle.h"
#include "common/FindHandle.h"
#include "common/ItemIdList.h"
#include "common/RegistryKey.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using testing_support::TempFolder;

namespace {

// Counts the releases it is given.
class CountedObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

const char* const testKey = "Software\\TidewrackTests\\Handles";

} // namespace

TEST(FindHandle, ListsEveryEntryAndGoesOnAfterBeingMoved)
{
    TempFolder folder;
    testing_support::WriteFileText(folder / "a.txt", "a");
    testing_support::WriteFileText(folder / "b.txt", "b");
    WIN32_FIND_DATAA entry{};
    FindHandle first(folder / "*.txt", entry);
    ASSERT_TRUE(first.Valid());
    std::set<std::string> names{entry.cFileName};
    FindHandle moved(std::move(first));
    EXPECT_FALSE(first.Valid());
    EXPECT_FALSE(first.Next(entry));
    while (moved.Next(entry))
        names.insert(entry.cFileName);
    EXPECT_EQ((std::set<std::string>{"a.txt", "b.txt"}), names);
    EXPECT_FALSE(FindHandle(folder / "missing*", entry).Valid());
}

TEST(FileHandle, KeepsItsFileOpenUntilItsHolderLetsGo)
{
    TempFolder folder;
    const std::string first = folder / "first.txt", second = folder / "second.txt";
    testing_support::WriteFileText(first, "1");
    testing_support::WriteFileText(second, "2");
    // Opened without sharing: a second open of the file fails for as long as one is held.
    const auto open = [](const std::string& path) {
        return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    const auto held = [&](const std::string& path) { return !open(path).Valid(); };

    FileHandle holder = open(first);
    ASSERT_TRUE(holder.Valid());
    FileHandle moved(std::move(holder));
    EXPECT_FALSE(holder.Valid());
    FileHandle assigned = open(second);
    assigned = std::move(moved); // lets the second file go and holds the first
    EXPECT_FALSE(held(second));
    EXPECT_TRUE(held(first));
    EXPECT_TRUE(assigned.Close());
    EXPECT_FALSE(assigned.Valid());
    EXPECT_FALSE(held(first));
    EXPECT_TRUE(assigned.Close()); // nothing left to close

    FileHandle released = open(first);
    const HANDLE raw = released.Release();
    released = FileHandle();
    EXPECT_TRUE(held(first)); // the caller closes it now
    CloseHandle(raw);
    EXPECT_FALSE(open(folder / "missing.txt").Valid());
}

TEST(RegistryKey, CreatesOpensAndClosesTheKeyOnce)
{
    HKEY raw = nullptr;
    {
        const RegistryKey created = RegistryKey::Create(HKEY_CURRENT_USER, testKey, KEY_ALL_ACCESS);
        ASSERT_TRUE(created);
        EXPECT_EQ(ERROR_SUCCESS, created.Status());
        RegistryKey opened(HKEY_CURRENT_USER, testKey);
        ASSERT_TRUE(opened);
        RegistryKey moved(std::move(opened));
        EXPECT_FALSE(opened);
        raw = moved.Get();
    }
    // Closed when its holder went: the handle no longer answers.
    DWORD values = 0;
    EXPECT_NE(ERROR_SUCCESS, RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                              nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, testKey));
    const RegistryKey missing(HKEY_CURRENT_USER, testKey);
    EXPECT_FALSE(missing);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, missing.Status());
}

TEST(ComPtr, ReleasesItsReferenceOnceWhateverBecomesOfIt)
{
    CountedObject gone, replaced, detached;
    {
        ComPtr<IUnknown> holder(&gone);
        ComPtr<IUnknown> moved(std::move(holder));
        ComPtr<IUnknown> assigned;
        assigned = std::move(moved);
        EXPECT_EQ(1u, gone.references);
    }
    EXPECT_EQ(0u, gone.references);

    ComPtr<IUnknown> holder(&replaced);
    *holder.Put() = &detached; // as a call that hands out a reference does
    EXPECT_EQ(0u, replaced.references);
    EXPECT_EQ(&detached, holder.Detach());
    EXPECT_EQ(1u, detached.references);
    EXPECT_FALSE(holder);
}

TEST(ItemIdList, PassesItsListOnWhenMovedOrDetached)
{
    ItemIdList list;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, list.Put())));
    const LPITEMIDLIST raw = list.Get();
    ItemIdList moved(std::move(list));
    EXPECT_FALSE(list);
    EXPECT_EQ(raw, moved.Get());
    const LPITEMIDLIST detached = moved.Detach();
    EXPECT_FALSE(moved);
    EXPECT_EQ(raw, detached);
    CoTaskMemFree(detached);
}
