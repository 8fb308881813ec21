// Reading and answering the program's message boxes from the driver.
#include "message_boxes.h"

#include "keltarn_ids.h"
#include "program.h"
#include "windows_seen.h"

bool IsMessageBox(HWND window)
{
    // The file chooser is a #32770 with an OK button too; its file-name
    // field tells it apart.
    return ClassOf(window) == "#32770" && ChildWithId(window, IDOK)
        && ChildWithId(window, messageBoxTextId) && !ChildWithId(window, chooserFileNameField)
        && !ChildWithId(window, CTL_ADD);
}

SeenBox ReadMessageBox(HWND window)
{
    SeenBox box;
    box.window = window;
    box.owner = OwnerOf(window);
    ReadText(window, &box.caption);
    ReadText(ChildWithId(window, messageBoxTextId), &box.text);
    return box;
}

std::string Describe(const SeenBox& box)
{
    return "'" + box.caption + "': '" + box.text + "'";
}

std::vector<SeenBox> OpenMessageBoxes(const Program& program)
{
    std::vector<SeenBox> boxes;
    for (HWND window : TopLevelWindows(program.Id()))
        if (IsMessageBox(window))
            boxes.push_back(ReadMessageBox(window));
    return boxes;
}

SeenBox WaitForMessageBox(const Program& program, const std::string& what)
{
    HWND window = WaitForWindow(program, what, [&]() -> HWND {
        for (HWND shown : TopLevelWindows(program.Id()))
            if (IsMessageBox(shown))
                return shown;
        return nullptr;
    });
    return ReadMessageBox(window);
}

void PressOk(const Program& program, const SeenBox& box)
{
    PostMessageA(ChildWithId(box.window, IDOK), BM_CLICK, 0, 0);
    WaitUntil(program, "the box " + Describe(box) + " to close after OK",
              [&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, box.window);
}
