// The program's start and end, seen from outside: no host file, the main
// window, its ways to end, and the About box.
#include "keltarn_case.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

namespace {

class MainWindowCase : public KeltarnCase {};

TEST_F(MainWindowCase, WithoutHostFileSaysSoOnceAndEndsWithCodeZero)
{
    std::string before = folder_.Snapshot();
    program_ = std::make_unique<Program>(folder_);

    SeenBox box = WaitForMessageBox(*program_, "the box telling that no host file was found");
    EXPECT_EQ(box.caption, "Failure");
    EXPECT_EQ(box.text, "Cant find Velmora directory");
    EXPECT_EQ(box.owner, nullptr) << "the box has an owner";
    EXPECT_EQ(OpenMessageBoxes(*program_).size(), 1u);
    PressOk(*program_, box);

    EXPECT_EQ(program_->WaitForExit("keltarn.exe to end by itself after OK"), 0u);
    EXPECT_EQ(folder_.Snapshot(), before);
}

TEST_F(MainWindowCase, OpensTopmostAtTopLeftCorner)
{
    folder_.Write("Velmora5.ini", HostFile(3));
    HWND window = StartProgram();

    EXPECT_EQ(ClassOf(window), "KELTARN");
    EXPECT_EQ(TextOf(window), "Driver Installer");
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right - frame.left, 200);
    EXPECT_EQ(frame.bottom - frame.top, 110);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "not topmost";
    EXPECT_EQ(OwnerOf(window), nullptr);
    EXPECT_EQ(TopLevelWindows(program_->Id()).size(), 1u)
        << "windows:" << DescribeWindows(program_->Id());
}

// A way a user ends the program: the message it sends the main window.
struct Ending {
    const char* name;
    friend void PrintTo(const Ending& row, std::ostream* out) { *out << row.name; }
    UINT message;
    WPARAM wParam;
};

class EndingCase : public KeltarnCase, public testing::WithParamInterface<Ending> {};

TEST_P(EndingCase, EndsWithCodeZeroAndWritesNothing)
{
    folder_.Write("Velmora5.ini", HostFile(3));
    std::string before = folder_.Snapshot();
    HWND window = StartProgram();

    PostMessageA(window, GetParam().message, GetParam().wParam, 0);
    EXPECT_EQ(program_->WaitForExit(std::string("keltarn.exe to end after ") + GetParam().name), 0u);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3));
    EXPECT_EQ(folder_.Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingCase,
                         testing::Values(Ending{"FileExit", WM_COMMAND, CMD_EXIT},
                                         Ending{"CloseBox", WM_SYSCOMMAND, SC_CLOSE},
                                         Ending{"WindowClose", WM_CLOSE, 0}),
                         RowName());

// A way a user asks for the About box: the menu command, or a shortcut
// typed on the keyboard ('?' is Shift+'/' on the US layout).
struct AboutRequest {
    const char* name;
    friend void PrintTo(const AboutRequest& row, std::ostream* out) { *out << row.name; }
    std::vector<WORD> keys;   // none: Help/About from the menu
};

class AboutCase : public KeltarnCase, public testing::WithParamInterface<AboutRequest> {};

TEST_P(AboutCase, ShowsNameAndVersionOwnedByTheMainWindow)
{
    folder_.Write("Velmora5.ini", HostFile(3));
    HWND window = StartProgram();

    const AboutRequest& request = GetParam();
    if (request.keys.empty())
        PostMessageA(window, WM_COMMAND, CMD_ABOUT, 0);
    else
        PressChord(window, request.keys);
    SeenBox box = WaitForMessageBox(*program_, std::string("the About box after ") + request.name);
    PressOk(*program_, box);
    EXPECT_EQ(box.caption, "About kelTarn");
    EXPECT_EQ(box.text.rfind("kelTarn 1.0.0", 0), 0u) << "text: " << box.text;
    EXPECT_EQ(box.owner, window);

    PostMessageA(window, WM_COMMAND, CMD_EXIT, 0);
    EXPECT_EQ(program_->WaitForExit("keltarn.exe to end after File/Exit"), 0u);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutCase,
    testing::Values(AboutRequest{"HelpAbout", {}},
                    AboutRequest{"AltQuestionMark", {VK_MENU, VK_SHIFT, VK_OEM_2}},
                    AboutRequest{"AltSlash", {VK_MENU, VK_OEM_2}}),
    RowName());

} // namespace
