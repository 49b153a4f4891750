#pragma once
// Where the controls of the two dialogs go: left, top, width and height in
// twips of the client area (1440 to the inch). The dialogs place their
// controls from these at the window's DPI when they open, because dialog
// units follow the measured size of the dialog font, and a substituted font
// would move the controls away from their places. The templates in
// dialogs.rc take the same places in dialog units, at 22.5 twips to a unit
// (MS UI Gothic 9 pt at 96 DPI), so that they look right in a resource editor.

// Twips to dialog units, rounded; for the templates only.
#define TWIPS_TO_DLU(twips) (((twips) * 2 + 22) / 45)
#define TWIPS_RECT_TO_DLU_(left, top, width, height) \
    TWIPS_TO_DLU(left), TWIPS_TO_DLU(top), TWIPS_TO_DLU(width), TWIPS_TO_DLU(height)
#define TWIPS_RECT_TO_DLU(rect) TWIPS_RECT_TO_DLU_(rect)

// The display settings.
#define SETTINGS_CLIENT_WIDTH 4710
#define SETTINGS_CLIENT_HEIGHT 2085
#define SETTINGS_DISPLAY_NAME_RECT 180, 120, 4275, 315
#define SETTINGS_UNINSTALL_STRING_RECT 180, 480, 4275, 315
#define SETTINGS_NO_HOTFIX_RECT 180, 840, 4275, 315
#define SETTINGS_NOTE_RECT 480, 1200, 3525, 180
#define SETTINGS_OK_RECT 1680, 1620, 1380, 345
#define SETTINGS_CANCEL_RECT 3180, 1620, 1380, 345

// The version information. The separator is a grey line from x 90 to 5654
// at y 2445 and under it a white one from x 105, 1 and 2 pixels thick at 96
// DPI.
#define ABOUT_CLIENT_WIDTH 5730
#define ABOUT_CLIENT_HEIGHT 3555
#define ABOUT_ICON_RECT 240, 240, 540, 540
#define ABOUT_TITLE_RECT 1050, 240, 3885, 480
#define ABOUT_VERSION_RECT 1050, 780, 3885, 225
#define ABOUT_DESCRIPTION_RECT 1050, 1125, 3885, 1170
#define ABOUT_LINE_GREY_RECT 90, 2445, 5564, 15
#define ABOUT_LINE_WHITE_RECT 105, 2460, 5549, 30
#define ABOUT_DISCLAIMER_RECT 255, 2625, 3870, 825
#define ABOUT_OK_RECT 4245, 2625, 1380, 345
#define ABOUT_SYSINFO_RECT 4260, 3075, 1380, 345
