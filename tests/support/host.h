#pragma once
// The Linux host below Wine, for what only it can arrange: links, rights, the
// removal of trees holding links. Each helper says when there is no host.
#include <windows.h>

#include <string>

namespace testing_support {

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

// The time now as the host's scripts read it: milliseconds since 1970.
long long UnixMillis();

// Wine running as root writes onto read-only files; Windows refuses.
bool PlatformEnforcesReadOnly();
#define SKIP_UNLESS_READ_ONLY_ENFORCED()                                         \
    if (!::testing_support::PlatformEnforcesReadOnly())                          \
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

}  // namespace testing_support
