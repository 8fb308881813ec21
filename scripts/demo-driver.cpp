// Walks keltarn.exe's real windows for the demo and the screenshots, one step per run.
//
//   demo-driver DESKTOP STEP [ARGUMENT]
//
// DESKTOP is the Wine virtual desktop the program runs on. Steps: wait-main, open-dialog,
// choose FILE, add, ok, cancel, exit, bounds (prints the area its windows cover as
// WxH+X+Y, for cropping a screenshot). Each step waits a bounded time for what it caused,
// says what it saw, and exits 0, or 1 with the reason.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "resource.h"

namespace {

constexpr DWORD stepTimeoutMs = 20000;
constexpr UINT textTimeoutMs = 2000;
constexpr int chooserFileNameId = 1148; // the chooser's file-name box (cmb13)

HWND FindMain() { return FindWindowA("KELTARN", nullptr); }
HWND FindDialog() { return FindWindowA("#32770", "Manual Driver Install"); }
HWND FindChooser() { return FindWindowA("#32770", "Choose a file"); }

// Message boxes the dialog owns (Success or Failure).
HWND FindResultBox()
{
    HWND dialog = FindDialog();
    for (HWND box = FindWindowA("#32770", nullptr); box; box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
        if (dialog && box != dialog && GetWindow(box, GW_OWNER) == dialog && IsWindowVisible(box))
            return box;
    }
    return nullptr;
}

// Polls find until it gives a window (present) or none (!present), within the step's time.
HWND WaitFor(HWND (*find)(), bool present, const char* what)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < stepTimeoutMs) {
        HWND window = find();
        if (present ? window != nullptr : window == nullptr)
            return present ? window : reinterpret_cast<HWND>(1);
        Sleep(100);
    }
    std::printf("demo-driver: gave up waiting for %s to %s\n", what, present ? "appear" : "go");
    return nullptr;
}

// Another process's window text: GetWindowText does not reach across processes.
void ReadText(HWND window, char* text, int size)
{
    text[0] = '\0';
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
        textTimeoutMs, &copied);
    text[size - 1] = '\0';
}

// A click that opens something modal is posted: a sent one would return only when it closed.
int Click(HWND parent, int id, const char* name)
{
    HWND button = parent ? GetDlgItem(parent, id) : nullptr;
    if (!button) {
        std::printf("demo-driver: no %s button\n", name);
        return 0;
    }
    std::printf("demo-driver: clicking %s\n", name);
    PostMessageA(button, BM_CLICK, 0, 0);
    return 1;
}

int WaitMain()
{
    HWND main = WaitFor(FindMain, true, "the main window");
    if (!main)
        return 0;
    RECT frame;
    GetWindowRect(main, &frame);
    char title[100];
    ReadText(main, title, sizeof title);
    std::printf("demo-driver: main window \"%s\" at (%ld, %ld), %ld x %ld\n", title, frame.left, frame.top,
        frame.right - frame.left, frame.bottom - frame.top);
    return 1;
}

int OpenDialog()
{
    HWND main = FindMain();
    if (!main)
        return 0;
    std::printf("demo-driver: File/Add\n");
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(CMD_ADD, 0), 0);
    return WaitFor(FindDialog, true, "the Manual Driver Install dialog") != nullptr;
}

