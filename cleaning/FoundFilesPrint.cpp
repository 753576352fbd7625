// Printing the selected found files: a page head and one line per file, laid out by
// found_files::PrintPages and drawn on the printer's device context.
#include "cleaning/FoundFilesHost.h"
#include "cleaning/FoundFilesView.h"
#include "cleaning/Showdelfilesframe.h"
#include "common/Language.h"
#include "fileengines/ScanRecords.h"
#include "toolkit/Effects.h"

#include <commdlg.h>

namespace {

// The chosen printer's device context, made from the dialog's choice where the dialog
// did not make one itself; nullptr when there is none.
HDC PrinterOf(const PRINTDLGA& dialog)
{
    if (!dialog.hDevNames)
        return nullptr;
    auto* names = static_cast<DEVNAMES*>(GlobalLock(dialog.hDevNames));
    if (!names)
        return nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    auto* mode = dialog.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(dialog.hDevMode)) : nullptr;
    HDC printer = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode)
        GlobalUnlock(dialog.hDevMode);
    GlobalUnlock(dialog.hDevNames);
    return printer;
}

} // namespace

void TFrame8::ToolButton11Click(TObject*)
{
    std::vector<const FoundFileRecord*> records;
    for (int row : SelectedRows())
        records.push_back(host_->Records().Items(row));
    if (records.empty())
        return;
    if (effects::ShowMessageBox(
            Handle(),
            language::Text("                 Markierte Dateien drucken ?                           \n",
                           "                 Print selected Files ?                           \n"),
            language::Text("Frage", "Question"), MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;

    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.Flags = PD_PRINTSETUP | PD_RETURNDC;
    if (effects::ShowPrintDialog(dialog)) {
        HDC printer = dialog.hDC ? dialog.hDC : PrinterOf(dialog);
        PrintRecords(printer, records);
        if (printer)
            DeleteDC(printer);
    } else if (dialog.hDC) {
        DeleteDC(dialog.hDC);
    }
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
}

void TFrame8::PrintRecords(HDC printer, const std::vector<const FoundFileRecord*>& records)
{
    if (!printer) {
        ReportPrintFailure();
        return;
    }
    found_files::PrintSetup setup{};
    int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    setup.pageHeightCm = found_files::PageHeightCm(GetDeviceCaps(printer, PHYSICALHEIGHT), dpiY);
    PixelsPerCmX = setup.pixelsPerCmX = found_files::PixelsPerCm(GetDeviceCaps(printer, LOGPIXELSX));
    PixelsPerCmY = setup.pixelsPerCmY = found_files::PixelsPerCm(dpiY);
    for (int i = 0; i < 4; ++i)
        setup.headCaptions[i] = ListView1->Columns()->Items(found_files::colSize + i)->Caption();
    std::vector<found_files::PrintPage> pages = found_files::PrintPages(records, setup);

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "Tidewrack Print Fileinformation";
    bool printed = StartDocA(printer, &document) > 0;
    for (size_t page = 0; printed && page < pages.size(); ++page) {
        printed = StartPage(printer) > 0;
        SetBkMode(printer, TRANSPARENT);
        for (const found_files::PrintText& text : pages[page]) {
            if (!printed)
                break;
            HFONT font = CreateFontA(-MulDiv(text.points, dpiY, 72), 0, 0, 0, text.bold ? FW_BOLD : FW_NORMAL,
                                     FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
            HGDIOBJ old = SelectObject(printer, font);
            TextOutA(printer, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
            SelectObject(printer, old);
            DeleteObject(font);
        }
        if (printed)
            printed = EndPage(printer) > 0;
    }
    if (printed) {
        EndDoc(printer);
        return;
    }
    AbortDoc(printer);
    ReportPrintFailure();
}

void TFrame8::ReportPrintFailure()
{
    effects::ShowMessageBox(
        Handle(), language::Text("Die Dateiliste konnte nicht gedruckt werden.", "The file list could not be printed."),
        language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}
