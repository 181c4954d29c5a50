#include "tree_copy.h"

#include <algorithm>

#include "base/handles.h"
#include "copy_observer.h"
#include "file_list.h"
#include "name_index.h"
#include "seal.h"
#include "staging.h"
#include "vtutils.h"

namespace engine {

namespace {

// The names a copy replaces in the target, matched as the file system
// matches names.
class OverwriteList {
public:
    explicit OverwriteList(const std::vector<std::wstring>* names) {
        if (names)
            for (const std::wstring& name : *names) names_.Add(name);
        names_.Sort();
    }

    bool Contains(const std::wstring& relativePath) const { return names_.Find(relativePath) != NameIndex::npos; }

private:
    NameIndex names_;
};

// What a target folder already holds, read once as the copy enters it. Wine
// answers a question about a name that is not there only after reading the
// whole folder, since names match whatever their case; asked for every file,
// that made copying thousands of small files a third slower.
class FolderContents {
public:
    void Read(const std::wstring& folder) {
        names_.Clear();
        details_.clear();
        FolderEntries entries(folder + L"*");
        while (const WIN32_FIND_DATAW* entry = entries.Next()) {
            names_.Add(entry->cFileName);
            details_.push_back({entry->dwFileAttributes,
                                (static_cast<unsigned long long>(entry->nFileSizeHigh) << 32) | entry->nFileSizeLow});
        }
        names_.Sort();
    }

    // The entry of that name in any case; its attributes are
    // INVALID_FILE_ATTRIBUTES when there is none.
    FileDetails Of(const std::wstring& name) const {
        const size_t i = names_.Find(name);
        return i == NameIndex::npos ? FileDetails{INVALID_FILE_ATTRIBUTES, 0} : details_[i];
    }

private:
    NameIndex names_;
    std::vector<FileDetails> details_;  // by the position of their name
};

// What the copy needs to know of the target's volume to tell how much of it
// the copy takes.
struct TargetVolume {
    unsigned long long cluster = 4096;
    bool links = false;  // a replaced file is kept as a second link, not a copy
};

TargetVolume VolumeOf(const std::wstring& folder) {
    TargetVolume volume;
    wchar_t root[MAX_PATH + 1];
    if (!GetVolumePathNameW(folder.c_str(), root, MAX_PATH + 1)) return volume;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) &&
        sectorsPerCluster * bytesPerSector > 0)
        volume.cluster = static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector;
    DWORD flags = 0;
    if (GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0))
        volume.links = (flags & FILE_SUPPORTS_HARD_LINKS) != 0;
    return volume;
}

// Each file's creation and move weigh in the progress like copying this many
// bytes, so that a tree of many small files moves on as evenly as a large one.
constexpr unsigned long long kFileUnits = 128 << 10;
// The folders and the staging folder's own records, beside the files.
constexpr unsigned long long kRecordsBytes = 1 << 20;

