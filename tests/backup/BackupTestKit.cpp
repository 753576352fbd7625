#include "tests/backup/BackupTestKit.h"

#include "shell/OptionsKeys.h"

#include <fstream>
#include <sstream>

namespace {

void ClearSettings()
{
    TRegistry registry;
    registry.DeleteKey("Software\\Tidewrack");
}

} // namespace

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void BackupFormTest::SetUp()
{
    ClearSettings();
    Application->Terminated = false;
    Application->ShowMainForm = true;
    Application->CreateForm(Form1);
    Application->ProcessMessages();
    effects.boxes.clear(); // the first start's network hint
    effects.answers.clear();

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "TidewrackBackupTest";
    RemoveTree(root);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\tree").c_str(), nullptr);
    backupDir = root + "\\backups";
    Form1->BackupDir = backupDir;
    Form1->ShredPasses = "1";
}

void BackupFormTest::TearDown()
{
    effects.onBox = nullptr;
    delete Form1;
    Application->ProcessMessages();
    RemoveTree(root);
    ClearSettings();
    Application->Terminated = false;
}

std::string BackupFormTest::MakeFile(const std::string& relative, const std::string& content, DWORD attributes)
{
    std::string path = root + "\\tree\\" + relative;
    size_t slash = path.find_last_of('\\');
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    {
        std::ofstream(path, std::ios::binary) << content;
    }
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

std::string BackupFormTest::ReadFile(const std::string& path) const
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

bool BackupFormTest::Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
