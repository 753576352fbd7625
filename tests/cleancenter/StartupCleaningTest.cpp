// The clean-on-start-up actions run at every start, silently, by their digits.
#include "common/OptionsKeys.h"
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

// Whatever TEMP says is emptied at every start, so a TEMP one level too high (the
// profile's AppData, say) must be refused: here it holds the program's backups.
// GetTempPathA reads the process's TMP and TEMP, which Windows takes from the user's
// Environment key when the process starts; the form reads it at its start.
TEST_F(StartupCleaningTest, ATempFolderThatHoldsAGuardedFolderIsNotEmptied)
{
    TempFolder profile;
    const std::string appData = profile / "AppData";
    const std::string backups = appData + "\\Local\\Tidewrack\\ZipBackup";
    for (const std::string& folder : {appData, appData + "\\Local", appData + "\\Local\\Tidewrack", backups})
        CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(appData + "\\settings.ini", "keep");
    WriteFileText(backups + "\\project.zip", "keep");
    char tmp[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    SetEnvironmentVariableA("TMP", appData.c_str());
    SetEnvironmentVariableA("TEMP", appData.c_str());
    Store(options::Key, options::ZipDir, backups);
    Store(options::Key, options::CleanOnStartup, "01");
    Restart();
    SetEnvironmentVariableA("TMP", tmp[0] ? tmp : nullptr);
    SetEnvironmentVariableA("TEMP", temp[0] ? temp : nullptr);
    EXPECT_EQ(Form1->TempDir, appData + "\\");
    EXPECT_TRUE(Exists(appData + "\\settings.ini"));
    EXPECT_TRUE(Exists(backups + "\\project.zip"));
}

} // namespace
