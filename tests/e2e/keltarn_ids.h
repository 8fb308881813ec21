// What the harness knows of keltarn.exe from outside: its resource ids,
// window class and the texts a user sees.
#pragma once

constexpr int CMD_ADD = 32771;
constexpr int CMD_EXIT = 105;
constexpr int CMD_ABOUT = 104;
constexpr int MENU_MAIN = 109;
constexpr int ACCEL_MAIN = 109;
constexpr int STR_APP_TITLE = 103;
constexpr int STR_WINDOW_CLASS = 109;
constexpr int ICON_APP = 107;
constexpr int ICON_APP_SMALL = 108;
constexpr int DLG_MANUAL_INSTALL = 103;
constexpr int CTL_BROWSE = 1000;
constexpr int CTL_PATH = 1001;
constexpr int CTL_CANCEL = 1002;
constexpr int CTL_ADD = 1003;

// Controls of the platform's own windows.
constexpr int chooserFileNameField = 1148;   // cmb13, the file-name box
constexpr int chooserFileTypeBox = 1136;     // cmb1, the file-type box
constexpr int messageBoxTextId = 0xFFFF;     // the static holding a box's text

constexpr const char* mainWindowClass = "KELTARN";
constexpr const char* mainWindowTitle = "Driver Installer";
constexpr const char* dialogTitle = "Manual Driver Install";
constexpr const char* chooserTitle = "Choose a file";

// keltarn.exe as built, given to the driver on its command line.
const char* KeltarnExe();
