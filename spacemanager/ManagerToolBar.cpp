// The space manager's tool bar: one cool bar band with the File, Edit, View and Options
// drop-downs and the information button, each with a picture of the shell's, a caption
// and a hint.
#include "spacemanager/Dirsize.h"

#include "pageparts/ToolBarDesign.h"
#include "toolkit/ImageList.h"
#include "toolkit/Place.h"

void TForm11::BuildToolBar()
{
    CoolBar1 = Place<TCoolBar>(this, this, "CoolBar1", 0, 0, 100, 56);
    CoolBar1->SetAlign(alTop);
    ImageList1 = new TImageList(this, 32, 32);
    ToolBar1 = new TToolBar(this);
    ToolBar1->Name = "ToolBar1";
    tool_bar_design::AddDesignedButtons(
        *ToolBar1, *ImageList1, Texts,
        {
            {&ToolButton1, "ToolButton1", tbsDropDown, 4, "Datei", "File",
             "Diagramm kopieren oder speichern, Schließen", "Copy or save the chart, close", nullptr},
            {&ToolButton3, "ToolButton3", tbsDropDown, 2, "Bearbeiten", "Edit",
             "Alles markieren oder Markierung umkehren", "Select all or invert the selection", nullptr},
            {&ToolButton5, "ToolButton5", tbsDropDown, 165, "Ansicht", "View",
             "Ansicht der Liste, der Ordner und des Diagramms", "View of the list, the folders and the chart",
             nullptr},
            {&ToolButton6, "ToolButton6", tbsDropDown, 22, "Optionen", "Options",
             "Gitternetzlinien, ganze Zeile markieren, Einstellungen speichern",
             "Gridlines, row select, save settings", nullptr},
            {&ToolButton8, "ToolButton8", tbsButton, 24, "Info", "Info", "Information", "Information",
             Bind(this, &TForm11::ToolButton8Click)},
        });
    ToolBar1->SetButtonSize(64, 52);
    ToolBar1->SetBounds(0, 0, 5 * 64 + 4 * 14, 52);
    CoolBar1->AddBand(ToolBar1);
}
