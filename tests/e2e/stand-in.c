/* A stand-in for a system program (cmd.exe, reg.exe, msiexec.exe …), planted
 * beside vorlen.exe or in a folder it exports to by the planted-programs
 * test. It only leaves a mark: one line, its own path and its command line
 * (UTF-8), appended to planted-marks.txt beside itself. Then it ends. */
#include <windows.h>

static void Append(HANDLE file, const wchar_t* text) {
    char bytes[8192];
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, NULL, NULL);
    DWORD written = 0;
    if (size > 1) WriteFile(file, bytes, (DWORD)(size - 1), &written, NULL);
}

int main(void) {
    wchar_t self[MAX_PATH], marks[MAX_PATH + 32];
    const DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    lstrcpyW(marks, self);
    wchar_t* slash = marks;
    for (wchar_t* c = marks; *c; ++c)
        if (*c == L'\\') slash = c + 1;
    lstrcpyW(slash, L"planted-marks.txt");
    HANDLE file = CreateFileW(marks, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Append(file, self);
    Append(file, L" ran: ");
    Append(file, GetCommandLineW());
    Append(file, L"\r\n");
    CloseHandle(file);
    return 0;
}
