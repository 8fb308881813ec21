// Resource ids of the program's strings, menu, accelerators, icons and dialog.
#pragma once

#define STR_APP_TITLE 103
#define STR_WINDOW_CLASS 109

#define MENU_MAIN 109
#define ACCEL_MAIN 109

#define ICON_APP 107
#define ICON_APP_SMALL 108

#define CMD_ABOUT 104
#define CMD_EXIT 105
#define CMD_ADD 32771

#define DLG_MANUAL_INSTALL 103
#define CTL_BROWSE 1000
#define CTL_PATH 1001
#define CTL_CANCEL 1002
#define CTL_ADD 1003
