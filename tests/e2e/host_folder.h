// A fresh host folder per case, under Wine's temporary folder: keltarn.exe
// copied in beside whatever host files the case writes.
#pragma once

#include <string>

class HostFolder {
public:
    HostFolder();   // makes the folder and copies KeltarnExe() into it
    ~HostFolder();  // removes it with everything in it
    HostFolder(const HostFolder&) = delete;
    HostFolder& operator=(const HostFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const;
    std::string Program() const { return File("keltarn.exe"); }

    // Writes bytes exactly as given; replaces a directory of that name.
    void Write(const std::string& name, const std::string& bytes) const;
    // The file's bytes exactly as stored; fails the case when unreadable.
    std::string Read(const std::string& name) const;
    // Puts an empty directory where the file name was, so that the host's
    // file still counts as present but can be neither read nor written.
    void MakeDirectory(const std::string& name) const;

    // One line per entry: its name with its size and a hash of its bytes,
    // or "<dir>"; what a case compares to show that nothing changed.
    std::string Snapshot() const;

private:
    std::string path_;
};
