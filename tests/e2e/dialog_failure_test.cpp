// What the dialog says when a registration cannot be made: the host file
// cannot be written, its count cannot be raised, the chosen path is too long.
#include "keltarn_case.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

namespace {

const std::string cutter8 = "C:\\Drivers\\CUTTER8.ini";

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

class RefusalCase : public KeltarnCase {
protected:
    void ExpectFailure(const SeenBox& box, HWND dialog, const std::string& start)
    {
        EXPECT_EQ(box.caption, "Failure");
        EXPECT_TRUE(StartsWith(box.text, start)) << "text: " << box.text;
        EXPECT_EQ(box.owner, dialog) << "the box is not owned by the dialog";
    }
};

// A directory where the host's file was: it counts as present, but the
// platform can neither read nor write it, which makes the write fail for real.
TEST_F(RefusalCase, HostFileTurnedIntoADirectoryIsReportedAndTheCountKept)
{
    HWND dialog = StartWithDialog(HostFile(3));
    Browse(dialog, cutter8);
    folder_.MakeDirectory("Velmora5.ini");

    ExpectFailure(ClickExpectingBox(dialog, CTL_ADD), dialog,
                  "Could not write " + folder_.File("Velmora5.ini"));

    folder_.Write("Velmora5.ini", HostFile(3));
    SeenBox box = ClickExpectingBox(dialog, CTL_ADD);
    EXPECT_EQ(box.text, "Driver Added");
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3, {"CUTTER8"}));
}

TEST_F(RefusalCase, DirectoryNamedLikeTheHostFileWinsAndIsNotWritten)
{
    folder_.MakeDirectory("Velmora5.ini");
    folder_.Write("Velmora2.ini", HostFile(3));
    StartProgram();
    HWND dialog = OpenDialog();
    Browse(dialog, cutter8);

    ExpectFailure(ClickExpectingBox(dialog, CTL_ADD), dialog,
                  "Could not write " + folder_.File("Velmora5.ini"));
    EXPECT_EQ(folder_.Read("Velmora2.ini"), HostFile(3));
}

class CountRefusalCase : public RefusalCase, public testing::WithParamInterface<const char*> {};

TEST_P(CountRefusalCase, CountThatCannotBeRaisedIsReportedAndNothingWritten)
{
    std::string host = std::string("[PlotterSetup]\r\nNumberDevices=") + GetParam() + "\r\n";
    HWND dialog = StartWithDialog(host);
    Browse(dialog, cutter8);

    ExpectFailure(ClickExpectingBox(dialog, CTL_ADD), dialog, "The device count in ");
    EXPECT_EQ(folder_.Read("Velmora5.ini"), host);
}

INSTANTIATE_TEST_SUITE_P(Counts, CountRefusalCase, testing::Values("2147483647", "-5"),
                         [](const auto& info) {
                             return info.param[0] == '-' ? std::string("Negative")
                                                         : std::string("Largest");
                         });

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// The chooser's buffer holds 259 characters and the terminator; a longer
// path does not fit, and must not be registered cut short. The earlier
// choice goes too: what is registered is always what was chosen last.
class LongPathCase : public RefusalCase, public testing::WithParamInterface<size_t> {};

TEST_P(LongPathCase, PathTooLongForTheChooserIsReportedAndNothingChosen)
{
    if (GetParam() > 260 && UnderWine())
        GTEST_SKIP() << "Wine: its open-file dialog overruns its own 260-character buffer when "
                        "a typed path is longer than 260 characters, and the program crashes "
                        "inside GetOpenFileNameA (seen in Wine 8.0)";
    HWND dialog = StartWithDialog(HostFile(3));
    Browse(dialog, cutter8);
    const std::string folder = "C:\\Drivers\\", name = "\\CUTTER8.ini";
    std::string longPath = folder + std::string(GetParam() - folder.size() - name.size(), 'x') + name;
    ASSERT_EQ(longPath.size(), GetParam());

    Browse(dialog, longPath);
    SeenBox box = WaitForMessageBox(*program_, "the box telling that the path is too long");
    PressOk(*program_, box);
    ExpectFailure(box, dialog, "The chosen path is too long");

    ClickExpectingNothing(dialog, CTL_ADD);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3));
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongPathCase, testing::Values(260u, 300u),
                         [](const auto& info) { return std::to_string(info.param) + "Characters"; });

} // namespace
