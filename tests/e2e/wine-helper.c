/* The Windows side of the end-to-end scripts: reads the clipboard as a
 * Windows program sees it (Wine's bridge to the X clipboard turns CR LF into
 * LF, so xclip cannot show the line ends that Vorlen writes), and brings a
 * window to the foreground where a window manager would (the test display
 * has none, and Wine then leaves a window that lost the foreground inactive
 * whatever X focus it gets).
 *
 *   wine-helper.exe           write the clipboard's text (UTF-8) to standard output
 *   wine-helper.exe --serve   answer commands, one a line, on standard input:
 *       empty                 empty the clipboard
 *       read S FILE           wait up to S seconds for text, write it (UTF-8) to FILE
 *       wait-empty S          wait up to S seconds until the clipboard holds no
 *                             text or an empty one (nothing to paste)
 *       activate S TITLE      bring the top-level window titled TITLE (UTF-8) to
 *                             the foreground, waiting up to S seconds for it
 *       focus S CLASS         wait up to S seconds until the control with the
 *                             keyboard focus in the foreground window is of the
 *                             window class CLASS (CLASS#ID: that control); "none" is followed by the class
 *                             that has it ("-" when no window has it)
 *       menu S                wait up to S seconds for a popup menu on the screen;
 *                             "ok X Y" gives the screen point of its top left corner
 *     each answered by one line: "ok", "none" (not in time) or "error". One
 *     process serves a whole script: starting a Wine process for every copy
 *     would cost a third of a second each.
 *
 * Exit status of the plain call: 0 with text written, 2 when there is no
 * text, 3 when the clipboard cannot be opened. */
#include <windows.h>
#include <stdlib.h>
#include <string.h>

static BOOL Open(void) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(NULL)) return TRUE;
        Sleep(20);
    }
    return FALSE;
}

/* Reads the clipboard's text as UTF-8 into a heap block (*bytes, *size).
 * 0: text read, 2: no text, 3: not opened. */
static int ReadText(char** bytes, int* size) {
    if (!Open()) return 3;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? GlobalLock(data) : NULL;
    if (!text) {
        CloseClipboard();
        return 2;
    }
    const int length = lstrlenW(text);
    *size = WideCharToMultiByte(CP_UTF8, 0, text, length, NULL, 0, NULL, NULL);
    *bytes = HeapAlloc(GetProcessHeap(), 0, *size > 0 ? *size : 1);
    WideCharToMultiByte(CP_UTF8, 0, text, length, *bytes, *size, NULL, NULL);
    GlobalUnlock(data);
    CloseClipboard();
    return 0;
}

static BOOL WriteAll(HANDLE file, const char* bytes, int size) {
    DWORD written = 0;
    return WriteFile(file, bytes, size, &written, NULL) && (int)written == size;
}

static void Answer(const char* line) { WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), line, (int)strlen(line)); }

/* One line of standard input without its line end; FALSE at its end. */
static BOOL ReadLine(char* line, int capacity) {
    int used = 0;
    for (;;) {
        char c;
        DWORD got = 0;
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &got, NULL) || got == 0) return FALSE;
        if (c == '\n') break;
        if (c != '\r' && used < capacity - 1) line[used++] = c;
    }
    line[used] = 0;
    return TRUE;
}

static const char* Read(int seconds, const char* path) {
    char* bytes = NULL;
    int size = 0;
    for (int tick = 0;; ++tick) {
        const int state = ReadText(&bytes, &size);
        if (state == 3) return "error\n";
        if (state == 0) break;
        if (tick >= seconds * 20) return "none\n";
        Sleep(50);
    }
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    const BOOL written = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes, size);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    HeapFree(GetProcessHeap(), 0, bytes);
    return written ? "ok\n" : "error\n";
}

static const char* WaitEmpty(int seconds) {
    for (int tick = 0;; ++tick) {
        char* bytes = NULL;
        int size = 0;
        const int state = ReadText(&bytes, &size);
        if (bytes) HeapFree(GetProcessHeap(), 0, bytes);
        if (state == 3) return "error\n";
        if (state == 2 || (state == 0 && size == 0)) return "ok\n";
        if (tick >= seconds * 20) return "none\n";
        Sleep(50);
    }
}

