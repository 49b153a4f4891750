#include <gtest/gtest.h>

#include "core/setting_number.h"

namespace vorlen {
namespace {

TEST(SettingNumber, NumbersRoundHalfToEvenAndAreRangeCheckedAfterwards) {
    const std::pair<const wchar_t*, std::int16_t> cases[] = {
        {L"1", 1},
        {L"  1  ", 1},
        {L"\t2 ", 2},
        {L"+7", 7},
        {L"-7", -7},
        {L"007", 7},
        {L"0.5", 0},
        {L"1.5", 2},
        {L"2.5", 2},
        {L"3.5", 4},
        {L"-0.5", 0},
        {L"-2.5", -2},
        {L"0.51", 1},
        {L"2.5000000000000000001", 3},
        {L"1.4999999999999999999", 1},
        {L".5", 0},
        {L"1.", 1},
        {L"1e2", 100},
        {L"15E-1", 2},
        {L"3.2767e4", 32767},
        {L"0e99999999", 0},
        {L"1e-99999999", 0},
        {L"32767", 32767},
        {L"-32768", -32768},
        {L"32767.4", 32767},
        {L"-32768.5", -32768},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseSettingNumber(text), value) << ::testing::PrintToString(std::wstring(text));
}

TEST(SettingNumber, TextsThatAreNoNumberOrOutOfRangeFail) {
    for (const wchar_t* text :
         {L"", L"   ", L"abc", L"1a", L"1 2", L"--1", L"-", L".", L"1e", L"1.2.3", L"&H10", L"1,000", L"１", L"32767.5",
          L"32768", L"-32768.6", L"1e5", L"1e99999999", L"99999999999999999999"})
        EXPECT_FALSE(ParseSettingNumber(text)) << ::testing::PrintToString(std::wstring(text));
}

}  // namespace
}  // namespace vorlen
