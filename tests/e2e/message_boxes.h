// The platform's message boxes as another process sees them: a dialog of
// class #32770 with an OK button and the text in a static of id 0xFFFF.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Program;

struct SeenBox {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
};

bool IsMessageBox(HWND window);
SeenBox ReadMessageBox(HWND window);
// "'caption': 'text'", for failure texts.
std::string Describe(const SeenBox& box);

// The program's message boxes now open.
std::vector<SeenBox> OpenMessageBoxes(const Program& program);

// Waits for a message box of the program (any one) and reads it.
SeenBox WaitForMessageBox(const Program& program, const std::string& what);

// Clicks the box's OK button, as a user does, and waits until it is gone.
void PressOk(const Program& program, const SeenBox& box);
