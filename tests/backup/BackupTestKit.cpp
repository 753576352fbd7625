#include "tests/backup/BackupTestKit.h"

#include "fileengines/ScanRecords.h"
#include "common/OptionsKeys.h"

void BackupFormTest::SetUp()
{
    testing_support::MainFormTest::SetUp();
    CreateDirectoryA((root + "\\tree").c_str(), nullptr);
    backupDir = root + "\\backups";
    Form1->BackupDir = backupDir;
    Form1->ShredPasses = "1";
}

void BackupFormTest::Start()
{
    testing_support::MainFormTest::Start();
    SettleAfterStart();
}

void BackupFormTest::TearDown()
{
    effects.onBox = nullptr;
    testing_support::MainFormTest::TearDown();
}

std::string BackupFormTest::MakeFile(const std::string& relative, const std::string& content, DWORD attributes)
{
    std::string path = root + "\\tree\\" + relative;
    size_t slash = path.find_last_of('\\');
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    testing_support::WriteFileText(path, content);
    SetFileAttributesA(path.c_str(), attributes);
    return path;
}

void BackupFormTest::AddFound(const std::string& path)
{
    auto* record = new FoundFileRecord;
    record->path = path;
    record->displayName = path.substr(path.find_last_of('\\') + 1);
    record->typeName = "file";
    record->iconIndex = 0;
    record->sizeText = "1";
    Form1->FoundFiles->Add(record);
}

std::vector<std::pair<std::string, std::string>> BackupFormTest::Projects() const
{
    std::vector<std::pair<std::string, std::string>> projects;
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(options::backup::Key))
        return projects;
    for (const std::string& name : registry.GetValueNames())
        projects.emplace_back(name, registry.ReadString(name).value_or("?"));
    return projects;
}

bool BackupFormTest::BoxSaid(const std::string& part) const
{
    for (const auto& box : effects.boxes)
        if (box.text.find(part) != std::string::npos)
            return true;
    return false;
}
