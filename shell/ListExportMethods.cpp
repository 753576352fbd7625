// The main form's list export and the sort arrows of list headers.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/PathFacts.h"
#include "pageparts/ListExport.h"
#include "fileengines/StagedFile.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/SaveDialog.h"

namespace {

std::vector<list_export::Row> SelectedRows(TListView& list)
{
    std::vector<list_export::Row> rows;
    for (int i = 0; i < list.Items()->Count(); ++i) {
        TListItem* item = list.Items()->Item(i);
        if (!item->Selected())
            continue;
        list_export::Row row{item->Caption()};
        for (int sub = 0; sub < item->SubItems()->Count(); ++sub)
            row.push_back(item->SubItems()->Strings(sub));
        rows.push_back(row);
    }
    return rows;
}

std::string ShortDateToday()
{
    SYSTEMTIME today = effects::Now();
    char text[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, text, sizeof text);
    return text;
}

} // namespace

void TForm1::ExportAsHTML(TObject*, TListView* listView, const std::string& title)
{
    std::vector<list_export::Row> rows = SelectedRows(*listView);
    if (rows.empty()) {
        effects::ShowMessageBox(GetForegroundWindow(),
                                language::Text("Bitte zuerst Dateien auswählen !", "Select files first !"),
                                language::Text("Hinweis", "Note"),
                                MB_TOPMOST | MB_TASKMODAL | MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }

    TSaveDialog dialog(nullptr);
    dialog.Title = language::Text("Speichern", "Save");
    dialog.Filter = language::Text("HTML-Dokument (*.htm)|*.htm|Textdateien (*.txt)|*.txt",
                                   "HTML Document (*.htm)|*.htm|Text files (*.txt)|*.txt");
    if (!dialog.Execute())
        return;

    auto format = dialog.FilterIndex == 2 ? list_export::Format::Text : list_export::Format::Html;
    // The name gets its extension only now, so the dialog never saw the file really written.
    const std::string path = list_export::FileNameFor(dialog.FileName, format);
    if (!MayReplaceFile(path))
        return;
    std::vector<std::string> lines;
    if (format == list_export::Format::Html) {
        std::vector<list_export::Column> columns;
        for (int i = 0; i < listView->Columns()->Count(); ++i) {
            TListColumn* column = listView->Columns()->Items(i);
            columns.push_back({column->Caption(), column->Width()});
        }
        lines = list_export::HtmlLines(title, ShortDateToday(), columns, rows);
    } else {
        lines = list_export::TextLines(rows);
    }

    if (!staged_file::WriteLines(path, lines))
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Datei konnte nicht geschrieben werden:\n", "The file could not be written:\n") + path,
            "Tidewrack", MB_ICONERROR | MB_OK);
}

bool TForm1::MayReplaceFile(const std::string& path)
{
    if (!common::Exists(path))
        return true;
    return effects::ShowMessageBox(Handle(),
                                   language::Text("Die Datei gibt es schon:\n", "The file exists already:\n") + path +
                                       language::Text("\nErsetzen?", "\nReplace it?"),
                                   language::Text("Frage", "Question"),
                                   MB_ICONQUESTION | MB_YESNO | MB_TASKMODAL) == IDYES;
}

void TForm1::AddBitmapTo(int column, int direction, TListView* listView)
{
    listView->Columns()->Items(column)->SetSortOrder(direction == 0 ? soAscending : soDescending);
}

void TForm1::ClearBitmapOnAllBut(int column, TListView* listView)
{
    listView->ClearSortOrders(listView->Columns()->Items(column));
}
