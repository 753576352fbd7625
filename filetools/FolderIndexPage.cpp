// The folder index page: files and folders dropped onto its list, optionally with
// everything below them, written as an HTML page or as semicolon-separated text.
#include "common/CaseRule.h"
#include "common/Language.h"
#include "shell/Unit1.h"

#include "common/PathFacts.h"
#include "filetools/FolderIndex.h"
#include "pageparts/ListExport.h"
#include "pageparts/PageParts.h"
#include "fileengines/StagedFile.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/Memo.h"
#include "toolkit/NumberText.h"
#include "toolkit/PathText.h"
#include "toolkit/SaveDialog.h"

namespace {

const char* const indexTitle = "VovOzOVIZ";

std::string TodayText()
{
    SYSTEMTIME today = effects::Now();
    char text[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, text, sizeof text);
    return text;
}

// The chosen name with the extension of the chosen format, in place of any other.
std::string WithExtension(const std::string& chosen, bool html)
{
    size_t slash = chosen.find_last_of('\\');
    size_t dot = chosen.find_last_of('.');
    std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? chosen.substr(0, dot)
                                                                                                 : chosen;
    return base + (html ? ".htm" : ".txt");
}

} // namespace

void TForm1::BuildFolderIndexPage()
{
    TTabSheet* page = TabSheets[4];
    page_parts::MakePageTitle(this, page, "FolderIndexPageTitle");

    ListView7 = new TListView(this);
    ListView7->Name = "ListView7";
    ListView7->SetParent(page);
    ListView7->SetBounds(16, 40, 450, 180);
    ListView7->Columns()->Add()->SetWidth(425);
    page_parts::HideColumnHeader(ListView7);
    ListView7->SetMultiSelect(true);
    ListView7->SetRowSelect(true);
    ListView7->SetHideSelection(false);
    ListView7->SetColor(page_parts::listGrey);
    auto* images = new TImageList(this);
    images->SetShareImages(true);
    SHFILEINFOA info{};
    images->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    ListView7->SetSmallImages(images);
    ListView7->SetAcceptFiles(true);
    ListView7->OnDropFiles = Bind(this, &TForm1::NewListViewWP7);

    FolderIndexMenu = new TPopupMenu(this);
    FolderIndexMenu->Name = "FolderIndexMenu";
    for (TMenuItem** item : {&Delete1, &Clearlist1}) {
        *item = new TMenuItem(this);
        FolderIndexMenu->Items()->Add(*item);
    }
    Delete1->Name = "Delete1";
    Delete1->OnClick = Bind(this, &TForm1::Delete1Click);
    Clearlist1->Name = "Clearlist1";
    Clearlist1->OnClick = Bind(this, &TForm1::Clearlist1Click);
    ListView7->SetPopupMenu(FolderIndexMenu);

    CheckBox1 = new TCheckBox(this);
    CheckBox1->Name = "CheckBox1";
    CheckBox1->SetParent(page);
    CheckBox1->SetBounds(16, 228, 250, 20);
    Button6 = new TButton(this);
    Button6->Name = "Button6";
    Button6->SetParent(page);
    Button6->SetBounds(280, 226, 90, 25);
    Button6->OnClick = Bind(this, &TForm1::Button6Click);
    Button7 = new TButton(this);
    Button7->Name = "Button7";
    Button7->SetParent(page);
    Button7->SetBounds(376, 226, 90, 25);
    Button7->SetEnabled(false);
    Button7->OnClick = Bind(this, &TForm1::Button7Click);
    Memo4 = new TMemo(this);
    Memo4->Name = "Memo4";
    Memo4->SetParent(page);
    Memo4->SetBounds(16, 260, 450, 40);
}

void TForm1::CaptionFolderIndexPage()
{
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("FolderIndexPageTitle")))
        title->SetCaption(language::Text("Dateien und Ordner hierher ziehen", "Drop files and folders here"));
    CheckBox1->SetCaption(language::Text("Unterordner einbeziehen", "Include subfolders"));
    Button6->SetCaption(language::Text("Erstellen", "Create"));
    Button7->SetCaption(language::Text("Abbrechen", "Cancel"));
    Delete1->Caption = language::Text("Entfernen", "Delete");
    Clearlist1->Caption = language::Text("Liste leeren", "Clear list");
}

void TForm1::ClearFolderIndexList()
{
    CaptionFolderIndexPage();
    ListView7->Items()->Clear();
}

