// Driving the open-file dialog of the program under test.
#include "file_chooser.h"

#include "keltarn_ids.h"
#include "program.h"
#include "windows_seen.h"

#include <commdlg.h>

namespace {

// The Edit inside the file-name ComboBoxEx: where typed text goes.
HWND FileNameEdit(HWND chooser)
{
    HWND field = ChildWithId(chooser, chooserFileNameField);
    if (!field)
        Fail("the chooser has no file-name field (id 1148)");
    HWND edit = field;
    while (HWND inner = FindWindowExA(edit, nullptr, nullptr, nullptr))
        edit = inner;
    if (ClassOf(edit) != "Edit")
        Fail("the chooser's file-name field holds no Edit but '" + ClassOf(edit) + "'");
    return edit;
}

void PressAndWaitGone(const Program& program, HWND chooser, int button, const std::string& what)
{
    HWND control = GetDlgItem(chooser, button);
    if (!control)
        Fail("the chooser has no " + what + " button");
    PostMessageA(control, BM_CLICK, 0, 0);
    WaitUntil(program, "the chooser to close after " + what,
              [&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); });
}

} // namespace

HWND WaitForChooser(const Program& program)
{
    return WaitForWindow(program, "the file chooser titled 'Choose a file'", [&]() -> HWND {
        HWND chooser = FindTopLevel(program.Id(), "#32770", chooserTitle);
        return chooser && ChildWithId(chooser, chooserFileNameField) ? chooser : nullptr;
    });
}

std::string ChooserFolder(const Program& program, HWND chooser)
{
    constexpr SIZE_T size = 1024;
    void* remote = VirtualAllocEx(program.Handle(), nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (!remote)
        Fail("cannot lend the chooser a buffer (VirtualAllocEx error "
             + std::to_string(GetLastError()) + ")");
    DWORD_PTR length = 0;
    BOOL answered = SendMessageTimeoutA(chooser, CDM_GETFOLDERPATH, size,
                                        reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 3000,
                                        &length);
    char folder[size] = "";
    SIZE_T read = 0;
    BOOL copied = ReadProcessMemory(program.Handle(), remote, folder, size - 1, &read);
    VirtualFreeEx(program.Handle(), remote, 0, MEM_RELEASE);
    if (!answered || static_cast<LONG_PTR>(length) <= 0 || !copied)
        Fail("the chooser did not tell its folder (CDM_GETFOLDERPATH)");
    return folder;
}

std::string ChooserFileName(HWND chooser)
{
    return TextOf(FileNameEdit(chooser));
}

std::string ChooserFileType(HWND chooser)
{
    HWND box = ChildWithId(chooser, chooserFileTypeBox);
    if (!box)
        Fail("the chooser has no file-type box (id 1136)");
    return TextOf(box);
}

void ChooseFile(const Program& program, HWND chooser, const std::string& path)
{
    SetTextOf(FileNameEdit(chooser), path);
    PressAndWaitGone(program, chooser, IDOK, "Open");
}

void CancelChooser(const Program& program, HWND chooser)
{
    PressAndWaitGone(program, chooser, IDCANCEL, "Cancel");
}
