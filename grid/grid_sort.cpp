#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "grid/grid_model.h"

namespace vorlen {

namespace {

// The key of one data row, worked out once before sorting so that no text is
// parsed or collated again inside the comparisons.
struct SortKey {
    double number = 0;
    std::wstring_view text;
    std::string collation;  // the collator's key of the text, when every text has one
    int row = 0;
    bool isNumber = false;
};

bool BytesLess(const std::string& a, const std::string& b) {
    const int common = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return common != 0 ? common < 0 : a.size() < b.size();
}

// Numbers before texts, numbers by value, texts by the collator.
bool KeyLess(const SortKey& a, const SortKey& b, const TextCollator& collator, bool collationKeys) {
    if (a.isNumber != b.isNumber) return a.isNumber;
    if (a.isNumber) return a.number < b.number;
    if (collationKeys) return BytesLess(a.collation, b.collation);
    return collator.Compare(a.text, b.text) < 0;
}

}  // namespace

// The rows are ordered through a permutation of small keys and then moved
// into place once, so each row's cells move a single time whatever their
// number. Descending reverses the comparison, not the result, so that rows
// with equal keys keep their order in both directions.
void GridModel::Sort(int col, SortDirection direction, const TextCollator& collator) {
    CheckCol(col);
    const int first = fixedRows_;
    if (rows_ - first < 2) return;

    std::vector<SortKey> keys;
    keys.reserve(static_cast<std::size_t>(rows_ - first));
    bool collationKeys = true;
    for (int row = first; row < rows_; ++row) {
        SortKey key;
        key.row = row;
        key.text = cells_[Index(row, col)].View();
        if (const std::optional<double> number = ParseSortNumber(key.text)) {
            key.isNumber = true;
            key.number = *number;
        } else if (collationKeys) {
            std::optional<std::string> collation = collator.SortKey(key.text);
            collationKeys = collation.has_value();
            if (collation) key.collation = std::move(*collation);
        }
        keys.push_back(std::move(key));
    }
    if (direction == SortDirection::Ascending) {
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const SortKey& a, const SortKey& b) { return KeyLess(a, b, collator, collationKeys); });
    } else {
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const SortKey& a, const SortKey& b) { return KeyLess(b, a, collator, collationKeys); });
    }

    const auto cols = static_cast<std::size_t>(cols_);
    std::vector<SharedText> cells(cells_.size());
    std::vector<Colour> colours(cellColours_.size());
    std::vector<int> heights(rowHeights_.size());
    std::vector<std::uint32_t> rowData(rowData_.size());
    const auto fixedCells = static_cast<std::size_t>(first) * cols;
    std::move(cells_.begin(), cells_.begin() + static_cast<std::ptrdiff_t>(fixedCells), cells.begin());
    std::copy(cellColours_.begin(), cellColours_.begin() + static_cast<std::ptrdiff_t>(fixedCells), colours.begin());
    std::copy(rowHeights_.begin(), rowHeights_.begin() + first, heights.begin());
    std::copy(rowData_.begin(), rowData_.begin() + first, rowData.begin());
    int target = first;
    for (const SortKey& key : keys) {
        const auto from = static_cast<std::size_t>(key.row) * cols;
        const auto to = static_cast<std::size_t>(target) * cols;
        for (std::size_t c = 0; c < cols; ++c) {
            cells[to + c] = std::move(cells_[from + c]);
            colours[to + c] = cellColours_[from + c];
        }
        heights[static_cast<std::size_t>(target)] = rowHeights_[static_cast<std::size_t>(key.row)];
        rowData[static_cast<std::size_t>(target)] = rowData_[static_cast<std::size_t>(key.row)];
        ++target;
    }
    cells_ = std::move(cells);
    cellColours_ = std::move(colours);
    rowHeights_ = std::move(heights);
    rowData_ = std::move(rowData);
    Notify(Change::Cells);
    Notify(Change::Layout);
}

}  // namespace vorlen