void TForm1::NewListViewWP7(TObject*, const std::vector<std::string>& paths)
{
    TListItems* items = ListView7->Items();
    for (const std::string& path : paths) {
        bool listed = false;
        for (int row = 0; row < items->Count() && !listed; ++row)
            listed = common::SameText(items->Item(row)->Caption(), path);
        if (listed)
            continue;
        TListItem* item = items->Add();
        item->SetCaption(path);
        item->SetImageIndex(GetIcon(path, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    }
}

void TForm1::Delete1Click(TObject*)
{
    std::vector<int> rows = ListView7->SelectedIndices();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        ListView7->Items()->Delete(*row);
}

void TForm1::Clearlist1Click(TObject*) { ListView7->Items()->Clear(); }

void TForm1::Button7Click(TObject*)
{
    AbortFlag = 1;
    Application->ProcessMessages();
}

void TForm1::Button6Click(TObject* sender)
{
    if (ListView7->Items()->Count() == 0 || InLongJob())
        return;
    // The walk and the write let messages in: a close waits for them, a task due meanwhile
    // starts after them. Not during another long job, whose cancel it would clear.
    LongJob job(this);
    AbortFlag = 0;
    Button7->SetEnabled(true);
    Button6->SetEnabled(false);
    bool written = false;
    {
        HourGlass busy;
        Memo4->Lines()->SetText(
            language::Text("Aktion: Dateiinformationen werden gesammelt...", "Action: Searching Fileinformation..."));
        std::vector<folder_index::Entry> entries;
        auto cancelled = [this] {
            Application->ProcessMessages();
            return AbortFlag != 0;
        };
        for (int row = 0; row < ListView7->Items()->Count() && !AbortFlag; ++row) {
            std::string path = ListView7->Items()->Item(row)->Caption();
            bool folder = common::IsFolder(path);
            entries.push_back({path, folder});
            if (folder && CheckBox1->Checked())
                folder_index::AppendFolderEntries(path, entries, cancelled);
        }
        Memo4->Lines()->SetText(
            language::Text("Aktion: HTML- (Text-)Datei wird erstellt", "Action: Creating HTML (Text)-File"));
        if (!AbortFlag)
            written = Dir2HTML(sender, indexTitle, entries);
        Memo4->Lines()->SetText(language::Text("Aktion: Fertig", "Action: Done"));
    }
    if (written && !AbortFlag)
        effects::ShowMessageBox(Handle(), language::Text("Fertig!", "Done!"), "Tidewrack",
                                MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    else
        effects::ShowMessageBox(Handle(), language::Text("Fehler beim Erstellen der Datei!", "Error creating file!"),
                                "Tidewrack", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    Button7->SetEnabled(false);
    Button6->SetEnabled(true);
}

bool TForm1::Dir2HTML(TObject*, const std::string& title, const std::vector<folder_index::Entry>& entries)
{
    TSaveDialog dialog(nullptr);
    dialog.Title = language::Text("Speichern", "Save");
    dialog.Filter = language::Text("HTML-Dokument (*.htm)|*.htm|Textdateien (*.txt)|*.txt",
                                   "HTML Document (*.htm)|*.htm|Text files (*.txt)|*.txt");
    if (!dialog.Execute() || dialog.FileName.empty())
        return false;
    bool html = dialog.FilterIndex != 2;
    // The extension is the filter's, so the file written may not be the one the dialog showed.
    const std::string target = WithExtension(dialog.FileName, html);
    if (!MayReplaceFile(target))
        return false;

    auto facts = [this](const std::string& path) {
        folder_index::Facts facts;
        facts.found = GetFileTimeAndSize(path);
        if (facts.found) {
            facts.size = FoundFileSize;
            facts.dateText = FoundFileDate;
            GetIcon(path, SHGFI_TYPENAME);
            facts.typeName = IconTypeName;
        }
        return facts;
    };
    auto step = [this](const std::string& path) {
        Memo4->Lines()->SetText(CompactPathFor(Memo4, path));
        Application->ProcessMessages();
        return AbortFlag == 0;
    };
    std::vector<std::string> lines;
    if (html) {
        std::vector<std::string> head =
            list_export::HtmlLines(title, TodayText(), {}, {}, language::Text("erstellt am ", "Creation date "));
        head.resize(head.size() - 5); // up to the open table: without the empty header row and the end
        folder_index::Totals totals;
        const folder_index::Separators separators{ThousandsSeparator(), DecimalSeparator()};
        lines = folder_index::HtmlLines(head, entries, facts, language::German(), separators, totals, step);
    } else {
        lines = folder_index::TextLines(entries, facts, ThousandsSeparator(), step);
    }
    if (AbortFlag)
        return false;
    return staged_file::WriteLines(target, lines);
}
