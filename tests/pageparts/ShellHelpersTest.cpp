#include "pageparts/ShellHelpers.h"

#include "common/CaseRule.h"
#include "common/ComScope.h"
#include "tests/support/RecordingEffects.h"
#include "tests/support/TempFolder.h"
#include "toolkit/Effects.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records what the program asked the shell to open, as a path.
class OpenRecorder : public effects::Sink {
public:
    OpenRecorder() { effects::SetSink(this); }
    ~OpenRecorder() override { effects::SetSink(nullptr); }
    bool ShellOpenEx(SHELLEXECUTEINFOA& info) override
    {
        ++calls;
        mask = info.fMask;
        verb = info.lpVerb ? info.lpVerb : "";
        char path[MAX_PATH] = "";
        if (info.lpIDList && ::SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(info.lpIDList), path))
            opened = path;
        show = info.nShow;
        return true;
    }
    int calls = 0;
    ULONG mask = 0;
    std::string verb, opened;
    int show = 0;
};

} // namespace

TEST(ShellHelpers, OpensASpecialFolderThroughTheShell)
{
    ComScope com;
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    OpenRecorder recorder;
    EXPECT_TRUE(OpenSpecialFolder(CSIDL_WINDOWS));
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_EQ(recorder.mask, static_cast<ULONG>(SEE_MASK_IDLIST));
    EXPECT_EQ(recorder.verb, "open");
    EXPECT_EQ(common::UpperCase(recorder.opened), common::UpperCase(windows));
    EXPECT_EQ(recorder.show, SW_SHOWNORMAL);
}

// The dialog itself is answered through the effects seam: it opens at the current
// directory, and only a picked folder replaces the path.
TEST(BrowseDirectory, OpensAtTheCurrentFolderAndReturnsOnlyAPickedOne)
{
    ComScope com;
    testing_support::RecordingEffects effects;
    testing_support::TempFolder folder;
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(folder.Path().c_str());

    std::string path = "unchanged";
    EXPECT_FALSE(BrowseDirectory(1, path));
    EXPECT_EQ(path, "unchanged");
    effects.folderDialogAnswers.push_back(folder.Path());
    EXPECT_TRUE(BrowseDirectory(0, path));
    ::SetCurrentDirectoryA(previous);

    EXPECT_EQ(path, folder.Path());
    ASSERT_EQ(effects.folderDialogs.size(), 2u);
    EXPECT_EQ(effects.folderDialogs[0].title, "Ordner suchen");
    EXPECT_EQ(effects.folderDialogs[1].title, "Search folder");
    EXPECT_EQ(common::UpperCase(effects.folderDialogs[1].startFolder), common::UpperCase(folder.Path()));
    EXPECT_EQ(effects.folderDialogs[1].callback, &BrowseCallback);
}
