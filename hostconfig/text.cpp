// Bounded string operations on fixed-size buffers.
#include "text.h"

#include <cstring>

const char* FindLast(const char* text, char c)
{
    return std::strrchr(text, c);
}

int CopyText(char* destination, int size, const char* source)
{
    size_t length = std::strlen(source);
    if (size <= 0)
        return 0;
    if (length >= static_cast<size_t>(size)) {
        destination[0] = '\0';
        return 0;
    }
    std::memcpy(destination, source, length + 1);
    return 1;
}

int AppendText(char* destination, int size, const char* source)
{
    size_t used = std::strlen(destination);
    size_t length = std::strlen(source);
    if (size <= 0 || used + length >= static_cast<size_t>(size))
        return 0;
    std::memcpy(destination + used, source, length + 1);
    return 1;
}
