#include "wizard/install_action.h"

#include "base/module.h"
#include "wizard/install_support.h"
#include "wizard/product.h"

using engine::AddTrailingBackslash;
using engine::CopyBadArguments;
using engine::CopyFailure;
using engine::CopyFolderFailed;
using engine::CopyFolderTreeKeepSource;
using engine::CopyObserver;
using engine::CreateFolderTree;
using engine::FullPath;
using engine::kErrorSealBroken;
using engine::ResolvedFolder;
using engine::Seal;
using engine::Trimmed;

std::wstring MediumFolder() { return InstallerFolder() + product::kMediumFolder + L"\\"; }

const Seal* ProgramSeal() {
    static const std::optional<Seal> seal = []() -> std::optional<Seal> {
        const auto text = base::FindRawResource(base::ProgramModule(), L"SEAL");
        if (!text) return std::nullopt;
        return Seal::Parse(*text).value_or(Seal());
    }();
    return seal ? &*seal : nullptr;
}

namespace {

// Explorer's "Copy as path" gives a path in double quotes, which no name may
// hold.
std::wstring WithoutQuotes(const std::wstring& text) {
    const std::wstring trimmed = Trimmed(text);
    if (trimmed.size() < 2 || trimmed.front() != L'"' || trimmed.back() != L'"') return text;
    return trimmed.substr(1, trimmed.size() - 2);
}

// A medium without the program is as good as none: copying the rest would
// leave shortcuts to nothing.
bool HoldsApplication(const std::wstring& medium) {
    const DWORD attrs = GetFileAttributesW((medium + product::kProgramFile).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// The root of the volume a folder lies on, and the room free there to this
// user (quotas count); nothing when the system cannot tell (some shares).
std::optional<Installation::Shortfall> RoomOn(const std::wstring& folder) {
    wchar_t root[MAX_PATH + 1];
    ULARGE_INTEGER freeToCaller{};
    if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH + 1) ||
        !GetDiskFreeSpaceExW(root, &freeToCaller, nullptr, nullptr))
        return std::nullopt;
    return Installation::Shortfall{root, 0, freeToCaller.QuadPart};
}

// Between the copy and the window: the room is checked once the copy knows
// what it needs, and the progress goes on to the window.
class CopyWatch : public CopyObserver {
public:
    CopyWatch(const std::wstring& folder, CopyObserver* progress) : folder_(folder), progress_(progress) {}

    bool Planned(const Plan& plan) override {
        if (auto room = RoomOn(folder_); room && room->free < plan.bytesNeeded) {
            room->needed = plan.bytesNeeded;
            shortfall = room;
            return false;
        }
        return !progress_ || progress_->Planned(plan);
    }
    void Progress(unsigned long long done) override {
        if (progress_) progress_->Progress(done);
    }

    std::optional<Installation::Shortfall> shortfall;

private:
    const std::wstring& folder_;
    CopyObserver* progress_;
};

}  // namespace

InstallTarget::InstallTarget(const std::wstring& typedText)
    : typed(WithoutQuotes(typedText)),
      folder(ResolvedFolder(typed)),
      folderWithBackslash(AddTrailingBackslash(folder)) {}

std::wstring InstallTarget::FileInTheWay() const { return ::FileInTheWay(folder); }

Installation::Refusal Installation::Check() {
    if (!HoldsApplication(medium_)) return Refusal::kNoMedium;
    // The copy would read what it writes: each run one level deeper, and the
    // medium's own files held open against their replacement.
    if (target_.IsInside(FullPath(medium_))) return Refusal::kInsideMedium;
    if (seal_) damage_ = seal_->Inspect(medium_);
    return damage_.none() ? Refusal::kNone : Refusal::kDamagedMedium;
}

bool Installation::CreateTarget() {
    if (CreateFolderTree(target_.folder, &created_)) return true;
    const DWORD error = GetLastError();
    RemoveCreatedFolders();  // the parents made before the level that failed
    SetLastError(error);
    return false;
}

void Installation::RemoveCreatedFolders() {
    // A folder that holds anything refuses, and so does each folder above it.
    for (auto folder = created_.rbegin(); folder != created_.rend(); ++folder) RemoveDirectoryW(folder->c_str());
    created_.clear();
}

Installation::Outcome Installation::Run(CopyObserver* progress) const {
    Outcome outcome;
    CopyWatch watch(target_.folder, progress);
    outcome.copy = CopyFolderTreeKeepSource(medium_, target_.folderWithBackslash, &product::kOverwriteList,
                                            &outcome.failures, seal_, &watch);
    outcome.shortfall = watch.shortfall;
    if (outcome.shortfall) return outcome;
    // Files the target already had and keeps are not failures: a
    // reinstallation over an existing installation is a success.
    if (outcome.copy == CopyBadArguments || outcome.copy == CopyFolderFailed || !outcome.failures.empty())
        return outcome;
    outcome.shortcuts = CreateShortcuts(target_.folder);
    outcome.installed = true;
    return outcome;
}

std::vector<std::wstring> Installation::Outcome::Altered() const {
    std::vector<std::wstring> altered;
    for (const CopyFailure& failure : failures)
        if (failure.error == kErrorSealBroken) altered.push_back(failure.relativePath);
    return altered;
}
