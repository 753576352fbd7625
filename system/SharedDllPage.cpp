// The shared-DLL page: the usage counters that installers keep for shared libraries,
// with the files that are gone drawn in red; counters are deleted alone or with their
// files (to the recycle bin), and files are backed up.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/PathFacts.h"
#include "fileengines/FileDeleter.h"
#include "pageparts/PageParts.h"
#include "system/RegistryDelete.h"
#include "system/RegistryPages.h"
#include "common/RegistryValues.h"
#include "toolkit/Effects.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/UpdateScope.h"

#include <commctrl.h>

namespace {

const char* const sharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The list draws each row by whether its file is there: navy, or bold red when missing.
class SharedDllList : public TListView {
public:
    explicit SharedDllList(TComponent* owner) : TListView(owner) {}
    ~SharedDllList() override
    {
        if (boldFont_)
            DeleteObject(boldFont_);
    }

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (msg != WM_NOTIFY || header->code != NM_CUSTOMDRAW)
            return TListView::ReflectedMessage(msg, wParam, lParam, result);
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
            return true;
        }
        if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
            return false;
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (row < 0 || row >= Items()->Count())
            return false;
        if (common::SystemFileExists(Items()->Item(row)->Caption())) {
            draw->clrText = RGB(0, 0, 128);
            // The device context keeps the font of the row drawn before.
            SelectObject(draw->nmcd.hdc, NormalFont());
        } else {
            draw->clrText = RGB(255, 0, 0);
            SelectObject(draw->nmcd.hdc, BoldFont(draw->nmcd.hdc));
        }
        result = CDRF_NEWFONT;
        return true;
    }

private:
    HFONT NormalFont() const
    {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
        return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    HFONT BoldFont(HDC dc)
    {
        if (!boldFont_) {
            LOGFONTA font{};
            GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
            font.lfWeight = FW_BOLD;
            boldFont_ = CreateFontIndirectA(&font);
        }
        return boldFont_;
    }

    HFONT boldFont_ = nullptr;
};

} // namespace

void registry_pages::BuildSharedDllPage(TForm1& form)
{
    TTabSheet* page = form.TabSheets[17];
    page_parts::MakePageTitle(&form, page, "SharedDllPageTitle");
    auto* list = new SharedDllList(&form);
    list->Name = "ListView14";
    list->SetParent(page);
    list->SetBounds(16, 40, 450, 266);
    list->SetViewStyle(vsReport);
    list->SetMultiSelect(true);
    list->SetRowSelect(true);
    list->SetHideSelection(false);
    list->Columns()->Add()->SetWidth(360);
    list->Columns()->Add()->SetWidth(70);
    auto* images = new TImageList(&form);
    images->Name = "SharedDllImages";
    images->SetShareImages(true);
    list->SetSmallImages(images);
    form.ListView14 = list;

    form.PopupMenu7 = new TPopupMenu(&form);
    form.PopupMenu7->Name = "PopupMenu7";
    TPopupMenu* menu = form.PopupMenu7;
    AddMenuEntry(&form, menu, "MenuItem3", "", Bind(&form, &TForm1::MenuItem3Click));
    AddMenuEntry(&form, menu, "", "-");
    AddMenuEntry(&form, menu, "Registrierungeintraglschen1", "",
                 Bind(&form, &TForm1::Registrierungeintraglschen1Click));
    AddMenuEntry(&form, menu, "Lschen1", "", Bind(&form, &TForm1::Lschen1Click));
    AddMenuEntry(&form, menu, "", "-");
    AddMenuEntry(&form, menu, "Dateiensichern1", "", Bind(&form, &TForm1::Dateiensichern1Click));
    AddMenuEntry(&form, menu, "", "-");
    AddMenuEntry(&form, menu, "Allesmarkieren3", "", Bind(&form, &TForm1::Allesmarkieren3Click));
    AddMenuEntry(&form, menu, "Markierungumkehren2", "", Bind(&form, &TForm1::Markierungumkehren2Click));
    AddMenuEntry(&form, menu, "", "-");
    AddMenuEntry(&form, menu, "Eigenschaften1", "", Bind(&form, &TForm1::Eigenschaften1Click));
    list->SetPopupMenu(form.PopupMenu7);
    list->OnDblClick = Bind(&form, &TForm1::Eigenschaften1Click);
}

