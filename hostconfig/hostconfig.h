// The host's configuration file: finding it beside the program, reading its
// device count, and registering a driver in its device list.
#pragma once

// Size of every path buffer, terminator included (the platform's MAX_PATH).
constexpr int pathBufferSize = 260;

// Which host edition's file was found; the value is the digit in its name.
enum HostEdition {
    NoHostEdition = 0,
    Velmora5 = 5,
    Velmora2 = 2,
    Velmora6 = 6,
};

enum RegisterResult {
    NothingChosen,   // no driver chosen, or its name has no stem; nothing done
    InvalidDriver,   // stem longer than 8 characters; nothing written
    Added,           // both keys written, deviceCount raised
    WriteFailed,     // the host file could not be written; deviceCount kept
    CountOutOfRange, // the host's count is below 1 or cannot be raised; nothing written
};

// The section and keys of the host's device list.
extern const char* const deviceSection;     // "PlotterSetup"
extern const char* const deviceCountKey;    // "NumberDevices"
extern const char* const deviceKeyPrefix;   // "Plotter", followed by the number

// The running module (an HINSTANCE on Windows), stored before the main
// window is created.
extern void* appInstance;

extern char programDir[pathBufferSize];
extern char hostIniPath[pathBufferSize];
extern HostEdition hostEdition;
extern int deviceCount;
extern char driverPath[pathBufferSize];
extern char driverStem[pathBufferSize];

// Writes the running program's directory, without a trailing separator, into
// destination (pathBufferSize characters). Returns 1; 0, with destination
// empty, when the program's own path could not be had.
int GetProgramDirectory(char* destination);

// Looks for the host's file in directory (editions 5, 2, 6, in that order)
// and sets programDir, hostIniPath, hostEdition and, when a file was found,
// deviceCount. Returns 1 when a file was found, 0 otherwise. Shows nothing.
int SearchHostConfig(const char* directory);

// Runs once at start-up: searches the program's own directory and, when no
// host file is there, tells the user and leaves hostEdition at 0.
void LocateHostConfig();

// Derives driverStem from driverPath: the file name without its extension.
void AcceptDriverFile();

// Registers driverStem as the next device in the host's file.
RegisterResult RegisterDriver();
