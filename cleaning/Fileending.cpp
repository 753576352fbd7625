#include "cleaning/Fileending.h"

#include "common/Language.h"
#include "pageparts/HostDialog.h"
#include "toolkit/Effects.h"

TFrame3* Frame3 = nullptr;

TFrame3::TFrame3(TComponent* owner) : TFrame(owner)
{
    Name = "Frame3";
    SetBounds(0, 0, 342, 196);

    Label7 = new TLabel(this);
    Label7->Name = "Label7";
    Label7->SetParent(this);
    Label7->SetTransparent(true);
    Label7->SetBounds(12, 8, 300, 16);
    Label7->Font()->SetStyle(fsBold);
    Label7->Font()->SetColor(clNavy);

    Label1 = new TLabel(this);
    Label1->Name = "Label1";
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetWordWrap(true);
    Label1->SetTransparent(true);
    Label1->SetBounds(12, 30, 316, 90);

    Edit1 = new TEdit(this);
    Edit1->Name = "Edit1";
    Edit1->SetParent(this);
    Edit1->SetBounds(12, 126, 60, 21);
    Edit1->SetMaxLength(3);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(160, 156, 80, 25);
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TFrame3::Button1Click);

    Button2 = new TButton(this);
    Button2->Name = "Button2";
    Button2->SetParent(this);
    Button2->SetBounds(248, 156, 80, 25);
    Button2->SetCancel(true);
    Button2->OnClick = Bind(this, &TFrame3::Button2Click);
    SetTexts();
}

TFrame3::~TFrame3()
{
    if (Frame3 == this)
        Frame3 = nullptr;
}

void TFrame3::SetTexts()
{
    Label7->SetCaption(language::Text("Dateiendung hinzufügen", "Add fileending"));
    Label1->SetCaption(
        language::Text("Geben Sie die Dateiendung mit 3 Zeichen ein, z.B.: bak oder ~** . Mit * lassen sich "
                       "Platzhalter eingeben, z.B. werden mit B** alle Dateien erfasst, deren Endung mit B "
                       "beginnt (z.B. BMP usw.). Groß- und Kleinschreibung wird nicht beachtet. Geben Sie "
                       "die Dateiendung mit 3 Zeichen ein",
                       "Enter the file ending with 3 digits ,e.g. : bak or ~** substitute symbols can be input "
                       "with * around e.g. all files with the first letter B too received (e.g. BMP etc.) "
                       "input to B**. Capitalization will not be considered. Enter the fileending with 3 digits"));
    Button1->SetCaption("OK");
    Button2->SetCaption(language::Text("Abbrechen", "Cancel"));
}

void TFrame3::Button1Click(TObject*)
{
    const std::string mask = Edit1->Text();
    if (mask.size() != 3) {
        effects::ShowMessageBox(Handle(), language::Text("Bitte verwenden Sie 3 Zeichen!", "Please use 3 digits!"),
                                language::Text("Hinweis", "Note"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (OnAddMask)
        OnAddMask(mask);
    if (Form6)
        Form6->Close();
}

void TFrame3::Button2Click(TObject*)
{
    if (Form6)
        Form6->Close();
}
