#include "system/Showregkeys.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "system/RegistryEditor.h"
#include "system/RegistryPages.h"
#include "common/RegistryValues.h"
#include "system/SoftwareKeyRemoval.h"
#include "toolkit/Place.h"

namespace {

void CollectKeys(HKEY key, const std::string& path, std::vector<std::string>& paths)
{
    for (const std::string& name : regvalues::SubkeyNames(key)) {
        const std::string subPath = path.empty() ? name : path + "\\" + name;
        paths.push_back(subPath);
        RegistryKey subkey(key, name);
        if (subkey)
            CollectKeys(subkey.Get(), subPath, paths);
        Application->ProcessMessages();
    }
}

// The edit boxes start right of their captions.
const int captionWidth = 70;

} // namespace

std::vector<std::string> KeysBelow(HKEY root, const std::string& path)
{
    std::vector<std::string> paths;
    RegistryKey key(root, path);
    if (key)
        CollectKeys(key.Get(), path, paths);
    return paths;
}

TForm5::TForm5(TForm* owner, const RegistryRootPrefix& root, const SoftwareEntry& entry)
    : TForm(owner), owner_(owner), root_(root)
{
    Name = "Form5";
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(532);
    SetClientHeight(338);
    SetCaption(entry.vendor);
    KeyPreview = true;
    Label1 = Place<TLabel>(this, this, "Label1", 16, 14, captionWidth - 6, 16);
    Label1->SetCaption(language::Text("Hersteller:", "Vendor:"));
    Edit1 = Place<TEdit>(this, this, "Edit1", 16 + captionWidth, 10, 500 - captionWidth, 22);
    Edit1->SetReadOnly(true);
    Edit1->SetText(entry.vendor);
    Label2 = Place<TLabel>(this, this, "Label2", 16, 40, captionWidth - 6, 16);
    Label2->SetCaption(language::Text("Produkt:", "Product:"));
    Edit2 = Place<TEdit>(this, this, "Edit2", 16 + captionWidth, 36, 500 - captionWidth, 22);
    Edit2->SetReadOnly(true);
    Edit2->SetText(entry.product);

    ListView1 = new TListView(this);
    ListView1->Name = "ListView1";
    ListView1->SetParent(this);
    ListView1->SetBounds(16, 64, 500, 220);
    ListView1->SetViewStyle(vsReport);
    ListView1->SetMultiSelect(true);
    ListView1->SetRowSelect(true);
    ListView1->SetHideSelection(false);
    ListView1->Columns()->Add()->SetWidth(460);
    page_parts::HideColumnHeader(ListView1);
    ListView1->OnDblClick = Bind(this, &TForm5::ListView1DblClick);
    ListView1->OnMouseMove = Bind(this, &TForm5::ListView1MouseMove);
    for (const std::string& path : KeysBelow(root.root, entry.path))
        ListView1->Items()->Add()->SetCaption(path);

    Label4 = new TLabel(this);
    Label4->Name = "Label4";
    Label4->SetParent(this);
    Label4->SetBounds(16, 296, 300, 16);
    Label4->Font()->SetColor(clBlue);
    Label4->SetCursor(crHandPoint);
    Label4->SetCaption(language::Text("Markierte Einträge löschen", "Delete selected Items"));
    Label4->OnClick = Bind(this, &TForm5::Label4Click);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(436, 296, 80, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TForm5::Button1Click);

    OnKeyDown = Bind(this, &TForm5::FormKeyDown);
    OnClose = Bind(this, &TForm5::FormClose);
}

void TForm5::Label4Click(TObject*)
{
    std::vector<std::string> keyTexts;
    for (int row : ListView1->SelectedIndices())
        keyTexts.push_back(std::string(root_.prefix) + "\\" + ListView1->Items()->Item(row)->Caption());
    if (!software_keys::ConfirmRemoval(owner_->Handle(), keyTexts))
        return;
    std::vector<std::string> failed;
    for (TListItem* item : registry_pages::SelectedBottomUp(*ListView1)) {
        // A key goes with everything below it, and its parent too when left empty.
        if (registry_pages::RemoveProductKey(root_.root, item->Caption()))
            item->Delete();
        else
            failed.push_back(std::string(root_.prefix) + "\\" + item->Caption());
    }
    registry_pages::ReportNotDeleted(failed);
}

void TForm5::ListView1DblClick(TObject*)
{
    if (ListView1->Selected())
        regedit::OpenAt(regedit::LastKeyPlain(root_, ListView1->Selected()->Caption()), owner_->Handle(), false);
}

void TForm5::ListView1MouseMove(TObject*, TShiftState, int x, int y)
{
    ListView1->SetCursor(ListView1->RowAt(x, y) >= 0 ? crHandPoint : crDefault);
}

void TForm5::Button1Click(TObject*) { Close(); }

void TForm5::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_ESCAPE)
        Close();
}

void TForm5::FormClose(TObject*, TCloseAction& action) { action = caFree; }
