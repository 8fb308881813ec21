// Starting and ending keltarn.exe for one end-to-end case.
#include "program.h"

#include "host_folder.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

namespace {

constexpr DWORD politeEndMs = 3000;

} // namespace

Program::Program(const HostFolder& folder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + folder.Program() + "\"";
    if (!CreateProcessA(folder.Program().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.Path().c_str(), &startup, &process_))
        Fail("cannot start " + folder.Program() + " (error " + std::to_string(GetLastError()) + ")");
}

Program::~Program()
{
    End();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::Running() const
{
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

DWORD Program::WaitForExit(const std::string& what) const
{
    WaitUntil(*this, what, [this] { return !Running(); });
    return ExitCode();
}

bool Program::End()
{
    if (!Running())
        return false;
    // Runs from a destructor too, so nothing here may fail the case.
    for (HWND window : TopLevelWindows(Id()))
        if (ClassOf(window) == mainWindowClass)
            PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, politeEndMs) == WAIT_OBJECT_0)
        return false;
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, politeEndMs);
    return true;
}
