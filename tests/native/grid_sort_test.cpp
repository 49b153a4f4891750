#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "grid/grid_model.h"

namespace vorlen {
namespace {

using Texts = std::vector<std::wstring>;
const OrdinalIgnoreCaseCollator kCollator;

// Rows carry their first position in column 0 and the given keys in column 2.
GridModel GridWithKeys(const Texts& keys) {
    GridModel grid(static_cast<int>(keys.size()) + 1, 4);
    grid.SetText(0, 2, L"プログラム名");
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetText(row, 0, std::to_wstring(row));
        grid.SetText(row, 2, keys[static_cast<std::size_t>(row - 1)]);
    }
    return grid;
}

Texts Column(const GridModel& grid, int col) {
    Texts texts;
    for (int row = 1; row < grid.Rows(); ++row) texts.emplace_back(grid.Text(row, col));
    return texts;
}

TEST(GridSort, NumbersComeFirstInNumericOrderThenTexts) {
    GridModel grid = GridWithKeys({L"b", L"10", L"A", L"9", L" -1.5 ", L"1e1", L"", L"2x"});
    grid.Sort(2, SortDirection::Ascending, kCollator);
    EXPECT_EQ(Column(grid, 2), (Texts{L" -1.5 ", L"9", L"10", L"1e1", L"", L"2x", L"A", L"b"}));
    EXPECT_EQ(grid.Text(0, 2), L"プログラム名");
}

TEST(GridSort, BothDirectionsKeepEqualKeysInTheirOrder) {
    GridModel grid = GridWithKeys({L"a", L"B", L"A", L"10", L"b", L"10.0"});
    grid.Sort(2, SortDirection::Descending, kCollator);
    EXPECT_EQ(Column(grid, 2), (Texts{L"B", L"b", L"a", L"A", L"10", L"10.0"}));
    grid.Sort(2, SortDirection::Ascending, kCollator);
    EXPECT_EQ(Column(grid, 0), (Texts{L"4", L"6", L"1", L"3", L"2", L"5"}));

    Texts keys;
    for (int i = 0; i < 30000; ++i)
        keys.push_back(i % 3 == 0 ? std::to_wstring(i % 7) : L"name" + std::to_wstring(i % 5));
    GridModel big = GridWithKeys(keys);
    for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        big.Sort(2, direction, kCollator);
        for (int row = 2; row < big.Rows(); ++row) {
            if (big.Text(row, 2) == big.Text(row - 1, 2)) {
                ASSERT_LT(std::stoi(std::wstring(big.Text(row - 1, 0))), std::stoi(std::wstring(big.Text(row, 0)))) << "row " << row;
            }
        }
    }
    EXPECT_EQ(big.Text(1, 2), L"name4");
    EXPECT_EQ(big.Text(big.Rows() - 1, 2), L"0");
}

TEST(GridSort, RowsMoveWholeWhileTheCurrentCellStays) {
    GridModel grid = GridWithKeys({L"c", L"a", L"b"});
    grid.SetText(1, 3, L"c.exe");
    grid.SetRowHeight(1, 0);
    grid.SetCellForeColour(1, 3, kColourBlue);
    grid.SetRowData(1, 7);
    grid.SetCurrentCell(2, 3);
    int moves = 0;
    grid.SetCurrentCellChangedHandler([&] { ++moves; });
    grid.Sort(2, SortDirection::Ascending, kCollator);
    EXPECT_EQ(Column(grid, 3), (Texts{L"", L"", L"c.exe"}));
    EXPECT_EQ((std::vector<int>{grid.RowHeight(1), grid.RowHeight(3)}), (std::vector<int>{240, 0}));
    EXPECT_EQ(grid.CellForeColour(3, 3), kColourBlue);
    EXPECT_EQ(grid.CellForeColour(1, 3), kColourUnset);
    EXPECT_EQ((std::vector<std::uint32_t>{grid.RowData(1), grid.RowData(3)}), (std::vector<std::uint32_t>{0, 7}));
    EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), moves}), (std::vector<int>{2, 3, 0}));

    GridModel headingOnly(1, 4);
    headingOnly.SetText(0, 2, L"heading");
    headingOnly.Sort(2, SortDirection::Descending, kCollator);
    EXPECT_EQ(headingOnly.Text(0, 2), L"heading");
}

