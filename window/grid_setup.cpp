#include "window/grid_setup.h"

#include "window/main_layout.h"

namespace vorlen {

std::wstring LoadResourceText(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource text itself.
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

void SetUpGrid(GridModel& grid, HINSTANCE instance, UINT firstHeading) {
    for (int col = 0; col < grid.Cols(); ++col) grid.SetText(0, col, LoadResourceText(instance, firstHeading + col));
    grid.SetColWidth(0, kFixedColumnWidth);
    grid.SetFixedAlignment(0, CellAlignment::CenterCenter);
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.SetColAlignment(col, CellAlignment::LeftCenter);
        grid.SetFixedAlignment(col, CellAlignment::CenterCenter);
    }
}

}  // namespace vorlen
