#include "wizard/install_action.h"

#include "wizard/install_support.h"

const std::vector<std::wstring> kOverwriteList = {L"wysw8.dll", L"Vel.exe", L"VELHELP.HLP", L"velhelp.cnt"};

std::wstring MediumFolder() { return InstallerFolder() + L"RunImage\\"; }

namespace {

// A medium without the program is as good as none: copying the rest would
// leave shortcuts to nothing.
bool HoldsApplication(const std::wstring& medium) {
    const DWORD attrs = GetFileAttributesW((medium + L"Vel.exe").c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

Installation::Refusal Installation::Check() const {
    if (!HoldsApplication(medium_)) return Refusal::kNoMedium;
    // The copy would read what it writes: each run one level deeper, and the
    // medium's own files held open against their replacement.
    if (IsSameOrInside(target_.folder, FullPath(medium_))) return Refusal::kInsideMedium;
    return Refusal::kNone;
}

Installation::Outcome Installation::Run() const {
    Outcome outcome;
    outcome.copy = CopyFolderTreeKeepSource(medium_, AddTrailingBackslash(target_.folder), &kOverwriteList,
                                            &outcome.failures);
    // Files the target already had and keeps are not failures: a
    // reinstallation over an existing installation is a success.
    if (outcome.copy == CopyBadArguments || outcome.copy == CopyFolderFailed || !outcome.failures.empty())
        return outcome;
    outcome.shortcuts = CreateShortcuts(target_.folder);
    outcome.installed = true;
    return outcome;
}
