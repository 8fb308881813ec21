// Registering a driver in hostile host files: odd line endings, NUL bytes,
// byte-order marks, duplicates, broken headers, odd counts, huge files.
// Natively the file afterwards is compared byte for byte with the expected
// one; under Wine, which rewrites the whole file, every section must read
// back as before, apart from the two keys of the registration.
#include "hardening_support.h"
#include "host_view.h"
#include "platform.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string driver = std::string("Drivers") + pathSeparator + "CUTTER8.ini";

std::string Render(const SectionsRead& reading)
{
    std::string text;
    for (const auto& section : reading) {
        text += "[" + section.first + "]\n";
        for (const std::string& entry : section.second)
            text += entry + "\n";
    }
    return text;
}

struct Expected {
    int count;                 // the device count read at start-up
    RegisterResult result;
    std::string nativeAfter;   // our stand-in's bytes afterwards; the same as before unless Added
};

// Puts before in place as the host's file, reads it as at start-up, registers
// CUTTER8 and checks what happened to the count and to the file.
void Register(const std::string& table, const std::string& name, const std::string& before, const Expected& expected)
{
    SCOPED_TRACE(name);
    TestFolder folder;
    const std::string host = folder.File("Velmora5.ini");
    WriteBytes(host, before);
    const SectionsRead readBefore = ReadEverySection(host);

    deviceCount = -99;
    ASSERT_EQ(1, SearchHostConfig(folder.Path().c_str()));
    const int countRead = deviceCount;
    EXPECT_EQ(expected.count, countRead);
    ChooseDriver(driver);
    const RegisterResult result = RegisterDriver();
    EXPECT_EQ(ResultName(expected.result), std::string(ResultName(result)));
    const std::string after = ReadBytes(host);
    NoteOutcome(table, name,
        std::to_string(countRead) + "|" + ResultName(result) + "|" + FileChange(before, after));

    if (result != Added) {
        EXPECT_EQ(countRead, deviceCount) << "a failed registration keeps the count";
        EXPECT_TRUE(SameBytes(before, after)) << "nothing may be written";
        return;
    }
    EXPECT_EQ(countRead + 1, deviceCount);
    if (platformReadsSections)
        EXPECT_TRUE(SameBytes(Render(AfterRegistration(readBefore, countRead + 1, "CUTTER8")),
            Render(ReadEverySection(host))));
    else
        EXPECT_TRUE(SameBytes(expected.nativeAfter, after));
}

std::string Fixture(const std::string& name)
{
    std::string path = std::string(FIXTURE_DIR) + "/hostile/" + name;
    EXPECT_TRUE(fs::exists(path)) << path;
    return ReadBytes(path);
}

struct FixtureCase {
    const char* name; // hostile/NAME.ini, and NAME.after.ini when it is changed
    int count;
    RegisterResult result;
};

const FixtureCase fixtureCases[] = {
    { "empty", 1, Added },
    { "no-final-line-ending", 2, Added },   // the last line gets its line ending
    { "lf-only", 2, Added },                // the new line ends in CR LF, the rest keep LF
    { "mixed-line-endings", 2, Added },
    { "nul-bytes", 2, Added },
    { "utf8-bom", 2, Added },               // the mark is not part of the first header
#ifdef _WIN32
    // Windows reads and writes a file with a UTF-16 mark as UTF-16.
    { "utf16le-bom", 2, Added },
#else
    // Our stand-in reads such a file but refuses to write it rather than put
    // narrow text into it: the user is told, and the file stays as it was.
    { "utf16le-bom", 2, WriteFailed },
#endif
    { "duplicate-sections", 2, Added },     // the first is read and written
    { "duplicate-keys", 2, Added },         // the first of each; a stray Plotter3 is overwritten
    { "unterminated-header", 1, Added },    // no header: the section is added anew
};

} // namespace

TEST(HostileHostFile, FixturesKeepEverythingButTheTwoKeys)
{
    for (const FixtureCase& c : fixtureCases) {
        std::string before = Fixture(std::string(c.name) + ".ini");
        std::string after = c.result == Added && !platformReadsSections ? Fixture(std::string(c.name) + ".after.ini") : before;
        Register("hostile", c.name, before, { c.count, c.result, after });
    }
}

