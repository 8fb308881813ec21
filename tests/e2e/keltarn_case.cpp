// The steps every end-to-end case repeats, each with its bounded wait.
#include "keltarn_case.h"

#include "file_chooser.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

std::string HostFile(int startCount, const std::vector<std::string>& added)
{
    std::string devices;
    int number = startCount;
    for (const std::string& stem : added)
        devices += "Plotter" + std::to_string(++number) + "=" + stem + "\r\n";
    return "[General]\r\n"
           "Name=Studio North\r\n"
           "; the host keeps its devices below\r\n"
           "[PlotterSetup]\r\n"
           "NumberDevices=" + std::to_string(number) + "\r\n"
           "Plotter1=HP7475\r\n"
           "Plotter2=ROLAND\r\n"
           "Plotter3=GRAPHT\r\n"
           + devices +
           "[Output]\r\n"
           "Port=LPT1\r\n";
}

void KeltarnCase::TearDown()
{
    if (!program_)
        return;
    for (const SeenBox& box : OpenMessageBoxes(*program_))
        ADD_FAILURE() << "a message box was left open: " << Describe(box);
    program_->End();
}

HWND KeltarnCase::StartProgram()
{
    program_ = std::make_unique<Program>(folder_);
    mainWindow_ = WaitForWindow(*program_, "the main window (class KELTARN, 'Driver Installer')",
                                [this] {
                                    return FindTopLevel(program_->Id(), mainWindowClass,
                                                        mainWindowTitle);
                                });
    return mainWindow_;
}

HWND KeltarnCase::OpenDialog()
{
    PostMessageA(mainWindow_, WM_COMMAND, CMD_ADD, 0);
    HWND dialog = WaitForWindow(*program_, "the dialog 'Manual Driver Install' after File/Add",
                                [this] { return FindTopLevel(program_->Id(), "#32770", dialogTitle); });
    EXPECT_EQ(OwnerOf(dialog), mainWindow_) << "the dialog is not owned by the main window";
    return dialog;
}

HWND KeltarnCase::StartWithDialog(const std::string& hostBytes)
{
    folder_.Write("Velmora5.ini", hostBytes);
    StartProgram();
    return OpenDialog();
}

HWND KeltarnCase::Control(HWND dialog, int id) const
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        Fail("the dialog has no control with id " + std::to_string(id));
    return control;
}

std::string KeltarnCase::PathField(HWND dialog) const
{
    return TextOf(Control(dialog, CTL_PATH));
}

HWND KeltarnCase::OpenChooser(HWND dialog)
{
    PostMessageA(Control(dialog, CTL_BROWSE), BM_CLICK, 0, 0);
    HWND chooser = WaitForChooser(*program_);
    EXPECT_EQ(OwnerOf(chooser), dialog) << "the chooser is not owned by the dialog";
    return chooser;
}

void KeltarnCase::Browse(HWND dialog, const std::string& path)
{
    ChooseFile(*program_, OpenChooser(dialog), path);
}

void KeltarnCase::BrowseAndCancel(HWND dialog)
{
    CancelChooser(*program_, OpenChooser(dialog));
}

void KeltarnCase::ClickExpectingNothing(HWND dialog, int button)
{
    SendPromptly(*program_, Control(dialog, button), BM_CLICK, 0, 0,
                 "the button " + std::to_string(button));
}

SeenBox KeltarnCase::ClickExpectingBox(HWND dialog, int button)
{
    return PostExpectingBox(Control(dialog, button), BM_CLICK, 0, 0,
                            "a message box after clicking button " + std::to_string(button));
}

SeenBox KeltarnCase::PostExpectingBox(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      const std::string& what)
{
    PostMessageA(window, message, wParam, lParam);
    SeenBox box = WaitForMessageBox(*program_, what);
    PressOk(*program_, box);
    return box;
}

void KeltarnCase::CloseDialog(HWND dialog)
{
    PostMessageA(Control(dialog, CTL_CANCEL), BM_CLICK, 0, 0);
    WaitForDialogGone(dialog, "Cancel");
}

void KeltarnCase::WaitForDialogGone(HWND dialog, const std::string& how)
{
    WaitUntil(*program_, "the dialog to close after " + how,
              [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

HWND KeltarnCase::Focused() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(program_->ThreadId(), &info))
        Fail("GetGUIThreadInfo failed for the program's thread");
    return info.hwndFocus;
}

void KeltarnCase::PressKey(WPARAM key)
{
    HWND focus = Focused();
    if (!focus)
        Fail("no window of the program has the focus");
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 1 | (3u << 30));
}

void KeltarnCase::PressChord(HWND window, const std::vector<WORD>& keys)
{
    SetForegroundWindow(window);
    WaitUntil(*program_, "the window '" + TextOf(window) + "' to come to the foreground",
              [&] { return GetForegroundWindow() == window; });
    std::vector<INPUT> strokes;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        strokes.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        strokes.push_back(up);
    }
    if (SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT)) != strokes.size())
        Fail("SendInput refused the key strokes (error " + std::to_string(GetLastError()) + ")");
}
