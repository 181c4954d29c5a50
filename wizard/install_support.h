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

// The message for files the copy could not write: one relative path per line,
// at most kListedFailures of them, then how many more there were.
constexpr size_t kListedFailures = 10;
std::wstring NotCopiedMessage(const std::vector<CopyFailure>& failures);
