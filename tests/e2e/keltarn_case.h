// What every end-to-end case shares: a fresh host folder, the program run in
// it, and the user's repeated steps (open the dialog, browse, click).
#pragma once

#include "host_folder.h"
#include "message_boxes.h"
#include "program.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A host file as Wine's profile writer leaves it (it rewrites the whole file
// on every write: no blank lines, no blanks around '=', CR LF), so that a
// case can compare every byte after the program wrote to it. NumberDevices
// is startCount plus the number of added drivers, which follow Plotter3 as
// Plotter<startCount+1>, and so on.
std::string HostFile(int startCount, const std::vector<std::string>& added = {});

// Names each row of a table of cases after its name field.
struct RowName {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return info.param.name;
    }
};

class KeltarnCase : public testing::Test {
protected:
    // Reports message boxes left open, then ends the program.
    void TearDown() override;

    // Starts keltarn.exe in the folder and waits for its main window.
    HWND StartProgram();
    HWND MainWindow() const { return mainWindow_; }

    // File/Add: waits for the dialog, owned by the main window.
    HWND OpenDialog();
    // Velmora5.ini with these bytes, the program started, File/Add.
    HWND StartWithDialog(const std::string& hostBytes);
    HWND Control(HWND dialog, int id) const;
    std::string PathField(HWND dialog) const;

    // Browse, type path into the chooser, Open; waits for the chooser to go.
    void Browse(HWND dialog, const std::string& path);
    void BrowseAndCancel(HWND dialog);
    HWND OpenChooser(HWND dialog);

    // Clicks a button that must show nothing.
    void ClickExpectingNothing(HWND dialog, int button);
    // Clicks a button (or posts the message) that shows one box; reads it,
    // presses OK and returns what it said.
    SeenBox ClickExpectingBox(HWND dialog, int button);
    SeenBox PostExpectingBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const std::string& what);

    // Ends the dialog with Cancel and waits for it to go.
    void CloseDialog(HWND dialog);
    void WaitForDialogGone(HWND dialog, const std::string& how);

    // The program's window with the keyboard focus, and a key pressed and
    // released there as the keyboard sends it.
    HWND Focused() const;
    void PressKey(WPARAM key);
    // Keys held down together, in order, then released, through the
    // platform's keyboard input into the foreground window, brought there
    // first. For shortcuts with Alt: the platform reads Alt's state from its
    // keyboard, so a posted WM_SYSCHAR alone is no Alt+key.
    void PressChord(HWND window, const std::vector<WORD>& keys);

    HostFolder folder_;
    std::unique_ptr<Program> program_;

private:
    HWND mainWindow_ = nullptr;
};
