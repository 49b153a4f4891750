#include <gtest/gtest.h>

#include <vector>

#include "fake_registry.h"
#include "inventory/value_text.h"

namespace vorlen {
namespace {

using fakes::Utf16Bytes;
using Bytes = std::vector<std::uint8_t>;

TEST(ValueText, TypeTextsAndDefaultName) {
    const std::pair<std::uint32_t, const wchar_t*> types[] = {
        {0, L"REG_NONE"},   {1, L"REG_SZ"},       {2, L"REG_EXPAND_SZ"},      {3, L"REG_BINARY"},
        {4, L"REG_DWORD"},  {7, L"REG_MULTI_SZ"}, {8, L"REG_RESOURCE_LIST"},  {5, L"Other Type"},
        {6, L"Other Type"}, {11, L"Other Type"},  {0xFFFFFFFF, L"Other Type"}};
    for (const auto& [type, text] : types) EXPECT_EQ(ValueTypeText(type), text) << type;
    EXPECT_EQ(ValueNameText(L""), L"(標準)");
    EXPECT_EQ(ValueNameText(L" "), L" ");
}

TEST(ValueText, StringDropsOnlyATerminatorThatIsThere) {
    EXPECT_EQ(ValueDataText(kRegSz, Utf16Bytes(L"プログラム 1.0")), L"プログラム 1.0");
    EXPECT_EQ(ValueDataText(kRegExpandSz, Utf16Bytes(L"%ProgramFiles%\\x.exe")), L"%ProgramFiles%\\x.exe");
    EXPECT_EQ(ValueDataText(kRegSz, Utf16Bytes(L"abc", false)), L"abc");
    EXPECT_EQ(ValueDataText(kRegSz, Utf16Bytes(L"")), L"");
    EXPECT_EQ(ValueDataText(kRegSz, Bytes{}), L"");
    EXPECT_EQ(ValueDataText(kRegSz, Utf16Bytes(std::wstring(L"a\0b", 3))), std::wstring(L"a\0b", 3));
    // An odd trailing byte is one more character; a terminator cut to one byte still ends the text.
    EXPECT_EQ(ValueDataText(kRegSz, Bytes{'a', 0, 'x'}), L"ax");
    EXPECT_EQ(ValueDataText(kRegSz, Bytes{0xE9}), L"\u00E9");
    EXPECT_EQ(ValueDataText(kRegSz, Bytes{'a', 0, 0}), L"a");
    // The view ends inside the stored text: nothing after it is read.
    const Bytes stored = Utf16Bytes(L"abcd");
    EXPECT_EQ(ValueDataText(kRegSz, std::span<const std::uint8_t>(stored.data(), 3)), L"ab");
    const std::wstring longText(1000, L'x');
    EXPECT_EQ(ValueDataText(kRegSz, Utf16Bytes(longText)), longText);
}

TEST(ValueText, SurrogatePairsBecomeOneCharacterWhereWideCharactersAreCodePoints) {
    const std::wstring text = ValueDataText(kRegSz, Bytes{0x3D, 0xD8, 0x00, 0xDE, 0, 0});
    if constexpr (sizeof(wchar_t) == 2)
        EXPECT_EQ(text, std::wstring({wchar_t(0xD83D), wchar_t(0xDE00)}));
    else
        EXPECT_EQ(text, std::wstring(1, static_cast<wchar_t>(0x1F600)));
    EXPECT_EQ(ValueDataText(kRegSz, Bytes{0x3D, 0xD8, 'a', 0}), std::wstring({wchar_t(0xD83D), L'a'}));
}

TEST(ValueText, MultiStringShowsInnerNulsAsBlanks) {
    EXPECT_EQ(ValueDataText(kRegMultiSz, fakes::MultiStringBytes({L"a", L"b"})), L"a b ");
    EXPECT_EQ(ValueDataText(kRegMultiSz, Utf16Bytes(std::wstring(L"a\0b", 3), false)), L"a b");
    EXPECT_EQ(ValueDataText(kRegMultiSz, fakes::MultiStringBytes({})), L"");
    EXPECT_EQ(ValueDataText(kRegMultiSz, Bytes{'a', 0, 0, 0, 0}), L"a ");
    EXPECT_EQ(ValueDataText(kRegMultiSz, Bytes{}), L"");
}

TEST(ValueText, DwordAndHexBytes) {
    EXPECT_EQ(ValueDataText(kRegDword, fakes::DwordBytes(10)), L"0000000A");
    EXPECT_EQ(ValueDataText(kRegDword, fakes::DwordBytes(0xDEADBEEF)), L"DEADBEEF");
    EXPECT_EQ(ValueDataText(kRegDword, Bytes{0x34, 0x12}), L"1234");
    EXPECT_EQ(ValueDataText(kRegDword, Bytes{1, 2, 3, 4, 5, 6, 7, 8}), L"0807060504030201");
    EXPECT_EQ(ValueDataText(kRegDword, Bytes{}), L"");
    EXPECT_EQ(ValueDataText(kRegBinary, Bytes{0x01, 0x00, 0xFF}), L"01 00 FF ");
    EXPECT_EQ(ValueDataText(kRegBinary, Bytes{}), L"");
    EXPECT_EQ(ValueDataText(kRegNone, Bytes{0xAB}), L"AB ");
    EXPECT_EQ(ValueDataText(kRegResourceList, Bytes{0x0C}), L"0C ");
    EXPECT_EQ(ValueDataText(11, Bytes{1, 0, 0, 0, 0, 0, 0, 0x80}), L"01 00 00 00 00 00 00 80 ");
    const std::wstring hex = ValueDataText(kRegBinary, Bytes(4096, 0x5A));
    EXPECT_EQ(hex.size(), 3u * 4096u);
    EXPECT_EQ(hex.substr(hex.size() - 3), L"5A ");
}

}  // namespace
}  // namespace vorlen
