// keltarn.exe running in a host folder: started with CreateProcess, and at
// the end made to end, or killed when it will not.
#pragma once

#include <windows.h>

#include <string>

class HostFolder;

class Program {
public:
    explicit Program(const HostFolder& folder);
    ~Program();   // End()
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return process_.dwProcessId; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    HANDLE Handle() const { return process_.hProcess; }
    bool Running() const;
    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

    // Waits for the program to end by itself and returns its exit code;
    // fails when it does not, or when a message box opens meanwhile.
    DWORD WaitForExit(const std::string& what) const;

    // Asks the main window to close; kills the program when that does not
    // end it within a few seconds. Returns true when it had to kill.
    bool End();

private:
    PROCESS_INFORMATION process_{};
};
