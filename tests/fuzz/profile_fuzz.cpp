// Fuzz target of the profile stand-in: an arbitrary host file, then one
// ProfileWriteString of arbitrary section, key and value, checked against what
// the write promises. Input: "section\nkey\nvalue\n" and then the file's bytes.
#include "profile.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string folder;
std::string hostPath;

#define REQUIRE(condition, what)                                             \
    do {                                                                     \
        if (!(condition)) {                                                  \
            std::fprintf(stderr, "profile_fuzz: %s (%s)\n", what, #condition); \
            std::abort();                                                    \
        }                                                                    \
    } while (0)

void RemoveFolder()
{
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, ".."))
                unlink((folder + "/" + entry->d_name).c_str());
        closedir(dir);
    }
    rmdir(folder.c_str());
}

// Names in the folder other than the host file.
int StrayFiles()
{
    int stray = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            stray += std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, "..")
                && std::strcmp(entry->d_name, "Velmora5.ini");
        closedir(dir);
    }
    return stray;
}

void Store(const std::string& bytes)
{
    std::FILE* out = std::fopen(hostPath.c_str(), "wb");
    REQUIRE(out, "cannot make the host file");
    REQUIRE(std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(), "cannot write the host file");
    std::fclose(out);
}

std::string Load()
{
    std::string bytes;
    if (std::FILE* in = std::fopen(hostPath.c_str(), "rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            bytes.append(buffer, got);
        std::fclose(in);
    }
    return bytes;
}

// Lines with their endings (CR LF, LF or a lone CR); the last may have none.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

bool Ended(const std::string& line)
{
    return !line.empty() && (line.back() == '\n' || line.back() == '\r');
}

// The blanks the platform drops around names.
std::string Trimmed(std::string name)
{
    const char* blanks = " \t\v\f\x1a";
    size_t begin = name.find_first_not_of(blanks);
    if (begin == std::string::npos)
        return "";
    return name.substr(begin, name.find_last_not_of(blanks) - begin + 1);
}

// A name as the platform compares it: blanks around it dropped, then cut at a
// NUL, as names are compared as C strings.
std::string NameAsRead(const std::string& name)
{
    return Trimmed(name).c_str();
}

// The section a header line names, as the platform reads it; false when the
// line heads no section.
bool HeaderName(const std::string& line, std::string& name)
{
    std::string text = Trimmed(line.substr(0, line.find_first_of("\r\n")));
    size_t close = text.rfind(']');
    if (text.empty() || text[0] != '[' || close == std::string::npos || close == 0)
        return false;
    name = NameAsRead(text.substr(1, close - 1));
    return true;
}

// A value the platform reads back as exactly this integer.
bool PlainNumber(const std::string& value, int& number)
{
    if (value.empty())
        return false;
    size_t digits = value.size() - (value[0] == '-');
    if (digits == 0 || digits > 9 || value.find_first_not_of("-0123456789", 0) != std::string::npos
        || value.find('-', 1) != std::string::npos)
        return false;
    number = std::atoi(value.c_str());
    return true;
}

// Every (section, key) the file might hold, from its header and key lines.
std::vector<std::pair<std::string, std::string>> Entries(const std::vector<std::string>& lines)
{
    std::vector<std::pair<std::string, std::string>> entries;
    std::string section;
    for (const std::string& line : lines) {
        std::string text = line.substr(0, line.find_first_of("\r\n"));
        size_t close = text.rfind(']');
        if (!text.empty() && text[0] == '[' && close != std::string::npos)
            section = text.substr(1, close - 1);
        else if (entries.size() < 64)
            entries.emplace_back(section, text.substr(0, text.find('=')));
    }
    return entries;
}

// A name passed to the profile functions as they take it: a C string, then
// blanks around it dropped.
std::string QueryName(const std::string& name)
{
    return Trimmed(name.c_str());
}

// Names, each already as read or as queried, match regardless of ASCII case.
bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | (a[i] >= 'A' && a[i] <= 'Z' ? 0x20 : 0)) != (b[i] | (b[i] >= 'A' && b[i] <= 'Z' ? 0x20 : 0)))
            return false;
    return true;
}

// A read that tells a missing key (both fallbacks come back) from a present one.
std::pair<int, int> Read(const std::string& section, const std::string& key)
{
    return { ProfileReadInt(section.c_str(), key.c_str(), -7, hostPath.c_str()),
        ProfileReadInt(section.c_str(), key.c_str(), -8, hostPath.c_str()) };
}

