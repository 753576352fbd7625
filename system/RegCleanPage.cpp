// The registry-cleaner page: the drives whose dead references count and the roots to
// scan, and the link that opens the registry-scan window.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "system/DrivePictures.h"
#include "system/RegistryPages.h"
#include "system/Searchreg.h"
#include "toolkit/NoDiskBoxes.h"
#include "toolkit/Place.h"
#include "toolkit/UpdateScope.h"

namespace registry_pages {

void BuildRegCleanPage(TForm1& form)
{
    TTabSheet* page = form.TabSheets[16];
    form.ListView12 = PlaceRowList(&form, page, "ListView12", 16, 16, 220, 250);
    form.ListView13 = PlaceRowList(&form, page, "ListView13", 250, 16, 220, 120);
    for (TListView* list : {form.ListView12, form.ListView13}) {
        list->SetCheckboxes(true);
        list->Columns()->Add()->SetWidth(195);
        page_parts::HideColumnHeader(list);
    }
    form.ListView12->SetSmallImages(drive_pictures::MakeImages(&form, "RegCleanDriveImages"));
    form.Label70 = page_parts::MakePageLink(&form, page, "Label70", 250, 150, 220);
    form.Label70->OnClick = Bind(&form, &TForm1::Label70Click);
}

RegistryScanHost ScanHostOf(TForm1& form)
{
    RegistryScanHost host;
    host.pictures = form.SidebarImages;
    host.settings = [&form] {
        regscan::Settings settings;
        settings.german = language::German();
        settings.folders = {form.WindowsDir, form.ProgramFilesDir, form.SystemDir};
        if (TListView* roots = form.ListView13)
            for (int i = 0; i < registryRootCount; ++i)
                settings.roots[i] = i < roots->Items()->Count() && roots->Items()->Item(i)->Checked();
        if (TListView* drives = form.ListView12)
            for (int i = 0; i < drives->Items()->Count(); ++i)
                if (drives->Items()->Item(i)->Checked())
                    settings.driveCaptions.push_back(drives->Items()->Item(i)->Caption());
        return settings;
    };
    host.runLongJob = [&form](const std::function<void()>& scan) {
        if (form.InLongJob())
            return;
        TForm1::LongJob job(&form);
        scan();
    };
    host.exportList = [&form](TListView& list, const std::string& title) { form.ExportAsHTML(nullptr, &list, title); };
    host.osLevel = form.OsLevel;
    return host;
}

} // namespace registry_pages

void TForm1::BuildRegistryPages()
{
    registry_pages::BuildRegCleanPage(*this);
    registry_pages::BuildSharedDllPage(*this);
    registry_pages::BuildUninstallPage(*this);
    registry_pages::BuildSoftwarePage(*this);
}

void TForm1::GetRegCleanDrives()
{
    Label70->SetCaption(language::Text("Registrierung durchsuchen", "Scan registry"));
    NoDiskBoxes quiet;
    const UpdateScope drives(*ListView12->Items());
    const UpdateScope roots(*ListView13->Items());
    ListView12->Items()->Clear();
    ListView13->Items()->Clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        const std::string tail = std::string(" (") + letter + ")";
        std::string caption;
        bool checked = false;
        const UINT type = GetDriveTypeA(root.c_str());
        switch (type) {
        case DRIVE_REMOVABLE: caption = language::Text("Wechseldatenträger", "Removable Drive") + tail; break;
        case DRIVE_FIXED: caption = language::Text("Festplatte", "Hard Drive") + tail; checked = true; break;
        case DRIVE_REMOTE: caption = language::Text("Netzlaufwerk", "DRive Remote") + tail; break;
        case DRIVE_CDROM: caption = language::Text("CD-Rom", "CD-Rom") + tail; break;
        case DRIVE_RAMDISK: caption = "Ramdisk" + tail; break;
        default: continue; // unknown, or no root folder
        }
        TListItem* item = ListView12->Items()->Add();
        item->SetCaption(caption);
        item->SetImageIndex(drive_pictures::OfDriveType(type));
        item->SetChecked(checked);
    }
    for (const RegistryRootPrefix& root : RegistryRoots) {
        TListItem* item = ListView13->Items()->Add();
        item->SetCaption(root.fullName);
        item->SetChecked(true);
    }
}

void TForm1::Label70Click(TObject*)
{
    auto* window = new TForm4(this, registry_pages::ScanHostOf(*this));
    XPMenu1->InitComponent(window);
    window->ReadSettings();
    window->Show();
    window->Suchen1Click(window);
}
