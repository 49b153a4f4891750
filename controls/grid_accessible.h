#pragma once
#include <windows.h>
#include <oleacc.h>

namespace vorlen {

class GridView;

// What a grid control tells screen readers (Microsoft Active Accessibility;
// UI Automation clients read it through their MSAA bridge). The grid is a
// table; its children are its heading rows and its shown data rows, in the
// order drawn (hidden rows are no children); each row's children are its
// cells. A heading row's cells are column headers, the fixed column's cells
// row headers. A cell is named by its text and described by its column's
// heading; a row is named by its first two data cells (in the list, the key
// name and the program name). Rows and cells are reached by child ids 1, 2,
// … from their parent; the table also answers the ids of CellEventId, by
// which it names cells in WinEvents.
class GridAccessibility {
public:
    explicit GridAccessibility(GridView& view) : view_(view) {}
    ~GridAccessibility() { Disconnect(); }
    GridAccessibility(const GridAccessibility&) = delete;
    GridAccessibility& operator=(const GridAccessibility&) = delete;

    // The answer to WM_GETOBJECT: the table for OBJID_CLIENT, 0 (the
    // default processing) for anything else.
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Makes every object handed out answer that the grid is gone.
    void Disconnect();

    // The child id of the table that names cell (row, col) in a WinEvent.
    // Negative, as the ids of objects below the table's own children are.
    static LONG CellEventId(int row, int col, int cols);

private:
    GridView& view_;
    IAccessible* table_ = nullptr;  // created at the first request, then kept
};

}  // namespace vorlen
