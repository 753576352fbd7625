// TPanel: a plain container with an optional raised or lowered outer and inner edge
// (BevelWidth pixels each, BorderWidth pixels apart) and a centred caption.
#pragma once

#include "toolkit/Controls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

protected:
    void Paint(HDC dc, const TRect& client) override;
    // Aligned controls stay inside the edges.
    void AdjustClientRect(TRect& rect) override;

private:
    // How far the edges reach in from each side.
    int EdgeWidth() const;

    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};
