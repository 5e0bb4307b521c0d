// Resource ids of the program: templates, pictures, strings, controls and
// commands. Shared by the resource script and the code.
#pragma once

// A control the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_RECOVERY_WIZARD 102
#define IDD_SAVING_MAILS 154
#define IDD_FILE_PREFIX 156
#define IDD_MESSAGE_VIEW 160

// Strings.
#define IDS_ABOUTBOX 101

// Icons.
#define IDR_MAINFRAME 128
#define IDI_LIST_ITEM_ALT 168
#define IDI_LIST_ITEM 178

// Pictures.
#define IDB_PREFIX_BACKGROUND 157
#define IDB_ABOUT_BACKGROUND 158
#define IDB_LINK_BUY 174
#define IDB_CHOOSE_BACKGROUND 177
#define IDB_RESULTS_BACKGROUND 179
#define IDB_MOVE_BACKGROUND 180
#define IDB_LINK_HOME 181
#define IDB_LINK_SUPPORT 184
#define IDB_LINK_HELP 186
#define IDB_LINK_ABOUT 188
// The link pictures drawn twice as large, shrunk for the window's DPI.
#define IDB_LINK_BUY_LARGE 2174
#define IDB_LINK_HOME_LARGE 2181
#define IDB_LINK_SUPPORT_LARGE 2184
#define IDB_LINK_HELP_LARGE 2186
#define IDB_LINK_ABOUT_LARGE 2188

// System menu item (the low four bits of a system command are the system's).
#define IDM_ABOUTBOX 0x0010
#define IDM_FILE_PREFIX 0x0020

// Wizard window controls.
#define IDC_BROWSE 1001
#define IDC_FILE_PATH 1002
#define IDC_BROWSE_ALT 1003
#define IDC_SETTINGS 1005
#define IDC_LIVE_UPDATE 1006
#define IDC_LIST 1009
#define IDC_BACK 1011
#define IDC_STOP 1012
#define IDC_PROGRESS 1014
#define IDC_INSTRUCTION 1015
#define IDC_PROCEED_STORE 1031
#define IDC_PROCEED_ADDRESS_BOOK 1032
#define IDC_SELECT_ALL 1033
#define IDC_SELECT_ALL_LABEL 1034
#define IDC_SAVE 1035
#define IDC_DEEP_SCAN 1036
#define IDC_LINK_HOME 1040
#define IDC_LINK_SUPPORT 1041
#define IDC_LINK_HELP 1042
#define IDC_LINK_ABOUT 1043
#define IDC_LINK_BUY 1044
#define IDC_PROCEED_IDENTITY 1045
#define IDC_VERSION 1046
#define IDC_INPUT_LIST 1047
#define IDC_EXPORT_FOLDER_LINK 1048
#define IDC_EXPORT_HELP_LINK 1049
#define IDC_SEARCH 1052
#define IDC_SEARCH_LABEL 1053
#define IDC_PREFIX_LINK 1054

// About box controls.
#define IDC_ABOUT_TITLE 1015
#define IDC_ABOUT_NOTICE 1016
#define IDC_ABOUT_CONTACT 1018

// "Saving Mails..." controls.
#define IDC_SAVING_FROM_LABEL 1015
#define IDC_SAVING_TO_LABEL 1016
#define IDC_SAVING_FROM 1017
#define IDC_SAVING_SUBJECT_LABEL 1018
#define IDC_SAVING_TO 1029
#define IDC_SAVING_SUBJECT 1030
#define IDC_SAVING_PROGRESS 1014
// Above the bar: "N of M" and the time left.
#define IDC_SAVING_COUNT 1050
#define IDC_SAVING_TIME_LEFT 1051

// File name prefix dialog controls.
#define IDC_PREFIX_LABEL 1017
#define IDC_PREFIX_EDIT 1002

// Message view controls.
#define IDC_VIEW_FROM_LABEL 1101
#define IDC_VIEW_FROM 1102
#define IDC_VIEW_TO_LABEL 1103
#define IDC_VIEW_TO 1104
#define IDC_VIEW_CC_LABEL 1105
#define IDC_VIEW_CC 1106
#define IDC_VIEW_DATE_LABEL 1107
#define IDC_VIEW_DATE 1108
#define IDC_VIEW_SUBJECT_LABEL 1109
#define IDC_VIEW_SUBJECT 1110
#define IDC_VIEW_BODY 1111
#define IDC_VIEW_ATTACHMENTS_LABEL 1112
#define IDC_VIEW_ATTACHMENTS 1113
#define IDC_VIEW_SAVE_ATTACHMENT 1114
#define IDC_VIEW_OPEN 1115
#define IDC_VIEW_SAVE_MESSAGE 1116

// Commands without a visible control.
#define ID_PREVIEW_MAIL 103
#define ID_VIEW_MESSAGE 104
#define ID_BROWSE 32771
#define ID_EXIT 32773
#define ID_SETTINGS 32774
#define ID_LIVE_UPDATE 32775
#define ID_HELP_FILE 32776
#define ID_ABOUT 32777
#define ID_EXIT_ALT 32778
