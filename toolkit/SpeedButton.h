// TSpeedButton: a tool-bar button that takes no focus. Flat, it shows its edge only while
// the mouse is over it or it is down. With a GroupIndex above 0 a click leaves it down and
// lets the other buttons of its group (same parent, same GroupIndex) up; a down button
// goes up on a click only when its group AllowAllUp. GroupIndex 0 is never down.
#pragma once

#include "toolkit/Controls.h"

class TSpeedButton : public TWinControl {
public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool Down() const { return down_; }
    void SetDown(bool down);
    // The mouse is over the button.
    bool Hot() const { return hot_; }

    // Does what a click on the button does: the down state first, then OnClick.
    void Click();

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintButton(HDC dc, const RECT& rect, bool pressed);
    // Lets the other down button of the group up.
    void ReleaseGroup();

    bool flat_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool hot_ = false;
};
