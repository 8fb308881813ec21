// Deriving a driver's stem from the chosen path and registering it in the
// host's file, checked on the file's bytes afterwards.
#include "hostconfig.h"
#include "platform.h"
#include "test_folder.h"
#include "text.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A path with this platform's separators: "Drivers|CUTTER8.ini" becomes
// "Drivers\CUTTER8.ini" on Windows.
std::string PlatformPath(std::string path)
{
    for (char& c : path)
        if (c == '|')
            c = pathSeparator;
    return path;
}

// What the file chooser does on a choice: the path, then the stem.
void Choose(const std::string& path)
{
    ASSERT_EQ(1, CopyText(driverPath, pathBufferSize, path.c_str()));
    AcceptDriverFile();
}

// Host files already in the form the Windows profile writer leaves them in
// (CR LF, no blank lines, no blanks around '='), so that the bytes after a
// registration are the same here and on Windows.
const char* const threeDevices =
    "[General]\r\nUnits=mm\r\n"
    "[PlotterSetup]\r\nNumberDevices=3\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\nPlotter3=CAMM\r\n"
    "[Cutting]\r\nBlade=45\r\n";

class Registration : public testing::Test {
protected:
    void SetUp() override
    {
        driverPath[0] = driverStem[0] = '\0';
    }

    // Puts the host file in place and reads it as at start-up.
    void StartWith(const std::string& bytes)
    {
        WriteBytes(folder.File("Velmora5.ini"), bytes);
        ASSERT_EQ(1, SearchHostConfig(folder.Path().c_str()));
    }

    std::string HostBytes() const { return ReadBytes(folder.File("Velmora5.ini")); }

    TestFolder folder;
};

} // namespace

TEST(AcceptDriverFile, StemIsTheFileNameWithoutItsLastExtension)
{
    const struct {
        const char* path;
        const char* stem;
    } cases[] = {
        { "C:|Drivers|CUTTER8.ini", "CUTTER8" },
        { "C:|Drivers|a.b.ini", "a.b" },
        { "C:|Drivers.old|v2.x|NOEXT", "NOEXT" },
        { "C:|Drivers|.ini", "" },
        { "C:|Drivers|trailing.", "trailing" },
        { "CUTTER8.ini", "CUTTER8" },
        { "C:|", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Choose(PlatformPath(c.path));
        EXPECT_STREQ(c.stem, driverStem);
    }
}

TEST(AcceptDriverFile, HoldsTheLongestFileNameAPathCanCarry)
{
    std::string name(pathBufferSize - 1 - 4, 'n');
    Choose(name + ".ini");
    EXPECT_EQ(name, driverStem);
}

TEST_F(Registration, AddsTheNextDeviceAndCountsIt)
{
    StartWith(threeDevices);
    Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));

    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_EQ(4, deviceCount);
    EXPECT_EQ("[General]\r\nUnits=mm\r\n"
              "[PlotterSetup]\r\nNumberDevices=4\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\nPlotter3=CAMM\r\n"
              "Plotter4=CUTTER8\r\n"
              "[Cutting]\r\nBlade=45\r\n",
        HostBytes());

    // The same choice again, without a new Browse, takes the next number.
    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_EQ(5, deviceCount);
    EXPECT_EQ("[General]\r\nUnits=mm\r\n"
              "[PlotterSetup]\r\nNumberDevices=5\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\nPlotter3=CAMM\r\n"
              "Plotter4=CUTTER8\r\nPlotter5=CUTTER8\r\n"
              "[Cutting]\r\nBlade=45\r\n",
        HostBytes());
}

TEST_F(Registration, WithoutACountTheFirstDeviceIsNumberTwo)
{
    StartWith("[PlotterSetup]\r\nPlotter1=HPGL\r\n");
    Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));

    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_EQ("[PlotterSetup]\r\nPlotter1=HPGL\r\nPlotter2=CUTTER8\r\nNumberDevices=2\r\n", HostBytes());
}

