// Date-time pickers and combo boxes.
#include "toolkit/ComboBox.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Forms.h"

#include "ToolkitTestSupport.h"
#include "tests/support/Times.h"

#include <commctrl.h>

#include <string>

namespace {

using toolkit_test::FormHostTest;

using PickerTest = FormHostTest;

using testing_support::SystemTimeOf;

TEST_F(PickerTest, TimePickerAndDatePickerGiveBackWhatWasSet)
{
    auto* time = new TDateTimePicker(form);
    time->SetParent(form);
    time->SetDateTime(SystemTimeOf(2004, 2, 29, 8, 0, 0));
    time->SetKind(dtkTime);  // remade: the value survives
    EXPECT_TRUE(GetWindowLongA(time->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
    time->SetTime(SystemTimeOf(0, 0, 0, 23, 59, 58));
    SYSTEMTIME t = time->Time();
    EXPECT_EQ(t.wHour, 23);
    EXPECT_EQ(t.wMinute, 59);
    EXPECT_EQ(t.wSecond, 58);
    EXPECT_EQ(t.wYear, 0);
    EXPECT_EQ(time->DateTime().wDay, 29);  // the date half stayed

    auto* date = new TDateTimePicker(form);
    date->SetParent(form);
    date->SetDateTime(SystemTimeOf(2010, 6, 1, 12, 30, 0));
    date->SetDate(SystemTimeOf(1999, 12, 31, 0, 0, 0));
    SYSTEMTIME d = date->Date();
    EXPECT_EQ(d.wYear, 1999);
    EXPECT_EQ(d.wMonth, 12);
    EXPECT_EQ(d.wDay, 31);
    EXPECT_EQ(d.wHour, 0);
    EXPECT_EQ(date->DateTime().wMinute, 30);  // the time half stayed
}

TEST_F(PickerTest, DateTimeChangeNotificationRunsOnChange)
{
    auto* picker = new TDateTimePicker(form);
    picker->SetParent(form);
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    picker->SetDateTime(SystemTimeOf(2001, 1, 1, 0, 0, 0));
    EXPECT_EQ(changes, 0);  // only the user's changes
    NMDATETIMECHANGE change{};
    change.nmhdr = NMHDR{picker->Handle(), 0, static_cast<UINT>(DTN_DATETIMECHANGE)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(changes, 1);
}

TEST_F(PickerTest, ComboBoxPicksItemsByIndexAndTextAndReportsUserPicks)
{
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    int payload = 0;
    combo->Items()->Add("Daily");
    combo->Items()->AddObject("Weekly", &payload);
    combo->Items()->Add("Monthly");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetText("weekly");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Items()->Objects(1), &payload);
    combo->SetText("Yearly");
    EXPECT_EQ(combo->ItemIndex(), -1);
    std::string events;
    combo->OnClick = [&](TObject*) { events += "click "; };
    combo->OnChange = [&](TObject*) { events += "change:" + combo->Text(); };
    combo->SetItemIndex(2);
    EXPECT_EQ(events, "");
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->Handle()));
    EXPECT_EQ(events, "click change:Monthly");
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->Items()->Strings(0), "Weekly");
    combo->Items()->Clear();
    EXPECT_EQ(combo->Items()->Count(), 0);
}

}  // namespace
