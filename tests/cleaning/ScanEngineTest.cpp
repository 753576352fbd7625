// The walk and the per-file test on real files in a temporary tree, for every scan mode.
#include "common/CaseRule.h"
#include "tests/cleaning/ScanTestKit.h"

#include "tests/support/RecordingEffects.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>

using namespace cleaning;
using namespace file_engines;
using namespace scan_test;
using testing_support::LocalFileTimeOf;

namespace {

using Paths = std::vector<std::string>;

class ScanEngine : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitialize(nullptr); }

    void SetUp() override
    {
        // A tree with junk, a keeper, an excluded folder and a folder named like junk.
        tree.File("a.bak", 10);
        tree.File("b.TMP", 20);
        tree.File("keep.txt", 30);
        tree.File("empty.dat", 0);
        tree.Folder("sub");
        tree.File("sub\\c.old", 40);
        tree.File("sub\\page.html", 5);
        tree.Folder("excluded");
        tree.File("excluded\\d.bak", 50);
        tree.Folder("x.bak");
        tree.File("x.bak\\inside.txt", 60);
        tree.File("x.bak\\inside.bak", 70);
        settings.excludeDirs = {{true, tree / "excluded"}};
    }

    Paths Run(int mode, FileDeleter& deleter, DWORD flags = 0x60)
    {
        settings.mode = mode;
        found.Clear();
        return Relative(tree.Root(), Scan(tree.Root(), settings, deleter, observer, found, flags));
    }
    Paths Run(int mode)
    {
        RecordingDeleter none;
        return Run(mode, none);
    }

    TempTree tree;
    ScanSettings settings;
    RecordingObserver observer;
    TObjectList<FoundFileRecord> found;
};

// A folder shortcut as the shell makes one: a read-only folder that holds target.lnk
// and a desktop.ini naming the folder-shortcut class.
void MakeFolderShortcut(const std::string& folder, const std::string& target)
{
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    IShellLinkA* link = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                reinterpret_cast<void**>(&link)));
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    HRESULT saved = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(saved)) {
        std::string name = folder + "\\target.lnk";
        saved = file->Save(std::wstring(name.begin(), name.end()).c_str(), TRUE);
        file->Release();
    }
    link->Release();
    ASSERT_HRESULT_SUCCEEDED(saved);
    testing_support::WriteFileText(folder + "\\desktop.ini",
                                   "[.ShellClassInfo]\r\nCLSID2={0AFACED1-E828-11D1-9187-B532F1E9575D}\r\nFlags=2\r\n");
    ::SetFileAttributesA((folder + "\\desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_READONLY));
}

const FoundFileRecord* Record(const TObjectList<FoundFileRecord>& found, const std::string& suffix)
{
    for (int i = 0; i < found.Count(); ++i)
        if (found[i]->path.size() >= suffix.size() &&
            found[i]->path.compare(found[i]->path.size() - suffix.size(), suffix.size(), suffix) == 0)
            return found[i];
    return nullptr;
}

} // namespace

TEST_F(ScanEngine, ListModeCollectsMaskedFilesAndMaskedFoldersOutsideExclusions)
{
    EXPECT_EQ(Run(scanList), (Paths{"a.bak", "b.TMP", "sub\\c.old", "x.bak", "x.bak\\inside.bak"}));
    const FoundFileRecord* record = Record(found, "\\a.bak");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->sizeText, "10");
    EXPECT_EQ(record->size, 10u);
    EXPECT_EQ(record->iconIndex, -1);
    EXPECT_EQ(record->typeName, "");
    EXPECT_TRUE(record->displayName == "a.bak" || record->displayName == "a") << record->displayName;
    EXPECT_EQ(record->attributes, "A");
    EXPECT_FALSE(record->dateText.empty());
    EXPECT_TRUE(observer.skipped.empty());
}

