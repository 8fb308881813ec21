// Profile file access on Windows: the platform's own profile API.
#include "profile.h"

#include <windows.h>

int ProfileReadInt(const char* section, const char* key, int fallback, const char* path)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path));
}

int ProfileWriteString(const char* section, const char* key, const char* value, const char* path)
{
    return WritePrivateProfileStringA(section, key, value, path) ? 1 : 0;
}
