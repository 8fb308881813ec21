// The profile stand-in edits a host file byte for byte: fixtures in
// tests/fixtures/profile hold the exact bytes before and after one write.
#include "profile.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

const std::vector<std::string> onlyHostFile = {"host.ini"};

// Fixture NAME.ini holds the bytes before the write (none: no file yet), and
// NAME.expected those after it; a refused write must leave NAME.ini as it was.
struct BytesCase {
    std::string name, fixture;
    bool fileBefore;
    std::string section, key, value;
    int result;
};

std::vector<BytesCase> BytesCases()
{
    const std::string s = "PlotterSetup", count = "NumberDevices";
    return {
        {"replace_in_place", "replace_in_place", true, s, count, "4", 1},
        {"add_before_blank_lines", "add_before_blank_lines", true, s, "Plotter2", "CUTTER8", 1},
        {"add_before_comment", "add_before_comment", true, s, "Plotter2", "CUTTER8", 1},
        {"add_to_last_line_without_ending", "add_to_last_line_without_ending", true, s,
         "Plotter1", "PEN", 1},
        {"append_section_after_last_line_without_ending",
         "append_section_after_last_line_without_ending", true, s, count, "1", 1},
        {"lf_only_add", "lf_only_add", true, s, "Plotter4", "B", 1},
        {"lf_only_replace", "lf_only_replace", true, s, count, "4", 1},
        {"lone_cr_add", "lone_cr_add", true, s, "Plotter2", "B", 1},
        {"comments_and_spacing", "comments_and_spacing", true, s, count, "3", 1},
        {"utf8_mark", "utf8_mark", true, s, count, "2", 1},
        {"duplicate_section", "duplicate_section", true, s, "Plotter2", "B", 1},
        {"duplicate_key", "duplicate_key", true, s, count, "2", 1},
        {"bare_key", "bare_key", true, s, count, "2", 1},
        {"unterminated_header", "unterminated_header", true, s, count, "2", 1},
        {"create_file", "create_file", false, s, count, "1", 1},
        {"refuse_line_break_in_value", "refuse", true, s, count, "2\r\nPlotter9=X", 0},
        {"refuse_lf_in_value", "refuse", true, s, count, "2\n", 0},
        {"refuse_cr_in_value", "refuse", true, s, count, "2\r", 0},
        {"refuse_line_break_in_key", "refuse", true, s, "Number\nDevices", "2", 0},
        {"refuse_equals_in_key", "refuse", true, s, "Plotter=2", "B", 0},
        {"refuse_blank_before_key", "refuse", true, s, " NumberDevices", "2", 0},
        {"refuse_blank_after_key", "refuse", true, s, "NumberDevices\t", "2", 0},
        {"refuse_empty_key", "refuse", true, s, "", "2", 0},
        {"refuse_header_as_key", "refuse", true, s, "[Other]x", "2", 0},
        {"refuse_bracket_in_section", "refuse", true, "Plotter]Setup", count, "2", 0},
        {"refuse_line_break_in_section", "refuse", true, "Plotter\r\nSetup", count, "2", 0},
        {"refuse_empty_section", "refuse", true, " ", count, "2", 0},
        {"refuse_utf16le_file", "utf16le_mark", true, s, count, "2", 0},
        {"refuse_utf16be_file", "utf16be_mark", true, s, count, "2", 0},
    };
}

class ProfileBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(ProfileBytes, ChangesOnlyTheWrittenLine)
{
    const BytesCase& test = GetParam();
#ifdef _WIN32
    if (test.result) GTEST_SKIP() << "Wine: rewrites the whole profile file on every write";
    GTEST_SKIP() << "Wine: makes this write; only our stand-in refuses it";
#endif
    TestFolder folder;
    std::string path = folder.File("host.ini");
    std::string fixture = "profile/" + test.fixture;
    if (test.fileBefore) WriteBytes(path, FixtureBytes(fixture + ".ini"));

    EXPECT_EQ(test.result, ProfileWriteString(test.section.c_str(), test.key.c_str(),
                                              test.value.c_str(), path.c_str()));
    EXPECT_EQ(FixtureBytes(fixture + (test.result ? ".expected" : ".ini")), ReadBytes(path));
    // The temporary file is gone, whether the write was made or refused.
    EXPECT_EQ(onlyHostFile, Entries(folder.Path()));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ProfileBytes, testing::ValuesIn(BytesCases()),
                         [](const testing::TestParamInfo<BytesCase>& info) {
                             return info.param.name;
                         });

// The host keeps its file's permissions after we replace it.
TEST(ProfileBytes, KeepsPermissions)
{
#ifdef _WIN32
    GTEST_SKIP() << "Wine: has no POSIX permission bits to keep";
#endif
    TestFolder folder;
    std::string path = folder.File("host.ini");
    WriteBytes(path, "[PlotterSetup]\r\nNumberDevices=1\r\n");
    fs::perms wanted = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, wanted);

    ASSERT_EQ(1, ProfileWriteString("PlotterSetup", "NumberDevices", "2", path.c_str()));
    EXPECT_EQ(wanted, fs::status(path).permissions());
    EXPECT_EQ(2, ProfileReadInt("PlotterSetup", "NumberDevices", 1, path.c_str()));
}

// A write that fails part way (a file-size limit stands in for a full disk)
// leaves the host file as it was, and no temporary file beside it.
TEST(ProfileBytes, FailedWriteLeavesTheFileAsItWas)
{
#ifdef _WIN32
    GTEST_SKIP() << "Wine: the platform writes its own way; this faults our stand-in's write";
#else
    TestFolder folder;
    std::string path = folder.File("host.ini");
    std::string before = "[PlotterSetup]\r\nNumberDevices=1\r\n;" + std::string(4000, '-') + "\r\n";
    WriteBytes(path, before);
    struct rlimit normal;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &normal));
    struct rlimit small = normal;
    small.rlim_cur = 1000;
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    int result = ProfileWriteString("PlotterSetup", "Plotter1", "PEN", path.c_str());
    setrlimit(RLIMIT_FSIZE, &normal);
    std::signal(SIGXFSZ, handler);

    EXPECT_EQ(0, result);
    EXPECT_EQ(before, ReadBytes(path));
    EXPECT_EQ(onlyHostFile, Entries(folder.Path()));
#endif
}

// Something at the path that cannot be opened is never replaced by a new file.
TEST(ProfileBytes, NeverReplacesWhatItCannotRead)
{
#ifdef _WIN32
    GTEST_SKIP() << "Wine: symbolic links need privileges on Windows";
#else
    TestFolder folder;
    std::string path = folder.File("host.ini");
    fs::create_symlink("host.ini", path);   // a loop: opening it fails

    EXPECT_EQ(0, ProfileWriteString("PlotterSetup", "NumberDevices", "2", path.c_str()));
    EXPECT_EQ(5, ProfileReadInt("PlotterSetup", "NumberDevices", 5, path.c_str()));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(onlyHostFile, Entries(folder.Path()));
#endif
}

}  // namespace
