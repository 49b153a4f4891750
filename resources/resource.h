#pragma once
// Resource identifiers shared by vorlen.rc and the code.

#define IDI_VORLEN 1
#define IDB_TOOLBAR 2  // the toolbar's 13 images of 16 x 16, side by side
#define IDB_FILTER 3   // the picture of the three filter toggles, 16 x 16
// The same pictures drawn at 24 and 32 pixels, for higher DPIs.
#define IDB_TOOLBAR_24 4
#define IDB_TOOLBAR_32 5
#define IDB_FILTER_24 6
#define IDB_FILTER_32 7
#define IDR_MAINMENU 10
#define IDR_POPUPMENU 11
#define IDR_ACCELERATORS 12

// Controls of the main window.
#define IDC_LIST_GRID 1001
#define IDC_DETAIL_GRID 1002
#define IDC_STATUS_BAR 1003
#define IDC_TOOLBAR 1004
#define IDC_INFO_FRAME 1005
#define IDC_KEY_LABEL 1006
#define IDC_NAME_LABEL 1007
#define IDC_COMMAND_LABEL 1008
#define IDC_KEY_BOX 1010
#define IDC_NAME_BOX 1011
#define IDC_COMMAND_BOX 1012

// Commands: menu items, toolbar buttons, the information frame's buttons and
// toggles, and the shortcut keys of IDR_ACCELERATORS reach them alike. The
// frame's buttons and toggles carry their command as their control id.
#define IDM_FILE_EXPORT 40001
#define IDM_FILE_EXPLORER 40002
#define IDM_FILE_URL 40003
#define IDM_FILE_END 40004
#define IDM_EDIT_CUT 40011
#define IDM_EDIT_COPY 40012
#define IDM_EDIT_PASTE 40013
#define IDM_VIEW_UP 40021
#define IDM_VIEW_DOWN 40022
#define IDM_VIEW_TYPE_DETAIL 40023
#define IDM_VIEW_TYPE_LIST 40024
#define IDM_VIEW_WUAU 40025
#define IDM_VIEW_REFRESH 40026
#define IDM_VIEW_SETTINGS 40027
#define IDM_SORT_KEY_UP 40031
#define IDM_SORT_KEY_DOWN 40032
#define IDM_SORT_NAME_UP 40033
#define IDM_SORT_NAME_DOWN 40034
#define IDM_SORT_EXE_UP 40035
#define IDM_SORT_EXE_DOWN 40036
#define IDM_TOOL_REGEDIT 40041
#define IDM_TOOL_APPWIZ 40042
#define IDM_TOOL_REG_QUERY 40043
#define IDM_TOOL_REG_EXPORT 40044
#define IDM_HELP_HELP 40051
#define IDM_HELP_MSIEXEC 40052
#define IDM_HELP_REGSVR32 40053
#define IDM_HELP_VERSION 40054
#define IDM_HELP_FILE 40055  // F1: the help file; no menu item
#define IDM_POPUP_EXPLORER 40061
#define IDM_POPUP_URL 40062
#define IDM_POPUP_CUT 40063
#define IDM_POPUP_COPY 40064
#define IDM_POPUP_PASTE 40065
#define IDM_FILTER_KEY 40071      // the filter toggle beside the key-name box
#define IDM_FILTER_NAME 40072     // … the program-name box
#define IDM_FILTER_COMMAND 40073  // … the uninstall-command box
#define IDM_ENTRY_DETAIL 40074    // the button that switches between list and detail
#define IDM_ENTRY_RUN 40075       // the button that runs the uninstall command
#define IDM_GRID_OPEN 40081       // a double-click or the default action on a grid cell; no menu item

// Texts.
#define IDS_APP_NAME 100
#define IDS_LIST_HEADING_NO 110
#define IDS_LIST_HEADING_KEY 111
#define IDS_LIST_HEADING_NAME 112
#define IDS_LIST_HEADING_COMMAND 113
#define IDS_LIST_HEADING_PLACE 114
#define IDS_DETAIL_HEADING_NO 120
#define IDS_DETAIL_HEADING_NAME 121
#define IDS_DETAIL_HEADING_TYPE 122
#define IDS_DETAIL_HEADING_DATA 123
#define IDS_LABEL_KEY 130
#define IDS_LABEL_NAME 131
#define IDS_LABEL_COMMAND 132
#define IDS_CMD_DETAIL 133
#define IDS_CMD_LIST 134
#define IDS_CMD_RUN 135
#define IDS_APPWIZ_PROGRAMS 140
#define IDS_APPWIZ_APPLICATIONS 141
#define IDS_CONFIRM_UNINSTALL 150
#define IDS_CAPTION_FILTER_ERROR 151
#define IDS_CAPTION_UNINSTALL_ERROR 152
#define IDS_CAPTION_EXPORT_ERROR 154
#define IDS_CAPTION_REG_ERROR 155
#define IDS_EXPORT_DONE 156
#define IDS_FILTER_CSV 157
#define IDS_FILTER_REG 158
#define IDS_SETTINGS_NOT_SAVED 159
#define IDS_URL_UNSAFE 172
#define IDS_URL_TOO_LONG 173
#define IDS_KEY_NAME_NOT_ADDRESSABLE 174
// Toolbar tooltips.
#define IDS_TIP_SORT_KEY_UP 160
#define IDS_TIP_SORT_KEY_DOWN 161
#define IDS_TIP_SORT_NAME_UP 162
#define IDS_TIP_SORT_NAME_DOWN 163
#define IDS_TIP_SORT_EXE_UP 164
#define IDS_TIP_SORT_EXE_DOWN 165
#define IDS_TIP_REFRESH 166
#define IDS_TIP_WUAU 167
#define IDS_TIP_ROW_UP 168
#define IDS_TIP_ROW_DOWN 169
#define IDS_TIP_REGEDIT 170
#define IDS_TIP_APPWIZ 171
// Accessible names of the picture-only filter toggles, and of the grid
// cells' default action.
#define IDS_FILTER_KEY_NAME 180
#define IDS_FILTER_NAME_NAME 181
#define IDS_FILTER_COMMAND_NAME 182
#define IDS_GRID_DEFAULT_ACTION 183
