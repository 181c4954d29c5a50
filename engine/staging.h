#pragma once
// The copy's own folder in the target (kStagingFolder): every file is written
// into it whole before it is moved into place, and what a replaced file held
// is kept in it until the whole copy is in place.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/sha256.h"

namespace engine {

// The name of the copy's own folder, at the top of the target (hidden). The
// mark below makes a folder of that name the copy's: one without the mark is
// left alone and the copy takes another name ("~vel_instaluj.2.tmp" ...).
// What an interrupted copy left in a marked folder is removed by the next copy
// into the same target, unless the copy that made it is still running.
extern const wchar_t kStagingFolder[];

// The file that makes a folder the copy's own, and what it holds. A running
// copy holds it open without sharing it, so no other copy takes the folder for
// a leftover. Installers of later versions must keep to both.
extern const wchar_t kStagingMarkName[];
extern const char kStagingMarkText[];

struct StageOutcome {
    DWORD error = ERROR_SUCCESS;
    bool unreadableSource = false;
    unsigned long long bytes = 0;  // how much was copied
};

class StagingArea {
public:
    // target ends in a backslash and exists. Areas that earlier copies left in
    // it are removed now, unless the copy that made them still runs. The area
    // itself is made when the first file needs it.
    explicit StagingArea(const std::wstring& target);
    // Removes the area and what is still in it.
    ~StagingArea();
    StagingArea(const StagingArea&) = delete;
    StagingArea& operator=(const StagingArea&) = delete;

    // Makes the area, unless done already: ERROR_SUCCESS, or why it cannot be
    // made (the same answer every time).
    DWORD Open();
    // Writes a copy of source into the area, with its time stamps and its
    // attributes except read-only; *staged names the copy. What is read goes
    // into hash too, when given. On failure nothing of it stays.
    StageOutcome Stage(const std::wstring& source, DWORD sourceAttributes, std::wstring* staged,
                       base::Sha256* hash = nullptr);
    // The same, but under the area's own tree at relative (its folders made as
    // needed): a folder the target lacks is staged whole there and moved into
    // place in one step.
    StageOutcome StageInTree(const std::wstring& source, DWORD sourceAttributes, const std::wstring& relative,
                             std::wstring* staged, base::Sha256* hash = nullptr);
    // Where StageInTree puts relative.
    std::wstring InTree(const std::wstring& relative) const;
    // Keeps what file holds under a name in the area: a second link to the
    // same data, or a copy where the file system has no links. *kept names it.
    DWORD Keep(const std::wstring& file, std::wstring* kept);
    // Told, as a file is staged, of each chunk read and written (its bytes),
    // and with 0 while a kept copy is made: the copy's caller keeps its
    // window alive there.
    void OnChunk(std::function<void(unsigned long long bytes)> chunk) { chunk_ = std::move(chunk); }

private:
    DWORD MakeArea();
    DWORD NewName(const wchar_t* suffix, std::wstring* name);
    StageOutcome StageTo(const std::wstring& source, DWORD sourceAttributes, const std::wstring& path,
                         base::Sha256* hash);
    StageOutcome Write(HANDLE from, HANDLE to, base::Sha256* hash);
    static DWORD CALLBACK KeepCopying(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                                      HANDLE, HANDLE, void* self);

    std::wstring target_;
    std::wstring folder_;           // with a trailing backslash; empty until made
    DWORD openError_ = ERROR_SUCCESS;
    base::ScopedFile mark_;         // held open while the copy runs
    std::vector<char> buffer_;
    unsigned long count_ = 0;
    std::wstring treeFolder_;       // the last folder made in the tree
    std::function<void(unsigned long long)> chunk_;
};

}  // namespace engine
