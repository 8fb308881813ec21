// Test support: temporary folders and whole-file reads and writes.
#include "test_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TestFolder::TestFolder()
{
    static std::atomic<int> serial{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder = fs::temp_directory_path()
        / ("keltarn-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    fs::create_directories(folder);
    path_ = folder.make_preferred().string();
}

TestFolder::~TestFolder()
{
    // Tests make files read-only; on Windows such a file cannot be removed.
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string TestFolder::File(const std::string& name) const
{
    return (fs::path(path_) / name).make_preferred().string();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string FixtureBytes(const std::string& name)
{
    std::string path = (fs::path(FIXTURE_DIR) / name).make_preferred().string();
    std::string bytes = ReadBytes(path);
    EXPECT_FALSE(bytes.empty()) << "missing fixture " << path;
    return bytes;
}
