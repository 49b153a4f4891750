#pragma once
#include <windows.h>

#include <span>

#include "platform/win32/unique_handle.h"
#include "resources/resource.h"

namespace vorlen {

// One picture, or a strip of pictures side by side, drawn at 16, 24 and 32
// pixels (app/icons/make_icons.py), as three bitmap resources.
struct PictureSizes {
    UINT at16;
    UINT at24;
    UINT at32;
};
inline constexpr PictureSizes kToolbarPictures{IDB_TOOLBAR, IDB_TOOLBAR_24, IDB_TOOLBAR_32};
inline constexpr PictureSizes kFilterPictures{IDB_FILTER, IDB_FILTER_24, IDB_FILTER_32};

// The side of the pictures a window at `dpi` shows: the largest size drawn
// that is not bigger than 16 pixels at that DPI, so that no picture is ever
// stretched (96 DPI: 16, 144: 24, 192: 32).
int PictureSizeForDpi(UINT dpi);

// Gives a toolbar its `count` pictures at the size for `dpi` and sizes its
// buttons to them; returns the image list, which must outlive its use.
UniqueImageList ShowToolbarPictures(HWND toolbar, HINSTANCE instance, const PictureSizes& pictures, int count,
                                    UINT dpi);

// Gives picture buttons (BS_ICON) the picture at the size for `dpi`;
// returns the icon, which must outlive its use.
UniqueIcon ShowButtonPicture(std::span<const HWND> buttons, HINSTANCE instance, const PictureSizes& pictures,
                             UINT dpi);

}  // namespace vorlen
