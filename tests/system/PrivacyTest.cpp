// The privacy switches on seeded keys of the sandbox registry: what is read, and that
// Apply writes only what the user changed, and only into keys that exist.
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/TreeView.h"

#include <sddl.h>
#include <shlwapi.h>

#include <memory>

using testing_support::MainFormTest;

namespace {

// A registry value set for one test; the value, and the key when the test made it, go
// again afterwards.
class SeededValue {
public:
    SeededValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::string& data)
        : root_(root), key_(key), name_(name)
    {
        HKEY handle = nullptr;
        created_ = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS;
        if (handle)
            RegCloseKey(handle);
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
        if (type == REG_DWORD) {
            DWORD number = std::stoul(data);
            RegSetValueExA(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
        } else {
            RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>(data.size() + 1));
        }
        RegCloseKey(handle);
    }
    ~SeededValue()
    {
        if (created_) {
            RegDeleteKeyA(root_, key_.c_str());
            return;
        }
        HKEY handle = nullptr;
        if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
            RegDeleteValueA(handle, name_.c_str());
            RegCloseKey(handle);
        }
    }
    void Set(DWORD number)
    {
        HKEY handle = nullptr;
        RegOpenKeyExA(root_, key_.c_str(), 0, KEY_ALL_ACCESS, &handle);
        RegSetValueExA(handle, name_.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
        RegCloseKey(handle);
    }
    std::string Read() const
    {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
            return "no key";
        BYTE data[256] = {};
        DWORD size = sizeof data, type = 0;
        LONG status = RegQueryValueExA(handle, name_.c_str(), nullptr, &type, data, &size);
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS)
            return "no value";
        return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                 : std::string(reinterpret_cast<char*>(data));
    }

private:
    HKEY root_;
    std::string key_, name_;
    bool created_ = false;
};

bool KeyExists(const char* path)
{
    HKEY handle = nullptr;
    bool exists = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &handle) == ERROR_SUCCESS;
    if (handle)
        RegCloseKey(handle);
    return exists;
}

const char* const ersvc = "SYSTEM\\CurrentControlSet\\Services\\ERSvc";

class PrivacyTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SettleAfterStart();
        Form1->LanguageFlag = 0;
        ASSERT_FALSE(KeyExists(ersvc)); // the sandbox lacks this service
    }

    std::unique_ptr<SeededValue> User(const std::string& key, const char* name, const std::string& number)
    {
        return std::make_unique<SeededValue>(HKEY_USERS, Form1->UserHive + key, name, REG_DWORD, number);
    }

    void OpenPage()
    {
        Form1->NavSection = 2;
        Form1->NavItem = 7;
        Form1->SpeedClick(nullptr);
    }
    bool Chosen(int node) { return Form1->SpySwitchChosen(node); }
    void Toggle(int node) { Form1->ToggleSpySwitch(Form1->TreeView3->Items()->Item(node)); }
};

TEST_F(PrivacyTest, ThreeCaptionsAreTheSameInBothLanguages)
{
    OpenPage();
    std::vector<std::string> captions[2];
    for (int language : {0, 1}) {
        Form1->LanguageFlag = language;
        Form1->InitSpyTree();
        for (int node : {3, 15, 24})
            captions[language].push_back(Form1->TreeView3->Items()->Item(node)->Text());
    }
    EXPECT_EQ(captions[0], captions[1]);
}

