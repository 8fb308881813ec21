// Profile file access where there is no Windows: reads and edits profile files
// as the Windows profile API does, but leaves every byte it need not touch.
#include "profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One line of a file: its text, blanks around it left out, is [begin, end);
// the next line starts at next, after this one's CR LF, LF or lone CR, if any.
struct Line {
    size_t begin, end, next;
    bool ended;
};

// A key line: name=value, the value (blanks around it left out) being
// [valueStart, valueEnd), or a bare name with no '=', which has no value.
struct KeyLine {
    std::string name;
    bool hasValue;
    size_t valueStart, valueEnd;
};

// Where a key is, or where it would go: the first section of the wanted name
// and the first key of the wanted name in it.
struct Place {
    const Line* lastEntry = nullptr;  // the section's header or its last entry
    bool keyFound = false;
    KeyLine key{};
};

// The platform counts these as blanks around names and values (0x1A is the
// old end-of-file mark).
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

void Trim(const std::string& text, size_t& begin, size_t& end)
{
    while (begin < end && IsBlank(text[begin])) begin++;
    while (end > begin && IsBlank(text[end - 1])) end--;
}

// A name as the platform compares it: blanks around it dropped, and cut at a
// NUL, since names are compared as C strings.
std::string NameText(const std::string& text, size_t begin, size_t end)
{
    Trim(text, begin, end);
    std::string name = text.substr(begin, end - begin);
    return name.substr(0, name.find('\0'));
}

std::string Trimmed(const char* name)
{
    return NameText(name, 0, std::strlen(name));
}

// Names match regardless of ASCII case, and only of ASCII case.
bool SameName(const std::string& a, const std::string& b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    auto same = [&](char x, char y) { return lower(x) == lower(y); };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

// The lines of a file, after its UTF-8 byte-order mark if it has one.
std::vector<Line> SplitLines(const std::string& text)
{
    std::vector<Line> lines;
    size_t mark = text.compare(0, 3, "\xef\xbb\xbf") == 0 ? 3 : 0;
    for (size_t begin = mark; begin < text.size();) {
        size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        size_t next = end + (end < text.size()) + (text.compare(end, 2, "\r\n") == 0);
        Line line{begin, end, next, next > end};
        Trim(text, line.begin, line.end);
        lines.push_back(line);
        begin = next;
    }
    return lines;
}

// A line that starts with '[' and has a ']' after it heads a section: its name
// runs to the last ']', and whatever follows that is ignored.
bool IsSectionHeader(const std::string& text, const Line& line, std::string& name)
{
    if (line.begin == line.end || text[line.begin] != '[') return false;
    size_t close = line.end - 1;
    while (close > line.begin && text[close] != ']') close--;
    if (close == line.begin) return false;
    name = NameText(text, line.begin + 1, close);
    return true;
}

// Any other line that is not blank is a key line; the name ends at the first '='.
KeyLine ReadKeyLine(const std::string& text, const Line& line)
{
    size_t begin = line.begin, end = line.end;
    const void* equals = std::memchr(text.data() + begin, '=', end - begin);
    if (!equals) return {NameText(text, begin, end), false, end, end};
    size_t at = static_cast<const char*>(equals) - text.data();
    size_t valueStart = at + 1;
    while (valueStart < end && IsBlank(text[valueStart])) valueStart++;
    return {NameText(text, begin, at), true, valueStart, end};
}

// The nameless section is the part before the first header.
Place FindKey(const std::string& text, const std::vector<Line>& lines,
              const std::string& section, const std::string& key)
{
    Place place;
    bool inside = section.empty();
    for (const Line& line : lines) {
        std::string name;
        if (IsSectionHeader(text, line, name)) {
            if (inside) break;
            inside = SameName(name, section);
            if (inside) place.lastEntry = &line;
            continue;
        }
        if (!inside || line.begin == line.end) continue;
        // A new key goes after the last entry, not after a comment that may
        // head what follows (to the platform a comment is a key like any other).
        if (text[line.begin] != ';') place.lastEntry = &line;
        KeyLine entry = ReadKeyLine(text, line);
        if (SameName(entry.name, key)) {
            place.keyFound = true;
            place.key = entry;
            break;
        }
    }
    return place;
}

bool HasUtf16Mark(const std::string& bytes)
{
    return bytes.compare(0, 2, "\xff\xfe") == 0 || bytes.compare(0, 2, "\xfe\xff") == 0;
}

// The platform reads a file that starts with a UTF-16 byte-order mark as
// UTF-16 (and writes it so: we refuse to write one rather than ruin it), and
// skips a UTF-8 mark. The names and numbers we look for are ASCII: a unit
// beyond ASCII becomes '?', which can be part of no number.
std::string NarrowFromUtf16(const std::string& bytes)
{
    bool little = bytes[0] == '\xff';
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned char first = bytes[i], second = bytes[i + 1];
        unsigned unit = little ? first | second << 8 : first << 8 | second;
        text += unit < 0x80 ? char(unit) : '?';
    }
    return text;
}

