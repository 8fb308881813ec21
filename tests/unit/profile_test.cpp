// The profile operations: one table of behaviour, run natively against our
// stand-in and under Wine against the platform's own profile API.
#include "profile.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// What is at the profile's path before the calls.
enum class Start { File, NoFile, Directory, NoFolder };

struct WriteCall {
    std::string section, key, value;
    int result;
};

struct ReadCall {
    std::string section, key;
    int fallback;
    int result;
};

struct BehaviourCase {
    std::string name;
    Start start;
    std::string before;
    std::vector<WriteCall> writes;   // made first, in order
    std::vector<ReadCall> reads;     // then these read back
};

// How the platform reads one value as an integer: each line is one case.
struct NumberCase {
    std::string name, value;
    int result;
};

std::vector<NumberCase> NumberCases()
{
    std::string zeros28(28, '0');
    return {
        {"hex", "0x10", 16}, {"hex_any_case", "0xfF", 255}, {"octal", "0o17", 15},
        {"binary", "0b101", 5}, {"upper_case_prefix_stops", "0X10", 0},
        {"binary_stops_at_2", "0b102", 2}, {"leading_zero_is_decimal", "010", 10},
        {"negative", "-5", -5}, {"plus", "+5", 5}, {"negative_hex", "-0x10", -16},
        {"blank_after_sign", "- 5", 0}, {"double_quoted", "\"12\"", 12},
        {"single_quoted", "'7'", 7}, {"blank_inside_quotes", "\" 5\"", 5},
        {"opening_quote_only", "\"12", 0}, {"closing_quote_only", "12\"", 12},
        {"mismatched_quotes", "'7\"", 0}, {"empty_quotes", "\"\"", -1},
        {"digits_then_text", "4abc", 4}, {"digits_then_blank", "1 2", 1},
        {"blanks_around", " 7 ", 7}, {"tabs_around", "\t7\t", 7}, {"not_a_number", "abc", 0},
        {"prefix_only", "0x", 0}, {"empty", "", -1}, {"blanks_only", "   ", -1},
        {"wraps", "4294967297", 1}, {"wraps_far", "99999999999", 1215752191},
        {"past_int_max", "2147483648", INT_MIN}, {"below_int_min", "-2147483649", INT_MAX},
        {"twenty_nine_digits", std::string(29, '1'), 1729917383},
        {"thirty_digits", "123456789012345678901234567890", 1849262357},
        {"twenty_ninth_char_counts", zeros28 + "5", 5},
        {"thirtieth_char_ignored", zeros28 + "05", 0},
        {"quoted_fits", "\"" + zeros28.substr(1) + "7\"", 7},
        {"quoted_closing_quote_cut", "\"" + zeros28 + "7\"", 0},
        {"quoted_too_long", "\"" + zeros28 + "79\"", 7},
    };
}

