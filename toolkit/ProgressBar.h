// TProgressBar: a progress bar with a 32-bit range (counts of files and bytes exceed
// the control's original 16-bit one).
#pragma once

#include "toolkit/Controls.h"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return Range(true); }
    void SetMin(int min);
    int Max() const { return Range(false); }
    void SetMax(int max);
    // Kept within Min..Max by the control.
    int Position() const;
    void SetPosition(int position);

private:
    int Range(bool low) const;
};
