#pragma once
// What the install tests of every kind share: the payload beside the test
// program, folders the user may not write to, a disk that fills up, and the
// shortcuts an installation leaves.
#include <windows.h>

#include <map>
#include <string>

namespace testing_support {

// A RunImage folder beside the running test program, as the installer finds
// its payload; removed again when the object ends.
class RunImageBeside {
public:
    RunImageBeside();
    ~RunImageBeside();
    RunImageBeside(const RunImageBeside&) = delete;
    RunImageBeside& operator=(const RunImageBeside&) = delete;
    const std::wstring& path() const { return path_; }  // with a trailing backslash
    static const std::map<std::wstring, std::string>& Files();

private:
    std::wstring path_;
};

// Takes the host's write permission away from a folder while it lives: under
// Wine a folder the user may not write to is a folder of another owner or mode.
// Not enforced where there is no host, or for root.
class WritesDenied {
public:
    explicit WritesDenied(const std::wstring& folder);
    ~WritesDenied();
    WritesDenied(const WritesDenied&) = delete;
    WritesDenied& operator=(const WritesDenied&) = delete;
    bool enforced() const { return enforced_; }

private:
    std::wstring folder_;
    bool enforced_ = false;
};

// A small file system of its own (the test script mounts one and names it in
// VEL_SMALL_DISK), which Fill() fills to the last byte.
class SmallDisk {
public:
    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool available() const { return !root_.empty(); }
    std::wstring operator/(const std::wstring& relative) const { return root_ + L"\\" + relative; }
    void Fill();
    void Free();

private:
    std::wstring root_;  // a fresh folder on the small disk
};

// Expects the shell link file to start the installed program in the folder it
// was installed to (without a trailing backslash).
void ExpectLinkTo(const std::wstring& file, const std::wstring& installed);

}  // namespace testing_support