static const char* Activate(int seconds, const char* title) {
    wchar_t wide[1024];
    if (!MultiByteToWideChar(CP_UTF8, 0, title, -1, wide, 1024)) return "error\n";
    for (int tick = 0;; ++tick) {
        HWND window = FindWindowW(NULL, wide);
        if (window) {
            if (GetForegroundWindow() == window) return "ok\n";
            SetForegroundWindow(window);
        }
        if (tick >= seconds * 20) return "none\n";
        Sleep(50);
    }
}

/* The class of the window with the keyboard focus in the foreground
 * window's thread and its control id, as "CLASS#ID", or "-". */
static void FocusedClass(char* name, int capacity) {
    GUITHREADINFO info = {sizeof info};
    const HWND foreground = GetForegroundWindow();
    wchar_t wide[256];
    if (foreground && GetGUIThreadInfo(GetWindowThreadProcessId(foreground, NULL), &info) && info.hwndFocus &&
        GetClassNameW(info.hwndFocus, wide, 256) &&
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, name, capacity - 16, NULL, NULL)) {
        wsprintfA(name + lstrlenA(name), "#%d", GetDlgCtrlID(info.hwndFocus));
        return;
    }
    lstrcpynA(name, "-", capacity);
}

/* Whether the focused "CLASS#ID" is the one wanted: "CLASS" names any
 * control of the class, "CLASS#ID" one control. */
static int FocusIs(const char* focused, const char* wanted) {
    char classOnly[256];
    const char* mark = strchr(focused, '#');
    if (strchr(wanted, '#') || !mark) return lstrcmpiA(focused, wanted) == 0;
    lstrcpynA(classOnly, focused, (int)(mark - focused) + 1);
    return lstrcmpiA(classOnly, wanted) == 0;
}

static const char* WaitFocus(int seconds, const char* wanted) {
    static char answer[300];
    char name[256];
    for (int tick = 0;; ++tick) {
        FocusedClass(name, sizeof name);
        if (FocusIs(name, wanted)) return "ok\n";
        if (tick >= seconds * 20) break;
        Sleep(50);
    }
    wsprintfA(answer, "none %s\n", name);
    return answer;
}

/* Waits for a shown popup menu (the system's window class #32768). */
static const char* WaitMenu(int seconds) {
    static char answer[64];
    for (int tick = 0;; ++tick) {
        const HWND menu = FindWindowW((LPCWSTR)MAKEINTATOM(0x8000), NULL);
        RECT rect;
        if (menu && IsWindowVisible(menu) && GetWindowRect(menu, &rect)) {
            wsprintfA(answer, "ok %d %d\n", (int)rect.left, (int)rect.top);
            return answer;
        }
        if (tick >= seconds * 20) return "none\n";
        Sleep(50);
    }
}

static int Serve(void) {
    char line[4096];
    while (ReadLine(line, sizeof line)) {
        char* rest = NULL;
        if (strcmp(line, "empty") == 0) {
            BOOL emptied = Open();
            if (emptied) {
                emptied = EmptyClipboard();
                CloseClipboard();
            }
            Answer(emptied ? "ok\n" : "error\n");
        } else if (strncmp(line, "read ", 5) == 0) {
            const int seconds = (int)strtol(line + 5, &rest, 10);
            while (*rest == ' ') ++rest;
            Answer(Read(seconds, rest));
        } else if (strncmp(line, "wait-empty ", 11) == 0) {
            Answer(WaitEmpty(atoi(line + 11)));
        } else if (strncmp(line, "menu ", 5) == 0) {
            Answer(WaitMenu(atoi(line + 5)));
        } else if (strncmp(line, "focus ", 6) == 0) {
            const int seconds = (int)strtol(line + 6, &rest, 10);
            while (*rest == ' ') ++rest;
            Answer(WaitFocus(seconds, rest));
        } else if (strncmp(line, "activate ", 9) == 0) {
            const int seconds = (int)strtol(line + 9, &rest, 10);
            while (*rest == ' ') ++rest;
            Answer(Activate(seconds, rest));
        } else {
            Answer("error\n");
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--serve") == 0) return Serve();
    if (argc != 1) return 1;
    char* bytes = NULL;
    int size = 0;
    const int state = ReadText(&bytes, &size);
    if (state != 0) return state;
    WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes, size);
    return 0;
}
