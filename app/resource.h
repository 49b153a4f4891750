#pragma once
// Resource identifiers shared by vorlen.rc and the code.

#define IDI_VORLEN 1

// Controls of the main window.
#define IDC_GRDLIST 1001
#define IDC_GRDDETAIL 1002
#define IDC_STBMAIN 1003

// Texts.
#define IDS_APP_NAME 100
#define IDS_LIST_HEADING_NO 110
#define IDS_LIST_HEADING_KEY 111
#define IDS_LIST_HEADING_NAME 112
#define IDS_LIST_HEADING_COMMAND 113
#define IDS_DETAIL_HEADING_NO 120
#define IDS_DETAIL_HEADING_NAME 121
#define IDS_DETAIL_HEADING_TYPE 122
#define IDS_DETAIL_HEADING_DATA 123