// Code-unit order, with sort keys of that order (each unit as four
// big-endian bytes), or of the reverse order when `reversedKeys`.
class KeyedCollator final : public TextCollator {
public:
    explicit KeyedCollator(bool reversedKeys = false, std::wstring keyless = L"\x1")
        : reversedKeys_(reversedKeys), keyless_(std::move(keyless)) {}
    int Compare(std::wstring_view a, std::wstring_view b) const override { return a.compare(b); }
    std::optional<std::string> SortKey(std::wstring_view text) const override {
        if (text == keyless_) return std::nullopt;
        std::string key;
        for (const wchar_t c : text)
            for (int shift = 24; shift >= 0; shift -= 8) {
                const auto byte = static_cast<unsigned char>(static_cast<std::uint32_t>(c) >> shift);
                key += static_cast<char>(reversedKeys_ ? 0xFF - byte : byte);
            }
        if (reversedKeys_) key += '\xFF';  // a longer text's key sorts first, as its reversed order wants
        return key;
    }

private:
    bool reversedKeys_;
    std::wstring keyless_;
};

TEST(GridSort, CollationKeysGiveTheCollatorsOwnOrderInBothDirections) {
    const Texts keys{L"b", L"10", L"ab", L"", L"é", L"a", L"2", L"b", L"Z"};
    for (const auto direction : {SortDirection::Ascending, SortDirection::Descending}) {
        GridModel byKeys = GridWithKeys(keys), byComparison = GridWithKeys(keys);
        byKeys.Sort(2, direction, KeyedCollator());
        byComparison.Sort(2, direction, KeyedCollator(false, L"b"));
        EXPECT_EQ(Column(byKeys, 0), Column(byComparison, 0)) << "rows, equal keys included, in the same order";
        EXPECT_EQ(Column(byKeys, 2).front(), direction == SortDirection::Ascending ? L"2" : L"é");
    }
    // One text without a key: every text is compared, none by its key.
    GridModel partial = GridWithKeys(keys);
    partial.Sort(2, SortDirection::Ascending, KeyedCollator(true, L"ab"));
    EXPECT_EQ(Column(partial, 2), (Texts{L"2", L"10", L"", L"Z", L"a", L"ab", L"b", L"b", L"é"}));
}

TEST(SortNumber, DecimalFormsOnly) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const wchar_t*, double> numbers[] = {{L"42", 42},
                                                         {L"  -3.25\t", -3.25},
                                                         {L"+.5", 0.5},
                                                         {L"7.", 7},
                                                         {L"1.5E3", 1500},
                                                         {L"1e-2", 0.01},
                                                         {L"1e999", inf},
                                                         {L"-1e999", -inf},
                                                         {L"123456789e-999", 0},
                                                         {L"0.0000001e-400", 0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseSortNumber(text), value) << ::testing::PrintToString(std::wstring(text));
    for (const wchar_t* text :
         {L"", L" ", L"1a", L"1 2", L"1e", L"e1", L".", L"+", L"0x10", L"1,000", L"nan", L"inf", L"１２", L"{1234}"})
        EXPECT_FALSE(ParseSortNumber(text)) << ::testing::PrintToString(std::wstring(text));
}

TEST(OrdinalIgnoreCaseCollator, IgnoresLatinCaseAndOrdersByCodePoint) {
    for (const auto& [a, b] :
         {std::pair{L"Adobe", L"adobe"}, {L"ÉCOLE", L"école"}, {L"ŁÓDŹ", L"łódź"}, {L"ＡＢ", L"ａｂ"}})
        EXPECT_EQ(kCollator.Compare(a, b), 0) << ::testing::PrintToString(std::wstring(a));
    EXPECT_LT(kCollator.Compare(L"apple", L"Banana"), 0);
    EXPECT_LT(kCollator.Compare(L"ab", L"abc"), 0);
    EXPECT_NE(kCollator.Compare(L"ア", L"あ"), 0);
    EXPECT_NE(kCollator.Compare(L"×", L"÷"), 0);
    // U+1F600 follows U+FF5E whatever the width of wchar_t.
    const std::wstring emoji = sizeof(wchar_t) == 2 ? std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}
                                                    : std::wstring(1, static_cast<wchar_t>(0x1F600));
    EXPECT_GT(kCollator.Compare(emoji, L"\uFF5E"), 0);
}

}  // namespace
}  // namespace vorlen
