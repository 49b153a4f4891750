#include "platform/win32/file_replace_win32.h"

#include <algorithm>

#include "platform/win32/desktop_win32.h"
#include "platform/win32/unique_handle.h"

namespace vorlen {

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
    // WriteFile takes at most a DWORD per call; 1 GiB pieces stay well below.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t done = 0; done < bytes.size();) {
        const auto piece = static_cast<DWORD>(std::min(kPiece, bytes.size() - done));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// Writes the temporary file and closes it; false with the last error set.
bool WriteTemporary(const std::wstring& temporary, const std::string& bytes) {
    UniqueFileHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // Flushed before the rename, so that the new name never points at data
    // still waiting in the cache when the machine goes down.
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        const DWORD failure = GetLastError();
        file.Close();
        SetLastError(failure);
        return false;
    }
    // A failing close can mean data that never reached the disk.
    return file.Close();
}

// Whether the file could be overwritten in place, or does not exist yet:
// false for a read-only, write-protected or locked file, with the last error
// set. The rename alone would not do: Wine renames over read-only files, and
// opens them for writing too when it runs as root, hence the attribute test.
bool MayReplace(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool WriteFileReplacing(const std::wstring& path, const std::string& bytes, PlatformError& error) {
    // Same folder, so the final move is a rename on one volume.
    const std::wstring temporary = path + L".vorlen-tmp" + std::to_wstring(GetCurrentProcessId());
    const bool replaced =
        MayReplace(path) && WriteTemporary(temporary, bytes) &&
        MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (replaced) return true;
    error = LastPlatformError();
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace vorlen