TEST_F(Registration, CreatesTheSectionWhenTheHostHasNone)
{
    StartWith("[General]\r\nUnits=mm\r\n");
    Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));

    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_EQ("[General]\r\nUnits=mm\r\n[PlotterSetup]\r\nPlotter2=CUTTER8\r\nNumberDevices=2\r\n", HostBytes());
}

TEST_F(Registration, StemOfEightIsAcceptedNineIsInvalidAndWritesNothing)
{
    StartWith(threeDevices);

    Choose(PlatformPath("C:|Drivers|NINECHARS.ini"));
    EXPECT_EQ(InvalidDriver, RegisterDriver());
    EXPECT_EQ(3, deviceCount);
    EXPECT_EQ(threeDevices, HostBytes());

    Choose(PlatformPath("C:|Drivers|EIGHTCHR.ini"));
    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_EQ(4, deviceCount);
    EXPECT_NE(std::string::npos, HostBytes().find("NumberDevices=4\r\n"));
    EXPECT_NE(std::string::npos, HostBytes().find("Plotter4=EIGHTCHR\r\n"));
}

TEST_F(Registration, NothingChosenDoesNothing)
{
    StartWith(threeDevices);
    const struct {
        const char* name;
        const char* path; // nullptr: Browse never ran
    } cases[] = {
        { "before any Browse", nullptr },
        { "a file named .ini", "C:|Drivers|.ini" },
        { "a cancelled Browse after a choice", "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path && c.path[0])
            Choose(PlatformPath(c.path));
        if (c.path && !c.path[0]) {
            Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));
            driverPath[0] = '\0'; // the chooser empties it and was cancelled
        }
        EXPECT_EQ(NothingChosen, RegisterDriver());
        EXPECT_EQ(3, deviceCount);
        EXPECT_EQ(threeDevices, HostBytes());
    }
}

TEST_F(Registration, ACountThatCannotBeRaisedWritesNothing)
{
    for (const char* count : { "2147483647", "-1", "0" }) {
        SCOPED_TRACE(count);
        std::string bytes = std::string("[PlotterSetup]\r\nNumberDevices=") + count + "\r\n";
        StartWith(bytes);
        Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));
        int before = deviceCount;

        EXPECT_EQ(CountOutOfRange, RegisterDriver());
        EXPECT_EQ(before, deviceCount);
        EXPECT_EQ(bytes, HostBytes());
    }
}

TEST_F(Registration, AFailedWriteIsReportedAndTheCountKept)
{
    StartWith(threeDevices);
    Choose(PlatformPath("C:|Drivers|CUTTER8.ini"));

    // The host's file turned into a directory: nothing can be written there.
    fs::remove(folder.File("Velmora5.ini"));
    fs::create_directory(folder.File("Velmora5.ini"));
    EXPECT_EQ(WriteFailed, RegisterDriver());
    EXPECT_EQ(3, deviceCount);

    // The host's folder gone: the file cannot be created either.
    std::string missing = folder.File("gone") + pathSeparator + "Velmora5.ini";
    ASSERT_EQ(1, CopyText(hostIniPath, pathBufferSize, missing.c_str()));
    EXPECT_EQ(WriteFailed, RegisterDriver());
    EXPECT_EQ(3, deviceCount);
    EXPECT_FALSE(PathExists(missing.c_str()));

    // Once the file can be written again, the number not taken is used.
    fs::remove(folder.File("Velmora5.ini"));
    WriteBytes(folder.File("Velmora5.ini"), threeDevices);
    ASSERT_EQ(1, CopyText(hostIniPath, pathBufferSize, folder.File("Velmora5.ini").c_str()));
    EXPECT_EQ(Added, RegisterDriver());
    EXPECT_NE(std::string::npos, HostBytes().find("Plotter4=CUTTER8\r\n"));
}
