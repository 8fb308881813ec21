// Finding the host's configuration file beside the program and reading how
// many devices it lists.
#include "hostconfig.h"
#include "platform.h"
#include "profile.h"
#include "text.h"

const char* const deviceSection = "PlotterSetup";
const char* const deviceCountKey = "NumberDevices";
const char* const deviceKeyPrefix = "Plotter";

void* appInstance;
char programDir[pathBufferSize];
char hostIniPath[pathBufferSize];
HostEdition hostEdition;
int deviceCount;

namespace {

struct HostFile {
    HostEdition edition;
    const char* name;
};

// Probed in this order; the first present wins.
constexpr HostFile hostFiles[] = {
    { Velmora5, "Velmora5.ini" },
    { Velmora2, "Velmora2.ini" },
    { Velmora6, "Velmora6.ini" },
};

// directory + separator + name into destination; 0 when it does not fit,
// so that a candidate is never probed cut short.
int JoinPath(char* destination, const char* directory, const char* name)
{
    const char separator[] = { pathSeparator, '\0' };
    return CopyText(destination, pathBufferSize, directory)
        && AppendText(destination, pathBufferSize, separator)
        && AppendText(destination, pathBufferSize, name);
}

} // namespace

int GetProgramDirectory(char* destination)
{
    char path[pathBufferSize];
    if (!GetOwnProgramPath(appInstance, path, pathBufferSize)) {
        destination[0] = '\0';
        return 0;
    }
    char* lastSeparator = const_cast<char*>(FindLast(path, pathSeparator));
    if (lastSeparator)
        *lastSeparator = '\0';
    return CopyText(destination, pathBufferSize, path);
}

int SearchHostConfig(const char* directory)
{
    CopyText(programDir, pathBufferSize, directory);
    CopyText(hostIniPath, pathBufferSize, programDir);
    hostEdition = NoHostEdition;
    if (programDir[0] == '\0' && directory[0] != '\0')
        return 0; // the directory itself does not fit a path buffer

    for (const HostFile& file : hostFiles) {
        char candidate[pathBufferSize];
        if (JoinPath(candidate, programDir, file.name) && PathExists(candidate)) {
            CopyText(hostIniPath, pathBufferSize, candidate);
            hostEdition = file.edition;
            deviceCount = ProfileReadInt(deviceSection, deviceCountKey, 1, hostIniPath);
            return 1;
        }
    }
    return 0;
}

void LocateHostConfig()
{
    char directory[pathBufferSize];
    if (GetProgramDirectory(directory) && SearchHostConfig(directory))
        return;
    ShowFailureBox("Cant find Velmora directory");
    hostEdition = NoHostEdition;
    SoundDefaultBeep();
}
