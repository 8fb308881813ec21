// Test support for the hardening tests.
#include "hardening_support.h"

#include "text.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

void ChooseDriver(const std::string& path)
{
    ASSERT_EQ(1, CopyText(driverPath, pathBufferSize, path.c_str())) << path.size();
    AcceptDriverFile();
}

const char* ResultName(RegisterResult result)
{
    switch (result) {
    case NothingChosen: return "NothingChosen";
    case InvalidDriver: return "InvalidDriver";
    case Added: return "Added";
    case WriteFailed: return "WriteFailed";
    case CountOutOfRange: return "CountOutOfRange";
    }
    return "?";
}

namespace {

std::string Printable(const std::string& bytes, size_t from, size_t length)
{
    std::string shown;
    for (size_t i = from; i < bytes.size() && i < from + length; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            shown += hex;
        } else shown += static_cast<char>(c);
    }
    return shown;
}

} // namespace

testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual)
{
    if (expected == actual)
        return testing::AssertionSuccess();
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    size_t from = at > 40 ? at - 40 : 0;
    return testing::AssertionFailure() << "sizes " << expected.size() << " and " << actual.size()
                                       << ", first difference at byte " << at << "\n  expected: \""
                                       << Printable(expected, from, 100) << "\"\n  actual:   \""
                                       << Printable(actual, from, 100) << "\"";
}

void NoteOutcome(const std::string& table, const std::string& name, const std::string& seen)
{
    const char* path = std::getenv("KELTARN_OUTCOMES");
    if (!path || !*path)
        return;
#ifdef _WIN32
    const char* platform = "Wine";
#else
    const char* platform = "native";
#endif
    std::ofstream(path, std::ios::app) << table << "|" << name << "|" << platform << "|" << seen << "\n";
}

std::string FileChange(const std::string& before, const std::string& after)
{
    if (before == after)
        return "unchanged";
    long grown = static_cast<long>(after.size()) - static_cast<long>(before.size());
    return "changed, " + std::string(grown >= 0 ? "+" : "") + std::to_string(grown) + " bytes";
}
