// TPanel: a plain container with an optional raised or lowered edge and a centred caption.
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

protected:
    void Paint(HDC dc, const TRect& client) override;
    // Aligned controls stay inside the edges.
    void AdjustClientRect(TRect& rect) override;

private:
    int BevelWidth() const;

    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
};
