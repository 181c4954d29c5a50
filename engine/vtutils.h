#pragma once
// Path helpers and the folder-tree copy of the installer. Nothing here shows
// anything or logs anything: every outcome is returned to the caller.
#include <windows.h>

#include <string>
#include <vector>

// "C:\a" -> "C:\a\"; "" and paths already ending in a backslash are unchanged.
std::wstring AddTrailingBackslash(const std::wstring& path);

// Replaces each pair of backslashes by one, left to right, without rescanning:
// a run of k backslashes becomes ceil(k/2) of them.
std::wstring CollapseDoubleBackslashes(const std::wstring& path);

// path made absolute against the current folder (and drive), as the system
// resolves it; path itself when the system cannot.
std::wstring FullPath(const std::wstring& path);

// True when path names an existing folder (a trailing backslash is allowed).
bool FolderExists(const std::wstring& path);

// Creates folder and every missing parent, one level at a time, parents first.
// True when the folder exists afterwards; otherwise false with GetLastError()
// telling why (for example ERROR_ALREADY_EXISTS when a file stands in the way).
bool CreateFolderTree(const std::wstring& folder);

// Appends the full path of every file below folder (hidden and system files
// included) depth first, in the order the file system returns the entries.
// Folders are not listed. A link to a folder is not followed.
void ListFilesRecursive(const std::wstring& folder, std::vector<std::wstring>& files);

enum CopyResult : int {
    CopyBadArguments = -1,   // empty argument, or the source is not a folder
    CopyFolderFailed = -2,   // a target folder could not be created; copy stopped
    CopyIncomplete = 0,      // some file was kept or not copied; the rest was done
    CopyComplete = 1,        // every file was copied
};

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

// Files being copied are written into this folder at the top of the target
// and renamed into place once complete; an interrupted copy's leftovers in it
// are removed by the next copy into the same target.
extern const wchar_t kStagingFolder[];

// A file in use (a sharing violation or lock on the target) is tried again for
// this long before it counts as a failure: virus scanners hold freshly written
// files for a moment.
constexpr DWORD kLockRetryTries = 9;
constexpr DWORD kLockRetryPauseMs = 250;

// Reproduces every file below source under target. A file whose path relative
// to source matches an overwrite entry (letter case ignored) replaces the
// target's copy; every other file is copied only when the target lacks it.
// Each file is written under a temporary name and renamed once complete, so a
// destination is either whole or untouched. Copied files lose their read-only
// attribute. With moveFiles each source file
// is deleted after its own successful copy. Every file that could not be
// copied is appended to failures, when given; a link to a folder is skipped.
CopyResult CopyFolderTree(const std::wstring& source, const std::wstring& target,
                          bool moveFiles,
                          const std::vector<std::wstring>* overwrite = nullptr,
                          std::vector<CopyFailure>* failures = nullptr);

// CopyFolderTree that leaves the source in place: the form the installer uses.
CopyResult CopyFolderTreeKeepSource(const std::wstring& source, const std::wstring& target,
                                    const std::vector<std::wstring>* overwrite = nullptr,
                                    std::vector<CopyFailure>* failures = nullptr);
