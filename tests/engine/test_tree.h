#pragma once
// Real folder trees in a fresh scratch folder for the engine tests, on the
// shared test support (tests/support).
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/host.h"
#include "tests/support/scratch.h"
#include "tree_copy.h"
#include "vtutils.h"

// The engine's names, unqualified, in every engine test.
using namespace engine;

// Path(relative) gives a path inside the tree; the root, with a backslash, for "".
class TestTree : public testing_support::ScratchFolder {
public:
    TestTree() : ScratchFolder(L"vel_engine", true) {}

    // Writes text into relative, creating its folders.
    void Write(const std::wstring& relative, const std::string& text) const;
    std::string Read(const std::wstring& relative) const;  // "<missing>" if absent
    bool Exists(const std::wstring& relative) const;
    DWORD Attributes(const std::wstring& relative) const;
    void MakeFolder(const std::wstring& relative) const;
};

using testing_support::HostPath;
using testing_support::HostQuoted;
using testing_support::LockedFile;
using testing_support::MakeHostLink;
using testing_support::PlatformEnforcesReadOnly;
using testing_support::RunHostCommand;

// In the engine's namespace, where a comparison of two lists of them looks.
namespace engine {
inline bool operator==(const CopyFailure& a, const CopyFailure& b) {
    return a.relativePath == b.relativePath && a.error == b.error &&
           a.unreadableSource == b.unreadableSource;
}
void PrintTo(const CopyFailure& failure, std::ostream* out);
}  // namespace engine
