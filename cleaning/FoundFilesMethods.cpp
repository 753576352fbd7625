// The main form's part of the found-files window: opening it after a listing scan, what
// the window asks of the main form, and its saved layout.
#include "archive/BackupRun.h"
#include "cleaning/FoundFilesHost.h"
#include "cleaning/FoundFilesView.h"
#include "cleaning/Showdelfilesframe.h"
#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "pageparts/HostDialog.h"
#include "pageparts/WindowLayout.h"
#include "shell/Unit1.h"
#include "toolkit/Button.h"
#include "toolkit/RadioButton.h"

#include <shellapi.h>

namespace {

namespace keys = options::screenSettingsDelFiles;

// The shell's type name for files of an ending, without touching any file.
std::string TypeNameOfEnding(const std::string& ending)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(("x" + ending).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
    return info.szTypeName;
}

// The main form as the found-files window's host.
class MainFormHost : public FoundFilesHost {
public:
    explicit MainFormHost(TForm1& form) : form_(form) {}

    TObjectList<FoundFileRecord>& Records() override { return *form_.FoundFiles; }
    std::string SystemDir() const override { return form_.SystemDir; }
    void ShowProperties(const std::string& path) override { TForm1::EigenschaftenDialog(path); }
    void ExportSelected(TListView& list, const std::string& title) override { form_.ExportAsHTML(&list, &list, title); }
    void RememberBackupChoice(bool zip) override
    {
        form_.WriteReg(rootCurrentUser, options::Key, options::BackupIndex, zip ? "1" : "0", "s");
    }
    void RunAsLongJob(const std::function<void()>& job) override
    {
        if (form_.InLongJob())
            return;
        TForm1::LongJob running(&form_);
        job();
    }
    unsigned char& AbortFlag() override { return form_.AbortFlag; }
    backup::PackResult BackUp(TComponent& progressOwner, const std::vector<std::string>& paths,
                              const std::function<bool(const std::string& folder)>& makeDirectory,
                              const std::function<void()>& packingStarts) override
    {
        const BackupSteps steps{makeDirectory,
                                [this](const std::string& archive, const std::vector<std::string>& files) {
                                    return form_.MakeZipArchive(archive, files);
                                }};
        return BackUpIntoNewProject(form_, progressOwner, paths, "", packingStarts, steps);
    }
    void ReportUnsavedFiles(const backup::PackResult& result) override { form_.ReportUnsavedFiles(result, true); }
    path_guard::GuardedFolders GuardedFolders() const override { return form_.GuardedFolders(); }
    TXPMenu* Look() override { return form_.XPMenu1; }
    std::string ShredPasses() const override { return form_.ShredPasses; }
    ShredderIo* ShredderDisk() override { return form_.ShredderDisk; }

private:
    TForm1& form_;
};

} // namespace

void TForm1::ShowFoundFiles()
{
    RelaunchOnClose = 1;
    {
        HourGlass busy;
        MakeHostDialog(HostDialog::FoundFiles);
        Form6->SetCaption(language::Text("Folgende Dateien wurden gefunden", "Following files were found"));
        MakeHostFrame<TFrame8>(HostPanel)->SetHost(std::make_unique<MainFormHost>(*this));
        GetBackupSettings();
        XPMenu1->InitComponent(Frame8);
        GetFrame8Settings(this);
        if (RowSelectOption)
            Frame8->ListView1->SetRowSelect(true);
        if (!LanguageFlag)
            Frame8English();
        // The list asks the shell for a file's type only when it shows the row; a sort by
        // type, a print or an export needs the type of every file, so each ending is asked
        // for here once.
        found_files::FillMissingTypeNames(*FoundFiles, TypeNameOfEnding);
        Frame8->ShareSystemImages();
        Frame8->FillListView1();
        // The list is in scan order; the arrow marks the name column as the one to sort by.
        Frame8->SetHeaderArrow(found_files::colName, 0);
    }
    ShowHostDialog(HostDialog::FoundFiles);
}

// The window keeps its texts in both languages; the date column is fitted again to the
// English captions.
void TForm1::Frame8English()
{
    Frame8->Texts.English();
    Frame8->FitColumns();
}

void TForm1::GetBackupSettings()
{
    if (!Frame8)
        return;
    if (ReadReg(rootCurrentUser, options::Key, options::BackupIndex, "s") == "1")
        Frame8->RadioButton2->SetChecked(true);
    else
        Frame8->RadioButton1->SetChecked(true);
}

void TForm1::GetFrame8Settings(TObject*)
{
    TRegistry registry;
    window_layout::StoredLayout stored = window_layout::ReadLayout(registry, keys::Key, keys::ColumsWidth);
    if (stored.columns)
        window_layout::ApplyColumnWidths(*Frame8->ListView1, *stored.columns);
    if (auto rect = window_layout::WholeRect(stored, {10, 10, 800, 400}))
        window_layout::ApplyRect(*Form6, *rect);
}

void TForm1::WriteFrame8Settings(TObject*)
{
    if (!Form6 || !Frame8)
        return;
    TRegistry registry;
    window_layout::WriteLayout(registry, keys::Key, keys::ColumsWidth, window_layout::RectOf(*Form6),
                               window_layout::ColumnWidthsOf(*Frame8->ListView1));
}
