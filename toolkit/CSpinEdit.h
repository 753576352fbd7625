// TCSpinEdit: an edit for a whole number with up and down arrows (and the Up and Down
// keys) that step it by Increment. With MinValue != MaxValue the value stays in that
// range: a typed number outside it is clamped when the field loses the focus, and Value
// always answers the clamped number (MinValue when the text is no number).
#pragma once

#include "toolkit/Edit.h"

class TCSpinEdit : public TEdit {
public:
    explicit TCSpinEdit(TComponent* owner);

    int Value() const;
    void SetValue(int value);
    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    // The up-down control that holds the arrows.
    HWND Arrows() const { return arrows_; }

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int Clamp(long long value) const;
    void Step(int direction);
    void PlaceArrows();

    HWND arrows_ = nullptr;
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};
