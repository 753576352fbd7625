// The found-files window in-process under Xvfb: the main form is created as at a start,
// its found list is filled with records of real files, and the window is opened as the
// scan opens it (modelessly, so the test drives it directly).
#include "fileengines/FileFacts.h"
#include "fileengines/ScanRecords.h"
#include "cleaning/Showdelfilesframe.h"
#include "pageparts/HostDialog.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Times.h"
#include "toolkit/Button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace {

namespace layoutKeys = options::screenSettingsDelFiles;

FILETIME UtcDay(WORD year, WORD month, WORD day)
{
    return testing_support::FileTimeOf(year, month, day, 12);
}

struct FoundFileRow {
    const char* relative;
    size_t size;
    FILETIME written;
    DWORD attributes;
    const char* typeName;
};

class FoundFilesWindowTest : public testing_support::MainFormTest {
protected:
    void SetUp() override
    {
        testing_support::MainFormTest::SetUp();
        CreateDirectoryA((root + "\\z").c_str(), nullptr);
    }

    void Start() override
    {
        testing_support::MainFormTest::Start();
        SettleAfterStart();
    }

    // A real file and the record the scan would make of it. With a type name the record
    // counts as looked up, so the shell's answer does not change the test's orders.
    FoundFileRecord* AddFile(const FoundFileRow& row)
    {
        std::string path = root + "\\" + row.relative;
        {
            std::ofstream(path, std::ios::binary) << std::string(row.size, 'x');
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &row.written);
        CloseHandle(file);
        SetFileAttributesA(path.c_str(), row.attributes);
        made.push_back(path);

        auto* record = new FoundFileRecord;
        record->path = path;
        record->displayName = path.substr(path.find_last_of('\\') + 1);
        record->size = row.size;
        record->sizeText = std::to_string(row.size);
        record->lastWrite = row.written;
        record->dateText = file_engines::DateText(row.written);
        record->attributes = file_engines::AttributeLetters(row.attributes);
        if (row.typeName) {
            record->typeName = row.typeName;
            record->iconIndex = 0;
        }
        Form1->FoundFiles->Add(record);
        return record;
    }

    // Four files whose orders differ by every column (names A, b, c, d):
    //   path A, b, d, z\c   size c, b, d, A   type A, c, b, d   date d, A, b, c   attributes d, b, c, A
    void AddFourFiles()
    {
        b = AddFile({"b.tmp", 900, UtcDay(2003, 5, 1), FILE_ATTRIBUTE_ARCHIVE, "Temp file"});
        a = AddFile({"A.bak", 10000, UtcDay(2001, 1, 1), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, "backup"});
        c = AddFile({"z\\c.old", 0, UtcDay(2005, 7, 7), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, "Old thing"});
        d = AddFile({"d.TMP", 5000, UtcDay(1999, 12, 31), FILE_ATTRIBUTE_NORMAL, "temp files"});
    }

    std::vector<const FoundFileRecord*> Order() const
    {
        std::vector<const FoundFileRecord*> order;
        for (int i = 0; i < Form1->FoundFiles->Count(); ++i)
            order.push_back(Form1->FoundFiles->Items(i));
        return order;
    }

    std::set<const FoundFileRecord*> SelectedRecords() const
    {
        std::set<const FoundFileRecord*> chosen;
        for (int row : Frame8->ListView1->SelectedIndices())
            chosen.insert(Form1->FoundFiles->Items(row));
        return chosen;
    }

    void Select(std::initializer_list<const FoundFileRecord*> records)
    {
        Frame8->ListView1->ClearSelection();
        for (const FoundFileRecord* record : records)
            for (int row = 0; row < Form1->FoundFiles->Count(); ++row)
                if (Form1->FoundFiles->Items(row) == record)
                    Frame8->ListView1->SetSelected(row, true);
        Frame8->ListView1Click(nullptr);
    }

    std::string Panel(int index) const { return Frame8->StatusBar1->Panels()->Items(index)->Text(); }

    static std::string Megabytes(const std::string& number)
    {
        char separator[8] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
        std::string text = number;
        text.replace(text.find('.'), 1, separator);
        return text + " MB";
    }

    void Key(WORD key, TShiftState shift = 0) { Frame8->ListView1KeyDown(nullptr, key, shift); }

    testing_support::TempFolder folder;
    const std::string root = folder.Path();
    std::vector<std::string> made;
    FoundFileRecord *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
};