bool IsLock(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

bool IsExisting(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

// Held open by another program that lets nobody write or delete it.
bool IsHeld(const std::wstring& file) {
    const base::ScopedFile probe(CreateFileW(file.c_str(), GENERIC_WRITE | DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && IsLock(GetLastError());
}

// A rename onto a file that another program holds open fails with "access
// denied" under Wine, as it does for missing rights: opening the file tells
// the two apart.
DWORD WhyNotReplaced(const std::wstring& destination, DWORD error) {
    return error == ERROR_ACCESS_DENIED && IsHeld(destination) ? ERROR_SHARING_VIOLATION : error;
}

// The kernel's name of a full path: a rename by handle takes no other form.
std::wstring KernelName(const std::wstring& path) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0)
        return L"\\??\\" + path.substr(4);
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + path.substr(2);
    return L"\\??\\" + path;
}

// Renames from to to (a kernel name) in one step, waiting out a brief lock.
// By handle: a rename by path makes Wine look for the new name twice, each
// time reading the whole folder, which made thousands of small files a third
// slower than copying them straight.
DWORD Rename(const std::wstring& from, const std::wstring& to, bool replace) {
    // Backup semantics: a folder, too, is opened this way.
    const base::ScopedFile file(CreateFileW(from.c_str(), DELETE | SYNCHRONIZE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return GetLastError();
    std::vector<char> info(sizeof(FILE_RENAME_INFO) + to.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(info.data());
    rename->ReplaceIfExists = replace;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(to.size() * sizeof(wchar_t));
    std::copy(to.begin(), to.end(), rename->FileName);
    rename->FileName[to.size()] = L'\0';
    return SetFileInformationByHandle(file.get(), FileRenameInfo, rename, static_cast<DWORD>(info.size()))
               ? ERROR_SUCCESS
               : GetLastError();
}

// One file of the copy on its way into the target.
struct Placement {
    std::wstring relative;  // to the source and to the target
    DWORD sourceAttributes;
    unsigned long long size;
    bool listed;          // on the overwrite list
    bool replace;         // the target holds a file of that name, which gives way
    unsigned long long replacedSize;
    std::wstring staged;  // the whole copy, in the staging area
    std::wstring kept;    // what the replaced file held, once it gave way
    // The highest folder on its way that the target lacks ("Dane", "a\b"), or
    // "": such a folder is staged whole and moved into place in one step.
    std::wstring newFolder;
    bool placed = false;
};

// Copies the files of source (both folders end in a backslash) all or nothing:
// plan, stage every file, then move them into place; undone on any failure.
class TreeCopy {
public:
    TreeCopy(const std::wstring& source, const std::wstring& target, bool moveFiles,
             const std::vector<std::wstring>* overwrite, std::vector<CopyFailure>* failures, const Seal* seal,
             CopyObserver* observer)
        : source_(source), target_(target), moveFiles_(moveFiles), overwrite_(overwrite),
          failures_(failures), seal_(seal), observer_(observer), kernelTarget_(KernelName(FullPath(target))),
          area_(target) {
        if (observer_) area_.OnChunk([this](unsigned long long bytes) { Advance(2 * bytes); });
    }

    CopyResult Run() {
        Plan();
        if (failed_) return CopyIncomplete;
        if (observer_ && !observer_->Planned(Planned())) return CopyIncomplete;
        if (placements_.empty()) return kept_ ? CopyIncomplete : CopyComplete;
        if (const DWORD error = area_.Open()) return AreaFailed(error);
        for (Placement& p : placements_) {
            Stage(p);
            Advance(kFileUnits / 2);
        }
        if (failed_) return CopyIncomplete;
        for (Placement& p : placements_) {
            const CopyResult placed = Place(p);
            if (placed == CopyComplete) {
                Advance(kFileUnits - kFileUnits / 2);
                continue;
            }
            Undo();
            return placed;
        }
        if (moveFiles_)
            for (const Placement& p : placements_)
                if (p.placed) DeleteFileW((source_ + p.relative).c_str());
        return kept_ ? CopyIncomplete : CopyComplete;
    }

private:
    void Plan() {
        std::vector<std::wstring> files;
        std::vector<UnlistedFolder> unlisted;
        std::vector<FileDetails> details;
        ListFolderTree(source_, files, unlisted, &details);
        for (const UnlistedFolder& folder : unlisted) Fail(Relative(folder.folder), folder.error, true);
        if (seal_) CheckAgainstSeal(seal_->Compare(source_, files, details));
        for (size_t i = 0; i < files.size(); ++i) PlanOne(files[i], details[i]);
    }

    // The medium was checked before the copy; what differs now changed since.
    void CheckAgainstSeal(const Seal::Damage& damage) {
        for (const std::wstring& relative : damage.missing) Fail(relative, ERROR_FILE_NOT_FOUND, true);
        for (const auto* list : {&damage.changed, &damage.extra})
            for (const std::wstring& relative : *list) Fail(relative, kErrorSealBroken, true);
    }

    void PlanOne(const std::wstring& file, const FileDetails& source) {
        const std::wstring relative = Relative(file);
        const bool listed = overwrite_.Contains(relative);
        const FileDetails there = Existing(target_ + relative);
        const DWORD existing = there.attributes;
        if (existing != INVALID_FILE_ATTRIBUTES) {
            if (existing & FILE_ATTRIBUTE_DIRECTORY) return Fail(relative, kErrorFolderInTheWay);
            if (!listed) {
                kept_ = true;
                return;
            }
            // Windows refuses to rename onto a read-only file, Wine does not:
            // such a file is never replaced.
            if (existing & FILE_ATTRIBUTE_READONLY) return Fail(relative, ERROR_FILE_READ_ONLY);
        }
        placements_.push_back({relative, source.attributes, source.size, listed, existing != INVALID_FILE_ATTRIBUTES,
                               there.size});
        if (existing == INVALID_FILE_ATTRIBUTES) placements_.back().newFolder = NewFolderOf(relative);
    }

    // The highest folder on the way to relative that the target lacks.
    // Files of one folder come one after another: the answer for the last
    // folder is kept.
    const std::wstring& NewFolderOf(const std::wstring& relative) {
        const size_t end = relative.rfind(L'\\');
        const std::wstring folder = end == std::wstring::npos ? std::wstring() : relative.substr(0, end);
        if (folder == lastFolder_) return lastNewFolder_;
        lastFolder_ = folder;
        lastNewFolder_.clear();
        for (size_t i = relative.find(L'\\'); i != std::wstring::npos && i <= end; i = relative.find(L'\\', i + 1)) {
            if (FolderExists(target_ + relative.substr(0, i))) continue;
            lastNewFolder_ = relative.substr(0, i);
            break;
        }
        return lastNewFolder_;
    }

    // Files of one folder come one after another: the folder is read as the
    // plan enters it.
    FileDetails Existing(const std::wstring& destination) {
        const std::wstring folder = FolderOf(destination);
        if (folder != knownFolder_) {
            knownContents_.Read(folder);
            knownFolder_ = folder;
        }
        return knownContents_.Of(destination.substr(folder.size()));
    }

    // The work ahead and the room it takes, once the plan is made.
    CopyObserver::Plan Planned() const {
        CopyObserver::Plan plan;
        if (placements_.empty()) return plan;
        const TargetVolume volume = VolumeOf(target_);
        const auto onDisk = [&](unsigned long long bytes) {
            return (bytes + volume.cluster - 1) / volume.cluster * volume.cluster;
        };
        plan.bytesNeeded = kRecordsBytes;
        for (const Placement& p : placements_) {
            plan.units += 2 * p.size + kFileUnits;
            plan.bytesNeeded += onDisk(p.size);
            if (p.replace && !volume.links) plan.bytesNeeded += onDisk(p.replacedSize);
        }
        return plan;
    }

    void Advance(unsigned long long units) {
        done_ += units;
        if (observer_) observer_->Progress(done_);
    }

    // Hands control back while the copy waits or undoes.
    void Waiting() {
        if (observer_) observer_->Progress(done_);
    }

    // A target that takes no folder takes no file either: said once, as a
    // folder that cannot be made. A full disk is told for the files.
    CopyResult AreaFailed(DWORD error) {
        if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL) {
            Fail(std::wstring(), error);
            return CopyFolderFailed;
        }
        for (const Placement& p : placements_) Fail(p.relative, error);
        return CopyIncomplete;
    }

    void Stage(Placement& p) {
        base::Sha256 hash;
        base::Sha256* const hashing = seal_ ? &hash : nullptr;
        const std::wstring source = source_ + p.relative;
        const StageOutcome staged =
            p.newFolder.empty() ? area_.Stage(source, p.sourceAttributes, &p.staged, hashing)
                                : area_.StageInTree(source, p.sourceAttributes, p.relative, &p.staged, hashing);
        if (staged.error != ERROR_SUCCESS) return Fail(p.relative, staged.error, staged.unreadableSource);
        if (!seal_) return;
        const SealedFile* sealed = seal_->Find(p.relative);
        if (!sealed || sealed->size != staged.bytes || sealed->sha256 != hash.Finish())
            Fail(p.relative, kErrorSealBroken, true);
    }

    CopyResult Place(Placement& p) {
        if (!p.newFolder.empty()) return PlaceNewFolder(p);
        const std::wstring destination = target_ + p.relative;
        const std::wstring folder = FolderOf(destination);
        if (folder != madeFolder_) {
            if (!FolderExists(folder) && !CreateFolderTree(folder, &createdFolders_)) {
                Fail(p.relative, GetLastError());
                return CopyFolderFailed;
            }
            madeFolder_ = folder;
        }
        if (!p.replace) {
            const DWORD error = Move(p.staged, p.relative, false);
            if (error == ERROR_SUCCESS) {
                p.placed = true;
                return CopyComplete;
            }
            if (!IsExisting(error)) return Failed(p, error);
            // Somebody put a file there since the plan was made.
            if (!p.listed) {
                kept_ = true;
                return CopyComplete;
            }
        }
        // A file some program holds stays as it is: not even its backup is
        // made, since a second name of a held file cannot go either.
        if (const DWORD error = WaitUntilReplaceable(destination)) return Failed(p, error);
        if (const DWORD error = area_.Keep(destination, &p.kept)) {
            p.kept.clear();
            return Failed(p, error);
        }
        if (const DWORD error = Move(p.staged, p.relative, true)) return Failed(p, error);
        p.placed = true;
        return CopyComplete;
    }

    // The whole folder the file lies in goes into place with its first file.
    CopyResult PlaceNewFolder(Placement& p) {
        if (movedFolders_.empty() || movedFolders_.back() != p.newFolder) {
            if (const DWORD error = Move(area_.InTree(p.newFolder), p.newFolder, false)) {
                if (!IsExisting(error) || !FolderExists(target_ + p.newFolder)) {
                    Fail(p.relative, error);
                    return CopyFolderFailed;
                }
                // Made meanwhile, by another copy of the same files: its
                // files go in one by one, as into any folder that was there.
                const std::wstring made = p.newFolder;
                for (Placement& q : placements_)
                    if (q.newFolder == made) q.newFolder.clear();
                return Place(p);
            }
            movedFolders_.push_back(p.newFolder);
        }
        p.placed = true;
        return CopyComplete;
    }

    // ERROR_SUCCESS unless another program holds file for longer than a brief lock.
    DWORD WaitUntilReplaceable(const std::wstring& file) {
        for (DWORD attempt = 1; IsHeld(file); ++attempt) {
            if (attempt == kLockRetryTries) return ERROR_SHARING_VIOLATION;
            Pause();
        }
        return ERROR_SUCCESS;
    }

    void Pause() {
        Waiting();
        Sleep(kLockRetryPauseMs);
    }

    // Moves from to target + relative in one step, waiting out a brief lock.
    DWORD Move(const std::wstring& from, const std::wstring& relative, bool replace) {
        const std::wstring to = kernelTarget_ + relative;
        for (DWORD attempt = 1;; ++attempt) {
            DWORD error = Rename(from, to, replace);
            if (error == ERROR_SUCCESS) return error;
            if (replace) error = WhyNotReplaced(target_ + relative, error);
            if (!IsLock(error) || attempt == kLockRetryTries) return error;
            Pause();
        }
    }

    CopyResult Failed(const Placement& p, DWORD error) {
        Fail(p.relative, error);
        return CopyIncomplete;
    }

    // Puts the target back as it was: a replaced file gets its old data back
    // in one step, a new one goes, and so do the folders the copy made.
    void Undo() {
        for (auto p = placements_.rbegin(); p != placements_.rend(); ++p) {
            if (!p->placed || !p->newFolder.empty()) continue;
            Waiting();
            const std::wstring destination = target_ + p->relative;
            if (!p->kept.empty()) {
                Move(p->kept, p->relative, true);
            } else {
                SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(destination.c_str());
            }
        }
        // Back into the staging area, which goes with all it holds.
        for (auto folder = movedFolders_.rbegin(); folder != movedFolders_.rend(); ++folder)
            MoveFileExW((target_ + *folder).c_str(), area_.InTree(*folder).c_str(), 0);
        for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder)
            RemoveDirectoryW(folder->c_str());
    }

    std::wstring Relative(const std::wstring& path) const { return path.substr(source_.size()); }

    void Fail(const std::wstring& relative, DWORD error, bool unreadableSource = false) {
        failed_ = true;
        if (failures_) failures_->push_back({relative, error, unreadableSource});
    }

    const std::wstring& source_;
    const std::wstring& target_;
    const bool moveFiles_;
    const OverwriteList overwrite_;
    std::vector<CopyFailure>* const failures_;
    const Seal* const seal_;
    CopyObserver* const observer_;
    unsigned long long done_ = 0;  // the plan's units done
    const std::wstring kernelTarget_;  // the target as the kernel names it, for renames by handle
    std::vector<Placement> placements_;
    bool failed_ = false;
    bool kept_ = false;              // some file the target had stays as it was
    std::wstring knownFolder_;       // the folder the plan read last, and what it held
    FolderContents knownContents_;
    std::wstring lastFolder_, lastNewFolder_;  // NewFolderOf's last question and answer
    std::wstring madeFolder_;        // the folder the last file was placed in
    std::vector<std::wstring> createdFolders_;
    std::vector<std::wstring> movedFolders_;
    StagingArea area_;
};

}  // namespace

CopyResult CopyFolderTree(const std::wstring& source, const std::wstring& target,
                          bool moveFiles, const std::vector<std::wstring>* overwrite,
                          std::vector<CopyFailure>* failures, const Seal* seal, CopyObserver* observer) {
    if (source.empty() || target.empty()) return CopyBadArguments;
    const std::wstring sourceFolder = AddTrailingBackslash(source);
    const std::wstring targetFolder = AddTrailingBackslash(target);
    if (!FolderExists(sourceFolder)) return CopyBadArguments;
    if (!FolderExists(targetFolder) && !CreateFolderTree(targetFolder)) {
        const DWORD error = GetLastError();
        if (failures) failures->push_back({std::wstring(), error});
        return CopyFolderFailed;
    }
    return TreeCopy(sourceFolder, targetFolder, moveFiles, overwrite, failures, seal, observer).Run();
}

CopyResult CopyFolderTreeKeepSource(const std::wstring& source, const std::wstring& target,
                                    const std::vector<std::wstring>* overwrite,
                                    std::vector<CopyFailure>* failures, const Seal* seal,
                                    CopyObserver* observer) {
    return CopyFolderTree(source, target, false, overwrite, failures, seal, observer);
}

}  // namespace engine
