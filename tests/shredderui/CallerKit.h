// The main form with what each caller of the shredder needs to start on a file or a
// folder of a temporary folder: the shredder page's row, a found file, the space manager,
// the wipe page's drive. Every run goes through the engine tests' disk, whose hook sees
// the window while the engine writes.
#pragma once

#include "MainFormFixture.h"

#include "cleaning/Showdelfilesframe.h"
#include "fileengines/ScanRecords.h"
#include "filetools/ShredderForm.h"
#include "spacemanager/Dirsize.h"
#include "tests/shredder/ShredderTestKit.h"
#include "toolkit/ListView.h"

#include <string>

// Public: the tables of callers reach it from outside.
class ShredderCallerTest : public ShredderMainFormTest {
public:
    void SetUp() override
    {
        ShredderMainFormTest::SetUp();
        io.disk.freeBytes = 4 * 1024 * 1024; // a wipe's pretend drive
        io.disk.freeRecords = 6;
        Form1->ShredderDisk = &io;
    }

    // A file big enough that a run writes it in several steps.
    std::string BigFile(const std::string& path)
    {
        shredder_test::WriteFileText(path, std::string(300000, 'x'));
        return path;
    }

    // The file is the shredder page's only row, selected, and Yes answers the question.
    void OnShredderPage(const std::string& path)
    {
        Form1->AddShredderRow(path);
        Form1->Allesmarkieren2Click(nullptr);
        effects.answers.push_back(IDYES);
    }

    // The found-files window lists the file alone, selected, and Yes answers the question.
    void InFoundFiles(const std::string& path)
    {
        auto* record = new FoundFileRecord;
        record->path = path;
        record->displayName = path.substr(path.find_last_of('\\') + 1);
        record->typeName = "file";
        record->iconIndex = 0;
        Form1->FoundFiles->Add(record);
        Form1->ShowFoundFiles();
        Frame8->ListView1->SetSelected(0, true);
        effects.answers.push_back(IDYES);
    }

    // The wipe page with drive C: chosen.
    void OnWipePage()
    {
        Form1->NavSection = 1;
        Form1->NavItem = 0;
        Form1->SpeedClick(nullptr);
        TListItems* rows = Form1->ListView10->Items();
        for (int row = 0; row < rows->Count(); ++row)
            if (reinterpret_cast<intptr_t>(rows->Item(row)->Data()) == 'C')
                Form1->ListView10->SetSelected(rows->Item(row));
    }

    // The space manager open, wiping on the test disk; Yes answers its question.
    void OpenSpaceManager()
    {
        Form1->Button8Click(nullptr);
        ASSERT_NE(nullptr, Form11);
        Form11->WipeDisk = &io;
        effects.answers.push_back(IDYES);
    }

    shredder_test::TempFolder folder;
    shredder_test::TestIo io;
};
