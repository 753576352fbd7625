#include "toolkit/DateTimePicker.h"

#include <commctrl.h>

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(DATETIMEPICK_CLASSA, WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_SHORTDATEFORMAT, 0);
    SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    if (kind == kind_) return;
    kind_ = kind;
    SYSTEMTIME value = DateTime();
    DWORD style = GetWindowLongA(Handle(), GWL_STYLE) & ~(DTS_TIMEFORMAT | DTS_UPDOWN | DTS_SHORTDATEFORMAT);
    style |= kind == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
    RecreateHandle(style, GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetDateTime(value);
}

SYSTEMTIME TDateTimePicker::DateTime() const
{
    SYSTEMTIME value{};
    SendMessageA(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value)
{
    SYSTEMTIME copy = value;
    SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&copy));
}

SYSTEMTIME TDateTimePicker::Date() const
{
    SYSTEMTIME value = DateTime();
    value.wHour = value.wMinute = value.wSecond = value.wMilliseconds = 0;
    return value;
}

void TDateTimePicker::SetDate(const SYSTEMTIME& date)
{
    SYSTEMTIME value = DateTime();
    value.wYear = date.wYear;
    value.wMonth = date.wMonth;
    value.wDay = date.wDay;
    value.wDayOfWeek = date.wDayOfWeek;
    SetDateTime(value);
}

SYSTEMTIME TDateTimePicker::Time() const
{
    SYSTEMTIME value = DateTime();
    value.wYear = value.wMonth = value.wDay = value.wDayOfWeek = 0;
    return value;
}

void TDateTimePicker::SetTime(const SYSTEMTIME& time)
{
    SYSTEMTIME value = DateTime();
    value.wHour = time.wHour;
    value.wMinute = time.wMinute;
    value.wSecond = time.wSecond;
    value.wMilliseconds = time.wMilliseconds;
    SetDateTime(value);
}

bool TDateTimePicker::ReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY) return false;
    if (reinterpret_cast<NMHDR*>(lParam)->code != static_cast<UINT>(DTN_DATETIMECHANGE)) return false;
    if (OnChange && Firing()) OnChange(this);
    result = 0;
    return true;
}