TEST_F(ScanEngine, DeleteModesDeleteOnlyMaskedFilesNeverAFolderWithItsContent)
{
    for (int mode : {scanDeleteToRecycleBin, scanDeleteToRecycleBinConfirmed, scanDeletePermanentlyConfirmed,
                     scanDeletePermanently}) {
        RecordingDeleter deleter;
        Run(mode, deleter);
        Paths asked;
        for (auto& entry : deleter.asked) {
            asked.push_back(entry.first);
            EXPECT_EQ(entry.second, DeleteActionOf(mode)) << "the delete action is the scan mode's";
        }
        EXPECT_EQ(Relative(tree.Root(), asked), (Paths{"a.bak", "b.TMP", "sub\\c.old", "x.bak\\inside.bak"}))
            << "mode " << mode << ": the folder x.bak is not handed to the deleter";
        EXPECT_EQ(found.Count(), 0) << "delete modes collect nothing";
    }
}

// The stored mode's number chooses the delete; a number that names no delete mode gets
// the mildest delete (the shell asks, and the recycle bin keeps the file), never one for good.
TEST(ScanModes, EachDeleteModeHasItsOwnActionAndAnyOtherNumberTheMildest)
{
    const struct {
        int mode;
        DeleteAction action;
    } cases[] = {
        {scanDeleteToRecycleBin, deleteToRecycleBin},
        {scanDeleteToRecycleBinConfirmed, deleteToRecycleBinConfirmed},
        {scanDeletePermanentlyConfirmed, deletePermanentlyConfirmed},
        {scanDeletePermanently, deletePermanently},
        {scanList, deleteToRecycleBinConfirmed},
        {scanFileName, deleteToRecycleBinConfirmed},
        {-1, deleteToRecycleBinConfirmed},
        {8, deleteToRecycleBinConfirmed},
        {1004, deleteToRecycleBinConfirmed},
    };
    for (const auto& k : cases)
        EXPECT_EQ(DeleteActionOf(k.mode), k.action) << "mode " << k.mode;
}

TEST_F(ScanEngine, PermanentDeleteRemovesExactlyTheMaskedFiles)
{
    testing_support::RecordingEffects effects;
    ShellFileDeleter deleter(0, nullptr);
    Run(scanDeletePermanently, deleter);
    for (const char* gone : {"a.bak", "b.TMP", "sub\\c.old", "x.bak\\inside.bak"})
        EXPECT_FALSE(tree.Exists(gone)) << gone;
    for (const char* kept : {"keep.txt", "empty.dat", "sub\\page.html", "excluded\\d.bak", "x.bak", "x.bak\\inside.txt"})
        EXPECT_TRUE(tree.Exists(kept)) << kept;
    EXPECT_TRUE(effects.boxes.empty()) << "mode 4 asks nothing";
    EXPECT_TRUE(observer.failures.empty());
}

TEST_F(ScanEngine, RecycleBinDeleteRemovesExactlyTheMaskedFiles)
{
    testing_support::RecordingEffects effects;
    ShellFileDeleter deleter(0, nullptr);
    Run(scanDeleteToRecycleBin, deleter);
    for (const char* gone : {"a.bak", "b.TMP", "sub\\c.old", "x.bak\\inside.bak"})
        EXPECT_FALSE(tree.Exists(gone)) << gone;
    for (const char* kept : {"keep.txt", "excluded\\d.bak", "x.bak\\inside.txt"})
        EXPECT_TRUE(tree.Exists(kept)) << kept;
    EXPECT_TRUE(effects.boxes.empty()) << "mode 1 asks nothing";
}