// The platform reads a value into 30 characters, so at most 29 count; quotes
// around the whole value are dropped, the closing one only if it fitted.
std::string ValueAsRead(std::string value)
{
    const size_t room = 29;
    value = value.substr(0, value.find('\0'));
    bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                  value.back() == value[0];
    if (!quoted) return value.substr(0, room);
    value.erase(0, 1);
    bool closingFitted = value.size() <= room + 1;
    value.resize(std::min(value.size(), room));
    if (closingFitted) value.pop_back();
    return value;
}

// As the platform reads numbers: control characters and blanks skipped, one
// sign, a lower-case 0x, 0o or 0b prefix, digits up to the first that is not
// one, and the result taken modulo 2^32.
int ParseInteger(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') i++;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) i++;
    std::string prefix = text.substr(i, 2);
    uint32_t base = prefix == "0x" ? 16 : prefix == "0o" ? 8 : prefix == "0b" ? 2 : 10;
    if (base != 10) i += 2;
    uint32_t total = 0;
    for (; i < text.size(); i++) {
        unsigned char c = std::tolower(static_cast<unsigned char>(text[i]));
        uint32_t digit = std::isdigit(c) ? c - '0' : std::isalpha(c) ? c - 'a' + 10 : 99;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<int>(negative ? 0u - total : total);
}

// The whole of a regular file. A missing file reads as empty, with st_mode 0
// in info; a directory or anything else that is not a readable file fails.
bool LoadFile(const char* path, std::string& bytes, struct stat& info)
{
    info.st_mode = 0;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char chunk[65536];
    for (ssize_t got = 1; ok && got != 0;) {
        got = read(fd, chunk, sizeof chunk);
        ok = got >= 0 || errno == EINTR;
        if (got > 0) bytes.append(chunk, got);
    }
    close(fd);
    return ok;
}

// Writes bytes to a new file beside path, then renames it over path: at every
// moment path holds either the old content or the new, never part of one.
bool ReplaceFile(const char* path, const std::string& bytes, const struct stat* old)
{
    std::string temp = std::string(path) + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) return false;
    mode_t umaskNow = umask(0);
    umask(umaskNow);
    mode_t mode = old ? old->st_mode & 07777 : 0666 & ~umaskNow;
    bool ok = fchmod(fd, mode) == 0;
    for (size_t done = 0; ok && done < bytes.size();) {
        ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        ok = put > 0 || (put < 0 && errno == EINTR);
        done += put > 0 ? put : 0;
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

// We edit someone else's file: refuse what would break its lines, start a
// section header or hide part of the name, rather than write it.
bool IsSafeWrite(const std::string& section, const std::string& key, const char* value)
{
    return !section.empty() && section.find_first_of("\r\n]") == std::string::npos &&
           !key.empty() && key.find_first_of("\r\n=") == std::string::npos && key[0] != '[' &&
           !IsBlank(key[0]) && !IsBlank(key.back()) && std::strpbrk(value, "\r\n") == nullptr;
}

}  // namespace

int ProfileReadInt(const char* section, const char* key, int fallback, const char* path)
{
    std::string text;
    struct stat info;
    if (!section || !key || !path || !LoadFile(path, text, info)) return fallback;
    if (HasUtf16Mark(text)) text = NarrowFromUtf16(text);
    std::vector<Line> lines = SplitLines(text);
    Place place = FindKey(text, lines, Trimmed(section), Trimmed(key));
    if (!place.keyFound || !place.key.hasValue) return fallback;
    const KeyLine& found = place.key;
    size_t length = found.valueEnd - found.valueStart;
    std::string value = ValueAsRead(text.substr(found.valueStart, length));
    return value.empty() ? fallback : ParseInteger(value);
}

int ProfileWriteString(const char* section, const char* key, const char* value, const char* path)
{
    if (!section || !key || !value || !path) return 0;
    std::string name = Trimmed(section);
    std::string text;
    struct stat info;
    if (!IsSafeWrite(name, key, value) || !LoadFile(path, text, info)) return 0;
    if (HasUtf16Mark(text)) return 0;
    std::vector<Line> lines = SplitLines(text);
    Place place = FindKey(text, lines, name, key);
    std::string entry = std::string(key) + "=" + value + "\r\n";
    std::string updated;
    if (place.keyFound) {
        const KeyLine& found = place.key;
        updated = text.substr(0, found.valueStart) + (found.hasValue ? "" : "=") + value +
                  text.substr(found.valueEnd);
    } else if (place.lastEntry) {
        size_t at = place.lastEntry->next;
        std::string lineEnd = place.lastEntry->ended ? "" : "\r\n";
        updated = text.substr(0, at) + lineEnd + entry + text.substr(at);
    } else {
        bool ended = lines.empty() || lines.back().ended;
        updated = text + (ended ? "" : "\r\n") + "[" + name + "]\r\n" + entry;
    }
    return ReplaceFile(path, updated, info.st_mode ? &info : nullptr) ? 1 : 0;
}