std::vector<BehaviourCase> BehaviourCases()
{
    const std::string host = "[PlotterSetup]\r\nNumberDevices=3\r\n";
    std::vector<BehaviourCase> cases = {
        {"names_any_case", Start::File, host, {},
         {{"plottersetup", "NUMBERDEVICES", 1, 3}, {"PlotterSetup", "NumberDevices", 1, 3}}},
        {"blanks_around_names", Start::File, "  [ s ]  \r\n \t k \t=\t 7 \r\n", {},
         {{"s", "k", 1, 7}, {" s ", " k ", 1, 7}}},
        {"control_blanks_around_names", Start::File, "[\vs\v]\r\n\x1a k \f=\x1a" "7\r\n", {},
         {{"s", "k", 1, 7}}},
        {"inner_blanks_count", Start::File, "[s]\r\nmy key=5\r\n", {},
         {{"s", "my key", -1, 5}, {"s", "my  key", -1, -1}}},
        {"value_after_first_equals", Start::File, "[s]\r\nk=5=6\r\nj==5\r\n", {},
         {{"s", "k", -1, 5}, {"s", "j", -1, 0}}},
        {"bare_key_has_no_value", Start::File, "[s]\r\nk\r\n", {}, {{"s", "k", 6, 6}}},
        {"missing_file", Start::NoFile, "", {}, {{"s", "k", 7, 7}}},
        {"missing_section", Start::File, "[other]\r\nk=1\r\n", {}, {{"s", "k", 7, 7}}},
        {"missing_key", Start::File, "[s]\r\nj=1\r\n[t]\r\nk=2\r\n", {},
         {{"s", "k", 7, 7}, {"t", "k", 7, 2}}},
        {"first_of_duplicate_sections", Start::File, "[s]\r\nk=1\r\n[S]\r\nk=2\r\nj=3\r\n", {},
         {{"s", "k", -1, 1}, {"s", "j", -1, -1}}},
        {"first_of_duplicate_keys", Start::File, "[s]\r\nk=1\r\nK=2\r\n", {}, {{"s", "k", -1, 1}}},
        {"semicolon_starts_no_comment", Start::File, "[s]\r\n;k=5\r\n", {},
         {{"s", "k", -1, -1}, {"s", ";k", -1, 5}}},
        {"unterminated_header", Start::File, "[t]\r\n[s\r\nk=7\r\n", {},
         {{"t", "k", -1, 7}, {"s", "k", -1, -1}}},
        {"text_after_header", Start::File, "[s] ; devices\r\nk=7\r\n", {}, {{"s", "k", -1, 7}}},
        {"last_bracket_ends_header", Start::File, "[s]x]\r\nk=7\r\n", {},
         {{"s]x", "k", -1, 7}, {"s", "k", -1, -1}}},
        {"lf_only", Start::File, "[s]\nk=4\nj=5\n", {}, {{"s", "k", -1, 4}, {"s", "j", -1, 5}}},
        {"lone_cr", Start::File, "[s]\rk=4\rj=5", {}, {{"s", "k", -1, 4}, {"s", "j", -1, 5}}},
        {"no_final_line_ending", Start::File, "[s]\r\nk=4", {}, {{"s", "k", -1, 4}}},
        {"nul_ends_value", Start::File, "[s]\r\nk=4\0"s "5\r\nj=6\r\n", {},
         {{"s", "k", -1, 4}, {"s", "j", -1, 6}}},
        {"utf8_mark", Start::File, "\xef\xbb\xbf" + host, {},
         {{"PlotterSetup", "NumberDevices", 1, 3}}},
        {"utf16le_mark", Start::File, "\xff\xfe[\0s\0]\0\r\0\n\0k\0=\0008\0\r\0\n\0"s, {},
         {{"s", "k", -1, 8}}},
        {"utf16be_mark", Start::File, "\xfe\xff\0[\0s\0]\0\r\0\n\0k\0=\0008\0\r\0\n"s, {},
         {{"s", "k", -1, 8}}},
        {"directory_in_the_way", Start::Directory, "", {{"s", "k", "1", 0}}, {{"s", "k", 7, 7}}},
        {"missing_folder", Start::NoFolder, "", {{"s", "k", "1", 0}}, {{"s", "k", 7, 7}}},
        {"write_creates_file", Start::NoFile, "", {{"PlotterSetup", "NumberDevices", "1", 1}},
         {{"PlotterSetup", "NumberDevices", 5, 1}}},
        {"write_creates_section", Start::File, "[other]\r\nj=1", {{"s", "k", "2", 1}},
         {{"s", "k", -1, 2}, {"other", "j", -1, 1}}},
        {"write_adds_key", Start::File, "[s]\r\nk=1\r\n\r\n\r\n[t]\r\nj=1\r\n",
         {{"s", "n", "2", 1}},
         {{"s", "n", -1, 2}, {"s", "k", -1, 1}, {"t", "j", -1, 1}, {"t", "n", -1, -1}}},
        {"write_replaces", Start::File, "[s]\r\n  k  =  1  \r\nj=3\r\n", {{"S", "K", "2", 1}},
         {{"s", "k", -1, 2}, {"s", "j", -1, 3}}},
        {"write_same_value", Start::File, "[s]\r\nk=1\r\n", {{"s", "k", "1", 1}},
         {{"s", "k", -1, 1}}},
        {"write_registration", Start::File, host,
         {{"PlotterSetup", "Plotter4", "CUTTER8", 1}, {"PlotterSetup", "NumberDevices", "4", 1}},
         {{"PlotterSetup", "NumberDevices", 1, 4}, {"PlotterSetup", "Plotter4", -1, 0}}},
        {"write_first_of_duplicate_sections", Start::File, "[s]\r\nk=1\r\n[s]\r\nk=2\r\n",
         {{"s", "k", "5", 1}, {"s", "n", "6", 1}}, {{"s", "k", -1, 5}, {"s", "n", -1, 6}}},
        {"write_first_of_duplicate_keys", Start::File, "[s]\r\nk=1\r\nk=2\r\n",
         {{"s", "k", "5", 1}},
         {{"s", "k", -1, 5}}},
        {"write_empty_value", Start::File, "[s]\r\nk=1\r\n", {{"s", "k", "", 1}},
         {{"s", "k", 7, 7}}},
        {"write_bare_key", Start::File, "[s]\r\nk\r\n", {{"s", "k", "3", 1}}, {{"s", "k", -1, 3}}},
        {"write_beside_unterminated_header", Start::File, "[s\r\nk=1\r\n", {{"s", "k", "2", 1}},
         {{"s", "k", -1, 2}}},
        {"write_lf_only", Start::File, "[s]\nk=1\n", {{"s", "k", "2", 1}, {"s", "n", "3", 1}},
         {{"s", "k", -1, 2}, {"s", "n", -1, 3}}},
        {"write_lone_cr", Start::File, "[s]\r\nk=4\rj=5\r\n", {{"s", "j", "6", 1}},
         {{"s", "k", -1, 4}, {"s", "j", -1, 6}}},
        {"write_utf8_mark", Start::File, "\xef\xbb\xbf" + host,
         {{"PlotterSetup", "NumberDevices", "4", 1}}, {{"PlotterSetup", "NumberDevices", 1, 4}}},
        {"write_section_with_blanks", Start::File, "[s]\r\nk=1\r\n", {{" s ", "k", "5", 1}},
         {{"s", "k", -1, 5}}},
        {"write_value_with_blanks", Start::File, "[s]\r\nk=1\r\n", {{"s", "k", " 5 ", 1}},
         {{"s", "k", -1, 5}}},
    };
    for (const NumberCase& number : NumberCases()) {
        cases.push_back({"number_" + number.name, Start::File, "[s]\r\nk=" + number.value + "\r\n",
                         {}, {{"s", "k", -1, number.result}}});
    }
    return cases;
}

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class ProfileBehaviour : public testing::TestWithParam<BehaviourCase> {};

