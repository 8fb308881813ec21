// Finding the host's file beside the program and reading its device count.
#include "hostconfig.h"
#include "platform.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Named(const std::string& directory, const char* name)
{
    return directory + pathSeparator + name;
}

struct ProbeCase {
    const char* name;
    std::vector<const char*> present;
    HostEdition expected;
    const char* expectedFile; // nullptr: nothing found
};

const ProbeCase probeCases[] = {
    { "five before two", { "Velmora2.ini", "Velmora5.ini" }, Velmora5, "Velmora5.ini" },
    { "all three", { "Velmora6.ini", "Velmora2.ini", "Velmora5.ini" }, Velmora5, "Velmora5.ini" },
    { "two before six", { "Velmora6.ini", "Velmora2.ini" }, Velmora2, "Velmora2.ini" },
    { "six alone", { "Velmora6.ini" }, Velmora6, "Velmora6.ini" },
    { "none", {}, NoHostEdition, nullptr },
    { "other names only", { "Velmora4.ini", "Velmora5.ini.bak", "Velmora.ini" }, NoHostEdition, nullptr },
};

} // namespace

TEST(SearchHostConfig, ProbesEditionsFiveTwoSixInThatOrder)
{
    for (const ProbeCase& c : probeCases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        for (const char* name : c.present)
            WriteBytes(folder.File(name), "[PlotterSetup]\r\nNumberDevices=3\r\n");

        EXPECT_EQ(c.expectedFile != nullptr, SearchHostConfig(folder.Path().c_str()) == 1);
        EXPECT_EQ(c.expected, hostEdition);
        EXPECT_EQ(folder.Path(), programDir);
        if (c.expectedFile)
            EXPECT_EQ(Named(folder.Path(), c.expectedFile), hostIniPath);
        else
            EXPECT_EQ(folder.Path(), hostIniPath);
    }
}

TEST(SearchHostConfig, AnythingOfTheNameCountsAsPresent)
{
    TestFolder readOnly;
    WriteBytes(readOnly.File("Velmora5.ini"), "[PlotterSetup]\r\nNumberDevices=3\r\n");
    fs::permissions(readOnly.File("Velmora5.ini"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
        fs::perm_options::remove);
    EXPECT_EQ(1, SearchHostConfig(readOnly.Path().c_str()));
    EXPECT_EQ(Velmora5, hostEdition);
    EXPECT_EQ(3, deviceCount);

    TestFolder directory;
    fs::create_directory(directory.File("Velmora2.ini"));
    WriteBytes(directory.File("Velmora6.ini"), "");
    EXPECT_EQ(1, SearchHostConfig(directory.Path().c_str()));
    EXPECT_EQ(Velmora2, hostEdition);
    EXPECT_EQ(1, deviceCount) << "a directory cannot be read: the count falls back to 1";
}

TEST(SearchHostConfig, ReadsTheDeviceCountWithOneAsFallback)
{
    const struct {
        const char* name;
        const char* bytes;
        int expected;
    } cases[] = {
        { "count present", "[PlotterSetup]\r\nNumberDevices=3\r\nPlotter1=A\r\n", 3 },
        { "key missing", "[PlotterSetup]\r\nPlotter1=A\r\n", 1 },
        { "section missing", "[Other]\r\nNumberDevices=7\r\n", 1 },
        { "empty file", "", 1 },
        { "count in another section only", "[Other]\r\nNumberDevices=7\r\n[PlotterSetup]\r\nx=1\r\n", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        WriteBytes(folder.File("Velmora5.ini"), c.bytes);
        deviceCount = -99;
        ASSERT_EQ(1, SearchHostConfig(folder.Path().c_str()));
        EXPECT_EQ(c.expected, deviceCount);
    }
}

// A candidate whose full path would not fit a 260-character buffer is never
// probed cut short: it counts as absent.
TEST(SearchHostConfig, CandidateTooLongForAPathCountsAsAbsent)
{
    TestFolder base;
    const size_t nameLength = std::string(1, pathSeparator).size() + std::string("Velmora5.ini").size();
    for (size_t fullLength : { size_t(259), size_t(260) }) {
        SCOPED_TRACE(fullLength);
        std::string directory = base.Path() + pathSeparator;
        directory += std::string(fullLength - nameLength - directory.size(), 'd');
        std::error_code error;
        fs::create_directory(directory, error);
        std::ofstream(Named(directory, "Velmora5.ini"), std::ios::binary) << "[PlotterSetup]\r\nNumberDevices=3\r\n";
        if (ReadBytes(Named(directory, "Velmora5.ini")).empty())
            GTEST_SKIP() << "this platform cannot make a file at a path of " << fullLength << " characters";

        bool fits = fullLength < size_t(pathBufferSize);
        EXPECT_EQ(fits ? 1 : 0, SearchHostConfig(directory.c_str()));
        EXPECT_EQ(fits ? Velmora5 : NoHostEdition, hostEdition);
    }
}

TEST(GetProgramDirectory, GivesTheFolderHoldingTheRunningProgram)
{
    char directory[pathBufferSize];
    ASSERT_EQ(1, GetProgramDirectory(directory));
    std::string found = directory;
    ASSERT_FALSE(found.empty());
    EXPECT_NE(pathSeparator, found.back());
    bool holdsUs = PathExists(Named(found, "hostconfig_tests").c_str())
        || PathExists(Named(found, "hostconfig_tests.exe").c_str());
    EXPECT_TRUE(holdsUs) << found;
}

#ifdef _WIN32
TEST(SearchHostConfig, ProgramInADriveRootProbesTheRoot)
{
    // A program at C:\x.exe has the directory "C:".
    const char* root = "C:\\Velmora6.ini";
    if (PathExists(root))
        GTEST_SKIP() << root << " exists already; not touching it";
    WriteBytes(root, "[PlotterSetup]\r\nNumberDevices=9\r\n");
    if (!PathExists(root))
        GTEST_SKIP() << "cannot write to the root of C:";
    int found = SearchHostConfig("C:");
    std::string path = hostIniPath;
    int count = deviceCount;
    fs::remove(root);
    EXPECT_EQ(1, found);
    EXPECT_EQ("C:\\Velmora6.ini", path);
    EXPECT_EQ(9, count);
}
#else
TEST(LocateHostConfig, NoHostFileBesideTheProgramIsReported)
{
    // Beside the test program there is no host file, so this is the
    // "not found" road; on Windows it would block on a real message box.
    testing::internal::CaptureStderr();
    LocateHostConfig();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(NoHostEdition, hostEdition);
    EXPECT_NE(std::string::npos, said.find("Failure: Cant find Velmora directory")) << said;
}
#endif
