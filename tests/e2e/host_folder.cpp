// Host folders for the end-to-end cases: real files in Wine's temp folder.
#include "host_folder.h"

#include "keltarn_ids.h"
#include "windows_seen.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

HostFolder::HostFolder()
{
    static int serial = 0;
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH)
        Fail("no temporary folder (GetTempPathA failed)");
    path_ = std::string(temp) + "keltarn-e2e-" + std::to_string(GetCurrentProcessId()) + "-"
        + std::to_string(++serial);
    std::error_code error;
    fs::remove_all(path_, error);
    if (!fs::create_directory(path_, error))
        Fail("cannot make the host folder " + path_ + ": " + error.message());
    if (!CopyFileA(KeltarnExe(), Program().c_str(), FALSE))
        Fail(std::string("cannot copy ") + KeltarnExe() + " to " + Program()
            + " (error " + std::to_string(GetLastError()) + ")");
}

HostFolder::~HostFolder()
{
    // A program killed a moment ago may still hold its file for a while.
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        fs::remove_all(path_, error);
        if (!error)
            return;
        Sleep(100);
    }
}

std::string HostFolder::File(const std::string& name) const
{
    return path_ + "\\" + name;
}

void HostFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::error_code error;
    if (fs::is_directory(File(name), error))
        fs::remove_all(File(name), error);
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("cannot write " + File(name));
}

std::string HostFolder::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    if (!in)
        Fail("cannot read " + File(name));
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void HostFolder::MakeDirectory(const std::string& name) const
{
    std::error_code error;
    fs::remove(File(name), error);
    if (!fs::create_directory(File(name), error))
        Fail("cannot make the directory " + File(name) + ": " + error.message());
}

std::string HostFolder::Snapshot() const
{
    std::set<std::string> lines;
    for (const auto& entry : fs::directory_iterator(path_)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            lines.insert(name + " <dir>");
            continue;
        }
        std::string bytes = Read(name);
        lines.insert(name + " " + std::to_string(bytes.size()) + " bytes, hash "
                     + std::to_string(std::hash<std::string>{}(bytes)));
    }
    std::string listing;
    for (const std::string& line : lines)
        listing += line + "\n";
    return listing;
}
