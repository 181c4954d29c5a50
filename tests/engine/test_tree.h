#pragma once
// Real folder trees in a fresh temporary folder for the engine tests.
#include <windows.h>

#include <ostream>
#include <string>

#include "vtutils.h"

class TestTree {
public:
    TestTree();
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    // Full path of relative, which may be empty (the root, with a backslash).
    std::wstring Path(const std::wstring& relative) const { return root_ + relative; }
    // Writes text into relative, creating its folders.
    void Write(const std::wstring& relative, const std::string& text) const;
    std::string Read(const std::wstring& relative) const;  // "<missing>" if absent
    bool Exists(const std::wstring& relative) const;
    DWORD Attributes(const std::wstring& relative) const;
    void MakeFolder(const std::wstring& relative) const;

private:
    std::wstring root_;
};

// Runs a host shell command and waits for it to end. Wine starts native
// programs through CreateProcessW but hands out no process handle for them, so
// the command leaves a marker file behind. False where there is no host.
bool RunHostCommand(const std::wstring& command);
// Host paths go inside single quotes in such commands.
std::wstring HostQuoted(const std::wstring& windowsPath);
// The host's path of a Windows path; empty when there is no host below.
std::wstring HostPath(const std::wstring& windowsPath);

// Makes linkPath a host symbolic link to hostTarget; false where impossible.
bool MakeHostLink(const std::wstring& linkPath, const std::wstring& hostTarget);

// Wine running as root writes onto read-only files; Windows refuses.
bool PlatformEnforcesReadOnly();
#define SKIP_UNLESS_READ_ONLY_ENFORCED()                                         \
    if (!PlatformEnforcesReadOnly())                                             \
    GTEST_SKIP() << "platform does not enforce read-only (Wine as root)"

// Holds a file open with no sharing, as another program writing it would.
class LockedFile {
public:
    explicit LockedFile(const std::wstring& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool locked() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

inline bool operator==(const CopyFailure& a, const CopyFailure& b) {
    return a.relativePath == b.relativePath && a.error == b.error &&
           a.unreadableSource == b.unreadableSource;
}
void PrintTo(const CopyFailure& failure, std::ostream* out);
