// The host-configuration logic's platform services on Windows.
#include "platform.h"

#include <windows.h>

const char pathSeparator = '\\';

int GetOwnProgramPath(void* module, char* destination, int size)
{
    DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), destination, size);
    // A full buffer means the path was cut short (and, on old systems, not
    // terminated): a shortened path would point at the wrong folder.
    if (length == 0 || length >= static_cast<DWORD>(size)) {
        destination[0] = '\0';
        return 0;
    }
    return 1;
}

int PathExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void ShowFailureBox(const char* text)
{
    MessageBoxA(nullptr, text, "Failure", MB_OK);
}

void SoundDefaultBeep()
{
    MessageBeep(MB_OK);
}
