// Window finding and bounded waits for the end-to-end driver.
#include "windows_seen.h"

#include "keltarn_ids.h"
#include "message_boxes.h"
#include "program.h"

#include <stdexcept>

namespace {

constexpr DWORD pollMs = 20;
constexpr UINT sendLimitMs = 3000;

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchChildId(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if ((GetDlgCtrlID(child) & 0xFFFF) == (search->id & 0xFFFF)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->windows.push_back(window);
    return TRUE;
}

} // namespace

void Fail(const std::string& why)
{
    throw std::runtime_error(why);
}

std::vector<HWND> TopLevelWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool ReadText(HWND window, std::string* text)
{
    char buffer[4096] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, sendLimitMs, &copied))
        return false;
    text->assign(buffer, copied);
    return true;
}

std::string TextOf(HWND window)
{
    std::string text;
    if (!ReadText(window, &text))
        Fail("no answer to WM_GETTEXT from a window of class '" + ClassOf(window) + "'");
    return text;
}

void SetTextOf(HWND window, const std::string& text)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, sendLimitMs, &result))
        Fail("no answer to WM_SETTEXT from a window of class '" + ClassOf(window) + "'");
}

HWND OwnerOf(HWND window)
{
    return GetWindow(window, GW_OWNER);
}

HWND ChildWithId(HWND parent, int id)
{
    ChildSearch search{id, nullptr};
    EnumChildWindows(parent, MatchChildId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string DescribeWindows(DWORD processId)
{
    std::string list;
    for (HWND window : TopLevelWindows(processId)) {
        std::string title = "(no answer)";
        ReadText(window, &title);
        list += "\n    class '" + ClassOf(window) + "' titled '" + title + "'";
        std::string text;
        if (IsMessageBox(window) && ReadText(ChildWithId(window, messageBoxTextId), &text))
            list += " with text '" + text + "'";
    }
    return list.empty() ? " (none)" : list;
}

HWND WaitForWindow(const Program& program, const std::string& what,
                   const std::function<HWND()>& found, HWND tolerated)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = found())
            return window;
        // A box that opened since found() looked may be the one awaited.
        for (HWND window : TopLevelWindows(program.Id()))
            if (window != tolerated && IsMessageBox(window) && !found())
                Fail("unexpected message box while waiting for " + what + ": "
                     + Describe(ReadMessageBox(window)));
        if (!program.Running() && !found())
            Fail("keltarn.exe ended (exit code " + std::to_string(program.ExitCode())
                 + ") while waiting for " + what);
        if (GetTickCount() - start > waitLimitMs)
            Fail("timed out after " + std::to_string(waitLimitMs / 1000) + " s waiting for " + what
                 + "; the program's windows:" + DescribeWindows(program.Id()));
        Sleep(pollMs);
    }
}

void WaitUntil(const Program& program, const std::string& what, const std::function<bool()>& done,
               HWND tolerated)
{
    WaitForWindow(
        program, what, [&]() -> HWND { return done() ? GetDesktopWindow() : nullptr; }, tolerated);
}

HWND FindTopLevel(DWORD processId, const std::string& windowClass, const std::string& title)
{
    for (HWND window : TopLevelWindows(processId))
        if (ClassOf(window) == windowClass && TextOf(window) == title)
            return window;
    return nullptr;
}

LRESULT SendPromptly(const Program& program, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam, const std::string& what)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, sendLimitMs, &result))
        return static_cast<LRESULT>(result);
    for (HWND shown : TopLevelWindows(program.Id()))
        if (IsMessageBox(shown))
            Fail(what + " showed an unexpected message box: " + Describe(ReadMessageBox(shown)));
    Fail(what + " did not return within " + std::to_string(sendLimitMs / 1000)
         + " s; the program's windows:" + DescribeWindows(program.Id()));
}
