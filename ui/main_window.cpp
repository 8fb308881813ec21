// The program's entry point, its main window and the message loop.
#include "ui.h"

#include "hostconfig.h"
#include "resource.h"
#include "version.h"

char windowTitle[windowTextSize];
char windowClassName[windowTextSize];

namespace {

const char instruction[] = "Click on File/ADD";

void OnCreate(HWND window)
{
    LocateHostConfig();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
    SetWindowTextA(window, "Driver Installer");
    if (hostEdition == NoHostEdition)
        PostQuitMessage(0);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    DrawTextA(context, instruction, sizeof instruction - 1, &client, DT_CENTER);
    EndPaint(window, &paint);
}

// A menu item that did nothing would look broken: say what this program is.
void ShowAbout(HWND window)
{
    MessageBoxA(window,
        "kelTarn " KELTARN_VERSION "\n"
        "Adds a plotter driver to the device list of the Velmora host.",
        "About kelTarn", MB_OK);
}

void RunDriverDialog(HWND window)
{
    DialogBoxParamA(static_cast<HINSTANCE>(appInstance), MAKEINTRESOURCEA(DLG_MANUAL_INSTALL),
        window, DriverDialogProc, 0);
}

} // namespace

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ICON_APP));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(ICON_APP_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(MENU_MAIN);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExA(&windowClass);
}

int CreateMainWindow(HINSTANCE instance, int showCommand)
{
    // The window's creation looks for the host file, which needs the instance.
    appInstance = instance;
    HWND window = CreateWindowExA(0, windowClassName, windowTitle, WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, 0, 200, 110, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return 1;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case CMD_EXIT:
            DestroyWindow(window);
            return 0;
        case CMD_ADD:
            RunDriverDialog(window);
            return 0;
        case CMD_ABOUT:
            ShowAbout(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    LoadStringA(instance, STR_APP_TITLE, windowTitle, windowTextSize);
    LoadStringA(instance, STR_WINDOW_CLASS, windowClassName, windowTextSize);
    RegisterMainWindowClass(instance);
    if (!CreateMainWindow(instance, showCommand))
        return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(ACCEL_MAIN));

    // A failed fetch (-1) ends the loop too, rather than spinning on it.
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
