// TStringList and TObjectList: list operations, text lines and the file round trip.
#include "toolkit/Classes.h"
#include "toolkit/Contnrs.h"
#include "toolkit/UpdateScope.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

std::string TempFile(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(StringListTest, AddInsertDeleteKeepOrderAndObjects)
{
    TStringList list;
    int marker = 7;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.AddObject("d", &marker), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(list.Objects(3), &marker);
    list.Delete(1);
    EXPECT_EQ(list[1], "c");
    EXPECT_THROW(list.Delete(3), std::out_of_range);
    EXPECT_THROW(list.Insert(5, "x"), std::out_of_range);
}

TEST(StringListTest, IndexOfIgnoresCaseUnlessCaseSensitive)
{
    TStringList list;
    list.Add("Cookie");
    list.Add("other");
    EXPECT_EQ(list.IndexOf("COOKIE"), 0);
    EXPECT_EQ(list.IndexOf("missing"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("COOKIE"), -1);
    EXPECT_EQ(list.IndexOf("Cookie"), 0);
}

TEST(StringListTest, SortedListKeepsOrderAndRefusesInsert)
{
    TStringList list;
    list.SetSorted(true);
    list.Add("pear");
    list.Add("Apple");
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Text(), "Apple\r\nbanana\r\npear\r\n");
    EXPECT_THROW(list.Insert(0, "x"), std::logic_error);
}

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak)
{
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[2], "three");
    EXPECT_EQ(list[3], "four");
    list.SetText("a\r\n\r\nb");  // an empty line in the middle stays
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListTest, OnChangeFiresOncePerUpdateBlock)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("x");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("y");
    list.Add("z");
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
}

TEST(StringListTest, UpdateScopeEndsTheUpdateOnEveryWayOut)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    try {
        const UpdateScope updating(list);
        list.Add("x");
        throw std::runtime_error("left early");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(changes, 1);
    list.Add("y"); // not held back any more
    EXPECT_EQ(changes, 2);

    // A handler's failure at the end of the update reaches the caller.
    list.OnChange = [](TObject*) { throw std::runtime_error("handler"); };
    EXPECT_THROW(
        {
            const UpdateScope updating(list);
            list.Add("z");
        },
        std::runtime_error);
}

TEST(StringListTest, FileRoundTripKeepsAnsiTextAndLines)
{
    const std::string path = TempFile("tw_stringlist_roundtrip.txt");
    TStringList out;
    out.Add("Größe");  // Windows-1252 bytes in the program
    out.Add("");
    out.Add("C:\\Programme\\Tidewrack");
    ASSERT_TRUE(out.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "Gr\xF6\xDF" "e\r\n\r\nC:\\Programme\\Tidewrack\r\n");

    TStringList in;
    ASSERT_TRUE(in.LoadFromFile(path));
    EXPECT_EQ(in.Text(), out.Text());
    DeleteFileA(path.c_str());
}

TEST(StringListTest, LoadingMissingFileFailsAndKeepsTheList)
{
    TStringList list;
    list.Add("kept");
    EXPECT_FALSE(list.LoadFromFile(TempFile("tw_no_such_file_here.txt")));
    EXPECT_EQ(list.Count(), 1);
}

TEST(StringListTest, SavingIntoMissingFolderFails)
{
    TStringList list;
    list.Add("x");
    EXPECT_FALSE(list.SaveToFile(TempFile("tw_no_such_folder\\file.txt")));
}

struct Counted {
    explicit Counted(int& alive) : alive(alive) { ++alive; }
    ~Counted() { --alive; }
    int& alive;
};

TEST(ObjectListTest, OwnsWhatItHoldsUntilExtracted)
{
    int alive = 0;
    Counted* extracted = nullptr;
    {
        TObjectList<Counted> list;
        list.Add(new Counted(alive));
        list.Add(new Counted(alive));
        list.Add(new Counted(alive));
        list.Delete(0);
        EXPECT_EQ(alive, 2);
        extracted = list.Extract(0);
        EXPECT_EQ(list.Count(), 1);
    }
    EXPECT_EQ(alive, 1);  // only the extracted one lives on
    delete extracted;
    EXPECT_EQ(alive, 0);
}

TEST(ObjectListTest, ListThatDoesNotOwnLeavesObjectsAlone)
{
    int alive = 0;
    Counted kept(alive);
    {
        TObjectList<Counted> list(false);
        list.Add(&kept);
        list.Clear();
    }
    EXPECT_EQ(alive, 1);
}

}  // namespace
