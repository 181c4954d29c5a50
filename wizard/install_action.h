#pragma once
// The installation without a window: the checks made before anything is
// created, the copy and the shortcuts, all on one install target. It returns
// what happened; the install window asks the questions and words the outcome.
#include <string>
#include <vector>

#include <optional>

#include "engine/copy_observer.h"
#include "engine/seal.h"
#include "engine/tree_copy.h"
#include "engine/vtutils.h"
#include "wizard/shortcuts.h"

// The folder the user typed, made once into the one install target every
// step takes: the question shows it as typed, the file system is given the
// resolved folder, and the copy puts the files below the folder with its
// backslash. A path pasted in double quotes (as Explorer copies a path) is
// taken without them, in all.
struct InstallTarget {
    explicit InstallTarget(const std::wstring& typedText);

    bool Exists() const { return engine::FolderExists(folder); }
    // True when the target is folder (a full path) or lies below it.
    bool IsInside(const std::wstring& other) const { return engine::IsSameOrInside(folder, other); }
    // The file that stands where the folder, or a folder on its way, should
    // be; "" when there is none.
    std::wstring FileInTheWay() const;

    std::wstring typed;                // as typed, less a pasted pair of quotes
    std::wstring folder;               // full, trimmed, collapsed (see ResolvedFolder)
    std::wstring folderWithBackslash;  // where the copy puts the files
};

// The application's files beside the installer, with a trailing backslash.
std::wstring MediumFolder();

// The list of the medium's files that the installer's exe carries when it was
// made for a medium; null for an exe that carries none. A list that cannot be
// read counts as one of no files, so that no medium passes it.
const engine::Seal* ProgramSeal();

class Installation {
public:
    // medium ends in a backslash; seal, when given, is what it must hold.
    Installation(const InstallTarget& target, std::wstring medium, const engine::Seal* seal = nullptr)
        : target_(target), medium_(std::move(medium)), seal_(seal) {}

    const InstallTarget& target() const { return target_; }
    const std::wstring& medium() const { return medium_; }

    // Why the installation cannot start; checked before anything is made.
    enum class Refusal {
        kNone,
        kNoMedium,      // no medium, or one without the program at its top
        kInsideMedium,  // the target is the medium's folder or lies below it
        kDamagedMedium, // the medium is not what the seal lists: see damage()
    };
    Refusal Check();
    const engine::Seal::Damage& damage() const { return damage_; }

    // Creates the target folder with every missing parent, once the user
    // agreed; false with GetLastError() telling why, and then nothing of it
    // stays. The folders it made are remembered for RemoveCreatedFolders.
    bool CreateTarget();
    // Removes again, deepest first, each folder CreateTarget made, as long as
    // it is empty: an installation that fails or is refused after the folder
    // was made leaves the disk as it found it. A folder that was there before
    // is never removed. Call it on every such way out.
    void RemoveCreatedFolders();

    // A target volume that lacks the room the copy needs; nothing was written.
    struct Shortfall {
        std::wstring volume;  // its root as the system names it (C:\ or \\serwer\udział\ for a share)
        unsigned long long needed = 0, free = 0;  // bytes
    };

    struct Outcome {
        engine::CopyResult copy = engine::CopyBadArguments;
        std::optional<Shortfall> shortfall;  // the copy did not start for want of room
        std::vector<engine::CopyFailure> failures;  // empty when every file is in place
        bool installed = false;             // the copy is whole and the shortcuts were made
        ShortcutsSaved shortcuts;
        // Files whose content the seal does not list, found as the copy read
        // them; nothing was placed then.
        std::vector<std::wstring> Altered() const;
    };
    // Copies the medium into the target folder (which exists), all or
    // nothing, and once the copy is whole makes the shortcuts. Before the
    // first file is written the room the copy needs is compared with the room
    // free to this user on the target's volume (where it can be read): when
    // short, nothing is written. Files the target had and keeps are no
    // failure. An error of the shell's link object is thrown (see
    // CreateShortcuts). The progress, when given, hears the copy's plan once
    // the room is there, and how far the copy is: the install window keeps
    // itself alive there.
    Outcome Run(engine::CopyObserver* progress = nullptr) const;

private:
    InstallTarget target_;
    std::wstring medium_;
    const engine::Seal* seal_;
    engine::Seal::Damage damage_;
    std::vector<std::wstring> created_;  // by CreateTarget, parents first
};