BOOL CALLBACK KeepFirstEdit(HWND window, LPARAM parameter)
{
    char className[32];
    if (GetClassNameA(window, className, sizeof className) && !lstrcmpiA(className, "Edit")) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

// The edit field inside the chooser's file-name box, however deep it sits.
HWND FindEditIn(HWND box)
{
    HWND edit = nullptr;
    if (box)
        EnumChildWindows(box, KeepFirstEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

int Choose(const char* fileName)
{
    if (!Click(FindDialog(), CTL_BROWSE, "Browse"))
        return 0;
    HWND chooser = WaitFor(FindChooser, true, "the file chooser");
    if (!chooser)
        return 0;
    Sleep(500); // let the chooser fill its file list, as a user would see it
    HWND edit = FindEditIn(GetDlgItem(chooser, chooserFileNameId));
    if (!edit) {
        std::printf("demo-driver: the chooser has no file-name field\n");
        return 0;
    }
    std::printf("demo-driver: choosing %s\n", fileName);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName), SMTO_ABORTIFHUNG,
        textTimeoutMs, &ignored);
    if (!Click(chooser, IDOK, "Open") || !WaitFor(FindChooser, false, "the file chooser"))
        return 0;

    char path[MAX_PATH + 1];
    DWORD start = GetTickCount();
    do {
        ReadText(GetDlgItem(FindDialog(), CTL_PATH), path, sizeof path);
        if (path[0])
            break;
        Sleep(100);
    } while (GetTickCount() - start < stepTimeoutMs);
    std::printf("demo-driver: the path field shows \"%s\"\n", path);
    return path[0] != '\0';
}

int Add()
{
    if (!Click(FindDialog(), CTL_ADD, "ADD"))
        return 0;
    HWND box = WaitFor(FindResultBox, true, "a message box");
    if (!box)
        return 0;
    char caption[100];
    char text[1000];
    ReadText(box, caption, sizeof caption);
    ReadText(GetDlgItem(box, 0xFFFF), text, sizeof text);
    std::printf("demo-driver: message box \"%s\": \"%s\"\n", caption, text);
    return 1;
}

int Ok()
{
    return Click(FindResultBox(), IDOK, "OK") && WaitFor(FindResultBox, false, "the message box");
}

int Cancel()
{
    return Click(FindDialog(), CTL_CANCEL, "Cancel") && WaitFor(FindDialog, false, "the dialog");
}

int Exit()
{
    HWND main = FindMain();
    if (!main)
        return 0;
    std::printf("demo-driver: File/Exit\n");
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(CMD_EXIT, 0), 0);
    return WaitFor(FindMain, false, "the main window") != nullptr;
}

struct Bounds {
    DWORD process;
    RECT area;
    bool any;
};

BOOL CALLBACK AddToBounds(HWND window, LPARAM parameter)
{
    Bounds& bounds = *reinterpret_cast<Bounds*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT frame;
    if (process != bounds.process || !IsWindowVisible(window) || !GetWindowRect(window, &frame))
        return TRUE;
    if (!bounds.any)
        bounds.area = frame;
    else
        UnionRect(&bounds.area, &bounds.area, &frame);
    bounds.any = true;
    return TRUE;
}

// The area all of the program's visible windows cover, with a small margin.
int PrintBounds()
{
    HWND main = FindMain();
    if (!main)
        return 0;
    Bounds bounds = {};
    GetWindowThreadProcessId(main, &bounds.process);
    EnumWindows(AddToBounds, reinterpret_cast<LPARAM>(&bounds));
    constexpr LONG margin = 6;
    LONG left = bounds.area.left - margin < 0 ? 0 : bounds.area.left - margin;
    LONG top = bounds.area.top - margin < 0 ? 0 : bounds.area.top - margin;
    std::printf("%ldx%ld+%ld+%ld\n", bounds.area.right + margin - left, bounds.area.bottom + margin - top, left, top);
    return 1;
}

int RunStep(const char* step, const char* argument)
{
    if (!std::strcmp(step, "wait-main"))
        return WaitMain();
    if (!std::strcmp(step, "open-dialog"))
        return OpenDialog();
    if (!std::strcmp(step, "choose") && argument)
        return Choose(argument);
    if (!std::strcmp(step, "add"))
        return Add();
    if (!std::strcmp(step, "ok"))
        return Ok();
    if (!std::strcmp(step, "cancel"))
        return Cancel();
    if (!std::strcmp(step, "exit"))
        return Exit();
    if (!std::strcmp(step, "bounds"))
        return PrintBounds();
    std::printf("demo-driver: unknown step %s\n", step);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("usage: demo-driver DESKTOP STEP [ARGUMENT]\n");
        return 2;
    }
    // The program's windows live on the virtual desktop, which Wine may still be making.
    HDESK desktop = nullptr;
    DWORD start = GetTickCount();
    while (!(desktop = OpenDesktopA(argv[1], 0, FALSE, GENERIC_ALL)) && GetTickCount() - start < stepTimeoutMs)
        Sleep(100);
    if (!desktop || !SetThreadDesktop(desktop)) {
        std::printf("demo-driver: cannot open desktop %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    int done = RunStep(argv[2], argc > 3 ? argv[3] : nullptr);
    std::fflush(stdout);
    return done ? 0 : 1;
}
