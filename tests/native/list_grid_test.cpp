#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "window/list_grid.h"

namespace vorlen {
namespace {

std::vector<ListedEntry> ThreePlaces() {
    return {{UninstallPlace::Machine, L"C", L"c", L"c.exe", false, true},
            {UninstallPlace::Machine32, L"A", L"a", L"%windir%\\a.exe", true, true},
            {UninstallPlace::User, L"B\\0x", L"", L"", false, false}};
}

TEST(ListGrid, RowsShowTheirPlaceAndKeepTheirFactsThroughASort) {
    GridModel grid(2, kListColumnCount);
    grid.SetText(0, kListColumnPlace, L"場所");
    FillListGrid(grid, ThreePlaces());
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Text(0, kListColumnPlace), L"場所") << "the heading stays";
    EXPECT_EQ(grid.Text(1, kListColumnPlace), L"HKLM");
    EXPECT_EQ(grid.Text(2, kListColumnPlace), L"HKLM 32 ビット");
    EXPECT_EQ(grid.Text(3, kListColumnPlace), L"HKCU");

    grid.Sort(kListColumnKeyName, SortDirection::Ascending, OrdinalIgnoreCaseCollator());
    const std::vector<std::wstring_view> keys{grid.Text(1, 1), grid.Text(2, 1), grid.Text(3, 1)};
    ASSERT_EQ(keys, (std::vector<std::wstring_view>{L"A", L"B\\0x", L"C"}));
    const ListRow a = ListRowOf(grid, 1), b = ListRowOf(grid, 2), c = ListRowOf(grid, 3);
    EXPECT_EQ(a.place, UninstallPlace::Machine32);
    EXPECT_TRUE(a.uninstallStringExpands);
    EXPECT_TRUE(a.addressable);
    EXPECT_EQ(b.place, UninstallPlace::User);
    EXPECT_FALSE(b.addressable);
    EXPECT_EQ(c.place, UninstallPlace::Machine);
    EXPECT_FALSE(c.uninstallStringExpands);
}

}  // namespace
}  // namespace vorlen
