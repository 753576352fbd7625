// The drive information page: its texts, and the facts it shows for C: of the prefix.
#include "system/DriveFacts.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/Chart.h"
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <set>

using testing_support::MainFormTest;

TEST(DriveFacts, SpacesAreInMegabytesOfTwoToTheTwentiethOrInGigabytes)
{
    EXPECT_EQ(drivefacts::SpaceText(1048576, false), "1.0 MB");
    EXPECT_EQ(drivefacts::SpaceText(1000000, false), "1.0 MB");
    EXPECT_EQ(drivefacts::SpaceText(1536ull << 20, false), "1.50 GB");
    EXPECT_EQ(drivefacts::SpaceText(1536ull << 20, true), "1,50 GB");
}

TEST(DriveFacts, SerialIsEightHexDigitsWithADash)
{
    EXPECT_EQ(drivefacts::SerialText(0x80000001u), "8000-0001");
    EXPECT_EQ(drivefacts::SerialText(0xABCu), "0000-0ABC");
}

TEST(DriveFacts, TheLetterIsTakenFromTheDrivePartNotTheLabel)
{
    EXPECT_EQ(drivefacts::LetterOfCaption("Local Disk (C:)"), 'C');
    EXPECT_EQ(drivefacts::LetterOfCaption("A: (x) (D:)"), 'D');
    EXPECT_EQ(drivefacts::LetterOfCaption("Desktop"), 0);
}

TEST(DriveFacts, ADriveWithoutMediaShowsNoNumbersAndALabelStaysAsItIs)
{
    drivefacts::Facts facts;
    facts.haveVolume = true;
    facts.label = "Ja: Nein";
    const auto rows = drivefacts::Rows(facts, false);
    ASSERT_EQ(rows.size(), 25u);
    for (int row : {1, 2, 3, 20, 24})
        EXPECT_EQ(rows[row].value, "") << row;
    EXPECT_EQ(rows[7].value, "Ja: Nein");
    EXPECT_EQ(rows[12].value, "No");
    EXPECT_EQ(rows[12].image, 3);
}

// The group "Information" and the file-system features keep their English captions in
// German too; a feature reads "Ja" (present, image 2) or "Nein" (absent, image 3).
TEST(DriveFacts, GermanCaptionsAndFeatureValues)
{
    drivefacts::Facts facts;
    facts.haveVolume = true;
    facts.flags = FILE_CASE_PRESERVED_NAMES | FILE_PERSISTENT_ACLS;
    const auto german = drivefacts::Rows(facts, true);
    const auto english = drivefacts::Rows(facts, false);
    const struct {
        size_t row;
        const char* caption;
        const char* value;
        int image;
    } rows[] = {
        {5, "Information", "", 0},
        {12, "Preserves Filename Case", "Ja", 2},
        {13, "Supports case-sensitive filenames", "Nein", 3},
        {14, "Supports Unicode in filenames ", "Nein", 3},
        {15, "Supports Access ControlLists ", "Ja", 2},
        {16, "Supports file-based compression ", "Nein", 3},
        {17, "Volume is a compressed volume ", "Nein", 3},
    };
    std::set<size_t> same;
    for (const auto& expected : rows) {
        same.insert(expected.row);
        EXPECT_EQ(german[expected.row].caption, expected.caption) << expected.row;
        EXPECT_EQ(english[expected.row].caption, expected.caption) << expected.row;
        EXPECT_EQ(german[expected.row].value, expected.value) << expected.row;
        EXPECT_EQ(german[expected.row].image, expected.image) << expected.row;
        EXPECT_EQ(english[expected.row].image, expected.image) << expected.row;
    }
    // Every other caption has its German text.
    for (size_t row = 0; row < english.size(); ++row)
        if (!english[row].caption.empty() && !same.count(row)) {
            EXPECT_NE(german[row].caption, english[row].caption) << row;
        }
}

