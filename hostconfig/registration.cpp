// Registering a chosen driver as the next device in the host's file.
#include "hostconfig.h"
#include "platform.h"
#include "profile.h"
#include "text.h"

#include <climits>
#include <cstdio>
#include <cstring>

char driverPath[pathBufferSize];
char driverStem[pathBufferSize];

namespace {

// The host reads at most 8 characters of a driver's name.
constexpr size_t maxStemLength = 8;

} // namespace

void AcceptDriverFile()
{
    const char* lastSeparator = FindLast(driverPath, pathSeparator);
    const char* fileName = lastSeparator ? lastSeparator + 1 : driverPath;
    CopyText(driverStem, pathBufferSize, fileName);
    char* extension = const_cast<char*>(FindLast(driverStem, '.'));
    if (extension)
        *extension = '\0';
}

RegisterResult RegisterDriver()
{
    if (driverPath[0] == '\0' || driverStem[0] == '\0')
        return NothingChosen;
    if (std::strlen(driverStem) > maxStemLength)
        return InvalidDriver;
    // The host's first device is always there, so a count below 1 (0 is also
    // what a count that is no number reads as) would put the new driver over
    // Plotter1; a count of INT_MAX cannot be raised.
    if (deviceCount < 1 || deviceCount == INT_MAX)
        return CountOutOfRange;

    int newCount = deviceCount + 1;
    char number[16];
    std::snprintf(number, sizeof number, "%d", newCount);
    char deviceKey[32];
    std::snprintf(deviceKey, sizeof deviceKey, "%s%s", deviceKeyPrefix, number);

    // The driver's key goes first: should the count then fail to be written,
    // the host still counts only devices it has a driver for.
    if (!ProfileWriteString(deviceSection, deviceKey, driverStem, hostIniPath))
        return WriteFailed;
    if (!ProfileWriteString(deviceSection, deviceCountKey, number, hostIniPath))
        return WriteFailed;
    deviceCount = newCount;
    return Added;
}
