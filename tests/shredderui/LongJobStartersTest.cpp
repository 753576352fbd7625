// Every starter of a long job refuses while another one runs: it would let messages in
// under the other one, and some would clear the cancel the user set for it.
#include "CallerKit.h"

#include <functional>

using namespace shredder_test;

namespace {

struct Starter {
    const char* name;
    std::function<void(ShredderCallerTest&, const std::string& file)> prepare;
    std::function<void(ShredderCallerTest&)> start;
};

class LongJobStarters : public ShredderCallerTest, public ::testing::WithParamInterface<Starter> {};

TEST_P(LongJobStarters, RefuseWhileAnotherLongJobRuns)
{
    const std::string file = BigFile(folder / "kept.bin");
    GetParam().prepare(*this, file);
    {
        TForm1::LongJob other(Form1);
        Form1->AbortFlag = 1; // the user cancelled the other job
        GetParam().start(*this);
        EXPECT_EQ(1, Form1->AbortFlag) << "the other job's cancel stands";
    }
    EXPECT_TRUE(effects.boxes.empty()) << effects.boxes[0].text;
    EXPECT_EQ(nullptr, Form2);
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(io.log.empty());
    EXPECT_TRUE(io.disk.created.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Starters, LongJobStarters,
    ::testing::Values(
        Starter{"ShredderPage", [](ShredderCallerTest& t, const std::string& file) { t.OnShredderPage(file); },
                [](ShredderCallerTest&) { Form1->Button1Click(nullptr); }},
        Starter{"FreeSpaceWipe", [](ShredderCallerTest& t, const std::string&) { t.OnWipePage(); },
                [](ShredderCallerTest&) { Form1->Label48Click(nullptr); }},
        Starter{"FoundFilesShred", [](ShredderCallerTest& t, const std::string& file) { t.InFoundFiles(file); },
                [](ShredderCallerTest&) { Frame8->ToolButton13Click(nullptr); }},
        Starter{"FoundFilesDelete", [](ShredderCallerTest& t, const std::string& file) { t.InFoundFiles(file); },
                [](ShredderCallerTest&) { Frame8->MarkierteDateienendgltiglschen2Click(nullptr); }},
        Starter{"FolderIndex",
                [](ShredderCallerTest&, const std::string& file) { Form1->NewListViewWP7(nullptr, {file}); },
                [](ShredderCallerTest&) { Form1->Button6Click(nullptr); }},
        Starter{"SharedDllBackup",
                [](ShredderCallerTest&, const std::string& file) {
                    Form1->ListView14->Items()->Add()->SetCaption(file);
                    Form1->ListView14->SetSelected(0, true);
                },
                [](ShredderCallerTest&) { Form1->DLLDateiensichern(); }},
        Starter{"SpaceManagerOpening", [](ShredderCallerTest&, const std::string&) {},
                [](ShredderCallerTest&) {
                    Form1->Button8Click(nullptr);
                    EXPECT_EQ(nullptr, Form11);
                }},
        Starter{"SpaceManagerWipe", [](ShredderCallerTest& t, const std::string&) { t.OpenSpaceManager(); },
                [](ShredderCallerTest& t) { Form11->SecureWipe({t.folder.Path()}); }}),
    [](const ::testing::TestParamInfo<Starter>& info) { return std::string(info.param.name); });

} // namespace
