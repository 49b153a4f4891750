#include <gtest/gtest.h>

#include "core/error_report.h"

namespace vorlen {
namespace {

TEST(ErrorReport, NumberBetweenApostrophesThenEmptyLineThenDescription) {
    EXPECT_EQ(FormatErrorReport(5, L"引数が不正です。"), L"実行時エラー'5'\r\n\r\n引数が不正です。");
    EXPECT_EQ(FormatErrorReport(-2147024891, L"x"), L"実行時エラー'-2147024891'\r\n\r\nx");
    EXPECT_EQ(FormatErrorReport(0, L""), L"実行時エラー'0'\r\n\r\n");
}

}  // namespace
}  // namespace vorlen