TEST(ChartShares, NegativeValuesCountAsNothingAndAnEmptyChartHasNoShares)
{
    EXPECT_EQ(ChartShares({{3, "", 0}, {-2, "", 0}, {1, "", 0}}), (std::vector<double>{0.75, 0, 0.25}));
    EXPECT_EQ(ChartShares({{0, "", 0}}), (std::vector<double>{0}));
}

namespace {

class DriveInfoTest : public MainFormTest {};

TEST_F(DriveInfoTest, ShowsTheFactsOfTheSelectedDrive)
{
    SettleAfterStart();
    TListView* drives = Form1->ListView5;
    ASSERT_GT(drives->Items()->Count(), 0);
    int c = -1;
    for (int i = 0; i < drives->Items()->Count(); ++i)
        if (drivefacts::LetterOfCaption(drives->Items()->Item(i)->Caption()) == 'C')
            c = i;
    ASSERT_GE(c, 0);
    drives->Items()->Item(c)->SetSelected(true);
    WORD key = VK_DOWN; // the page follows the selection the key left
    Form1->ListView5KeyUp(drives, key, 0);
    EXPECT_EQ(Form1->DriveRootText, "C:\\");

    char label[261] = {}, fileSystem[261] = {};
    DWORD serial = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, &serial, nullptr, nullptr, fileSystem,
                                      sizeof fileSystem));
    ULARGE_INTEGER available{}, total{}, free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    auto value = [&](int row) { return Form1->ListView4->Items()->Item(row)->SubItems()->Strings(0); };
    const bool german = Form1->LanguageFlag != 0;
    EXPECT_EQ(value(1), drivefacts::SpaceText(total.QuadPart, german));
    EXPECT_EQ(value(6), fileSystem);
    EXPECT_EQ(value(7), label);
    EXPECT_EQ(value(8), drivefacts::SerialText(serial));
    // The prefix's C: is a host folder whose free space moves while others write: the
    // total is steady, the free part is compared roughly.
    ASSERT_EQ(Form1->Chart1->Values().size(), 2u);
    EXPECT_EQ(Form1->Chart1->Values()[0].value + Form1->Chart1->Values()[1].value,
              static_cast<double>(total.QuadPart));
    EXPECT_NEAR(Form1->Chart1->Values()[0].value, static_cast<double>(free.QuadPart), total.QuadPart / 100.0);
}

} // namespace

namespace {

// Every caption fits its cell beside the row's picture, in either language.
TEST_F(DriveInfoTest, NoCaptionIsCut)
{
    SettleAfterStart();
    TListView* facts = Form1->ListView4;
    for (int language : {1, 0}) {
        Form1->LanguageFlag = language;
        Form1->ListView5Click(nullptr);
        ASSERT_EQ(facts->Items()->Count(), 25);
        for (int row = 0; row < facts->Items()->Count(); ++row) {
            const std::string caption = facts->Items()->Item(row)->Caption();
            RECT label{LVIR_LABEL, 0, 0, 0};
            SendMessageA(facts->Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
            EXPECT_GE(label.right - label.left, facts->CellWidth({caption})) << language << " " << caption;
        }
    }
}

TEST_F(DriveInfoTest, ThePieShowsFreeSpaceRedAndUsedSpaceBlue)
{
    SettleAfterStart();
    Form1->Show();
    Form1->NavSection = 3;
    Form1->NavItem = 0;
    Form1->SpeedClick(nullptr);
    HWND chart = Form1->Chart1->Handle();
    RedrawWindow(chart, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(chart, &client);
    HDC dc = GetDC(chart);
    int red = 0, blue = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            red += pixel == RGB(255, 0, 0);
            blue += pixel == RGB(0, 0, 255);
        }
    ReleaseDC(chart, dc);
    // More of each than the legend's swatch of ten by ten pixels: the slices are drawn.
    EXPECT_GT(red, 100);
    EXPECT_GT(blue, 100);
}

} // namespace
