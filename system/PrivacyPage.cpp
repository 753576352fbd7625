// The privacy page: the Windows XP privacy switches as a tree of choices, their hints,
// the recommended set, and Apply, which writes the switches the user changed.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "pageparts/Pictures.h"
#include "system/PrivacySwitches.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/Memo.h"
#include "toolkit/TreeView.h"
#include "toolkit/UpdateScope.h"

#include <commctrl.h>

namespace {

constexpr int chosenImage = 0, notChosenImage = 1;

struct NodeText {
    int groupImage; // 2 to 7 for a group, -1 for a switch
    const char* german;
    const char* english;
    const char* germanHint;
    const char* englishHint;
};

const NodeText nodes[privacy::nodeCount] = {
    {2, "Internet Explorer 6", "Internet Explorer 6", "", ""},
    {-1, "Automatische Updates abschalten", "Disable automatic updates",
     "Verhindert, dass der IE automatisch einen MS-Server nach Updates fragt",
     "Disable IE connecting automatic to a MS Server and looking for updates"},
    {-1, "Geplante Updates abschalten ", "Disable scheduled Updates ",
     "Schaltet geplante Updates des IE 6 ab", "Disable ability to execute scheduled updates for IE 6"},
    {3, "Media Player", "Media Player", "", ""},
    {-1, "Lizenzen nicht automatisch erwerben", "Do not aquire licences automatically",
     "Der Media Player lädt benötigte Lizenzen nicht mehr selbst herunter. Er arbeitet weiter ",
     "MediaPlayer needs sometimes licences. Avoid MediaPlayer to automatically download them. Media Player "
     "will continue working "},
    {-1, "Erkennung des Players durch Webseiten abschalten", "Disable indentifaction of player by websites",
     "Die GUID des Players wird nicht mehr ins Internet übertragen", "Stop transfering GUID to the internet"},
    {-1, "Automatischen Codec-Download abschalten", "Disable automatic Codec Download",
     "Der Media Player lädt benötigte Codecs nicht mehr selbst aus dem Internet",
     "This avoids that the Media Player download needed codecs automatically from the internet"},
    {4, "Fehlerberichte", "Error Reports", "", ""},
    {-1, "Fehlerberichte abschalten / nur XP", "Disable error reports / only XP",
     "Nach einem Absturz wird kein Fehlerbericht mehr an MS gesendet",
     "In case your computer crashes a error report will automatically send to MS "},
    {-1, "Fehlerberichte bei kritischen Fehlern abschalten / nur XP",
     "Disble error reports for critical errors / only XP",
     "Bei kritischen Fehlern wird kein Fehlerbericht gesendet", "Disable sending error report when critical eroor occurs"},
    {5, "Dienste", "Services", "", ""},
    {-1, "Fehlerberichtsdienst abschalten / nur XP", "Disable error-report service / only XP",
     "Schaltet den Dienst ab, der Fehlerberichte erstellt  ", "Disable service to generate error reports  "},
    {-1, "Dienst für automatische Updates abschalten / nur XP", "Disable auto-update service/ only XP",
     "Schaltet den Dienst für automatische Updates ab. Manuelle Updates bleiben möglich  ",
     "Disable service for automatic updates. Manual updates are possible  "},
    {-1, "Zeitserverdienst abschalten", "Disable timeserver service",
     "Schaltet den Dienst ab, der die Uhr mit einem Zeitserver abgleicht",
     "Disable the service that sets your clock from a time server"},
    {-1, "Universal Plug&Play (UPNP) Dienst abschalten / nur XP",
     "Disable Universal Plug&Play (UPNP)Service  / only XP",
     "Wenn Sie keine Internetverbindungsfreigabe brauchen, können Sie diesen Dienst abschalten  ",
     "If you don't need ICS (Internet Connection Sharing), you can disble this service  "},
    {6, "Microsoft Messenger Service (MSN)", "Microsoft Messenger Service (MSN)", "", ""},
    {-1, "Nichts tun", "Do nothing", "Lässt den Messenger, wie er ist ", "LLeaves your Messenger Service as it is "},
    {-1, "Autostart abschalten", "Disable autostart", "Der Messenger startet nicht mehr mit Windows    ",
     "Disable Messenger Service to start with Windows    "},
    {-1, "Vom System entfernen", "Remove from system", "Entfernt den Messenger von Ihrem System",
     "Remove Messenger from your system"},
    {7, "Andere Einstellungen", "Other settings", "", ""},
    {-1, "Remotedesktop-Unterstützung für den Explorer abschalten ",
     "Turn off Remotedesktop support for Explorer ", "Schaltet die Remotedesktop-Hilfe ab",
     "Stop Remotedesktop ability"},
    {-1, "Internetzeit nicht synchronisieren / nur XP", "Dont't synchronize internet time / only XP",
     "Die Uhr Ihres Computers wird nicht automatisch mit der Internetzeit abgeglichen  ",
     "Don't synchronize automatic your computers clock with internet time  "},
    {-1, "RegDone auf 1 setzen / nur XP", "Set RegDone to 1 / only XP",
     "Ihre Online-Registrierung gilt als erledigt.", "Your online registration has been done."},
    {-1, "MS-Messenger nicht mit Outlook starten ", "Don't start MS-Messenger with OutLook ",
     "Outlook Express startet den Messenger nicht mehr automatisch ",
     "Don't start Messenger Service automatically with Outlook "},
    {-1, "Turn off the IE related-sites extension", "Turn off the IE related-sites extension",
     "Die Erweiterung meldet jede besuchte Seite an einen Server; sie wird entfernt",
     "The extension reports every site you visit to a server; it is removed"},
};

// A 16 x 16 check box picture, checked or not, as the two switch states.
HBITMAP CheckPicture(bool checked)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT box{1, 1, 15, 15};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Why a switch could not be written.
std::string ApplyFailure(LONG status)
{
    if (status == ERROR_ACCESS_DENIED)
        return language::Text("Zugriff verweigert", "access denied");
    // Only the Messenger start entry looks for a file: Messenger's program.
    if (status == ERROR_FILE_NOT_FOUND)
        return language::Text("Messenger ist nicht installiert", "Messenger is not installed");
    return language::Text("Fehler ", "error ") + std::to_string(status);
}

bool MessengerRemovalWanted()
{
    const char* question = "Remove the Messenger service from this system? / Den Messenger-Dienst von diesem "
                           "System entfernen?";
    return effects::ShowMessageBox(Application->Handle(), question, "Messenger",
                                   MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) == IDYES;
}

} // namespace

