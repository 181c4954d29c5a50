#pragma once
// Path helpers and the folder-tree copy of the installer; what the copy
// reports of each file it could not place is in tree_copy.h. Nothing here
// shows anything or logs anything: every outcome is returned to the caller.
#include <windows.h>

#include <string>
#include <vector>

namespace engine {

class CopyObserver;
class Seal;
struct CopyFailure;  // tree_copy.h

// "C:\a" -> "C:\a\"; "" and paths already ending in a backslash are unchanged.
std::wstring AddTrailingBackslash(const std::wstring& path);

// Replaces each pair of backslashes by one, left to right, without rescanning:
// a run of k backslashes becomes ceil(k/2) of them.
std::wstring CollapseDoubleBackslashes(const std::wstring& path);

// CollapseDoubleBackslashes for a path that may name a network share: a
// leading pair of backslashes ("\\server\share") is kept as it is and only the
// rest is collapsed.
std::wstring CollapseKeepingNetworkPrefix(const std::wstring& path);

// text without the white space around it (spaces, tabs, line ends, no-break
// and ideographic spaces), as ResolvedFolder drops it.
std::wstring Trimmed(const std::wstring& text);

// path made absolute against the current folder (and drive), as the system
// resolves it; path itself when the system cannot.
std::wstring FullPath(const std::wstring& path);

// The folder a typed path names, resolved the way Windows resolves it:
// surrounding white space dropped, trailing spaces and dots dropped from each
// name (the system's ordinary calls cannot create such names, and some of them
// silently drop them while others do not), backslashes collapsed with a
// network path's leading pair kept, a relative path taken against the current
// folder. No trailing backslash, except for a drive's root ("C:\"). Empty when
// nothing but white space was typed.
std::wstring ResolvedFolder(const std::wstring& typed);

// The first name on path that the system reserves for a device (CON, NUL,
// COM1 ..., with or without an extension), or "".
std::wstring ReservedNameIn(const std::wstring& path);

// True when path is folder or lies below it; letter case is ignored. Both are
// full paths; a trailing backslash on either makes no difference.
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder);

// True when path names an existing folder (a trailing backslash is allowed).
bool FolderExists(const std::wstring& path);

// Creates folder and every missing parent, one level at a time, parents first.
// True when the folder exists afterwards; otherwise false with GetLastError()
// telling why (for example ERROR_ALREADY_EXISTS when a file stands in the way).
// A name the system reserves for a device is refused with ERROR_INVALID_NAME.
// The levels it created are appended to created, when given, parents first.
bool CreateFolderTree(const std::wstring& folder, std::vector<std::wstring>* created = nullptr);

// Appends the full path of every file below folder (hidden and system files
// included) depth first, in the order the file system returns the entries.
// Folders are not listed. A link to a folder is not followed.
void ListFilesRecursive(const std::wstring& folder, std::vector<std::wstring>& files);

enum CopyResult : int {
    CopyBadArguments = -1,   // empty argument, or the source is not a folder
    CopyFolderFailed = -2,   // a target folder could not be created; nothing was placed
    CopyIncomplete = 0,      // some file was kept, or the copy failed and placed nothing
    CopyComplete = 1,        // every file was copied
};

// Reproduces every file below source under target, all or nothing. A file
// whose path relative to source matches an overwrite entry (letter case
// ignored) replaces the target's copy; every other file is copied only when
// the target lacks it. Every file is written into the staging folder first;
// only when all are there are they moved into place, each in one step. When
// anything fails, what was moved is put back and what was replaced restored:
// the target is as it was, and every failure found is appended to failures,
// when given. Copied files lose their read-only attribute. With moveFiles the
// source files are deleted once the whole copy is in place. A link to a
// folder is skipped. Given a seal, the source must hold exactly the files it
// lists, and each file copied must have the content it lists: the file is
// hashed as it is read for the copy, and a mismatch fails the whole copy.
// An observer, when given, is told the plan before anything is written (and
// may stop the copy there) and how far the copy is as it goes.
CopyResult CopyFolderTree(const std::wstring& source, const std::wstring& target,
                          bool moveFiles,
                          const std::vector<std::wstring>* overwrite = nullptr,
                          std::vector<CopyFailure>* failures = nullptr, const Seal* seal = nullptr,
                          CopyObserver* observer = nullptr);

// CopyFolderTree that leaves the source in place: the form the installer uses.
CopyResult CopyFolderTreeKeepSource(const std::wstring& source, const std::wstring& target,
                                    const std::vector<std::wstring>* overwrite = nullptr,
                                    std::vector<CopyFailure>* failures = nullptr,
                                    const Seal* seal = nullptr, CopyObserver* observer = nullptr);

}  // namespace engine
