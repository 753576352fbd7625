// The clean-on-start-up actions run at every start, silently, by their digits.
#include "shell/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

class StartupCleaningTest : public MainFormTest {
protected:
    void SetUp() override
    {
        ClearSettings();
        Start(); // learns the folders
        recent_ = Form1->RecentDir;
        prefetch_ = Form1->WindowsDir + "\\Prefetch";
        CreateDirectoryA(recent_.c_str(), nullptr);
        CreateDirectoryA(prefetch_.c_str(), nullptr);
        WriteFileText(recent_ + "\\doc.lnk", "link");
        WriteFileText(prefetch_ + "\\APP.pf", "pf");
    }
    std::string recent_, prefetch_;
};

TEST_F(StartupCleaningTest, SixthDigitEmptiesOnlyThePrefetchFolder)
{
    Store(options::Key, options::CleanOnStartup, "000001");
    Restart();
    EXPECT_FALSE(Exists(prefetch_ + "\\APP.pf"));
    EXPECT_TRUE(Exists(prefetch_));
    EXPECT_TRUE(Exists(recent_ + "\\doc.lnk"));
}

TEST_F(StartupCleaningTest, ASingleOneRunsOnlyTheRecentAction)
{
    Store(options::Key, options::CleanOnStartup, "1");
    Restart();
    EXPECT_FALSE(Exists(recent_ + "\\doc.lnk"));
    EXPECT_TRUE(Exists(prefetch_ + "\\APP.pf"));
}

} // namespace
