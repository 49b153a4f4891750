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
// Kept small, since the sort moves keys rather than rows: the text itself is
// looked up by row only when the collator gives no keys.
struct SortKey {
    std::string collation;  // the collator's key of the text, when every text has one
    double number = 0;
    int row = 0;
    bool isNumber = false;
};

int BytesOrder(const std::string& a, const std::string& b) {
    const int common = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (common != 0) return common;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Numbers before texts, numbers by value, texts by the collator (a negative
// or positive three-way result).
template <typename CompareTexts>
int KeyOrder(const SortKey& a, const SortKey& b, bool collationKeys, CompareTexts&& compareTexts) {
    if (a.isNumber != b.isNumber) return a.isNumber ? -1 : 1;
    if (a.isNumber) return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    if (collationKeys) return BytesOrder(a.collation, b.collation);
    return compareTexts(a.row, b.row);
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
        const std::wstring_view text = cells_[Index(row, col)].View();
        if (const std::optional<double> number = ParseSortNumber(text)) {
            key.isNumber = true;
            key.number = *number;
        } else if (collationKeys) {
            std::optional<std::string> collation = collator.SortKey(text);
            collationKeys = collation.has_value();
            if (collation) key.collation = std::move(*collation);
        }
        keys.push_back(std::move(key));
    }
    // The sort moves 4-byte indexes of the keys, not the keys. Equal keys
    // keep their rows' order in both directions: the index decides between
    // them, which makes the order total, so std::sort gives what a stable
    // sort would without its buffer.
    const auto compareTexts = [&](int a, int b) { return collator.Compare(Text(a, col), Text(b, col)); };
    const bool descending = direction != SortDirection::Ascending;
    std::vector<std::uint32_t> order(keys.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const SortKey& x = keys[a];
        const SortKey& y = keys[b];
        const int result =
            descending ? KeyOrder(y, x, collationKeys, compareTexts) : KeyOrder(x, y, collationKeys, compareTexts);
        return result != 0 ? result < 0 : a < b;
    });

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
    for (const std::uint32_t index : order) {
        const SortKey& key = keys[index];
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
