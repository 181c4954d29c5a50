#include <algorithm>
#include <map>

#include "base/handles.h"
#include "file_list.h"
#include "file_place.h"
#include "vtutils.h"

namespace {

// Upper-casing by the user's locale, as names are compared on this system.
std::wstring UpperCase(const std::wstring& text) {
    if (text.empty()) return text;
    const int length = static_cast<int>(text.size());
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.c_str(),
                                     length, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0) return text;
    std::wstring upper(static_cast<size_t>(needed), L'\0');
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.c_str(), length,
                      &upper[0], needed, nullptr, nullptr, 0) != needed) {
        return text;
    }
    return upper;
}

class OverwriteList {
public:
    explicit OverwriteList(const std::vector<std::wstring>* names) {
        if (!names) return;
        for (const std::wstring& name : *names) upperNames_.push_back(UpperCase(name));
    }

    bool Contains(const std::wstring& relativePath) const {
        if (upperNames_.empty()) return false;
        const std::wstring upper = UpperCase(relativePath);
        return std::find(upperNames_.begin(), upperNames_.end(), upper) != upperNames_.end();
    }

private:
    std::vector<std::wstring> upperNames_;
};

// What a target folder already holds, read once as the copy enters it. Wine
// answers a question about a name that is not there only after reading the
// whole folder, since names match whatever their case; asked for every file,
// that made copying thousands of small files a third slower.
class FolderContents {
public:
    void Read(const std::wstring& folder) {
        entries_.clear();
        WIN32_FIND_DATAW entry;
        const base::ScopedFind find(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry,
                                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) return;
        do entries_[entry.cFileName] = entry.dwFileAttributes;
        while (FindNextFileW(find.get(), &entry));
    }

    // The attributes of the entry of that name in any case, or INVALID_FILE_ATTRIBUTES.
    DWORD AttributesOf(const std::wstring& name) const {
        const auto it = entries_.find(name);
        return it == entries_.end() ? INVALID_FILE_ATTRIBUTES : it->second;
    }

private:
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const {
            return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                        TRUE) == CSTR_LESS_THAN;
        }
    };
    std::map<std::wstring, DWORD, NoCase> entries_;
};

bool IsKeptExisting(bool keepExisting, DWORD error) {
    return keepExisting && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS);
}

// Copies the listed files of source (both folders end in a backslash) one by one.
class TreeCopy {
public:
    TreeCopy(const std::wstring& source, const std::wstring& target, bool moveFiles,
             const std::vector<std::wstring>* overwrite, std::vector<CopyFailure>* failures)
        : source_(source), target_(target), moveFiles_(moveFiles), overwrite_(overwrite),
          failures_(failures), placer_(target) {}

    CopyResult Run() {
        std::vector<std::wstring> files;
        std::vector<UnlistedFolder> unlisted;
        std::vector<DWORD> attributes;
        ListFolderTree(source_, files, unlisted, &attributes);
        CopyResult result = CopyComplete;
        for (const UnlistedFolder& folder : unlisted) {
            Fail(Relative(folder.folder), folder.error, true);
            result = CopyIncomplete;
        }
        for (size_t i = 0; i < files.size(); ++i) {
            const CopyResult one = CopyOne(files[i], attributes[i]);
            if (one == CopyFolderFailed) return CopyFolderFailed;
            if (one == CopyIncomplete) result = CopyIncomplete;
        }
        return result;
    }

private:
    CopyResult CopyOne(const std::wstring& file, DWORD sourceAttributes) {
        const std::wstring relative = Relative(file);
        const bool keepExisting = !overwrite_.Contains(relative);
        const std::wstring destination = target_ + relative;
        if (!EnsureFolderOf(destination)) {
            Fail(relative, GetLastError());
            return CopyFolderFailed;
        }
        const DWORD existing = knownContents_.AttributesOf(destination.substr(destination.rfind(L'\\') + 1));
        if (existing != INVALID_FILE_ATTRIBUTES) {
            if (keepExisting) return CopyIncomplete;
            // Windows refuses to rename onto a read-only file, Wine does not:
            // such a file is never replaced.
            if (existing & FILE_ATTRIBUTE_READONLY) {
                Fail(relative, ERROR_FILE_READ_ONLY);
                return CopyIncomplete;
            }
        }
        const PlaceOutcome placed = placer_.Place(file, relative, !keepExisting, sourceAttributes);
        if (placed.error != ERROR_SUCCESS) {
            if (!IsKeptExisting(keepExisting, placed.error)) Fail(relative, placed.error, placed.unreadableSource);
            return CopyIncomplete;
        }
        if (moveFiles_) DeleteFileW(file.c_str());
        return CopyComplete;
    }

    // Files of one folder come one after another: the last folder made sure of
    // saves a look-up for each of them.
    bool EnsureFolderOf(const std::wstring& destination) {
        const std::wstring folder = destination.substr(0, destination.rfind(L'\\') + 1);
        if (folder == knownFolder_) return true;
        if (!FolderExists(folder) && !CreateFolderTree(folder)) return false;
        knownContents_.Read(folder);
        knownFolder_ = folder;
        return true;
    }

    std::wstring Relative(const std::wstring& path) const { return path.substr(source_.size()); }

    void Fail(const std::wstring& relative, DWORD error, bool unreadableSource = false) {
        if (failures_) failures_->push_back({relative, error, unreadableSource});
    }

    const std::wstring& source_;
    const std::wstring& target_;
    const bool moveFiles_;
    const OverwriteList overwrite_;
    std::vector<CopyFailure>* const failures_;
    std::wstring knownFolder_;       // the folder of the last file placed, and what it held
    FolderContents knownContents_;
    FilePlacer placer_;
};

}  // namespace

CopyResult CopyFolderTree(const std::wstring& source, const std::wstring& target,
                          bool moveFiles, const std::vector<std::wstring>* overwrite,
                          std::vector<CopyFailure>* failures) {
    if (source.empty() || target.empty()) return CopyBadArguments;
    const std::wstring sourceFolder = AddTrailingBackslash(source);
    const std::wstring targetFolder = AddTrailingBackslash(target);
    if (!FolderExists(sourceFolder)) return CopyBadArguments;
    if (!FolderExists(targetFolder) && !CreateFolderTree(targetFolder)) {
        const DWORD error = GetLastError();
        if (failures) failures->push_back({std::wstring(), error});
        return CopyFolderFailed;
    }
    return TreeCopy(sourceFolder, targetFolder, moveFiles, overwrite, failures).Run();
}

CopyResult CopyFolderTreeKeepSource(const std::wstring& source, const std::wstring& target,
                                    const std::vector<std::wstring>* overwrite,
                                    std::vector<CopyFailure>* failures) {
    return CopyFolderTree(source, target, false, overwrite, failures);
}
