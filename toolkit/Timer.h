// TTimer: calls OnTimer every Interval milliseconds from the message loop while Enabled.
#pragma once

#include "toolkit/Classes.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

private:
    void Update();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    UINT_PTR id_ = 0;
};
