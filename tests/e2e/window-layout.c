/* Prints where the controls of a top-level window are, as another program
 * sees them, for the end-to-end layout checks:
 *
 *   window-layout.exe TITLE [DESKTOP]    (TITLE in UTF-8)
 *
 * waits up to 20 seconds for a visible window titled TITLE, on the desktop
 * named DESKTOP (a virtual desktop of Wine's explorer) if given, then prints
 *   client WIDTH HEIGHT
 * and one line per visible child window, in creation order:
 *   KIND ID LEFT TOP RIGHT BOTTOM STATE LENGTH
 * in client pixels, KIND being the window class with "-group" added for a
 * group box, STATE "enabled" or "disabled", and LENGTH the length of the
 * control's text (WM_GETTEXTLENGTH, which reaches into the other process).
 * A status bar's line goes on with the text length of each of its first two
 * panels (SB_GETTEXTLENGTHW, which passes no pointer between the processes).
 * Exit status 1 when no such window appears. */
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "usage: window-layout TITLE [DESKTOP]\n");
        return 2;
    }
    if (argc == 3) {
        HDESK desktop = OpenDesktopA(argv[2], 0, FALSE, GENERIC_ALL);
        if (!desktop || !SetThreadDesktop(desktop)) {
            fprintf(stderr, "no desktop %s\n", argv[2]);
            return 1;
        }
    }
    wchar_t title[512];
    if (!MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, title, 512)) return 2;
    HWND window = NULL;
    for (int tick = 0; tick < 200 && !(window && IsWindowVisible(window)); ++tick) {
        window = FindWindowW(NULL, title);
        if (!window || !IsWindowVisible(window)) Sleep(100);
    }
    if (!window) return 1;
    RECT client;
    GetClientRect(window, &client);
    printf("client %ld %ld\n", client.right, client.bottom);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        char kind[64];
        if (!GetClassNameA(child, kind, sizeof(kind) - 8)) continue;
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (lstrcmpiA(kind, "Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX) lstrcatA(kind, "-group");
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(NULL, window, (POINT*)&rect, 2);
        const LRESULT length = SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
        printf("%s %d %ld %ld %ld %ld %s %ld", kind, GetDlgCtrlID(child), rect.left, rect.top, rect.right, rect.bottom,
               IsWindowEnabled(child) ? "enabled" : "disabled", (long)length);
        if (lstrcmpiA(kind, "msctls_statusbar32") == 0)
            for (int panel = 0; panel < 2; ++panel)
                printf(" %d", LOWORD(SendMessageW(child, SB_GETTEXTLENGTHW, panel, 0)));
        printf("\n");
    }
    return 0;
}
