// Control ids of the uninstaller's dialogs, shared by ravelup3.rc and the
// code. Dialog templates are named by string: "DLGMAIN", "DLGABOUT",
// "DLGASKQUIT", "DLGMSGBOX0" .. "DLGMSGBOX4"; icons "icon0" and "icon1".
#ifndef RAVELUP_RES_RESOURCE_H
#define RAVELUP_RES_RESOURCE_H

// DLGMAIN
#define IDC_START          1     // "&Start" / "&Stop" / "&Resume" / "&Restart"
#define IDC_QUIT           2
#define IDC_OPLIST         101
#define IDC_WILLUNDO       102
#define IDC_WONTUNDO       103
#define IDC_CANTUNDO       104
#define IDC_UNDONEOK       105
#define IDC_UNDONEFAILED   106
#define IDC_PANELFRAME     107
#define IDC_RESET          108
#define IDC_ABOUT          109

// The hidden panels: group box, then its controls in template order.
#define IDC_DIR_PANEL      110
#define IDC_DIR_PATH       111
#define IDC_RENAME_PANEL   112
#define IDC_RENAME_NEW     113
#define IDC_RENAME_OLD     114
#define IDC_PATH_PANEL     115
#define IDC_PATH_PATH      116
#define IDC_FILE_PANEL     117
#define IDC_FILE_FROM      118
#define IDC_FILE_TO        119
#define IDC_FILE_UNINSTALL 120
#define IDC_FILE_OFFSET    121
#define IDC_INI_PANEL      130
#define IDC_INI_FILE       131
#define IDC_INI_SECTION    132
#define IDC_INI_ENTRY      133
#define IDC_INI_SEQUENCE   134
#define IDC_INI_VALUE      135
#define IDC_PM_PANEL       140
#define IDC_PM_GROUP       141
#define IDC_PM_ITEM        142
#define IDC_PM_COMMAND     143
#define IDC_PM_ICONPATH    144
#define IDC_PM_ICONINDEX   145
#define IDC_PM_WORKDIR     146
#define IDC_PM_MINIMIZED   147
#define IDC_PM_HOTKEY      148
#define IDC_REG_PANEL      150
#define IDC_REG_KEY        151
#define IDC_REG_FIELD      152
#define IDC_REG_VALUE      153

// DLGASKQUIT
#define IDC_QUIT_COMPLETE  101

// DLGMSGBOX0 .. DLGMSGBOX4
#define IDC_MSGBOX_ICON    101
#define IDC_MSGBOX_TEXT    102
#define IDC_MSGBOX_BUTTON1 103
#define IDC_MSGBOX_BUTTON2 104
#define IDC_MSGBOX_BUTTON3 105
#define IDC_MSGBOX_BUTTON4 106

#endif