TEST_P(ProfileBehaviour, ReadsBackAsThePlatformDoes)
{
    const BehaviourCase& test = GetParam();
    TestFolder folder;
    std::string path = folder.File("host.ini");
    if (test.start == Start::File) WriteBytes(path, test.before);
    if (test.start == Start::Directory) fs::create_directory(path);
    if (test.start == Start::NoFolder) {
        path = folder.File((fs::path("missing") / "host.ini").string());
    }

    bool wrote = false;
    for (const WriteCall& call : test.writes) {
        SCOPED_TRACE("write [" + call.section + "] " + call.key + "=" + call.value);
        int result = ProfileWriteString(call.section.c_str(), call.key.c_str(), call.value.c_str(),
                                        path.c_str());
        EXPECT_EQ(call.result, result);
        wrote = wrote || result;
    }
    for (const ReadCall& call : test.reads) {
        SCOPED_TRACE("read [" + call.section + "] " + call.key);
        EXPECT_EQ(call.result, ProfileReadInt(call.section.c_str(), call.key.c_str(), call.fallback,
                                              path.c_str()));
    }
    // Nothing is left behind beside the profile, not even after a failure.
    bool present = test.start == Start::File || test.start == Start::Directory ||
                   (test.start == Start::NoFile && wrote);
    EXPECT_EQ(present ? std::set<std::string>{"host.ini"} : std::set<std::string>{},
              Entries(folder.Path()));
    if (test.start == Start::Directory) {
        EXPECT_TRUE(fs::is_directory(path));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileBehaviour, testing::ValuesIn(BehaviourCases()),
                         [](const testing::TestParamInfo<BehaviourCase>& info) {
                             return info.param.name;
                         });

}  // namespace
