// The user interface's procedures and state: main window, driver dialog, file chooser.
#pragma once

#include <windows.h>

// Longest window title or class name, terminator included.
constexpr int windowTextSize = 100;

extern char windowTitle[windowTextSize];
extern char windowClassName[windowTextSize];

// Registers the main window's class (windowClassName); the result is not examined.
void RegisterMainWindowClass(HINSTANCE instance);

// Stores appInstance, creates the main window, shows and paints it.
// Returns 1, or 0 when the window could not be created.
int CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The manual driver install dialog (DLG_MANUAL_INSTALL): Browse, ADD, Cancel.
INT_PTR CALLBACK DriverDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the open-file dialog owned by owner and leaves the chosen full path in
// result (pathBufferSize characters), or an empty string when nothing was
// chosen. Returns 1 when the chooser reported a choice, 0 otherwise.
int BrowseForDriverFile(HWND owner, char* result);

// Builds the chooser's filter list for extension into buffer (filterBufferSize
// characters): "ext (*.ext)", "*.ext", then the closing empty string. Returns 1;
// 0, with buffer holding an empty list, when the list would not fit.
constexpr int filterBufferSize = 100;
int BuildFileFilter(const char* extension, char* buffer);
