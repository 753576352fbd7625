#include "fileengines/ShellServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

using namespace file_engines;

namespace {

// An allocator that gives exactly the bytes asked for, followed by guard bytes it checks
// on Free, so that writing past a block fails the test; it can also refuse to allocate.
class GuardedMalloc : public IMalloc {
public:
    ~GuardedMalloc() { EXPECT_TRUE(blocks.empty()) << "blocks not freed"; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override
    {
        if (refuse)
            return nullptr;
        BYTE* block = new BYTE[size + kGuard];
        memset(block, 0xCD, size + kGuard);
        blocks[block] = size;
        return block;
    }
    void* STDMETHODCALLTYPE Realloc(void*, SIZE_T) override { return nullptr; }
    void STDMETHODCALLTYPE Free(void* p) override
    {
        auto found = blocks.find(static_cast<BYTE*>(p));
        ASSERT_NE(found, blocks.end());
        for (size_t i = 0; i < kGuard; ++i)
            EXPECT_EQ(found->first[found->second + i], 0xCD) << "written past the block";
        delete[] found->first;
        blocks.erase(found);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void* p) override { return blocks[static_cast<BYTE*>(p)]; }
    int STDMETHODCALLTYPE DidAlloc(void* p) override { return blocks.count(static_cast<BYTE*>(p)); }
    void STDMETHODCALLTYPE HeapMinimize() override {}

    bool refuse = false;

private:
    static constexpr size_t kGuard = 8;
    std::map<BYTE*, size_t> blocks;
};

// Builds an item-ID list from item payloads: each item is its 16-bit count plus payload.
std::vector<BYTE> MakeList(const std::vector<std::string>& items)
{
    std::vector<BYTE> bytes;
    for (const std::string& item : items) {
        USHORT cb = static_cast<USHORT>(item.size() + 2);
        bytes.push_back(cb & 0xFF);
        bytes.push_back(cb >> 8);
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes) { return reinterpret_cast<LPCITEMIDLIST>(bytes.data()); }

std::vector<BYTE> Bytes(LPCITEMIDLIST list)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(list);
    return std::vector<BYTE>(p, p + ItemIdListSize(list));
}

} // namespace

TEST(ItemIdList, SizeAndNextWalkTheCounts)
{
    std::vector<BYTE> empty = MakeList({});
    std::vector<BYTE> two = MakeList({"abc", "x"});
    EXPECT_EQ(ItemIdListSize(nullptr), 0u);
    EXPECT_EQ(ItemIdListSize(AsList(empty)), 2u);
    EXPECT_EQ(ItemIdListSize(AsList(two)), 2u + 5u + 3u);
    LPCITEMIDLIST second = ItemIdListNext(AsList(two));
    EXPECT_EQ(reinterpret_cast<const BYTE*>(second), two.data() + 5);
    EXPECT_EQ(second->mkid.cb, 3);
    EXPECT_EQ(ItemIdListSize(second), 5u);
    EXPECT_EQ(ItemIdListNext(ItemIdListNext(second))->mkid.cb, 0) << "the terminator";
}

TEST(ItemIdList, AllocZeroesTheStartWithinTheBlock)
{
    GuardedMalloc malloc;
    for (UINT size : {1u, 2u, 4u, 16u}) {
        LPITEMIDLIST block = ItemIdListAlloc(&malloc, size);
        ASSERT_NE(block, nullptr);
        const BYTE* bytes = reinterpret_cast<const BYTE*>(block);
        for (UINT i = 0; i < std::min(size, 4u); ++i)
            EXPECT_EQ(bytes[i], 0);
        malloc.Free(block);
    }
    malloc.refuse = true;
    EXPECT_EQ(ItemIdListAlloc(&malloc, 8), nullptr);
    EXPECT_EQ(ItemIdListAlloc(nullptr, 8), nullptr);
}

TEST(ItemIdList, ConcatJoinsItemsWithOneTerminator)
{
    GuardedMalloc malloc;
    std::vector<BYTE> empty = MakeList({});
    std::vector<BYTE> first = MakeList({"abc", "x"});
    std::vector<BYTE> second = MakeList({"hello"});

    LPITEMIDLIST joined = ItemIdListConcat(&malloc, AsList(empty), AsList(empty));
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(Bytes(joined), empty);
    malloc.Free(joined);

    joined = ItemIdListConcat(&malloc, AsList(first), AsList(second));
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(Bytes(joined), MakeList({"abc", "x", "hello"}));
    malloc.Free(joined);

    // A missing list counts as empty on either side.
    joined = ItemIdListConcat(&malloc, nullptr, AsList(second));
    EXPECT_EQ(Bytes(joined), second);
    malloc.Free(joined);
    joined = ItemIdListConcat(&malloc, AsList(first), nullptr);
    EXPECT_EQ(Bytes(joined), first);
    malloc.Free(joined);

    malloc.refuse = true;
    EXPECT_EQ(ItemIdListConcat(&malloc, AsList(first), AsList(second)), nullptr);
}

TEST(StrRet, EveryKindOfShellText)
{
    std::vector<BYTE> item = MakeList({std::string("??name\0", 7)});
    LPCITEMIDLIST list = AsList(item);
    std::string text = "before";

    STRRET inline_{};
    inline_.uType = STRRET_CSTR;
    strcpy(inline_.cStr, "inline");
    ConvertStrRet(text, list, inline_);
    EXPECT_EQ(text, "inline");

    STRRET offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 4; // past the count and the two '?'
    ConvertStrRet(text, list, offset);
    EXPECT_EQ(text, "name");

    STRRET wide{};
    wide.uType = STRRET_WSTR;
    const wchar_t source[] = L"Gr\u00FC\u00DFe";
    wide.pOleStr = static_cast<LPWSTR>(::CoTaskMemAlloc(sizeof source));
    memcpy(wide.pOleStr, source, sizeof source);
    ConvertStrRet(text, list, wide);
    EXPECT_EQ(text, "Grüße");
    EXPECT_EQ(wide.uType, static_cast<UINT>(STRRET_CSTR)) << "the freed string must not be used again";

    STRRET unknown{};
    unknown.uType = 7;
    ConvertStrRet(text, list, unknown);
    EXPECT_EQ(text, "Grüße") << "an unknown kind assigns nothing";
}
