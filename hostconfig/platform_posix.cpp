// The host-configuration logic's platform services where there is no Windows:
// enough to build and test the same logic natively.
#include "platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

const char pathSeparator = '/';

int GetOwnProgramPath(void*, char* destination, int size)
{
    ssize_t length = readlink("/proc/self/exe", destination, size);
    if (length <= 0 || length >= size) {
        destination[0] = '\0';
        return 0;
    }
    destination[length] = '\0';
    return 1;
}

int PathExists(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0;
}

void ShowFailureBox(const char* text)
{
    std::fprintf(stderr, "Failure: %s\n", text);
}

void SoundDefaultBeep()
{
    std::fputc('\a', stderr);
}
