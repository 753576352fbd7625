// TCoolBar: the common controls' rebar. Each control handed to AddBand sits in a band of
// its own, which the rebar lays out and lets the user move; the bar's height follows its
// bands.
#pragma once

#include "toolkit/Controls.h"

class TCoolBar : public TWinControl {
public:
    explicit TCoolBar(TComponent* owner);

    // Makes control the child of a new last band, as tall as the control is now.
    void AddBand(TControl* control);
    int BandCount() const;
};
