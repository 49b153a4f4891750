#pragma once
// Resource identifiers of the two modal dialogs, shared by dialogs.rc and the
// code. They stay in 2000-2099, clear of the main window's identifiers. OK and
// Cancel are the system's IDOK and IDCANCEL, so that Enter, Esc and the close
// box reach them.

// The display settings.
#define IDD_SETTINGS 2000
#define IDC_SETTINGS_DISPLAY_NAME 2001
#define IDC_SETTINGS_UNINSTALL_STRING 2002
#define IDC_SETTINGS_NO_HOTFIX 2003
#define IDC_SETTINGS_NOTE 2004  // the red note

// The version information.
#define IDD_ABOUT 2010
#define IDC_ABOUT_ICON 2011
#define IDC_ABOUT_TITLE 2012
#define IDC_ABOUT_VERSION 2013
#define IDC_ABOUT_DESCRIPTION 2014
#define IDC_ABOUT_DISCLAIMER 2015
#define IDC_ABOUT_SYSINFO 2016
#define IDC_ABOUT_LINE_GREY 2017
#define IDC_ABOUT_LINE_WHITE 2018
