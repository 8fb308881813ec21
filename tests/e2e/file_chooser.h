// The platform's open-file dialog, driven from the outside as a user would:
// type a name into its file-name field, then Open or Cancel.
#pragma once

#include <windows.h>

#include <string>

class Program;

// Waits for the program's chooser, titled "Choose a file".
HWND WaitForChooser(const Program& program);

// The folder the chooser shows (CDM_GETFOLDERPATH, answered into a buffer
// inside the program's own memory, the only place the chooser writes to).
std::string ChooserFolder(const Program& program, HWND chooser);

// The text in the file-name field.
std::string ChooserFileName(HWND chooser);

// The file-type box's current text.
std::string ChooserFileType(HWND chooser);

// Types text into the file-name field and presses Open.
void ChooseFile(const Program& program, HWND chooser, const std::string& path);

// Presses Cancel.
void CancelChooser(const Program& program, HWND chooser);