TEST_F(ScanEngine, ConfirmedModesAskFirstAndKeepWhatTheUserDeclines)
{
    for (int mode : {scanDeleteToRecycleBinConfirmed, scanDeletePermanentlyConfirmed}) {
        TempTree own;
        own.File("yes.bak");
        own.File("no.bak");
        testing_support::RecordingEffects effects;
        effects.defaultAnswer = IDNO;
        ShellFileDeleter deleter(0, nullptr);
        // The walk meets the files in the file system's order; answer by name.
        struct ByName : FileDeleter {
            ShellFileDeleter& real;
            testing_support::RecordingEffects& effects;
            ByName(ShellFileDeleter& r, testing_support::RecordingEffects& e) : real(r), effects(e) {}
            DeleteOutcome Delete(const std::string& path, DeleteAction action) override
            {
                effects.answers.push_back(path.find("yes") != std::string::npos ? IDYES : IDNO);
                return real.Delete(path, action);
            }
        } byName(deleter, effects);
        settings.mode = mode;
        found.Clear();
        Scan(own.Root(), settings, byName, observer, found);
        EXPECT_FALSE(own.Exists("yes.bak")) << mode;
        EXPECT_TRUE(own.Exists("no.bak")) << mode;
        EXPECT_TRUE(effects.boxes.empty()) << "the shell asks, not the program";
        ASSERT_EQ(effects.shellOperations.size(), 2u);
        EXPECT_FALSE(effects.shellOperations[0].flags & FOF_NOCONFIRMATION);
        EXPECT_NE(effects.shellOperations[0].from.find(own.Root()), std::string::npos) << "the shell asks about the file";
    }
    EXPECT_TRUE(observer.failures.empty()) << "a declined file is no failure";
}

TEST_F(ScanEngine, ALockedFileIsReportedAndTheScanGoesOn)
{
    testing_support::RecordingEffects effects;
    HANDLE locked = ::CreateFileA((tree / "a.bak").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    ShellFileDeleter deleter(0, nullptr);
    Run(scanDeletePermanently, deleter);
    ::CloseHandle(locked);
    if (!tree.Exists("a.bak")) // this system deletes files that are open without sharing
        GTEST_SKIP() << "the system does not lock open files";
    EXPECT_EQ(Relative(tree.Root(), observer.failures), Paths{"a.bak"});
    EXPECT_FALSE(tree.Exists("b.TMP"));
}

TEST_F(ScanEngine, EmptyFileModeListsOnlyFilesOfSizeZero)
{
    EXPECT_EQ(Run(scanEmptyFiles), Paths{"empty.dat"}) << "folders report size 0 but are not files";
}

TEST_F(ScanEngine, NameModeFindsTheTextAnywhereInThePath)
{
    tree.Folder("JunkBox");
    tree.File("JunkBox\\one.doc");
    tree.File("JunkBox\\two");
    settings.searchText = "junkbox";
    EXPECT_EQ(Run(scanFileName), (Paths{"JunkBox\\one.doc", "JunkBox\\two"}));
    settings.searchText = "INSIDE";
    EXPECT_EQ(Run(scanFileName), (Paths{"x.bak\\inside.bak", "x.bak\\inside.txt"}));
    settings.searchText = "";
    EXPECT_EQ(Run(scanFileName), Paths{}) << "an empty search text finds nothing";
}

TEST_F(ScanEngine, AgeModeUsesTheRealLastAccessTime)
{
    // Written recently but not opened for years: only the last-access time tells, and
    // the shell's own item data does not carry it on every system.
    FILETIME recent = LocalFileTimeOf(2024, 5, 1);
    SetTimes(tree / "keep.txt", recent, LocalFileTimeOf(2020, 1, 1));
    SetTimes(tree / "sub\\page.html", LocalFileTimeOf(2019, 1, 1), LocalFileTimeOf(2024, 4, 30));
    for (const char* other : {"a.bak", "b.TMP", "empty.dat", "sub\\c.old", "excluded\\d.bak", "x.bak\\inside.txt",
                              "x.bak\\inside.bak"})
        SetTimes(tree / other, recent, recent);
    SetTimes(tree / "sub", recent, recent);
    SetTimes(tree / "excluded", recent, recent);
    SetTimes(tree / "x.bak", recent, LocalFileTimeOf(2000, 1, 1));

    settings.now = {};
    settings.now.wYear = 2024, settings.now.wMonth = 5, settings.now.wDay = 2, settings.now.wHour = 12;
    settings.olderThanDays = 30;
    EXPECT_EQ(Run(scanNotAccessed), Paths{"keep.txt"}) << "folders are never listed by age";
    settings.olderThanDays = 1;
    EXPECT_EQ(Run(scanNotAccessed), (Paths{"keep.txt", "sub\\page.html"})) << "two whole days exceed one";
    settings.olderThanDays = 2;
    EXPECT_EQ(Run(scanNotAccessed), Paths{"keep.txt"}) << "two whole days do not exceed two";
}

TEST_F(ScanEngine, LargeFilesCountWithTheirFull64BitSize)
{
    HANDLE file = ::CreateFileA((tree / "big.bak").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = (5LL << 30) + 3; // sparse: nothing is written
    ASSERT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file));
    ::CloseHandle(file);

    settings.startBytes = 800;
    RecordingDeleter none;
    settings.mode = scanList;
    Scan(tree.Root(), settings, none, observer, found);
    const FoundFileRecord* record = Record(found, "\\big.bak");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->sizeText, "5368709123");
    EXPECT_EQ(record->size, (5ULL << 30) + 3);

    // Every item counts towards the progress, found or not.
    settings.totalBytes = (5ULL << 30) + 3 + 10 + 20 + 30 + 40 + 5 + 50 + 60 + 70 + 800;
    found.Clear();
    observer.percents.clear();
    JunkScan scan(settings, observer, none, found);
    FolderLocation location;
    HRESULT error;
    ASSERT_TRUE(MakeFolderLocation(tree.Root(), location, error));
    WalkLocations(
        {{"tree", location.parentFolder, location.item}},
        [&](IShellFolder* folder, const std::string& path) {
            WalkShellFolder(folder, path, nullptr, WalkOptions{}, scan);
        },
        observer);
    location.parentFolder->Release();
    ::CoTaskMemFree(location.item);
    EXPECT_DOUBLE_EQ(scan.ScannedBytes(), static_cast<double>(settings.totalBytes));
    ASSERT_FALSE(observer.percents.empty());
    EXPECT_EQ(observer.percents.back(), 100);
}

