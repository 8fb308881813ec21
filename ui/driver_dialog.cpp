// The manual driver install dialog: Browse for a driver file, ADD it to the host, Cancel.
#include "ui.h"

#include "hostconfig.h"
#include "resource.h"

#include <cstdio>

namespace {

void ShowResult(HWND dialog, const char* text, const char* caption)
{
    MessageBoxA(dialog, text, caption, MB_OK);
}

// A cancelled choice leaves the path field as it was, though driverPath is now empty.
INT_PTR OnBrowse(HWND dialog)
{
    BrowseForDriverFile(dialog, driverPath);
    if (driverPath[0] == '\0')
        return 0;
    AcceptDriverFile();
    SetDlgItemTextA(dialog, CTL_PATH, driverPath);
    return 1;
}

void OnAdd(HWND dialog)
{
    char text[2 * pathBufferSize + 200];
    switch (RegisterDriver()) {
    case NothingChosen:
        break;
    case InvalidDriver:
        ShowResult(dialog, "Invalid Driver", "Failure");
        break;
    case Added:
        SetDlgItemTextA(dialog, CTL_PATH, "");
        ShowResult(dialog, "Driver Added", "Success");
        break;
    case WriteFailed:
        std::snprintf(text, sizeof text,
            "Could not write %s\n"
            "The driver was not added. Check that the file is not read-only and that you "
            "may change files in its folder.",
            hostIniPath);
        ShowResult(dialog, text, "Failure");
        break;
    case CountOutOfRange:
        std::snprintf(text, sizeof text,
            "The device count in %s is not one a driver can be added to "
            "(NumberDevices must be from 1 to 2147483646).\n"
            "Nothing was written.",
            hostIniPath);
        ShowResult(dialog, text, "Failure");
        break;
    }
}

INT_PTR OnCommand(HWND dialog, int command)
{
    switch (command) {
    case CTL_CANCEL:
    case IDCANCEL: // Esc and the close box end the dialog as Cancel does
        EndDialog(dialog, CTL_CANCEL);
        return 1;
    case CTL_BROWSE:
        return OnBrowse(dialog);
    case CTL_ADD:
        OnAdd(dialog);
        return 1;
    }
    return 0;
}

} // namespace

INT_PTR CALLBACK DriverDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, "Manual Driver Install");
        return 1; // the focus goes to the first tab stop, ADD
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return 0;
}
