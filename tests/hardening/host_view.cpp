// Test support: reading a whole host file through the platform's profile API.
#include "host_view.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cctype>

namespace {

bool SameName(std::string a, std::string b)
{
    auto fold = [](std::string& s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    fold(a);
    fold(b);
    return a == b;
}

void SetEntry(std::vector<std::string>& entries, const std::string& key, const std::string& value)
{
    for (std::string& entry : entries) {
        std::string name = entry.substr(0, entry.find('='));
        if (SameName(name, key)) {
            entry = name + "=" + value;
            return;
        }
    }
    entries.push_back(key + "=" + value);
}

} // namespace

#ifdef _WIN32
const bool platformReadsSections = true;

SectionsRead ReadEverySection(const std::string& path)
{
    // Large enough for the 10 MB host file of the tests.
    std::vector<char> buffer(24 << 20);
    SectionsRead reading;
    DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> names;
    for (const char* name = buffer.data(); name < buffer.data() + length && *name; name += strlen(name) + 1)
        names.push_back(name);
    for (const std::string& name : names) {
        length = GetPrivateProfileSectionA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        std::vector<std::string> entries;
        for (const char* entry = buffer.data(); entry < buffer.data() + length && *entry; entry += strlen(entry) + 1)
            entries.push_back(entry);
        reading.emplace_back(name, entries);
    }
    return reading;
}
#else
const bool platformReadsSections = false;

SectionsRead ReadEverySection(const std::string&)
{
    return {};
}
#endif

SectionsRead AfterRegistration(SectionsRead reading, int count, const std::string& stem)
{
    const std::string number = std::to_string(count);
    bool found = false;
    for (auto& section : reading) {
        if (!SameName(section.first, "PlotterSetup"))
            continue;
        // Duplicate sections all read as the first, which is the one written.
        SetEntry(section.second, "Plotter" + number, stem);
        SetEntry(section.second, "NumberDevices", number);
        found = true;
    }
    if (!found)
        reading.emplace_back("PlotterSetup", std::vector<std::string>{ "Plotter" + number + "=" + stem, "NumberDevices=" + number });
    return reading;
}