TEST_F(FoundFilesWindowTest, OpensModelesslyWithTheTotalsOfAllFiles)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    ASSERT_NE(Form6, nullptr);
    ASSERT_NE(Frame8, nullptr);
    EXPECT_TRUE(Form6->Visible());
    EXPECT_EQ(Form6->Owner(), Form1); // outlives the next host dialog
    EXPECT_EQ(Form6->Caption(), "Folgende Dateien wurden gefunden");
    EXPECT_EQ(Form1->RelaunchOnClose, 1);
    TListView* list = Frame8->ListView1;
    EXPECT_TRUE(list->OwnerData());
    EXPECT_TRUE(list->MultiSelect());
    EXPECT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(Panel(0), "4 Objekt(e)");
    EXPECT_EQ(Panel(1), Megabytes("0.01516"));
    // The rows show the records in scan order; the arrow waits on the name column.
    EXPECT_EQ(list->Items()->Item(1)->Caption(), "A.bak");
    EXPECT_EQ(list->Items()->Item(1)->SubItems()->Strings(0), a->path);
    EXPECT_EQ(list->Items()->Item(1)->SubItems()->Strings(1), "10000");
    EXPECT_EQ(list->Items()->Item(1)->SubItems()->Strings(4), "RA");
    EXPECT_EQ(list->Columns()->Items(0)->SortOrder(), soAscending);
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), "Dateiname");
    EXPECT_EQ(list->Columns()->Items(2)->Alignment(), taRightJustify);
}

TEST_F(FoundFilesWindowTest, OpensEmptyWithNoObjectsAndNoMegabytes)
{
    Form1->ShowFoundFiles();
    EXPECT_EQ(Frame8->ListView1->Items()->Count(), 0);
    EXPECT_EQ(Panel(0), "0 Objekt(e)");
    EXPECT_EQ(Panel(1), Megabytes("0.00000"));
}

TEST_F(FoundFilesWindowTest, EnglishModeTakesTheEnglishTexts)
{
    Form1->LanguageFlag = 0;
    AddFourFiles();
    Form1->ShowFoundFiles();
    EXPECT_EQ(Form6->Caption(), "Following files were found");
    EXPECT_EQ(Panel(0), "4 Object(s)");
    const char* const captions[] = {"Filname", "Path", "Size", "Typename", "Date", "Attributes"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Frame8->ListView1->Columns()->Items(i)->Caption(), captions[i]);
    EXPECT_EQ(Frame8->ffnen1->Caption, "Open");
    EXPECT_EQ(Frame8->ffnenmit1->Caption, "Open with...    Strg+O");
    EXPECT_EQ(Frame8->ToolButton4->Hint, "View");
    // Any date and time of the locale shows whole, and the last column ends at the edge.
    TListView* list = Frame8->ListView1;
    int widest = 0, total = 0;
    for (const std::string& date : locale_time::DateTimeSamples())
        widest = std::max(widest, ListView_GetStringWidth(list->Handle(), date.c_str()));
    EXPECT_GE(list->Columns()->Items(4)->Width(), widest + 12);
    for (int i = 0; i < list->Columns()->Count(); ++i)
        total += list->Columns()->Items(i)->Width();
    RECT client;
    GetClientRect(list->Handle(), &client);
    EXPECT_EQ(total, client.right);
}

TEST_F(FoundFilesWindowTest, EveryColumnSortsBothWaysAndTheSelectionStaysOnItsFiles)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Select({b, d});
    const std::string selectedSize = Megabytes("0.00563"); // 900 + 5000 bytes
    EXPECT_EQ(Panel(0), "2 Objekt(e)");
    EXPECT_EQ(Panel(1), selectedSize);

    using Order_ = std::vector<const FoundFileRecord*>;
    const Order_ ascending[6] = {
        {a, b, c, d}, // name
        {a, b, d, c}, // path (c lies in a subfolder)
        {c, b, d, a}, // size, as numbers
        {a, c, b, d}, // type
        {d, a, b, c}, // date
        {d, b, c, a}, // attributes: "", "A", "HA", "RA"
    };
    // Two clicks per header. The direction flag carries over to the next column, and the
    // name column reads it the other way round, hence the alternating first orders.
    const bool firstClickAscending[6] = {false, false, true, false, true, false};
    for (int column = 0; column < 6; ++column) {
        for (int click = 0; click < 2; ++click) {
            SCOPED_TRACE("column " + std::to_string(column) + ", click " + std::to_string(click));
            Frame8->ListView1ColumnClick(nullptr, Frame8->ListView1->Columns()->Items(column));
            bool up = firstClickAscending[column] != (click == 1);
            Order_ expected = ascending[column];
            if (!up)
                std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(Order(), expected);
            EXPECT_EQ(SelectedRecords(), (std::set<const FoundFileRecord*>{b, d}));
            EXPECT_EQ(Panel(0), "2 Objekt(e)");
            EXPECT_EQ(Panel(1), selectedSize);
            for (int other = 0; other < 6; ++other)
                EXPECT_EQ(Frame8->ListView1->Columns()->Items(other)->SortOrder(),
                          other != column ? soNone : up ? soAscending : soDescending);
            // The rows show the new order.
            EXPECT_EQ(Frame8->ListView1->Items()->Item(0)->SubItems()->Strings(0), expected[0]->path);
        }
    }
}

