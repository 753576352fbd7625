// The software page: the vendor and product keys under "Software" of the current user or
// the local machine. Removing a product drops its vendor key too once nothing is left in it.
#include "shell/Unit1.h"

#include "common/CaseRule.h"
#include "common/Language.h"
#include "pageparts/Pictures.h"
#include "system/RegistryDelete.h"
#include "system/RegistryEditor.h"
#include "system/RegistryPages.h"
#include "common/RegistryValues.h"
#include "system/Showregkeys.h"
#include "system/SoftwareKeyRemoval.h"
#include "toolkit/ComboBox.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/Place.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>

namespace {

SoftwareEntry* EntryOf(TListItem* item)
{
    return item ? static_cast<SoftwareEntry*>(item->Data()) : nullptr;
}

} // namespace

bool registry_pages::RemoveProductKey(HKEY root, const std::string& path)
{
    if (!regdelete::DeleteKeyTree(root, path))
        return false;
    const std::string vendor = SplitLastBackslash(path).parent;
    if (regdelete::IsEmptyKey(root, vendor))
        regdelete::DeleteKeyTree(root, vendor);
    return true;
}

void registry_pages::BuildSoftwarePage(TForm1& form)
{
    TTabSheet* page = form.TabSheets[21];
    form.ComboBox1 = new TComboBox(&form);
    form.ComboBox1->Name = "ComboBox1";
    form.ComboBox1->SetParent(page);
    form.ComboBox1->SetBounds(16, 12, 450, 22);
    form.ComboBox1->Items()->Add("");
    form.ComboBox1->Items()->Add("");
    form.ComboBox1->SetItemIndex(0);
    form.ComboBox1->OnChange = Bind(&form, &TForm1::ComboBox1Click);

    form.ListView16 = PlaceRowList(&form, page, "ListView16", 16, 42, 450, 260);
    form.ListView16->SetMultiSelect(true);
    form.ListView16->SetSmallImages(form.SidebarImages);
    form.ListView16->Columns()->Add()->SetWidth(180);
    form.ListView16->Columns()->Add()->SetWidth(230);
    form.ListView16->OnDblClick = Bind(&form, &TForm1::Info1Click);

    form.PopupMenu9 = new TPopupMenu(&form);
    form.PopupMenu9->Name = "PopupMenu9";
    TPopupMenu* menu = form.PopupMenu9;
    AddMenuEntry(&form, menu, "Entfernen3", "", Bind(&form, &TForm1::Entfernen3Click));
    // Removing chosen keys only is done in the details, so this item opens them too.
    AddMenuEntry(&form, menu, "Benutzedefiniertentfernen1", "", Bind(&form, &TForm1::Info1Click));
    AddMenuEntry(&form, menu, "Info1", "", Bind(&form, &TForm1::Info1Click));
    AddMenuEntry(&form, menu, "ffnen3", "", Bind(&form, &TForm1::ffnen3Click));
    AddMenuEntry(&form, menu, "Refresh2", "", Bind(&form, &TForm1::Refresh2Click));
    form.ListView16->SetPopupMenu(form.PopupMenu9);
}

void TForm1::ReadSoftwareEntries(int which)
{
    const RegistryRootPrefix& root = RegistryRoots[which == 0 ? 1 : 2];
    ListView16->Items()->Clear();
    SoftwareEntries.clear();
    RegistryKey software(root.root, "Software");
    for (const std::string& vendor : software ? regvalues::SubkeyNames(software.Get()) : std::vector<std::string>()) {
        RegistryKey vendorKey(software.Get(), vendor);
        if (common::SameText(vendor, "CLASSES") || !vendorKey)
            continue;
        for (const std::string& product : regvalues::SubkeyNames(vendorKey.Get()))
            SoftwareEntries.push_back(std::make_unique<SoftwareEntry>(
                SoftwareEntry{root.prefix, "Software\\" + vendor + "\\" + product, vendor, product}));
    }
    std::stable_sort(SoftwareEntries.begin(), SoftwareEntries.end(), [](const auto& a, const auto& b) {
        return lstrcmpiA(a->vendor.c_str(), b->vendor.c_str()) < 0;
    });
    for (const auto& entry : SoftwareEntries) {
        TListItem* item = ListView16->Items()->Add();
        item->SetCaption(entry->vendor);
        item->SubItems()->Add(entry->product);
        item->SetImageIndex(pictures::productPicture);
        item->SetData(entry.get());
    }
}

