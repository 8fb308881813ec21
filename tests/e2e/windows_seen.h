// Finding another process's windows and waiting for them, every wait bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Program;

// The longest any one wait lasts before the case fails.
constexpr DWORD waitLimitMs = 8000;

// Ends the current case with a harness failure (thrown, reported by
// GoogleTest with this text).
[[noreturn]] void Fail(const std::string& why);

// The visible top-level windows of a process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);

std::string ClassOf(HWND window);
// A window's text read through WM_GETTEXT, which works across processes
// (GetWindowText does not, for controls).
std::string TextOf(HWND window);
// The same without failing: false when the window does not answer.
bool ReadText(HWND window, std::string* text);
void SetTextOf(HWND window, const std::string& text);
HWND OwnerOf(HWND window);
// A child at any depth with the given control id, or null.
HWND ChildWithId(HWND parent, int id);
// "class 'X' titled 'Y'" for each of the process's windows, for failure texts.
std::string DescribeWindows(DWORD processId);

// Polls until found() gives a window, and returns it. Fails, naming what,
// when the time is up, when the program ends meanwhile, or when a message
// box other than the tolerated one is open while found() gives nothing.
HWND WaitForWindow(const Program& program, const std::string& what,
                   const std::function<HWND()>& found, HWND tolerated = nullptr);
// Like WaitForWindow, for a condition with no window to return.
void WaitUntil(const Program& program, const std::string& what,
               const std::function<bool()>& done, HWND tolerated = nullptr);

// The program's top-level window of the given class and title, or null.
HWND FindTopLevel(DWORD processId, const std::string& windowClass, const std::string& title);

// Sends a message that must not open anything modal and returns its
// result; fails, reporting any box that did open, when it does not return.
LRESULT SendPromptly(const Program& program, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam, const std::string& what);