TEST_F(PrivacyTest, ReadsEachSwitchFromItsValue)
{
    auto negotiate = User("\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", "0");
    auto scheduled = User("\\Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", "0");
    SeededValue time(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\W32Time", "Start", REG_DWORD, "4");
    OpenPage();
    EXPECT_EQ(Form1->TreeView3->Items()->Count(), 25);
    EXPECT_TRUE(Chosen(1));
    EXPECT_FALSE(Chosen(2));
    EXPECT_TRUE(Chosen(13));
    EXPECT_FALSE(Chosen(11));          // no such service
    EXPECT_TRUE(Chosen(8));            // a missing value is not "1"
    EXPECT_TRUE(Chosen(17));           // no Messenger start entry
    EXPECT_FALSE(Chosen(16));
    EXPECT_FALSE(Chosen(18));
}

TEST_F(PrivacyTest, ApplyWritesOnlyTheChangedSwitchesAndCreatesNoServiceKey)
{
    auto negotiate = User("\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", "1");
    auto scheduled = User("\\Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck", "NoScheduledUpdates", "1");
    OpenPage();
    scheduled->Set(7); // changed behind the page's back: an unchanged switch must not overwrite it
    Toggle(1);
    Toggle(11);
    Form1->Label92Click(nullptr);
    EXPECT_EQ(negotiate->Read(), "0");
    EXPECT_EQ(scheduled->Read(), "7");
    EXPECT_FALSE(KeyExists(ersvc));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Done !");
}

// Un-choosing "Disable autostart" chooses the other two: Apply writes Messenger's start
// command back, where Messenger is installed, and asks before removing it. Done is said
// only when something was applied.
TEST_F(PrivacyTest, UnchoosingDisableAutostartWritesTheStartCommandBackAndAsksBeforeTheRemoval)
{
    const std::string runKey = Form1->UserHive + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SeededValue run(HKEY_USERS, runKey, "MSMSGS", REG_SZ, "");
    SHDeleteValueA(HKEY_USERS, runKey.c_str(), "MSMSGS");
    testing_support::TempFolder programs;
    Form1->ProgramFilesDir = programs.Path();
    OpenPage();
    Toggle(17);
    EXPECT_TRUE(Chosen(16));
    EXPECT_TRUE(Chosen(18));
    struct Step { bool installed; std::string value, box; };
    const std::string messenger = programs / "Messenger\\msmsgs.exe";
    const Step steps[] = {
        {false, "no value", "These settings could not be written:\nDisable autostart (Messenger is not installed)"},
        {true, "\"" + messenger + "\" /background", "Done !"},
        {true, "\"" + messenger + "\" /background", "No setting was changed."},
    };
    for (const Step& step : steps) {
        if (step.installed && CreateDirectoryA((programs / "Messenger").c_str(), nullptr))
            testing_support::WriteFileText(messenger, "");
        effects.boxes.clear();
        effects.answers = {IDNO};
        Form1->Label92Click(nullptr);
        EXPECT_EQ(run.Read(), step.value);
        ASSERT_EQ(effects.boxes.size(), 2u);
        EXPECT_EQ(effects.boxes[0].caption, "Messenger");
        EXPECT_EQ(effects.boxes[1].text, step.box);
    }
    EXPECT_TRUE(effects.launches.empty());
}

TEST_F(PrivacyTest, RecommendedRemovalAsksFirstAndLeavesTheStartEntry)
{
    SeededValue run(HKEY_USERS, Form1->UserHive + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS",
                    REG_SZ, "msmsgs.exe /background");
    OpenPage();
    Form1->Label91Click(nullptr);
    EXPECT_TRUE(Chosen(18));
    EXPECT_FALSE(Chosen(16));
    EXPECT_FALSE(Chosen(17));
    OpenPage(); // forgets the recommended set, which would write the sandbox's system keys
    Toggle(18);
    effects.answers = {IDYES};
    Form1->Label92Click(nullptr);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_NE(effects.launches[0].file.find("advpack.dll,LaunchINFSection"), std::string::npos);
    EXPECT_EQ(run.Read(), "msmsgs.exe /background");
}

// The removal counts only once it has ended and says it succeeded: a failing one is
// named as a setting not written.
TEST_F(PrivacyTest, AFailedMessengerRemovalIsNamedNotDone)
{
    SeededValue run(HKEY_USERS, Form1->UserHive + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "MSMSGS",
                    REG_SZ, "msmsgs.exe /background");
    OpenPage();
    Toggle(18);
    effects.answers = {IDYES};
    effects.processExitCode = 1;
    Form1->Label92Click(nullptr);
    ASSERT_EQ(effects.launches.size(), 1u);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "These settings could not be written:\nRemove from system (error 1)");
}

// A machine key that cannot be opened for writing is not a key that is missing: the
// switch was not written, and the box says why.
TEST_F(PrivacyTest, AMachineKeyThatMayNotBeWrittenIsNamedNotDone)
{
    const char* const outlook = "SOFTWARE\\Microsoft\\Outlook Express";
    ASSERT_FALSE(KeyExists(outlook));
    SeededValue hide(HKEY_LOCAL_MACHINE, outlook, "Hide Messenger", REG_DWORD, "0");
    // Everyone may read the key, nobody may write it.
    auto setAccess = [outlook](const char* sddl, REGSAM access) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, outlook, 0, access, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        RegCloseKey(key);
        LocalFree(descriptor);
    };
    setAccess("D:(A;;KR;;;WD)", KEY_ALL_ACCESS);
    OpenPage();
    Toggle(23);
    Form1->Label92Click(nullptr);
    setAccess("D:(A;;KA;;;WD)", WRITE_DAC);
    EXPECT_EQ(hide.Read(), "0");
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text,
              "These settings could not be written:\nDon't start MS-Messenger with OutLook  (access denied)");
}

} // namespace

