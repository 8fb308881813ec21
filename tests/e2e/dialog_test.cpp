// The manual driver install dialog driven as a user drives it: Browse, the
// chooser, ADD, Cancel, keys; and what the host file holds afterwards.
#include "file_chooser.h"
#include "keltarn_case.h"
#include "keltarn_ids.h"
#include "windows_seen.h"

namespace {

const std::string cutter8 = "C:\\Drivers\\CUTTER8.ini";

class DialogCase : public KeltarnCase {
protected:
    void ExpectAdded(const SeenBox& box, HWND dialog)
    {
        EXPECT_EQ(box.caption, "Success");
        EXPECT_EQ(box.text, "Driver Added");
        EXPECT_EQ(box.owner, dialog) << "the box is not owned by the dialog";
        EXPECT_EQ(PathField(dialog), "") << "the path field was not emptied";
    }
};

TEST_F(DialogCase, OpensEmptyWithFocusOnAddOverADisabledMainWindow)
{
    HWND dialog = StartWithDialog(HostFile(3));
    EXPECT_EQ(TextOf(dialog), "Manual Driver Install");
    EXPECT_EQ(PathField(dialog), "");
    EXPECT_EQ(Focused(), Control(dialog, CTL_ADD)) << "focus is not on ADD";
    EXPECT_FALSE(IsWindowEnabled(MainWindow())) << "the dialog is not modal";
}

TEST_F(DialogCase, ChooserStartsInTheProgramFolderWithTheIniFilter)
{
    HWND dialog = StartWithDialog(HostFile(3));
    HWND chooser = OpenChooser(dialog);
    EXPECT_EQ(TextOf(chooser), "Choose a file");
    EXPECT_EQ(ChooserFolder(*program_, chooser), folder_.Path());
    EXPECT_EQ(ChooserFileType(chooser), "ini (*.ini)");
    EXPECT_EQ(ChooserFileName(chooser), "");
    CancelChooser(*program_, chooser);
    EXPECT_EQ(PathField(dialog), "");
}

// A cancelled Browse leaves the earlier path on show, though it is no longer
// the choice; and each Browse starts with an empty file name.
TEST_F(DialogCase, CancelledBrowseKeepsThePathOnShowButChoosesNothing)
{
    HWND dialog = StartWithDialog(HostFile(3));
    Browse(dialog, cutter8);
    HWND chooser = OpenChooser(dialog);
    EXPECT_EQ(ChooserFileName(chooser), "");
    CancelChooser(*program_, chooser);
    EXPECT_EQ(PathField(dialog), cutter8);
    ClickExpectingNothing(dialog, CTL_ADD);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3));
}

// The whole road of one registration, then a second one of the same choice.
TEST_F(DialogCase, RegistersTheChosenDriverUnderTheNextNumbers)
{
    HWND dialog = StartWithDialog(HostFile(3));
    Browse(dialog, cutter8);
    EXPECT_EQ(PathField(dialog), cutter8);

    ExpectAdded(ClickExpectingBox(dialog, CTL_ADD), dialog);
    EXPECT_EQ(folder_.Read("Velmora5.ini"),
              "[General]\r\n"
              "Name=Studio North\r\n"
              "; the host keeps its devices below\r\n"
              "[PlotterSetup]\r\n"
              "NumberDevices=4\r\n"
              "Plotter1=HP7475\r\n"
              "Plotter2=ROLAND\r\n"
              "Plotter3=GRAPHT\r\n"
              "Plotter4=CUTTER8\r\n"
              "[Output]\r\n"
              "Port=LPT1\r\n");

    ExpectAdded(ClickExpectingBox(dialog, CTL_ADD), dialog);
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3, {"CUTTER8", "CUTTER8"}));
}

// One thing the user does in the dialog, and the box it must show (none when
// expectedText is empty).
enum class Act { Browse, CancelBrowse, Add, Enter, TypeIntoPath, ClickPathField, Reopen };

struct Step {
    Act act;
    std::string text;          // the path to choose or to type
    std::string expectedText;  // "Driver Added", "Invalid Driver" or none
};

struct Story {
    const char* name;
    friend void PrintTo(const Story& row, std::ostream* out) { *out << row.name; }
    std::vector<Step> steps;
    std::vector<std::string> registered;   // the stems the host file gains, in order
};

