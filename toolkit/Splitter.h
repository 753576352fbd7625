// TSplitter: a thin bar aligned left, right of a control aligned left before it; dragging
// the bar with the left mouse button makes that control wider or narrower.
#pragma once

#include "toolkit/Controls.h"

class TSplitter : public TCustomControl {
public:
    explicit TSplitter(TComponent* owner);

    // Neither the control nor what is left right of the bar gets narrower than this.
    int MinSize = 30;

protected:
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The visible control aligned left whose right edge touches the bar.
    TControl* ResizedControl() const;

    TControl* dragged_ = nullptr;
    int grabX_ = 0;      // where the drag began, in the parent's client coordinates
    int startWidth_ = 0; // the control's width then
};