TEST_F(ScanEngine, LinksOutOfTheTreeAreNeitherWalkedNorDeletedThrough)
{
    TempTree outside;
    outside.File("precious.bak", 9);
    outside.Folder("deep");
    outside.File("deep\\more.bak", 9);
    if (!tree.Link("out", outside.Root()) || !tree.Link("alias.bak", outside / "precious.bak"))
        GTEST_SKIP() << "this system cannot make symbolic links here";
    ASSERT_TRUE(::GetFileAttributesA((tree / "out").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    Paths listed = Run(scanList);
    for (const std::string& path : listed)
        EXPECT_EQ(path.find("out\\"), std::string::npos) << path << " was reached through the folder link";

    testing_support::RecordingEffects effects;
    for (int mode : {scanDeletePermanently, scanDeleteToRecycleBin}) {
        ShellFileDeleter deleter(0, nullptr);
        Run(mode, deleter);
        EXPECT_TRUE(outside.Exists("precious.bak")) << "mode " << mode << " deleted a file outside through a link";
        EXPECT_TRUE(outside.Exists("deep\\more.bak")) << "mode " << mode;
    }
    EXPECT_FALSE(tree.Exists("a.bak")) << "the tree's own files are deleted all the same";
}

TEST_F(ScanEngine, AFolderThatTheShellBindsElsewhereIsNotEntered)
{
    TempTree outside;
    outside.File("precious.bak");
    MakeFolderShortcut(tree / "shortcut", outside.Root());
    RecordingDeleter deleter;
    Run(scanDeletePermanently, deleter);
    // Wine's shell binds a folder shortcut as a plain folder; Windows binds it to its
    // target. So the walk is also handed the target's folder object as the shortcut's.
    FolderLocation target;
    HRESULT error = S_OK;
    ASSERT_TRUE(MakeFolderLocation(outside.Root(), target, error));
    IShellFolder* bound = BindLocation(target.parentFolder, target.item, error);
    ASSERT_NE(bound, nullptr);
    settings.masks = DefaultScanMasks();
    JunkScan scan(settings, observer, deleter, found); // deleting at once, as Run left it
    WalkShellFolder(bound, tree / "shortcut", nullptr, WalkOptions{}, scan);
    bound->Release();
    target.parentFolder->Release();
    ::CoTaskMemFree(target.item);

    ASSERT_FALSE(deleter.asked.empty()) << "the tree's own junk is deleted all the same";
    for (const auto& asked : deleter.asked)
        EXPECT_EQ(common::UpperCase(asked.first).find(common::UpperCase(outside.Root())), std::string::npos) << asked.first;
}

TEST_F(ScanEngine, OnlyFoldersNamedDotZipAreTakenForArchives)
{
    for (const std::string folder : {"x.zipped", "a.zipx", "real.zip"}) {
        tree.Folder(folder);
        tree.File(folder + "\\f.bak");
    }
    Paths listed = Run(scanList);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "x.zipped\\f.bak"), 1);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "a.zipx\\f.bak"), 1);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "real.zip\\f.bak"), 0);
}