// The bytes outside one changed line, one inserted line, or one section
// appended at the end are as they were. A last line without an ending may
// gain one where a line is added after it.
void RequireOneLineChanged(const std::string& before, const std::string& after,
    const std::string& section, const std::string& key, const std::string& value)
{
    const std::string mark = "\xef\xbb\xbf";
    size_t skip = before.compare(0, 3, mark) == 0 ? 3 : 0;
    REQUIRE(after.compare(0, skip, before, 0, skip) == 0, "the byte-order mark changed");
    std::vector<std::string> old = Lines(before.substr(skip)), now = Lines(after.substr(skip));
    size_t prefix = 0, suffix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix])
        ++prefix;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix
        && old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    std::vector<std::string> removed(old.begin() + prefix, old.end() - suffix);
    std::vector<std::string> added(now.begin() + prefix, now.end() - suffix);
    const std::string entry = key + "=" + value + "\r\n";

    if (removed.empty() && added.empty())
        return; // the key already held the value
    if (removed.size() == 1 && added.size() == 1 && Ended(removed[0]) == Ended(added[0])) {
        // The key's line, with only its value changed (or "=value" added to
        // a bare key): what differs in the new line lies within "=value".
        const std::string& was = removed[0];
        const std::string& is = added[0];
        size_t same = 0, tail = 0;
        while (same < was.size() && same < is.size() && was[same] == is[same])
            ++same;
        while (tail < was.size() - same && tail < is.size() - same
            && was[was.size() - 1 - tail] == is[is.size() - 1 - tail])
            ++tail;
        std::string put = is.substr(same, is.size() - same - tail);
        REQUIRE(("=" + value).find(put) != std::string::npos, "a changed line holds more than the new value");
        REQUIRE(SameName(NameAsRead(was.substr(0, std::min(was.find('='), was.find_first_of("\r\n")))), QueryName(key)),
            "a line other than the key's changed");
        return;
    }
    size_t inserted = prefix; // where the added lines start in the new file
    if (!removed.empty()) {
        // Only a last line without an ending may change, by gaining one.
        REQUIRE(removed.size() == 1 && !added.empty() && added[0] == removed[0] + "\r\n" && !Ended(removed[0]),
            "lines other than the key's changed");
        added.erase(added.begin());
        ++inserted;
    }
    if (added.size() == 1) {
        REQUIRE(added[0] == entry, "the inserted line is not key=value");
        std::string above;
        for (size_t i = inserted; i-- > 0;)
            if (HeaderName(now[i], above))
                break;
        REQUIRE(SameName(above, QueryName(section)), "the key was inserted outside its section");
        return;
    }
    REQUIRE(added.size() == 2 && suffix == 0, "more than one line added, not at the end");
    for (const std::string& line : old) {
        std::string name;
        REQUIRE(!HeaderName(line, name) || !SameName(name, QueryName(section)), "a section was appended though it existed");
    }
    REQUIRE(added[0] == "[" + Trimmed(section.c_str()) + "]\r\n" && added[1] == entry,
        "the appended section is not [section] and key=value");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* given = std::getenv("KELTARN_FUZZ_DIR");
    std::string base = given && *given ? given : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    std::string pattern = base + "/keltarn-fuzz-XXXXXX";
    REQUIRE(mkdtemp(&pattern[0]), "cannot make the working folder");
    folder = pattern;
    hostPath = folder + "/Velmora5.ini";
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string fields[3];
    size_t at = 0;
    for (std::string& field : fields) {
        size_t end = input.find('\n', at);
        if (end == std::string::npos)
            return 0;
        field = input.substr(at, end - at);
        at = end + 1;
    }
    // Names and value are C strings: what follows a NUL is not part of them.
    const std::string section = fields[0].c_str(), key = fields[1].c_str(), value = fields[2].c_str();
    const std::string before = input.substr(at);
    Store(before);

    ProfileReadInt(section.c_str(), key.c_str(), 1, hostPath.c_str());
    std::vector<std::pair<std::string, std::string>> others = Entries(Lines(before));
    std::vector<std::pair<int, int>> readBefore;
    for (const auto& other : others)
        readBefore.push_back(Read(other.first, other.second));

    const int written = ProfileWriteString(section.c_str(), key.c_str(), value.c_str(), hostPath.c_str());
    const std::string after = Load();
    REQUIRE(StrayFiles() == 0, "a temporary file was left behind");
    if (!written) {
        REQUIRE(after == before, "a failed write changed the file");
    } else {
        RequireOneLineChanged(before, after, section, key, value);
        int number;
        if (PlainNumber(value, number))
            REQUIRE(ProfileReadInt(section.c_str(), key.c_str(), number + 1, hostPath.c_str()) == number,
                "the key does not read back as the value written");
        for (size_t i = 0; i < others.size(); ++i)
            if (!(SameName(QueryName(others[i].first), QueryName(section))
                    && SameName(QueryName(others[i].second), QueryName(key))))
                REQUIRE(Read(others[i].first, others[i].second) == readBefore[i], "another key reads differently");
    }
    unlink(hostPath.c_str());
    return 0;
}
