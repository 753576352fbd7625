// Making a control in code as a form's design would: owner, name, parent and bounds.
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"

template <class Control>
Control* Place(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
               int width, int height)
{
    auto* control = new Control(owner);
    control->Name = name;
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// How a placed label draws its text, beyond the plain look; combined with |.
enum TLabelLook : unsigned {
    llPlain = 0,
    llTransparent = 1, // the parent and its pictures show around the letters
    llWordWrap = 2,    // the text breaks into lines at the label's width
};

// A label that keeps the box it is placed in, as the designs lay their texts out: a label
// left to size itself would shrink to its text and could not hold a longer one later.
inline TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                          int width, int height, unsigned look = llPlain)
{
    auto* label = Place<TLabel>(owner, parent, name, left, top, width, height);
    label->SetAutoSize(false);
    if (look & llWordWrap)
        label->SetWordWrap(true);
    if (look & llTransparent)
        label->SetTransparent(true);
    return label;
}

// A report list whose clicks pick whole rows and whose picked rows stay marked while
// another control has the focus, as the pages show what a button next to them acts on.
inline TListView* PlaceRowList(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                               int width, int height)
{
    auto* list = Place<TListView>(owner, parent, name, left, top, width, height);
    list->SetViewStyle(vsReport);
    list->SetRowSelect(true);
    list->SetHideSelection(false);
    return list;
}