TEST_F(ScanEngine, HiddenFilesOnlyWithTheIncludeHiddenFlag)
{
    tree.File("secret.bak");
    ASSERT_TRUE(::SetFileAttributesA((tree / "secret.bak").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    RecordingDeleter none;
    Paths plain = Run(scanList, none, 0x60);
    EXPECT_EQ(std::count(plain.begin(), plain.end(), "secret.bak"), 0);
    Paths all = Run(scanList, none, 0xE0);
    EXPECT_EQ(std::count(all.begin(), all.end(), "secret.bak"), 1);
    const FoundFileRecord* record = Record(found, "\\secret.bak");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->attributes, "HA");
}

TEST_F(ScanEngine, LocationsThatCannotBeBoundAreReportedAndSkipped)
{
    FolderLocation missing;
    HRESULT error = S_OK;
    EXPECT_FALSE(MakeFolderLocation("Q:\\no\\such\\place", missing, error));
    EXPECT_TRUE(FAILED(error));
    EXPECT_EQ(missing.parentFolder, nullptr);
    EXPECT_EQ(missing.item, nullptr);

    FolderLocation good;
    ASSERT_TRUE(MakeFolderLocation(tree.Root(), good, error));
    settings.mode = scanList;
    settings.masks = DefaultScanMasks();
    RecordingDeleter none;
    JunkScan scan(settings, observer, none, found);
    WalkLocations(
        {{"broken", nullptr, nullptr}, {"tree", good.parentFolder, good.item}},
        [&](IShellFolder* folder, const std::string& path) {
            WalkShellFolder(folder, path, nullptr, WalkOptions{}, scan);
        },
        observer);
    good.parentFolder->Release();
    ::CoTaskMemFree(good.item);
    EXPECT_EQ(observer.skipped, Paths{"broken"});
    EXPECT_EQ(found.Count(), 5) << "the next location is scanned all the same";
}

TEST_F(ScanEngine, CancelStopsTheWalk)
{
    for (int i = 0; i < 5; ++i) {
        tree.Folder("more" + std::to_string(i));
        tree.File("more" + std::to_string(i) + "\\f.bak");
    }
    observer.cancelAfterFolders = 1;
    Paths partial = Run(scanList);
    EXPECT_LT(partial.size(), 10u);
    EXPECT_LE(observer.folders, 2) << "no folder is entered after the cancel";

    observer.cancelAfterFolders = 0;
    observer.folders = 1; // cancelled before the scan begins
    EXPECT_EQ(Run(scanList), Paths{});
}