TEST_F(FoundFilesWindowTest, AMenuSortUsesTheDirectionFlagAndLeavesTheArrow)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Frame8->NachGe1Click(nullptr); // flag 0: sizes descending
    EXPECT_EQ(Order(), (std::vector<const FoundFileRecord*>{a, d, b, c}));
    EXPECT_TRUE(Frame8->NachGe1->Checked);
    EXPECT_TRUE(Frame8->NachGre1->Checked);
    EXPECT_FALSE(Frame8->NachName1->Checked);
    EXPECT_EQ(Frame8->ListView1->Columns()->Items(0)->SortOrder(), soAscending);
    EXPECT_EQ(Frame8->ListView1->Columns()->Items(2)->SortOrder(), soNone);
    Frame8->NachName1Click(nullptr); // flag 0: names ascending
    EXPECT_EQ(Order(), (std::vector<const FoundFileRecord*>{a, b, c, d}));
}

TEST_F(FoundFilesWindowTest, FilesTheListHasNotShownYetHaveATypeToSortBy)
{
    for (int i = 0; i < 3; ++i)
        AddFile({i == 1 ? "x.txt" : i == 0 ? "y.bak" : "w.txt", 1, UtcDay(2004, 1, 1), FILE_ATTRIBUTE_NORMAL, nullptr});
    Form1->ShowFoundFiles();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Form1->FoundFiles->Items(i)->typeName.empty());
    EXPECT_EQ(Form1->FoundFiles->Items(1)->typeName, Form1->FoundFiles->Items(2)->typeName);
}

TEST_F(FoundFilesWindowTest, SelectAllAndInvertShowTheirTotals)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Key('A', ssCtrl);
    EXPECT_EQ(Frame8->ListView1->SelCount(), 4);
    EXPECT_EQ(Panel(0), "4 Objekt(e)");
    EXPECT_EQ(Panel(1), Megabytes("0.01516"));
    Key('U', ssCtrl);
    EXPECT_EQ(Frame8->ListView1->SelCount(), 0);
    EXPECT_EQ(Panel(0), "0 Objekt(e)");
    EXPECT_EQ(Panel(1), Megabytes("0.00000"));
    Select({a});
    Frame8->Markierungumdrehen1Click(nullptr);
    EXPECT_EQ(SelectedRecords(), (std::set<const FoundFileRecord*>{b, c, d}));
    EXPECT_EQ(Panel(0), "3 Objekt(e)");
    EXPECT_EQ(Panel(1), Megabytes("0.00563"));
    EXPECT_EQ(Frame8->SizeSumMB, 5900 / 1048576.0);
}

TEST_F(FoundFilesWindowTest, OpenOpenWithAndPropertiesGoThroughTheSeamForTheFirstSelectedFile)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Key('O', ssCtrl);
    Frame8->ffnenmit1Click(nullptr);
    Frame8->Eigenschaften1Click(nullptr);
    EXPECT_TRUE(effects.launches.empty()); // nothing selected, nothing started

    Select({d, c});
    Key('O', ssCtrl);
    Key('W', ssCtrl);
    Key(VK_RETURN, ssAlt);
    ASSERT_EQ(effects.launches.size(), 3u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, c->path); // c is the first selected row
    EXPECT_EQ(effects.launches[1].file,
              "\"" + Form1->SystemDir + "\\rundll32.exe\" shell32.dll,OpenAs_RunDLL " + c->path);
    EXPECT_EQ(effects.launches[2].verb, "properties");
    EXPECT_EQ(effects.launches[2].file, c->path);
}

