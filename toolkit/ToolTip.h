// TToolTip: the hints of plain controls (buttons that are not in a tool bar): one tool-tip
// window that shows each control's text while the mouse rests on it.
#pragma once

#include "toolkit/Controls.h"

#include <string>

class TToolTip : public TComponent {
public:
    explicit TToolTip(TComponent* owner) : TComponent(owner) {}
    ~TToolTip() override;

    // Gives the control its hint (once per control).
    void AddHint(TWinControl* control, const std::string& text);
    // The hint the tool-tip window holds for the control ("" when it has none).
    std::string Hint(TWinControl* control) const;

private:
    HWND handle_ = nullptr;
};
