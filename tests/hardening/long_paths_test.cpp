// Paths at the edge of the 260-character buffers: program folders of 240 to
// 260 characters, and chosen driver paths of exactly 259.
#include "hardening_support.h"
#include "platform.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

const size_t hostNameLength = 1 + std::string("Velmora5.ini").size(); // with its separator

// start, extended by parts of at most 100 characters to exactly length
// characters (never an empty part).
std::string PadPath(std::string path, size_t length)
{
    while (path.size() < length) {
        size_t left = length - path.size();
        size_t part = std::min<size_t>(left - 1, 100);
        if (left - 1 - part == 1)
            part -= 1; // else one character would be left, for an empty part
        path += pathSeparator + std::string(part, 'd');
    }
    return path;
}

// A folder inside base whose full path has exactly length characters; ""
// when it cannot be made here.
std::string FolderOfLength(const std::string& base, size_t length)
{
    std::string folder = PadPath(base, length);
    std::error_code error;
    fs::create_directories(folder, error);
    return !error && fs::is_directory(folder) ? folder : "";
}

} // namespace

TEST(LongPaths, HostFileIsFoundWhileFolderAndNameFitInAPath)
{
    TestFolder base;
    ChooseDriver(std::string("Drivers") + pathSeparator + "CUTTER8.ini");
    for (size_t length = 240; length <= 260; ++length) {
        SCOPED_TRACE(length);
        std::string folder = FolderOfLength(base.Path(), length);
        ASSERT_LT(base.Path().size() + 2, size_t(240)) << "the temporary folder itself is too long";
        const bool fits = length + hostNameLength < size_t(pathBufferSize);
        std::string host = folder + pathSeparator + "Velmora5.ini";
        if (folder.empty() || (WriteBytes(host, "[PlotterSetup]\r\nNumberDevices=3\r\n"), !fs::exists(host))) {
            NoteOutcome("long folders", std::to_string(length), "cannot be made on this platform|-|-");
            continue;
        }

        int found = SearchHostConfig(folder.c_str());
        EXPECT_EQ(fits ? 1 : 0, found);
        EXPECT_EQ(fits ? Velmora5 : NoHostEdition, hostEdition);
        std::string registered = "-";
        if (found) {
            EXPECT_EQ(host, hostIniPath);
            EXPECT_EQ(3, deviceCount);
            RegisterResult result = RegisterDriver();
            EXPECT_EQ(ResultName(Added), std::string(ResultName(result)));
            EXPECT_EQ(ReadBytes(host), "[PlotterSetup]\r\nNumberDevices=4\r\nPlotter4=CUTTER8\r\n");
            registered = ResultName(result);
        }
        NoteOutcome("long folders", std::to_string(length),
            std::to_string(length + hostNameLength) + "|" + (found ? "found" : "not found") + "|" + registered);
    }
}

// The chosen file is never opened: only its name counts, however long the
// path that leads to it.
TEST(LongPaths, DriverPathOfTheLongestLength)
{
    const struct {
        const char* name;
        const char* stem;
        RegisterResult result;
    } cases[] = {
        { "CUTTER8.ini", "CUTTER8", Added },
        { "NINECHARS.ini", "NINECHARS", InvalidDriver },
        { "CUTTER8", "CUTTER8", Added },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        const std::string before = "[PlotterSetup]\r\nNumberDevices=3\r\n";
        WriteBytes(folder.File("Velmora5.ini"), before);
        ASSERT_EQ(1, SearchHostConfig(folder.Path().c_str()));

        std::string path = PadPath("C:", pathBufferSize - 2 - std::string(c.name).size()) + pathSeparator + c.name;
        ASSERT_EQ(size_t(pathBufferSize - 1), path.size());
        ChooseDriver(path);
        EXPECT_STREQ(c.stem, driverStem);
        RegisterResult result = RegisterDriver();
        EXPECT_EQ(ResultName(c.result), std::string(ResultName(result)));
        std::string after = ReadBytes(folder.File("Velmora5.ini"));
        if (c.result == Added)
            EXPECT_EQ(before.substr(0, before.size() - 3) + "4\r\nPlotter4=" + c.stem + "\r\n", after);
        else
            EXPECT_EQ(before, after);
        NoteOutcome("long driver paths", c.name, std::string(driverStem) + "|" + ResultName(result) + "|" + FileChange(before, after));
    }
}