void TForm1::BuildPrivacyPage()
{
    TTabSheet* page = TabSheets[23];
    TreeView3 = new TTreeView(this);
    TreeView3->Name = "TreeView3";
    TreeView3->SetParent(page);
    constexpr int width = page_parts::contentRight - page_parts::contentLeft;
    constexpr int linkTop = page_parts::contentBottom - 16;
    TreeView3->SetBounds(page_parts::contentLeft, 14, width, 250);
    TreeView3->SetHideSelection(false);
    auto* images = new TImageList(this);
    images->Name = "PrivacyImages";
    for (bool checked : {true, false}) {
        HBITMAP picture = CheckPicture(checked);
        images->Add(picture, nullptr);
        DeleteObject(picture);
    }
    for (int group = 0; group < 6; ++group) {
        HICON picture = pictures::PrivacyGroupPicture(group);
        images->AddIcon(picture);
        DestroyIcon(picture);
    }
    TreeView3->SetImages(images);
    TreeView3->OnClick = Bind(this, &TForm1::TreeView3Click);
    TreeView3->OnMouseMove = Bind(this, &TForm1::TreeView3MouseMove);

    Memo2 = new TMemo(this);
    Memo2->Name = "Memo2";
    Memo2->SetParent(page);
    Memo2->SetBounds(page_parts::contentLeft, 272, width, 64);
    Memo2->SetReadOnly(true);

    Label91 = page_parts::MakePageLink(this, page, "Label91", page_parts::contentLeft, linkTop, 200);
    Label91->OnClick = Bind(this, &TForm1::Label91Click);
    Label92 = page_parts::MakePageLink(this, page, "Label92", 260, linkTop, 200);
    Label92->OnClick = Bind(this, &TForm1::Label92Click);
}

void TForm1::InitSpyTree()
{
    Label91->SetCaption(language::Text("Empfohlene Einstellungen", "Recommended settings"));
    Label92->SetCaption(language::Text("Einstellungen übernehmen", "Apply settings"));
    TTreeNodes* items = TreeView3->Items();
    {
        const UpdateScope updating(*items);
        items->Clear();
        TTreeNode* group = nullptr;
        for (const NodeText& node : nodes) {
            const char* caption = language::Text(node.german, node.english);
            TTreeNode* made = node.groupImage >= 0 ? (group = items->Add(nullptr, caption))
                                                   : items->AddChild(group, caption);
            const int image = node.groupImage >= 0 ? node.groupImage : notChosenImage;
            made->SetImageIndex(image);
            made->SetSelectedIndex(image);
        }
        for (TTreeNode* root = items->GetFirstNode(); root; root = root->GetNextSibling())
            root->Expand(false);
    }
    if (items->GetFirstNode())
        TreeView_SelectSetFirstVisible(TreeView3->Handle(), items->GetFirstNode()->ItemId());
}

void TForm1::SetSpySwitch(int node, bool chosen)
{
    TTreeNode* item = TreeView3->Items()->Item(node);
    item->SetImageIndex(chosen ? chosenImage : notChosenImage);
    item->SetSelectedIndex(chosen ? chosenImage : notChosenImage);
}

bool TForm1::SpySwitchChosen(int node) const
{
    return TreeView3->Items()->Item(node)->ImageIndex() == chosenImage;
}

