#pragma once
// Pieces of the installation that need no window: path forms and the texts
// of the failure messages.
#include <string>
#include <vector>

#include "engine/vtutils.h"

// CollapseDoubleBackslashes for a path that may name a network share: a
// leading pair of backslashes ("\\server\share") is kept as it is and only the
// rest is collapsed.
std::wstring CollapseKeepingNetworkPrefix(const std::wstring& path);

// The folder of the running executable, with its trailing backslash.
std::wstring InstallerFolder();

// Why a file could not be copied, as the user is told it.
enum class FailureCause { kInUse, kDiskFull, kNoRights, kReadOnly, kDamagedSource, kOther };
FailureCause CauseOf(const CopyFailure& failure);

// The message for files the copy could not write, grouped by cause: for each
// cause what happened, at most kListedFailures relative paths (then how many
// more), and what to do.
constexpr size_t kListedFailures = 10;
std::wstring NotCopiedMessage(const std::vector<CopyFailure>& failures);

// The line that says why a folder could not be created: "Przyczyna: ...".
// path is the folder as given; error is what the creation left in GetLastError.
std::wstring FolderFailureLine(const std::wstring& path, unsigned long error);

// The folder the user typed, made absolute: a relative path is taken relative
// to the current folder. An absolute path is returned as typed.
std::wstring AbsoluteFolder(const std::wstring& typed);

// True when folder (with a trailing backslash) holds a medium worth installing:
// the program file at its top.
bool HoldsApplication(const std::wstring& folder);

// The line the success message gains when a shortcut could be saved nowhere
// (with its leading line end); empty when both were saved.
std::wstring MissingShortcutsLine(bool desktopSaved, bool menuSaved, const std::wstring& program);
