#include "window/dpi_pictures.h"

#include <commctrl.h>

namespace vorlen {

namespace {

constexpr COLORREF kTransparentColour = RGB(255, 0, 255);

// The strip of `count` pictures at `size`, its magenta made transparent.
UniqueImageList LoadPictures(HINSTANCE instance, const PictureSizes& pictures, int count, int size) {
    const UINT resource = size >= 32 ? pictures.at32 : size >= 24 ? pictures.at24 : pictures.at16;
    UniqueImageList list{ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0)};
    if (!list) return list;
    if (const UniqueBitmap strip{static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))})
        ImageList_AddMasked(list.get(), strip.get(), kTransparentColour);
    return list;
}

}  // namespace

int PictureSizeForDpi(UINT dpi) {
    const int wanted = MulDiv(16, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    return wanted >= 32 ? 32 : wanted >= 24 ? 24 : 16;
}

UniqueImageList ShowToolbarPictures(HWND toolbar, HINSTANCE instance, const PictureSizes& pictures, int count,
                                    UINT dpi) {
    const int size = PictureSizeForDpi(dpi);
    UniqueImageList list = LoadPictures(instance, pictures, count, size);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.get()));
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return list;
}

UniqueIcon ShowButtonPicture(std::span<const HWND> buttons, HINSTANCE instance, const PictureSizes& pictures,
                             UINT dpi) {
    const UniqueImageList list = LoadPictures(instance, pictures, 1, PictureSizeForDpi(dpi));
    UniqueIcon icon{list ? ImageList_GetIcon(list.get(), 0, ILD_NORMAL) : nullptr};
    for (HWND button : buttons) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
    return icon;
}

}  // namespace vorlen