void TForm1::GetSettingsSpy()
{
    const privacy::Context context{UserHive, OsLevel == 3, ProgramFilesDir};
    for (int node = 0; node < privacy::nodeCount; ++node)
        if (privacy::IsRegistrySwitch(node))
            SetSpySwitch(node, privacy::ReadChosen(*Registry, node, context));
    // Exactly one of "Do nothing" and "Disable autostart"; never "Remove from system".
    SetSpySwitch(privacy::messengerNothing, !SpySwitchChosen(privacy::messengerNoAutostart));
    SetSpySwitch(privacy::messengerRemove, false);
    for (int node = 0; node < privacy::nodeCount; ++node)
        SpyStateRead[node] = SpySwitchChosen(node);
}

void TForm1::ToggleSpySwitch(TTreeNode* node)
{
    if (SpyTreeBusy || !node || node->Level() == 0)
        return;
    int index = 0;
    while (index < privacy::nodeCount && TreeView3->Items()->Item(index) != node)
        ++index;
    const bool chosen = !SpySwitchChosen(index);
    const UpdateScope updating(*TreeView3->Items());
    SetSpySwitch(index, chosen);
    if (index >= privacy::messengerNothing && index <= privacy::messengerRemove)
        for (int other = privacy::messengerNothing; other <= privacy::messengerRemove; ++other)
            if (other != index)
                SetSpySwitch(other, !chosen);
}

// The click comes before the tree moves its selection: the node under the mouse is the
// one clicked.
void TForm1::TreeView3Click(TObject*)
{
    TVHITTESTINFO hit{};
    DWORD at = GetMessagePos();
    hit.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ScreenToClient(TreeView3->Handle(), &hit.pt);
    HTREEITEM item = TreeView_HitTest(TreeView3->Handle(), &hit);
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)))
        return;
    for (int index = 0; index < TreeView3->Items()->Count(); ++index)
        if (TreeView3->Items()->Item(index)->ItemId() == item)
            ToggleSpySwitch(TreeView3->Items()->Item(index));
}

void TForm1::TreeView3MouseMove(TObject*, TShiftState, int x, int y)
{
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    HTREEITEM item = TreeView_HitTest(TreeView3->Handle(), &hit);
    std::string hint;
    for (int index = 0; item && index < privacy::nodeCount; ++index)
        if (TreeView3->Items()->Item(index)->ItemId() == item)
            hint = language::Text(nodes[index].germanHint, nodes[index].englishHint);
    if (Memo2->Text() != hint)
        Memo2->SetText(hint);
}

void TForm1::Label91Click(TObject*)
{
    SpyTreeBusy = 1;
    {
        const UpdateScope updating(*TreeView3->Items());
        for (int node = 0; node < privacy::nodeCount; ++node)
            if (nodes[node].groupImage < 0)
                SetSpySwitch(node, node != privacy::messengerNothing && node != privacy::messengerNoAutostart);
    }
    SpyTreeBusy = 0;
}

void TForm1::Label92Click(TObject*)
{
    const privacy::Context context{UserHive, OsLevel == 3, ProgramFilesDir};
    std::string failed;
    unsigned applied = 0;
    for (int node = 0; node < privacy::nodeCount; ++node) {
        if (node == privacy::messengerRemove) {
            if (!SpySwitchChosen(node) || !MessengerRemovalWanted())
                continue;
            const std::string failure = RemoveMessenger();
            if (failure.empty())
                ++applied;
            else
                failed += std::string("\n") + language::Text(nodes[node].german, nodes[node].english) + " (" +
                          failure + ")";
            continue;
        }
        if (!privacy::IsRegistrySwitch(node) || SpySwitchChosen(node) == SpyStateRead[node])
            continue;
        const LONG status = privacy::Apply(node, SpySwitchChosen(node), context);
        if (status == ERROR_SUCCESS) {
            SpyStateRead[node] = SpySwitchChosen(node);
            ++applied;
        } else {
            failed += std::string("\n") + language::Text(nodes[node].german, nodes[node].english) + " (" +
                      ApplyFailure(status) + ")";
        }
    }
    if (!failed.empty())
        effects::ShowMessageBox(Application->Handle(),
                                language::Text("Diese Einstellungen konnten nicht geschrieben werden:",
                                               "These settings could not be written:") +
                                    failed,
                                language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    else if (applied == 0)
        effects::ShowMessageBox(Application->Handle(),
                                language::Text("Keine Einstellung wurde geändert.", "No setting was changed."),
                                language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
    else
        effects::ShowMessageBox(Application->Handle(), language::Text("Fertig !", "Done !"),
                                language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
}

std::string TForm1::RemoveMessenger()
{
    // The removal takes seconds; one still running after two minutes (waiting for an answer
    // nobody gives, say) is not known to have worked.
    constexpr DWORD removalLimitMs = 2 * 60 * 1000;
    DWORD exitCode = 0;
    if (!effects::StartProcess("RunDll32 advpack.dll,LaunchINFSection " + WindowsDir +
                                   "\\INF\\msmsgs.inf,BLC.Remove",
                               "", true, &exitCode, removalLimitMs))
        return language::Text("konnte nicht gestartet werden", "could not be started");
    if (exitCode == STILL_ACTIVE)
        return language::Text("nach zwei Minuten nicht beendet", "not ended after two minutes");
    if (exitCode != 0)
        return language::Text("Fehler ", "error ") + std::to_string(exitCode);
    return std::string();
}
