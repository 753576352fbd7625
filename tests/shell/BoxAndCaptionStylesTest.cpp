// Captions and message box styles that the program's designs fix: the add-ending
// dialog's German caption, the empty search text note and the missing drive error.
#include "pageparts/HostDialog.h"
#include "tests/shell/FormFixture.h"
#include "toolkit/Edit.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

namespace {

using BoxAndCaptionStylesTest = FormFixture;

TEST_F(BoxAndCaptionStylesTest, FollowTheirDesign)
{
    Form1->Label19Click(nullptr);
    EXPECT_EQ(Form6->Caption(), "Information");

    Form1->ScanModeButtons[7]->SetChecked(true);
    Form1->Edit2->SetText("");
    Form1->Image102Click(nullptr); // "Scan now" without a search text
    Form1->ListView10->Items()->Clear();
    Form1->Label48Click(nullptr);  // wipe without a drive
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[0].flags, 0x43040u); // information, task-, system-modal, topmost
    EXPECT_EQ(effects.boxes[1].flags, UINT(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK));
}

} // namespace
