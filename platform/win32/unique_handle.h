#pragma once
#include <windows.h>
#include <commctrl.h>

namespace vorlen {

// Owns one handle of the kind `Closer` describes and closes it once: on
// destruction, on reset, or on an explicit Close that reports the result.
// `Closer` gives the kind's invalid value and its closing function:
//   static T Invalid();  static bool Close(T);
template <typename T, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    // For functions that hand out a handle through a pointer; any handle
    // held before is closed first.
    T* put() {
        reset();
        return &handle_;
    }
    T release() {
        const T handle = handle_;
        handle_ = Closer::Invalid();
        return handle;
    }
    void reset(T handle = Closer::Invalid()) {
        Close();
        handle_ = handle;
    }
    // Closes the handle now; false when the system reported a failure (a
    // file whose close fails may not have reached the disk).
    bool Close() {
        if (handle_ == Closer::Invalid()) return true;
        const bool closed = Closer::Close(handle_);
        handle_ = Closer::Invalid();
        return closed;
    }
    explicit operator bool() const { return handle_ != Closer::Invalid(); }

private:
    T handle_ = Closer::Invalid();
};

struct RegistryKeyCloser {
    static HKEY Invalid() { return nullptr; }
    static bool Close(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
// Processes, threads and events: null when there is none.
struct KernelHandleCloser {
    static HANDLE Invalid() { return nullptr; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
// Files: CreateFileW's failure value is INVALID_HANDLE_VALUE, not null.
struct FileHandleCloser {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
struct FindHandleCloser {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return FindClose(handle) != FALSE; }
};
struct IconCloser {
    static HICON Invalid() { return nullptr; }
    static bool Close(HICON icon) { return DestroyIcon(icon) != FALSE; }
};
template <typename GdiObject>
struct GdiObjectCloser {
    static GdiObject Invalid() { return nullptr; }
    static bool Close(GdiObject object) { return DeleteObject(object) != FALSE; }
};
struct MemoryDcCloser {
    static HDC Invalid() { return nullptr; }
    static bool Close(HDC dc) { return DeleteDC(dc) != FALSE; }
};
struct ImageListCloser {
    static HIMAGELIST Invalid() { return nullptr; }
    static bool Close(HIMAGELIST list) { return ImageList_Destroy(list) != FALSE; }
};

using UniqueHkey = UniqueHandle<HKEY, RegistryKeyCloser>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleCloser>;
using UniqueFileHandle = UniqueHandle<HANDLE, FileHandleCloser>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleCloser>;
using UniqueIcon = UniqueHandle<HICON, IconCloser>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectCloser<HFONT>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectCloser<HBITMAP>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectCloser<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcCloser>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListCloser>;

}  // namespace vorlen