TEST(HostileHostFile, UnicodeFileStaysUnicode)
{
    if (!platformReadsSections)
        GTEST_SKIP() << "our stand-in refuses to write a UTF-16 file (see the fixtures' table)";
    TestFolder folder;
    WriteBytes(folder.File("Velmora5.ini"), Fixture("utf16le-bom.ini"));
    ASSERT_EQ(1, SearchHostConfig(folder.Path().c_str()));
    ChooseDriver(driver);
    ASSERT_EQ(Added, RegisterDriver());
    std::string after = ReadBytes(folder.File("Velmora5.ini"));
    ASSERT_GE(after.size(), 4u);
    EXPECT_EQ("\xff\xfe[", after.substr(0, 3));
    EXPECT_EQ('\0', after[3]) << "still UTF-16LE";
}

// The count as the platform reads it, and what a registration makes of it.
TEST(HostileHostFile, OddCountsAreReadAsThePlatformReadsThem)
{
    const struct {
        const char* value;
        int count;
        RegisterResult result;
        const char* devicesAfter; // our stand-in's lines of the section afterwards
    } cases[] = {
        // Raised, these would put the new driver over Plotter1.
        { "0", 0, CountOutOfRange, nullptr },
        { "-1", -1, CountOutOfRange, nullptr },
        { "2147483647", 2147483647, CountOutOfRange, nullptr },
        // Wraps modulo 2^32, as the platform reads it.
        { "99999999999", 1215752191, Added, "NumberDevices=1215752192\r\nPlotter1=HPGL\r\nPlotter1215752192=CUTTER8\r\n" },
        { "4abc", 4, Added, "NumberDevices=5\r\nPlotter1=HPGL\r\nPlotter5=CUTTER8\r\n" },
        { " 7 ", 7, Added, "NumberDevices= 8 \r\nPlotter1=HPGL\r\nPlotter8=CUTTER8\r\n" },
        { "0x10", 16, Added, "NumberDevices=17\r\nPlotter1=HPGL\r\nPlotter17=CUTTER8\r\n" },
        // A present value that is no number reads 0, not the fallback 1.
        { "abc", 0, CountOutOfRange, nullptr },
    };
    const std::string head = "[PlotterSetup]\r\n";
    const std::string tail = "[Cutting]\r\nBlade=45\r\n";
    for (const auto& c : cases) {
        std::string before = head + "NumberDevices=" + c.value + "\r\nPlotter1=HPGL\r\n" + tail;
        std::string after = c.devicesAfter ? head + c.devicesAfter + tail : before;
        Register("counts", std::string("\"") + c.value + "\"", before, { c.count, c.result, after });
    }
}

// Made here rather than kept in the repository: a 10 MB file with the device
// list in its middle, and one with lines of 100 KB around the device list.
TEST(HostileHostFile, HugeFilesAndLongLines)
{
    std::string history;
    for (int entry = 0; history.size() < (5u << 20); ++entry)
        history += "Entry" + std::to_string(entry) + "=2024-05-01 10:00 plotted job " + std::to_string(entry) + "\r\n";
    const std::string longText(100 * 1024, 'x');
    const std::string devices = "[PlotterSetup]\r\nNumberDevices=2\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\n";
    const std::string added = "[PlotterSetup]\r\nNumberDevices=3\r\nPlotter1=HPGL\r\nPlotter2=DMPL\r\nPlotter3=CUTTER8\r\n";
    const struct {
        const char* name;
        std::string head;
        std::string tail;
    } cases[] = {
        { "10 MB file", "[History]\r\n" + history, "[Archive]\r\n" + history },
        { "100 KB lines", "[Notes]\r\nText=" + longText + "\r\n", "[Trailer]\r\n" + longText + "\r\n" },
    };
    for (const auto& c : cases)
        Register("hostile", c.name, c.head + devices + c.tail, { 2, Added, c.head + added + c.tail });
}
