#pragma once
#include <windows.h>

#include <span>

namespace vorlen {

// Where one control of a dialog goes, in twips of its client area.
struct ControlTwips {
    int id;
    int left;
    int top;
    int width;
    int height;
};

// Lays a dialog out from its design in twips at the dialog's own DPI: sizes
// its client area, moves each control, and centres the window on the screen
// that shows its owner (the primary screen when it has none).
void PlaceDialog(HWND dialog, int clientWidthTwips, int clientHeightTwips, std::span<const ControlTwips> controls);

}  // namespace vorlen
