// The real desktop's Save-As dialog record and its wait for a process.
#include <gtest/gtest.h>

#include "platform/win32/desktop_win32.h"

using vorlen::SaveDialogRecord;

namespace {

// The filter list up to and including its closing second NUL.
std::wstring FilterList(const wchar_t* filters) {
    const wchar_t* end = filters;
    while (end[0] || end[1]) ++end;
    return std::wstring(filters, end + 2);
}

}  // namespace

TEST(SaveDialogRecord, AcceptsANewNameAsksBeforeOverwritingAndOffersEveryFileSecond) {
    using namespace std::string_literals;
    SaveDialogRecord dialog(nullptr, L"登録エントリ(*.reg)\0*.reg"s, L".reg", L"C:\\users\\Public\\Desktop");
    const OPENFILENAMEW& record = dialog.Record();
    EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST));
    EXPECT_EQ(FilterList(record.lpstrFilter), L"登録エントリ(*.reg)\0*.reg\0すべてのファイル(*.*)\0*.*\0\0"s);
    EXPECT_STREQ(record.lpstrDefExt, L"reg");
    EXPECT_STREQ(record.lpstrInitialDir, L"C:\\users\\Public\\Desktop");
    EXPECT_STREQ(record.lpstrTitle, L"名前を付けて保存");

    SaveDialogRecord plain(nullptr, L"", L".csv", L"");
    EXPECT_EQ(FilterList(plain.Record().lpstrFilter), L"すべてのファイル(*.*)\0*.*\0\0"s);
    EXPECT_STREQ(plain.Record().lpstrDefExt, L"");
    EXPECT_EQ(plain.Record().lpstrInitialDir, nullptr);
}
