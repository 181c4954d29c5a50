#pragma once
// What the install window tells of an installation, put together from the
// installer's words (texts.h), and where the installer lies.
#include <string>
#include <vector>

#include "engine/seal.h"
#include "engine/tree_copy.h"
#include "engine/vtutils.h"
#include "wizard/install_action.h"

// The folder of the running executable, with its trailing backslash.
std::wstring InstallerFolder();

// Why a file could not be copied, as the user is told it.
enum class FailureCause {
    kInUse,
    kDiskFull,
    kNoRights,
    kReadOnly,
    kFolderInTheWay,
    kPathTooLong,
    kMediumGone,  // the medium went away while it was read
    kSourceInUse, // another program holds a file of the medium
    kDamagedSource,
    kOther,
};
FailureCause CauseOf(const engine::CopyFailure& failure);

// The message for files the copy could not write, grouped by cause: for each
// cause what happened, at most kListedFailures relative paths (then how many
// more), and what to do.
constexpr size_t kListedFailures = 10;
std::wstring NotCopiedMessage(const std::vector<engine::CopyFailure>& failures);

// The line that says why a folder could not be created: "Przyczyna: ...".
// The folder is the target, or the folder below it at the relative path
// below; error is what the creation left in GetLastError.
std::wstring FolderFailureLine(const InstallTarget& target, unsigned long error, const std::wstring& below = {});

// The file that stands where the folder path, or a folder on its way, should
// be; "" when there is none.
std::wstring FileInTheWay(const std::wstring& path);

// True when the installer's folder looks like one that Explorer made to run
// a program from inside a ZIP archive: it lies in the temporary folder temp,
// or a folder on its path ends in ".zip". Letter case and short names of
// either make no difference.
bool StartedFromArchive(const std::wstring& folder, const std::wstring& temp);

// A medium that is not there, or lacks the program (medium with its
// backslash), with what to do: unpack the archive first when the installer
// runs from inside one.
std::wstring NoMediumMessage(const std::wstring& medium);

// A medium that is not what the installer's seal lists: what is missing,
// changed and extra, at most kListedDamage of each, and what to do.
constexpr size_t kListedDamage = 5;
std::wstring DamagedMediumMessage(const engine::Seal::Damage& damage);
