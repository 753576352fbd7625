// The value viewer and the properties sheet.
#include "system/Mrudata.h"
#include "tests/support/ListCells.h"
#include "tests/support/MainFormFixture.h"

namespace {

class ValueViewerTest : public testing_support::MainFormTest {};

TEST_F(ValueViewerTest, ListsTheValuesAndEscapeClosesAndFreesIt)
{
    auto* viewer = new TForm10(Form1);
    viewer->AddValue("a", "C:\\x.txt");
    viewer->AddValue("MRUList", "");
    ASSERT_EQ(Form10, viewer);
    EXPECT_EQ(SendMessageA(viewer->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(testing_support::CellText(viewer->ListView1, 0, 1), "C:\\x.txt");
    EXPECT_EQ(testing_support::CellText(viewer->ListView1, 1, 0), "MRUList");

    PostMessageA(viewer->ListView1->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(viewer->ShowModal(), mrCancel);
    Application->ProcessMessages();
    EXPECT_EQ(Form10, nullptr); // freed, not merely hidden
}

TEST_F(ValueViewerTest, OkClosesAnEmptyViewer)
{
    auto* viewer = new TForm10(Form1);
    EXPECT_EQ(SendMessageA(viewer->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    PostMessageA(viewer->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_NE(viewer->ShowModal(), mrNone);
    Application->ProcessMessages();
    EXPECT_EQ(Form10, nullptr);
}

class PropertiesSheetTest : public testing_support::MainFormTest {};

TEST_F(PropertiesSheetTest, TheShellGetsTheItemWithThePropertiesVerb)
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string path = std::string(windows) + "\\win.ini";
    SHELLEXECUTEINFOA seen{};
    struct Spy : testing_support::RecordingEffects {
        SHELLEXECUTEINFOA* seen;
        bool hadList = false;
        bool ShellOpenEx(SHELLEXECUTEINFOA& info) override
        {
            *seen = info;
            hadList = info.lpIDList != nullptr;
            return RecordingEffects::ShellOpenEx(info);
        }
    };
    {
        Spy spy;
        spy.seen = &seen;
        EXPECT_TRUE(Form1->EigenschaftenDialog(path));
        EXPECT_TRUE(spy.hadList);
        ASSERT_EQ(spy.launches.size(), 1u);
        EXPECT_EQ(spy.launches[0].verb, "properties");
        EXPECT_EQ(spy.launches[0].file, path);
    }
    effects::SetSink(&effects); // the spy's end put the real sink back
    EXPECT_EQ(seen.fMask & SEE_MASK_INVOKEIDLIST, static_cast<ULONG>(SEE_MASK_INVOKEIDLIST));
}

} // namespace
