// TDateTimePicker: a date field with a drop-down calendar (dtkDate) or a time field with
// arrows (dtkTime). The value is a SYSTEMTIME; Date and Time read or set one half and
// leave the other. OnChange runs when the user changes the value.
#pragma once

#include "toolkit/Controls.h"

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* owner);

    // Changing the kind remakes the window (the control reads it only when it is made).
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);

    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& value);
    // The date with the time of day zero.
    SYSTEMTIME Date() const;
    void SetDate(const SYSTEMTIME& date);
    // The time of day with the date fields zero.
    SYSTEMTIME Time() const;
    void SetTime(const SYSTEMTIME& time);

    TNotifyEvent OnChange;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TDateTimeKind kind_ = dtkDate;
};