TEST_F(FoundFilesWindowTest, ExportWritesTheSelectedRows)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Select({b, c});
    effects.fileDialogAnswers.push_back(root + "\\list.htm");
    Frame8->ExportalsHTML1Click(nullptr);
    std::ifstream page(root + "\\list.htm.htm");
    ASSERT_TRUE(page.good());
    std::string content((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    EXPECT_NE(content.find("<title>Tidewrack - Trash Files</title>"), std::string::npos);
    EXPECT_NE(content.find(b->path), std::string::npos);
    EXPECT_NE(content.find(c->path), std::string::npos);
    EXPECT_EQ(content.find(a->path), std::string::npos);
    EXPECT_EQ(content.find(d->path), std::string::npos);
    EXPECT_EQ(Frame8->Frame8Busy, 0);
}

TEST_F(FoundFilesWindowTest, WithoutSavedLayoutTheWindowTakesItsDefaultPlace)
{
    Form1->ShowFoundFiles();
    TRect bounds = Form6->BoundsRect();
    EXPECT_EQ(bounds.Left, 10);
    EXPECT_EQ(bounds.Top, 10);
    EXPECT_EQ(bounds.Width(), 800);
    EXPECT_EQ(bounds.Height(), 400);
    EXPECT_EQ(Frame8->ListView1->Columns()->Items(1)->Width(), 250);
}

TEST_F(FoundFilesWindowTest, TheLayoutIsRestoredAndSavedOnClose)
{
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(layoutKeys::Key, true));
        registry.WriteString("left", "40");
        registry.WriteString("top", "30");
        registry.WriteString("width", "700");
        registry.WriteString("height", "500");
        registry.WriteString("columswidth", "120;;99;");
    }
    AddFourFiles();
    Form1->ShowFoundFiles();
    TRect bounds = Form6->BoundsRect();
    EXPECT_EQ(bounds.Left, 40);
    EXPECT_EQ(bounds.Top, 30);
    EXPECT_EQ(bounds.Width(), 700);
    EXPECT_EQ(bounds.Height(), 500);
    TListColumns* columns = Frame8->ListView1->Columns();
    EXPECT_EQ(columns->Items(0)->Width(), 120);
    EXPECT_EQ(columns->Items(1)->Width(), 250); // empty entry: as designed
    EXPECT_EQ(columns->Items(2)->Width(), 99);
    EXPECT_EQ(columns->Items(3)->Width(), 100);

    columns->Items(3)->SetWidth(77);
    Form6->SetBounds(50, 60, 640, 480);
    // The date column keeps room for a whole date, and the last one fills the window.
    std::string shown = "120;250;99;77;";
    for (int i = 4; i < columns->Count(); ++i)
        shown += std::to_string(columns->Items(i)->Width()) + ";";
    Form6->Close();

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(layoutKeys::Key));
    EXPECT_EQ(registry.ReadString("columswidth"), shown);
    EXPECT_EQ(registry.ReadString("left"), "50");
    EXPECT_EQ(registry.ReadString("top"), "60");
    EXPECT_EQ(registry.ReadString("width"), "640");
    EXPECT_EQ(registry.ReadString("height"), "480");
}

TEST_F(FoundFilesWindowTest, ClosingStartsTheProgramAfreshAndEndsThisProcess)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Key(VK_ESCAPE);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, Form1->ProgramDir + "\\Tidewrack.exe");
    EXPECT_EQ(effects.launches[0].parameters, "");
    EXPECT_EQ(Form1->RelaunchOnClose, 0);
    EXPECT_TRUE(Application->Terminated);
}

TEST_F(FoundFilesWindowTest, PrintingAsksFirstPrintsNothingWhenCancelledAndReportsAMissingPrinter)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Frame8->ToolButton11Click(nullptr);
    EXPECT_TRUE(effects.boxes.empty()); // nothing selected: nothing to ask about

    Select({a});
    effects.answers.push_back(IDNO);
    Frame8->ToolButton11Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(effects.printDialogs, 0);

    effects.answers.push_back(IDYES);
    effects.printDialogAnswer = false;
    Frame8->ToolButton11Click(nullptr);
    EXPECT_EQ(effects.printDialogs, 1);
    EXPECT_EQ(effects.boxes.size(), 2u); // no error either

    // A setup confirmed without a printer to print on is reported, not passed over.
    effects.answers.push_back(IDYES);
    effects.printDialogAnswer = true;
    Frame8->ToolButton11Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 4u);
    EXPECT_EQ(effects.boxes[3].text, "Die Dateiliste konnte nicht gedruckt werden.");
}

