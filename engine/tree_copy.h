#pragma once
// What the folder-tree copy (CopyFolderTree, vtutils.h) reports of each file
// it could not place, the error codes of its own, and how long it waits for a
// file in use.
#include <windows.h>

#include <string>

namespace engine {

// A folder stands where a file of the copy must go.
constexpr DWORD kErrorFolderInTheWay = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED
// A source file is not what the seal lists: other content, another size, or
// not listed at all (reported as a source that cannot be read).
constexpr DWORD kErrorSealBroken = ERROR_FILE_CORRUPT;

// A file (or, with a trailing backslash, a whole source folder) that was not
// copied for a reason other than "the target already has it and keeps it".
// relativePath is relative to the source folder; it is empty when the target
// folder itself could not be created. After CopyFolderFailed the last entry is
// the file whose folder could not be made. error is the system error code.
// A file that is on the overwrite list but read-only in the target reports
// ERROR_FILE_READ_ONLY: it is never replaced.
struct CopyFailure {
    std::wstring relativePath;
    DWORD error;
    bool unreadableSource = false;  // the source could not be read; the target is not at fault
};

// A file in use (a sharing violation or lock, on the target or on the
// medium) is tried again for this long before it counts as a failure: virus
// scanners hold freshly written files for a moment.
constexpr DWORD kLockRetryTries = 9;
constexpr DWORD kLockRetryPauseMs = 250;

}  // namespace engine
