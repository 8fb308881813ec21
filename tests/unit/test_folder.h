// Test support: a fresh temporary folder per test, and whole-file reads and
// writes, so that every case works on real files on disk.
#pragma once

#include <string>

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder itself, and a name inside it, in the platform's own form.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// Writes bytes to path exactly as given (binary, no line-ending changes).
void WriteBytes(const std::string& path, const std::string& bytes);

// The file's bytes exactly as stored; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

// The bytes of a file in tests/fixtures.
std::string FixtureBytes(const std::string& name);
