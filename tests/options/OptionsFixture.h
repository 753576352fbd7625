// A main form started as at a real start, whose program folder (for "language.dat" and
// the help files) is a temporary folder; settings cleared before and after each test.
#pragma once

#include "shell/Frameoptionen.h"
#include "pageparts/HostDialog.h"
#include "common/OptionsKeys.h"
#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

class OptionsFixture : public testing_support::MainFormTest {
protected:
    void SetUp() override
    {
        ClearSettings();
        Store(options::Key, options::ShowNetworkMessage, "done");
        Store(options::Key, options::InstallDir, programDir);
        Start();
    }

    void TearDown() override
    {
        testing_support::MainFormTest::TearDown();
        ShellEnumFlags = 96;
    }

    std::optional<std::string> LanguageFile() const
    {
        std::ifstream file(programDir + "\\language.dat", std::ios::binary);
        if (!file)
            return std::nullopt;
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }

    // The options dialog as its link builds it, filled but not shown.
    TFrame4& Prepare()
    {
        Form1->MakeHostDialog(HostDialog::Options);
        Frame4 = MakeHostFrame<TFrame4>(Form1->HostPanel, Form1->OptionsFrameActions());
        if (Form1->LanguageFlag)
            Frame4->RadioButton1->SetChecked(true);
        else
            Form1->OptionenEnglish();
        Form1->GetOptions();
        return *Frame4;
    }

    // Opens the options dialog through its sidebar link, runs whileOpen while it shows,
    // closes it if whileOpen did not, and returns when the dialog has ended.
    void WithDialog(const std::function<void(TFrame4&)>& whileOpen)
    {
        bool ran = false;
        UINT_PTR timer = 0;
        timer = toolkit::StartTimer(20, [&] {
            if (!Frame4 || !Form6 || !Form6->Visible())
                return;
            toolkit::StopTimer(timer);
            ran = true;
            whileOpen(*Frame4);
            if (Form6 && Form6->ModalResult == mrNone)
                Form6->Close();
        });
        Form1->NavSection = 5;
        Form1->NavItem = 1;
        Form1->SpeedClick(nullptr);
        EXPECT_TRUE(ran) << "the options dialog did not show";
    }

    testing_support::TempFolder programFolder;
    const std::string programDir = programFolder.Path();
};
