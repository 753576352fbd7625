// The found-files window's tool bar: the three deletes, the arrange and view drop-downs,
// print and properties, each with a picture of the shell's and a hint.
#include "cleaning/Showdelfilesframe.h"

void TFrame8::BuildToolBar()
{
    ToolImages = new TImageList(this, 32, 32);
    ToolBar1 = new TToolBar(this);
    ToolBar1->Name = "ToolBar1";
    ToolBar1->SetParent(Panel1);
    ToolBar1->SetBounds(2, 5, 596, 40);
    ToolBar1->SetButtonSize(55, 38);
    ToolBar1->SetImages(ToolImages);
    // Hot buttons show the pictures at full strength; resting ones are dimmed by the look.
    ToolBar1->SetHotImages(ToolImages);

    struct ButtonDesign {
        TToolButton** button;
        const char* name;
        TToolButtonStyle style;
        int picture;
        const char* germanHint;
        const char* englishHint;
        void (TFrame8::*onClick)(TObject*);
    };
    const ButtonDesign designs[] = {
        {&ToolButton1, "ToolButton1", tbsButton, 33, "In den Papierkorb löschen", "Delete to Recycle Bin",
         &TFrame8::MarkierteDateienindenPapierkorblschen1Click},
        {&ToolButton2, "ToolButton2", tbsButton, 254, "Löschen", "Delete",
         &TFrame8::MarkierteDateienendgltiglschen2Click},
        {&ToolButton13, "ToolButton13", tbsButton, 161, "Löschen und Speicherplatz überschreiben",
         "Delete and wipe files", &TFrame8::ToolButton13Click},
        {nullptr, "ToolButton3", tbsSeparator, 0, "", "", nullptr},
        {&ToolButton4, "ToolButton4", tbsDropDown, 171, "Symbole anordnen", "View", &TFrame8::ToolButton4Click},
        {&ToolButton11, "ToolButton11", tbsButton, 17, " Markierte Dateien drucken", " Print selected files",
         &TFrame8::ToolButton11Click},
        {&ToolButton6, "ToolButton6", tbsButton, 153, "Eigenschaften", "Properties", &TFrame8::Eigenschaften1Click},
        {nullptr, "ToolButton9", tbsSeparator, 0, "", "", nullptr},
        {&ToolButton10, "ToolButton10", tbsDropDown, 165, "Ansicht", "View", &TFrame8::ToolButton10Click},
    };
    for (const ButtonDesign& design : designs) {
        const int image = design.onClick ? ToolImages->AddShellIcon(design.picture) : -1;
        TToolButton* button = ToolBar1->AddButton(design.name, design.style, image,
                                                  design.onClick ? Bind(this, design.onClick) : TNotifyEvent());
        Texts.Hint(button, design.germanHint, design.englishHint);
        if (design.button)
            *design.button = button;
    }
}