void TForm1::Refresh2Click(TObject*)
{
    const char* const captions[4] = {"Hersteller", "Produkt", "Vendor", "Product"};
    ListView16->Columns()->Items(0)->SetCaption(language::Text(captions[0], captions[2]));
    ListView16->Columns()->Items(1)->SetCaption(language::Text(captions[1], captions[3]));
    const char* const menu[5][2] = {{"Entfernen", "Remove"},
                                    {"Benutzerdefiniert entfernen...", "Remove chosen keys..."},
                                    {"Details", "Details"},
                                    {"In der Registrierung öffnen", "Open in registry editor"},
                                    {"Aktualisieren", "Refresh"}};
    for (int i = 0; i < 5; ++i)
        PopupMenu9->Items()->Items(i)->Caption = language::Text(menu[i][0], menu[i][1]);
    const int which = ComboBox1->ItemIndex() == 1 ? 1 : 0;
    ComboBox1->Items()->Clear();
    ComboBox1->Items()->Add(language::Text("Einträge im Schlüssel HKEY_CURRENT_USER\\Software",
                                           "Entries in Key HKEY_CURRENT_USER\\Software"));
    ComboBox1->Items()->Add(language::Text("Einträge im Schlüssel HKEY_LOCAL_MACHINE\\SOFTWARE",
                                           "Entries in Key HKEY_LOCAL_MACHINE\\SOFTWARE"));
    ComboBox1->SetItemIndex(which);
    const UpdateScope updating(*ListView16->Items());
    ReadSoftwareEntries(which);
}

void TForm1::ComboBox1Click(TObject* sender) { Refresh2Click(sender); }

void TForm1::Entfernen3Click(TObject*)
{
    std::vector<std::string> keyTexts;
    for (int row : ListView16->SelectedIndices())
        if (SoftwareEntry* entry = EntryOf(ListView16->Items()->Item(row)))
            keyTexts.push_back(entry->prefix + "\\" + entry->path);
    if (!software_keys::ConfirmRemoval(Handle(), keyTexts))
        return;
    std::vector<std::string> failed;
    for (TListItem* item : registry_pages::SelectedBottomUp(*ListView16)) {
        SoftwareEntry* entry = EntryOf(item);
        const RegistryRootPrefix* root = entry ? RootOfPrefix(entry->prefix) : nullptr;
        if (root && registry_pages::RemoveProductKey(root->root, entry->path))
            item->Delete();
        else if (entry)
            failed.push_back(entry->prefix + "\\" + entry->path);
    }
    registry_pages::ReportNotDeleted(failed);
}

void TForm1::ffnen3Click(TObject*)
{
    SoftwareEntry* entry = EntryOf(ListView16->Selected());
    const RegistryRootPrefix* root = entry ? RootOfPrefix(entry->prefix) : nullptr;
    if (root)
        regedit::OpenAt(regedit::LastKeyPlain(*root, entry->path), Handle(), false);
}

void TForm1::Info1Click(TObject*)
{
    SoftwareEntry* entry = EntryOf(ListView16->Selected());
    const RegistryRootPrefix* root = entry ? RootOfPrefix(entry->prefix) : nullptr;
    if (!root)
        return;
    auto* details = new TForm5(this, *root, *entry);
    XPMenu1->InitComponent(details);
    details->ShowModal();
}