TEST_F(FoundFilesWindowTest, NoKeyDeletesAnything)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Select({a, b});
    // The deletion keys ask first; answered No, no key deletes anything. The real key
    // press through the list's window, and the handler with the deletion commands'
    // keys, plain and with modifiers.
    effects.defaultAnswer = IDNO;
    SendMessageA(Frame8->ListView1->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    Application->ProcessMessages();
    for (TShiftState shift : {TShiftState(0), ssShift, ssCtrl})
        for (WORD key : {WORD(VK_DELETE), WORD('L'), WORD('D')})
            Key(key, shift);
    EXPECT_EQ(Form1->FoundFiles->Count(), 4);
    for (const std::string& path : made)
        EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    EXPECT_FALSE(effects.boxes.empty());
    for (const auto& box : effects.boxes)
        EXPECT_EQ(box.flags & MB_YESNO, static_cast<UINT>(MB_YESNO)) << box.text;
    EXPECT_TRUE(effects.launches.empty());
}

TEST_F(FoundFilesWindowTest, ASecondDeleteWhileOneRunsIsRefused)
{
    AddFourFiles();
    Form1->ShowFoundFiles();
    Select({a, b});
    // The user presses L while the first delete asks; its loop then pumps that key.
    effects.onBox = [](const std::string&) { PostMessageA(Frame8->ListView1->Handle(), WM_KEYDOWN, 'L', 0); };
    Key(VK_DELETE);
    Application->ProcessMessages();
    ASSERT_EQ(effects.boxes.size(), 1u) << effects.boxes.back().text;
    for (const std::string& path : made)
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, path == c->path || path == d->path)
            << path;
    EXPECT_EQ(Order(), (std::vector<const FoundFileRecord*>{c, d}));
    EXPECT_TRUE(IsWindowEnabled(Form6->Handle()));
}

TEST_F(FoundFilesWindowTest, AFolderRowGoesOnlyAfterAQuestionThatNamesIt)
{
    // A folder listed for its name, holding a file that matches no mask.
    FoundFileRecord* file = AddFile({"b.tmp", 3, UtcDay(2003, 5, 1), FILE_ATTRIBUTE_NORMAL, "Temp file"});
    const std::string folderPath = root + "\\x.tmp";
    CreateDirectoryA(folderPath.c_str(), nullptr);
    testing_support::WriteFileText(folderPath + "\\notes.txt", "keep me?");
    auto* folderRow = new FoundFileRecord(*file);
    folderRow->path = folderPath;
    folderRow->displayName = "x.tmp";
    Form1->FoundFiles->Add(folderRow);
    Form1->ShowFoundFiles();

    Select({file, folderRow});
    effects.answers = {IDYES, IDNO}; // delete to the bin; but not the folder
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);
    EXPECT_FALSE(testing_support::Exists(file->path));
    EXPECT_TRUE(testing_support::Exists(folderPath + "\\notes.txt"));
    ASSERT_EQ(effects.boxes.size(), 3u);
    EXPECT_NE(effects.boxes[1].text.find("Ordner"), std::string::npos);
    EXPECT_NE(effects.boxes[1].text.find(folderPath), std::string::npos);
    EXPECT_NE(effects.boxes[2].text.find("übersprungen:\n" + folderPath), std::string::npos);

    Select({folderRow});
    effects.answers = {IDYES, IDYES}; // wipe; the folder too
    Frame8->ToolButton13Click(nullptr);
    Application->ProcessMessages();
    EXPECT_FALSE(testing_support::Exists(folderPath));
    EXPECT_EQ(Form1->FoundFiles->Count(), 0);
}

TEST_F(FoundFilesWindowTest, TheToolBarAndTheDeleteButtonsOfferTheDeleteMenu)
{
    Form1->ShowFoundFiles();
    for (TControl* control : {static_cast<TControl*>(Frame8->Panel1), static_cast<TControl*>(Frame8->ToolBar1)})
        EXPECT_EQ(control->PopupMenu(), Frame8->PopupMenu33) << control->Name;
}

} // namespace
