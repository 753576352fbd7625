// Where the system pages' controls stand: inside the page, with the margin every page
// keeps to the window's border and to the footer strip.
#include "pageparts/PageParts.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/PageControl.h"

namespace {

class PageLayoutTest : public testing_support::MainFormTest {};

TEST_F(PageLayoutTest, ControlsEndInsideThePageWithTheCommonMargin)
{
    SettleAfterStart();
    const struct {
        int sheet;
        const char* page;
    } pages[] = {{3, "drive information"}, {19, "autostart"}, {23, "privacy"}};
    for (const auto& page : pages) {
        TTabSheet* sheet = Form1->TabSheets[page.sheet];
        const TRect client = sheet->ClientRect();
        EXPECT_EQ(client.Right - page_parts::contentRight, 22) << page.page;
        EXPECT_GE(client.Bottom - page_parts::contentBottom, 22) << page.page;
        ASSERT_GT(sheet->ControlCount(), 0) << page.page;
        for (int i = 0; i < sheet->ControlCount(); ++i) {
            const TRect bounds = sheet->Controls(i)->BoundsRect();
            const std::string name = std::string(page.page) + " " + sheet->Controls(i)->Name;
            EXPECT_GE(bounds.Left, page_parts::contentLeft) << name;
            EXPECT_LE(bounds.Right, page_parts::contentRight) << name;
            EXPECT_LE(bounds.Bottom, page_parts::contentBottom) << name;
        }
    }
}

} // namespace