void TForm1::GetSharedDLL()
{
    const char* const captions[][2] = {{"Öffnen", "Open"}, {"-", "-"},
                                       {"Registrierungseintrag löschen", "Delete registry entry"},
                                       {"Aus Registrierung und von Festplatte löschen", "Delete from registry and disk"},
                                       {"-", "-"}, {"Dateien sichern", "Save files"}, {"-", "-"},
                                       {"Alles markieren", "Select all"}, {"Markierung umkehren", "Invert selection"},
                                       {"-", "-"}, {"Eigenschaften", "Properties"}};
    for (int i = 0; i < PopupMenu7->Items()->Count(); ++i)
        PopupMenu7->Items()->Items(i)->Caption = language::Text(captions[i][0], captions[i][1]);
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("SharedDllPageTitle")))
        title->SetCaption(
            language::Text("Gemeinsam genutzte DLLs und ihre Zähler", "Shared DLLs and their usage counters"));
    ListView14->Columns()->Items(0)->SetCaption("Name");
    ListView14->Columns()->Items(1)->SetCaption(language::Text("Wert", "Value"));

    SHFILEINFOA info{};
    ListView14->SmallImages()->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    const UpdateScope updating(*ListView14->Items());
    ListView14->Items()->Clear();
    RegistryKey key(HKEY_LOCAL_MACHINE, sharedDllsKey);
    for (const regvalues::RawValue& value : key ? regvalues::ReadAllValues(key.Get()) : std::vector<regvalues::RawValue>()) {
        TListItem* item = ListView14->Items()->Add();
        item->SetImageIndex(GetIcon(value.name, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        item->SetCaption(value.name);
        item->SubItems()->Add(std::to_string(regvalues::CounterValue(value)));
    }
}

void TForm1::MenuItem3Click(TObject*)
{
    if (TListItem* item = ListView14->Selected())
        effects::ShellOpen(nullptr, "open", item->Caption());
}

void TForm1::Registrierungeintraglschen1Click(TObject*) { DelDLLEintrag(); }

void TForm1::DelDLLEintrag()
{
    if (ListView14->SelCount() == 0 ||
        effects::ShowMessageBox(
            nullptr, language::Text("Eintrag aus der Registrierung löschen ?", "Delete entry from registry ?"),
            "Tidewrack", MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) != IDYES)
        return;
    std::vector<std::string> failed;
    for (TListItem* item : registry_pages::SelectedBottomUp(*ListView14)) {
        if (regdelete::DeleteValue(HKEY_LOCAL_MACHINE, sharedDllsKey, item->Caption()))
            item->Delete();
        else
            failed.push_back(item->Caption());
    }
    registry_pages::ReportNotDeleted(failed);
}

void TForm1::Lschen1Click(TObject*) { DelDLLDatei(); }

void TForm1::DelDLLDatei()
{
    if (effects::ShowMessageBox(nullptr,
                                language::Text("Wirklich aus der Registrierung und von der Festplatte löschen?",
                                               "Really delete from registry and harddrive?"),
                                "Tidewrack", MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) != IDYES ||
        ListView14->SelCount() == 0)
        return;
    // Each file to the recycle bin through the deleter that refuses a name leading to
    // another file and asks before a file would go for good. Whatever it managed, a
    // counter whose file is gone now is deleted: one file that could not go must not keep
    // the counters of the others. The deleter reaches the files this program sees; a
    // counter goes only when no program sees its file, 64-bit ones included.
    file_engines::ShellFileDeleter deleter(LanguageFlag, GetForegroundWindow());
    for (int row : ListView14->SelectedIndices())
        if (common::FileExists(ListView14->Items()->Item(row)->Caption()))
            deleter.Delete(ListView14->Items()->Item(row)->Caption(), file_engines::deleteToRecycleBin);
    std::vector<std::string> failed;
    for (TListItem* item : registry_pages::SelectedBottomUp(*ListView14)) {
        const std::string path = item->Caption();
        if (common::SystemFileExists(path))
            failed.push_back(path);
        else if (regdelete::DeleteValue(HKEY_LOCAL_MACHINE, sharedDllsKey, path))
            item->Delete();
        else
            failed.push_back(path);
    }
    registry_pages::ReportNotDeleted(failed);
}

void TForm1::Dateiensichern1Click(TObject*) { DLLDateiensichern(); }

void TForm1::Allesmarkieren3Click(TObject*) { ListView14->SelectAll(); }

void TForm1::Markierungumkehren2Click(TObject*)
{
    for (int i = 0; i < ListView14->Items()->Count(); ++i)
        ListView14->SetSelected(i, !ListView14->IsSelected(i));
}

void TForm1::Eigenschaften1Click(TObject*)
{
    if (TListItem* item = ListView14->Selected())
        EigenschaftenDialog(item->Caption());
}