class StoryCase : public DialogCase, public testing::WithParamInterface<Story> {
protected:
    void Run(HWND& dialog, const Step& step)
    {
        switch (step.act) {
        case Act::Browse:
            Browse(dialog, step.text);
            EXPECT_EQ(PathField(dialog), step.text);
            return;
        case Act::CancelBrowse:
            BrowseAndCancel(dialog);
            return;
        case Act::TypeIntoPath:
            SetTextOf(Control(dialog, CTL_PATH), step.text);
            return;
        case Act::ClickPathField:
            SendPromptly(*program_, Control(dialog, CTL_PATH), WM_LBUTTONDOWN, MK_LBUTTON, 0,
                         "a click into the path field");
            SendPromptly(*program_, Control(dialog, CTL_PATH), WM_LBUTTONUP, 0, 0,
                         "a click into the path field");
            return;
        case Act::Reopen:
            CloseDialog(dialog);
            dialog = OpenDialog();
            EXPECT_EQ(PathField(dialog), "");
            return;
        case Act::Add:
        case Act::Enter:
            break;
        }
        if (step.expectedText.empty()) {
            ASSERT_EQ(step.act, Act::Add) << "a key press that shows nothing cannot be awaited";
            ClickExpectingNothing(dialog, CTL_ADD);
            return;
        }
        SeenBox box;
        if (step.act == Act::Add) {
            box = ClickExpectingBox(dialog, CTL_ADD);
        } else {
            PressKey(VK_RETURN);
            box = WaitForMessageBox(*program_, "a message box after Enter");
            PressOk(*program_, box);
        }
        EXPECT_EQ(box.text, step.expectedText);
        EXPECT_EQ(box.caption, step.expectedText == "Driver Added" ? "Success" : "Failure");
        EXPECT_EQ(box.owner, dialog) << "the box is not owned by the dialog";
    }
};

TEST_P(StoryCase, HostFileGainsExactlyTheRegisteredDrivers)
{
    HWND dialog = StartWithDialog(HostFile(3));
    for (size_t i = 0; i < GetParam().steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        Run(dialog, GetParam().steps[i]);
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(folder_.Read("Velmora5.ini"), HostFile(3, GetParam().registered));
}

const Step browseCutter8{Act::Browse, cutter8, ""};
const Step added{Act::Add, "", "Driver Added"};
const Step nothing{Act::Add, "", ""};

INSTANTIATE_TEST_SUITE_P(
    Dialog, StoryCase,
    testing::Values(
        Story{"NineCharacterStemRefusedAndCountKept",
              {{Act::Browse, "C:\\Drivers\\CUTTER789.ini", ""},
               {Act::Add, "", "Invalid Driver"},
               browseCutter8,
               added},
              {"CUTTER8"}},
        Story{"EightCharacterStemAccepted",
              {{Act::Browse, "C:\\Drivers\\PLOTTER8.ini", ""}, added},
              {"PLOTTER8"}},
        Story{"OnlyTheLastExtensionGoes",
              {{Act::Browse, "C:\\Dri.vers\\a.b.ini", ""}, added},
              {"a.b"}},
        Story{"AddBeforeAnyBrowseDoesNothing", {nothing}, {}},
        Story{"CancelledBrowseThenGoodChoiceAdds",
              {{Act::CancelBrowse, "", ""}, browseCutter8, added},
              {"CUTTER8"}},
        Story{"ReopenedDialogAddsTheEarlierChoice",
              {browseCutter8, {Act::Reopen, "", ""}, added},
              {"CUTTER8"}},
        Story{"TypedPathIsIgnored",
              {{Act::TypeIntoPath, "C:\\Drivers\\TYPED.ini", ""},
               nothing,
               browseCutter8,
               {Act::TypeIntoPath, "C:\\Drivers\\OTHER.ini", ""},
               added},
              {"CUTTER8"}},
        Story{"EnterInAFreshDialogActivatesAdd",
              {browseCutter8, {Act::Reopen, "", ""}, {Act::Enter, "", "Driver Added"}},
              {"CUTTER8"}},
        Story{"EnterInThePathFieldActivatesAdd",
              {browseCutter8, {Act::ClickPathField, "", ""}, {Act::Enter, "", "Driver Added"}},
              {"CUTTER8"}}),
    RowName());

} // namespace
