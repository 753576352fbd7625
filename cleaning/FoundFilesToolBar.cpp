// The found-files window's tool bar: the three deletes, the arrange and view drop-downs,
// print and properties, each with a picture of the shell's and a hint.
#include "cleaning/Showdelfilesframe.h"

#include "pageparts/ToolBarDesign.h"

void TFrame8::BuildToolBar()
{
    ToolImages = new TImageList(this, 32, 32);
    ToolBar1 = new TToolBar(this);
    ToolBar1->Name = "ToolBar1";
    ToolBar1->SetParent(Panel1);
    ToolBar1->SetBounds(2, 5, 596, 40);
    ToolBar1->SetButtonSize(55, 38);
    tool_bar_design::AddDesignedButtons(
        *ToolBar1, *ToolImages, Texts,
        {
            {&ToolButton1, "ToolButton1", tbsButton, 33, nullptr, nullptr, "In den Papierkorb löschen",
             "Delete to Recycle Bin", Bind(this, &TFrame8::MarkierteDateienindenPapierkorblschen1Click)},
            {&ToolButton2, "ToolButton2", tbsButton, 254, nullptr, nullptr, "Löschen", "Delete",
             Bind(this, &TFrame8::MarkierteDateienendgltiglschen2Click)},
            {&ToolButton13, "ToolButton13", tbsButton, 161, nullptr, nullptr,
             "Löschen und Speicherplatz überschreiben", "Delete and wipe files",
             Bind(this, &TFrame8::ToolButton13Click)},
            {nullptr, "ToolButton3", tbsSeparator, 0, nullptr, nullptr, nullptr, nullptr, nullptr},
            {&ToolButton4, "ToolButton4", tbsDropDown, 171, nullptr, nullptr, "Symbole anordnen", "View",
             Bind(this, &TFrame8::ToolButton4Click)},
            {&ToolButton11, "ToolButton11", tbsButton, 17, nullptr, nullptr, " Markierte Dateien drucken",
             " Print selected files", Bind(this, &TFrame8::ToolButton11Click)},
            {&ToolButton6, "ToolButton6", tbsButton, 153, nullptr, nullptr, "Eigenschaften", "Properties",
             Bind(this, &TFrame8::Eigenschaften1Click)},
            {nullptr, "ToolButton9", tbsSeparator, 0, nullptr, nullptr, nullptr, nullptr, nullptr},
            {&ToolButton10, "ToolButton10", tbsDropDown, 165, nullptr, nullptr, "Ansicht", "View",
             Bind(this, &TFrame8::ToolButton10Click)},
        });
}
