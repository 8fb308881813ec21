// The operating-system services the host-configuration logic needs, besides
// profile access (profile.h). One implementation file per platform.
#pragma once

// Separates a directory from the name inside it in this platform's paths.
extern const char pathSeparator;

// Writes the full path of module (the running program) into destination (size
// characters). Returns 1 on success; 0, with destination empty, when the path
// cannot be had or does not fit.
int GetOwnProgramPath(void* module, char* destination, int size);

// 1 when something (a file, a directory, anything) exists at path, else 0.
int PathExists(const char* path);

// Tells the user of a failure: a box with caption "Failure", no owner, one OK.
void ShowFailureBox(const char* text);

// The default beep.
void SoundDefaultBeep();
