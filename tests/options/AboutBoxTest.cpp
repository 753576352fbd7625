// The about box: what it shows in each language, its links, closing, and the memory
// figure beyond 2 GiB.
#include "shell/Information.h"
#include "shell/Version.h"
#include "tests/options/OptionsFixture.h"

#include <string>

namespace {

class AboutBoxTest : public OptionsFixture {
protected:
    // Clicks the title bar's about button; runs whileOpen while the box shows, then
    // closes it with its OK picture if whileOpen did not.
    void WithAboutBox(const std::function<void(TFrame5&)>& whileOpen)
    {
        bool ran = false;
        UINT_PTR timer = 0;
        timer = toolkit::StartTimer(20, [&] {
            if (!Frame5 || !Form6 || !Form6->Visible())
                return;
            toolkit::StopTimer(timer);
            ran = true;
            whileOpen(*Frame5);
            if (Form6 && Form6->ModalResult == mrNone)
                Frame5->Image102Click(Frame5->Image102);
        });
        Form1->Image30->OnClick(Form1->Image30);
        EXPECT_TRUE(ran) << "the about box did not show";
        EXPECT_FALSE(Form6->Visible());
    }
};

std::string Separator()
{
    char separator[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    return separator;
}

TEST_F(AboutBoxTest, ShowsProductVersionSystemAndMemoryInGerman)
{
    WithAboutBox([&](TFrame5& frame) {
        EXPECT_EQ(frame.Parent(), Form6);
        EXPECT_EQ(Form6->Caption(), "Information");
        EXPECT_EQ(Form6->BorderStyle(), bsNone);
        EXPECT_EQ(Form6->Width(), 350);
        EXPECT_EQ(Form6->Height(), 250);
        EXPECT_EQ(Form1->RelaunchOnClose, 0);
        EXPECT_EQ(frame.Label1->Caption(), "Tidewrack");
        EXPECT_EQ(frame.Label2->Caption(), std::string("Version ") + TIDEWRACK_VERSION_TEXT);
        EXPECT_FALSE(OsNameText.empty());
        EXPECT_EQ(frame.Label11->Caption(), OsNameText);
        EXPECT_EQ(frame.Label8->Caption(),
                  about::MemoryCaption(about::PhysicalMemoryBytes(about::LookUpMemoryStatusEx()), 1));
        EXPECT_EQ(frame.Label8->Caption().rfind("Physikalischer Speicher: ", 0), 0u);
        EXPECT_TRUE(frame.Label7->Visible());
        EXPECT_TRUE(frame.Image7->Visible());
        EXPECT_EQ(frame.Image3->Picture()->Width(), frame.Image3->Width()) << "the program's picture fills its panel";
    });
}

TEST_F(AboutBoxTest, EnglishModeHidesTheSupportLink)
{
    Form1->LanguageFlag = 0;
    WithAboutBox([&](TFrame5& frame) {
        EXPECT_EQ(Form6->Caption(), "Information");
        EXPECT_FALSE(frame.Label7->Visible());
        EXPECT_FALSE(frame.Image7->Visible());
        EXPECT_EQ(frame.Label6->Caption(), "Windows9x/2000/NT/ME/XP  ");
        EXPECT_EQ(frame.Label8->Caption().rfind("physical memory: ", 0), 0u);
        frame.Image6Click(frame.Image6); // the close picture
    });
}

TEST_F(AboutBoxTest, OpeningTwiceLeavesOneAboutDialog)
{
    WithAboutBox([](TFrame5&) {});
    WithAboutBox([](TFrame5&) {});
    Application->ProcessMessages();
    int dialogs = 0;
    for (int i = 0; i < Form1->HostPanel->ComponentCount(); ++i)
        dialogs += dynamic_cast<TForm6*>(Form1->HostPanel->Components(i)) != nullptr;
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Form1->PanelTE2->ComponentCount(), 1);
}

TEST_F(AboutBoxTest, LinksOpenMailAndWebSite)
{
    WithAboutBox([&](TFrame5& frame) {
        frame.Label4->OnClick(frame.Label4);
        frame.Label5->OnClick(frame.Label5);
    });
    ASSERT_EQ(effects.launches.size(), 2u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, "mailto:info@tidewrack.example");
    EXPECT_EQ(effects.launches[1].file, "http://www.tidewrack.example/");

    effects.launchSucceeds = false; // a link that does not open is not worth a box
    WithAboutBox([&](TFrame5& frame) { frame.Label5->OnClick(frame.Label5); });
    EXPECT_TRUE(effects.boxes.empty());
}

TEST_F(AboutBoxTest, SupportLinkAsksFirst)
{
    effects.answers = {IDNO, IDYES};
    WithAboutBox([&](TFrame5& frame) {
        frame.Label7->OnClick(frame.Label7);
        EXPECT_TRUE(effects.launches.empty());
        frame.Label7->OnClick(frame.Label7);
    });
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[0].flags, 0x1044u);
    EXPECT_EQ(effects.boxes[0].caption, "Frage");
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file.rfind("mailto:support@tidewrack.example?subject=Tidewrack%20unterst%FCtzen&body=", 0),
              0u)
        << effects.launches[0].file;
}

TEST_F(AboutBoxTest, OkPictureLooksPressedWhileTheButtonIsDown)
{
    WithAboutBox([&](TFrame5& frame) {
        frame.Image102MouseDown(frame.Image102, mbLeft, 0, 1, 1);
        EXPECT_EQ(frame.Panel5->BevelOuter(), bvLowered);
        frame.Image102MouseUp(frame.Image102, mbLeft, 0, 1, 1);
        EXPECT_EQ(frame.Panel5->BevelOuter(), bvRaised);
    });
}

const unsigned long long sixGiB = 6ull << 30;

BOOL WINAPI SixGiB(LPMEMORYSTATUSEX status)
{
    if (status->dwLength != sizeof *status)
        return FALSE;
    status->ullTotalPhys = sixGiB;
    return TRUE;
}

BOOL WINAPI Failing(LPMEMORYSTATUSEX) { return FALSE; }

TEST(AboutMemory, MemoryBeyondTwoGiBIsCountedWhole)
{
    EXPECT_EQ(about::PhysicalMemoryBytes(SixGiB), sixGiB);
    EXPECT_EQ(about::MemoryCaption(sixGiB, 0), "physical memory: 6" + Separator() + "291" + Separator() + "456 KB ");
    EXPECT_EQ(about::MemoryCaption(sixGiB, 1),
              "Physikalischer Speicher: 6" + Separator() + "291" + Separator() + "456 KB ");
    EXPECT_EQ(about::MemoryCaption(1023, 0), "physical memory: 0 KB ");
}

TEST(AboutMemory, WithoutTheExtendedCallTheOldOneAnswers)
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    EXPECT_EQ(about::PhysicalMemoryBytes(nullptr), status.dwTotalPhys);
    EXPECT_EQ(about::PhysicalMemoryBytes(Failing), status.dwTotalPhys);
    EXPECT_NE(about::LookUpMemoryStatusEx(), nullptr); // every NT since 2000 has it
    EXPECT_GT(about::PhysicalMemoryBytes(about::LookUpMemoryStatusEx()), 0u);
}

TEST(AboutMail, SubjectAndBodyArePercentEncoded)
{
    EXPECT_EQ(about::MailtoLink("a@b.example", "Hi & bye", "x=1?ü"),
              "mailto:a@b.example?subject=Hi%20%26%20bye&body=x%3D1%3F%FC");
}

} // namespace
