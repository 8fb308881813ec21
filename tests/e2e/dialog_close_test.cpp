// The ways a user closes the driver dialog, each leaving the program as it
// was before File/Add.
#include "keltarn_case.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

namespace {

enum class Closing { CancelButton, EscKey, CloseBox };

struct DialogEnding {
    const char* name;
    friend void PrintTo(const DialogEnding& row, std::ostream* out) { *out << row.name; }
    Closing how;
};

class DialogEndingCase : public KeltarnCase, public testing::WithParamInterface<DialogEnding> {};

TEST_P(DialogEndingCase, ClosesTheDialogAndWritesNothing)
{
    HWND dialog = StartWithDialog(HostFile(3));
    switch (GetParam().how) {
    case Closing::CancelButton:
        PostMessageA(Control(dialog, CTL_CANCEL), BM_CLICK, 0, 0);
        break;
    case Closing::EscKey:
        PressKey(VK_ESCAPE);
        break;
    case Closing::CloseBox:
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    WaitForDialogGone(dialog, GetParam().name);
    EXPECT_TRUE(IsWindowEnabled(MainWindow())) << "the main window stayed disabled";

    // The program goes on as before: the dialog opens again, and File/Exit ends it.
    CloseDialog(OpenDialog());
    PostMessageA(MainWindow(), WM_COMMAND, CMD_EXIT, 0);
    EXPECT_EQ(program_->WaitForExit("keltarn.exe to end after File/Exit"), 0u);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3));
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogEndingCase,
                         testing::Values(DialogEnding{"CancelButton", Closing::CancelButton},
                                         DialogEnding{"EscKey", Closing::EscKey},
                                         DialogEnding{"CloseBox", Closing::CloseBox}),
                         RowName());

} // namespace
