#include "pageparts/RegistryLayer.h"

#include <gtest/gtest.h>

#include <sddl.h>

using namespace registry_layer;

namespace {

constexpr int kUser = 1; // HKEY_CURRENT_USER

// Each test works under its own scratch key, removed before and after.
class RegistryLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        key = std::string("Software\\TidewrackTest\\")
            + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Remove();
    }
    void TearDown() override
    {
        Remove();
        TRegistry cleanup;
        if (cleanup.OpenKey("Software\\TidewrackTest", false) && cleanup.GetKeyNames().empty()
            && cleanup.GetValueNames().empty()) {
            cleanup.CloseKey();
            cleanup.DeleteKey("Software\\TidewrackTest");
        }
    }
    void Remove()
    {
        TRegistry cleanup;
        cleanup.DeleteKey(key);
    }
    // The raw stored value, to check what the layer really wrote.
    std::optional<std::vector<BYTE>> Stored(const std::string& name, DWORD* type = nullptr,
                                            const std::string& subkey = std::string())
    {
        TRegistry raw;
        if (!raw.OpenKeyReadOnly(subkey.empty() ? key : key + "\\" + subkey))
            return std::nullopt;
        return raw.ReadRawData(name, type);
    }
    void StoreRaw(const std::string& name, DWORD type, const std::string& bytes)
    {
        TRegistry raw;
        ASSERT_TRUE(raw.OpenKey(key, true));
        ASSERT_EQ(::RegSetValueExA(raw.CurrentKey(), name.c_str(), 0, type,
                                   reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    TRegistry registry;
    std::string key;
};

} // namespace

TEST_F(RegistryLayer, StringsRoundTripAndCreateMissingParents)
{
    WriteReg(registry, kUser, key + "\\deep\\er", "name", "Grüße, C:\\x", "s");
    EXPECT_EQ(ReadReg(registry, kUser, key + "\\deep\\er", "name", "s"), "Grüße, C:\\x");
    WriteReg(registry, kUser, key, "empty", "", "s");
    DWORD type = 0;
    ASSERT_TRUE(Stored("empty", &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadReg(registry, kUser, key, "empty", "s"), "");
    EXPECT_EQ(registry.CurrentKey(), nullptr) << "no key stays open between calls";
}

TEST_F(RegistryLayer, IntegersAreWrittenRoundedAndReadAsDecimalText)
{
    WriteReg(registry, kUser, key, "zero", "0", "i");
    WriteReg(registry, kUser, key, "negative", "-7", "i");
    WriteReg(registry, kUser, key, "up", "3.6", "i");
    WriteReg(registry, kUser, key, "half", "2.5", "i");
    WriteReg(registry, kUser, key, "padded", " 12 ", "i");
    EXPECT_EQ(ReadReg(registry, kUser, key, "zero", "i"), "0");
    EXPECT_EQ(ReadReg(registry, kUser, key, "negative", "i"), "-7");
    EXPECT_EQ(ReadReg(registry, kUser, key, "up", "i"), "4");
    EXPECT_EQ(ReadReg(registry, kUser, key, "half", "i"), "2");
    EXPECT_EQ(ReadReg(registry, kUser, key, "padded", "i"), "12");
    DWORD type = 0;
    ASSERT_TRUE(Stored("zero", &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    // Text that is no 32-bit number writes nothing rather than a wrong number.
    for (const char* bad : {"abc", "", "12abc", "1e10", "nan", "0x10"})
        WriteReg(registry, kUser, key, std::string("bad ") + bad, bad, "i");
    TRegistry check;
    ASSERT_TRUE(check.OpenKeyReadOnly(key));
    EXPECT_EQ(check.GetValueNames().size(), 5u);
}

TEST_F(RegistryLayer, StoredNumberTextThatIsNoNumberReadsAsAbsent)
{
    EXPECT_EQ(StoredInteger("3"), 3);
    EXPECT_EQ(StoredInteger("500"), 500);
    EXPECT_EQ(StoredInteger("-1"), -1);
    EXPECT_EQ(StoredInteger("7.5"), 8);
    EXPECT_EQ(StoredInteger("2147483647"), 2147483647);
    EXPECT_EQ(StoredInteger(""), std::nullopt);
    EXPECT_EQ(StoredInteger("drei"), std::nullopt);
    EXPECT_EQ(StoredInteger("3 passes"), std::nullopt);
    EXPECT_EQ(StoredInteger("2147483648"), std::nullopt);
    EXPECT_EQ(StoredInteger("inf"), std::nullopt);

    // A hand-edited setting: the string read gives the text, the integer read of a
    // string value nothing.
    WriteReg(registry, kUser, key, "numpasses", "many", "s");
    EXPECT_EQ(StoredInteger(ReadReg(registry, kUser, key, "numpasses", "s")), std::nullopt);
    EXPECT_EQ(ReadReg(registry, kUser, key, "numpasses", "i"), "");
}

TEST_F(RegistryLayer, BinaryTravelsAsHexByteText)
{
    WriteReg(registry, kUser, key, "two", "0A FF", "b");
    WriteReg(registry, kUser, key, "trailing", "0A FF ", "b");
    WriteReg(registry, kUser, key, "empty", "", "b");
    DWORD type = 0;
    EXPECT_EQ(Stored("two", &type), (std::vector<BYTE>{0x0A, 0xFF}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Stored("trailing"), (std::vector<BYTE>{0x0A, 0xFF}));
    EXPECT_EQ(Stored("empty"), std::vector<BYTE>{});
    EXPECT_EQ(ReadReg(registry, kUser, key, "two", "b"), "0A FF");
    EXPECT_EQ(ReadReg(registry, kUser, key, "empty", "b"), "");

    // Far beyond the 2048 bytes callers keep to: stored whole, read back whole.
    std::vector<BYTE> big(5000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 7);
    WriteReg(registry, kUser, key, "big", HexByteText(big), "b");
    EXPECT_EQ(Stored("big"), big);
    EXPECT_EQ(ReadReg(registry, kUser, key, "big", "b"), HexByteText(big));
}

TEST(HexByteTextForms, ReadFormAndStepsOfThree)
{
    EXPECT_EQ(HexByteText({}), "");
    EXPECT_EQ(HexByteText({0x0A, 0xFF, 0x00}), "0A FF 00");
    EXPECT_EQ(HexByteTextToBytes("0A FF 10"), (std::vector<BYTE>{0x0A, 0xFF, 0x10}));
    EXPECT_EQ(HexByteTextToBytes("0a ff 10 "), (std::vector<BYTE>{0x0A, 0xFF, 0x10}));
    EXPECT_EQ(HexByteTextToBytes(""), std::vector<BYTE>{});
    // Steps of three: the third character of each step is skipped whatever it is.
    EXPECT_EQ(HexByteTextToBytes("0AFF"), (std::vector<BYTE>{0x0A, 0x0F}));
    EXPECT_EQ(HexByteTextToBytes("A  B"), (std::vector<BYTE>{0x0A, 0x0B}));
    EXPECT_EQ(HexByteTextToBytes("A B"), (std::vector<BYTE>{0x0A}));
    EXPECT_EQ(HexByteTextToBytes("zz 01"), (std::vector<BYTE>{0x00, 0x01}));
    EXPECT_EQ(ByteToText(0), "0");
    EXPECT_EQ(ByteToText(1), "1");
    EXPECT_EQ(ByteToText(255), "255");
}

TEST_F(RegistryLayer, MultiStringGivesLinesAndTheValueList)
{
    StoreRaw("list", REG_MULTI_SZ, std::string("one\0two\0\0ignored\0\0", 19));
    std::vector<std::string> values{"stale"};
    EXPECT_EQ(ReadReg(registry, kUser, key, "list", "z", &values), "one\ntwo\n");
    EXPECT_EQ(values, (std::vector<std::string>{"one", "two"}));

    // Written by a careless program without terminators: bounded by the stored size.
    StoreRaw("unterminated", REG_MULTI_SZ, std::string("a\0bc", 4));
    EXPECT_EQ(ReadReg(registry, kUser, key, "unterminated", "z", &values), "a\nbc\n");
    EXPECT_EQ(values, (std::vector<std::string>{"a", "bc"}));

    StoreRaw("none", REG_MULTI_SZ, std::string("\0", 1));
    EXPECT_EQ(ReadReg(registry, kUser, key, "none", "z", &values), "");
    EXPECT_TRUE(values.empty());

    values = {"stale"};
    EXPECT_EQ(ReadReg(registry, kUser, key, "missing", "z", &values), "");
    EXPECT_TRUE(values.empty());
}

TEST_F(RegistryLayer, MissingKeysValuesWrongTypesAndUnknownLettersGiveEmptyText)
{
    WriteReg(registry, kUser, key, "text", "12", "s");
    WriteReg(registry, kUser, key, "number", "12", "i");
    for (const char* type : {"s", "i", "b", "z", "S", "x", ""}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(ReadReg(registry, kUser, key + "\\absent", "text", type), "");
        EXPECT_EQ(ReadReg(registry, kUser, key, "absent", type), "");
    }
    EXPECT_EQ(ReadReg(registry, kUser, key, "text", "i"), "");
    EXPECT_EQ(ReadReg(registry, kUser, key, "text", "b"), "");
    EXPECT_EQ(ReadReg(registry, kUser, key, "number", "s"), "");
    EXPECT_EQ(ReadReg(registry, kUser, key, "text", "S"), "");
    EXPECT_EQ(ReadReg(registry, kUser, key + "\\absent", "text", "s"), "");
    EXPECT_FALSE(registry.KeyExists(key + "\\absent")) << "reading never creates a key";
}

TEST_F(RegistryLayer, TypeLettersAreCaseSensitive)
{
    WriteReg(registry, kUser, key, "upper", "x", "S");
    WriteReg(registry, kUser, key, "upperI", "1", "I");
    WriteReg(registry, kUser, key, "upperB", "0A", "B");
    WriteReg(registry, kUser, key, "multi", "x", "z");
    EXPECT_FALSE(Stored("upper"));
    EXPECT_FALSE(Stored("upperI"));
    EXPECT_FALSE(Stored("upperB"));
    EXPECT_FALSE(Stored("multi"));
}

TEST_F(RegistryLayer, UnknownRootIndexDoesNothing)
{
    EXPECT_EQ(RootKeyOf(0), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootKeyOf(1), HKEY_CURRENT_USER);
    EXPECT_EQ(RootKeyOf(2), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyOf(3), HKEY_USERS);
    EXPECT_EQ(RootKeyOf(4), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootKeyOf(5), HKEY_DYN_DATA);
    EXPECT_EQ(RootKeyOf(6), nullptr);
    EXPECT_EQ(RootKeyOf(-1), nullptr);

    // The previous call leaves HKEY_CURRENT_USER on the registry object; a root of 7
    // must not borrow it.
    WriteReg(registry, kUser, key, "kept", "yes", "s");
    WriteReg(registry, 7, key, "written", "no", "s");
    EXPECT_FALSE(Stored("written"));
    EXPECT_EQ(ReadReg(registry, 7, key, "kept", "s"), "");
    DeleteReg(registry, 7, key, "kept", 0);
    DeleteReg(registry, 5, key, "kept", 0);
    EXPECT_EQ(ReadReg(registry, kUser, key, "kept", "s"), "yes");
}

TEST_F(RegistryLayer, DeleteRegRemovesAValueOrAWholeSubtree)
{
    WriteReg(registry, kUser, key, "a", "1", "s");
    WriteReg(registry, kUser, key, "b", "2", "s");
    WriteReg(registry, kUser, key + "\\sub", "c", "3", "s");
    WriteReg(registry, kUser, key + "\\sub\\deeper\\deepest", "d", "4", "i");
    WriteReg(registry, kUser, key + "\\sibling", "e", "5", "s");

    DeleteReg(registry, kUser, key, "a", 0);
    EXPECT_EQ(ReadReg(registry, kUser, key, "a", "s"), "");
    EXPECT_EQ(ReadReg(registry, kUser, key, "b", "s"), "2");

    DeleteReg(registry, kUser, key, "sub", 1);
    EXPECT_FALSE(registry.KeyExists(key + "\\sub"));
    EXPECT_EQ(ReadReg(registry, kUser, key + "\\sibling", "e", "s"), "5");
    EXPECT_EQ(ReadReg(registry, kUser, key, "b", "s"), "2");

    // An empty subkey name would name the opened key itself: nothing happens.
    DeleteReg(registry, kUser, key, "", 1);
    EXPECT_TRUE(registry.KeyExists(key));

    // Deleting in a key that does not exist creates nothing.
    DeleteReg(registry, kUser, key + "\\absent", "x", 0);
    EXPECT_FALSE(registry.KeyExists(key + "\\absent"));
    EXPECT_EQ(registry.Access, static_cast<REGSAM>(KEY_READ | KEY_WRITE));
}

TEST_F(RegistryLayer, ReadsNeedOnlyReadAccess)
{
    WriteReg(registry, kUser, key + "\\locked", "value", "readable", "s");
    WriteReg(registry, kUser, key + "\\locked", "bytes", "01 02", "b");
    {
        // Everyone may read, delete (for the clean-up) and change the DACL; nobody may write.
        TRegistry raw;
        ASSERT_TRUE(raw.OpenKey(key + "\\locked", false));
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:P(A;;KR;;;WD)(A;;SD;;;WD)(A;;WD;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
        ASSERT_EQ(::RegSetKeySecurity(raw.CurrentKey(), DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        ::LocalFree(descriptor);
    }
    TRegistry probe;
    ASSERT_FALSE(probe.OpenKey(key + "\\locked", false)) << "the key must refuse write access";

    EXPECT_EQ(ReadReg(registry, kUser, key + "\\locked", "value", "s"), "readable");
    EXPECT_EQ(ReadReg(registry, kUser, key + "\\locked", "bytes", "b"), "01 02");
    WriteReg(registry, kUser, key + "\\locked", "value", "changed", "s");
    EXPECT_EQ(ReadReg(registry, kUser, key + "\\locked", "value", "s"), "readable");
}
