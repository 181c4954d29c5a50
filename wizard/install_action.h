#pragma once
// The installation without a window: the checks made before anything is
// created, the copy and the shortcuts, all on one install target. It returns
// what happened; the install window asks the questions and words the outcome.
#include <string>
#include <vector>

#include "engine/vtutils.h"
#include "wizard/shortcuts.h"

// The folder the user typed and the one install target made from it once:
// the question shows the first, everything else uses the second.
struct InstallTarget {
    explicit InstallTarget(const std::wstring& typedText)
        : typed(typedText), folder(ResolvedFolder(typedText)) {}
    std::wstring typed;
    std::wstring folder;  // full, trimmed, collapsed; see ResolvedFolder
};

// Names compared with each file's path relative to the medium: these replace
// what the target holds, every other file is kept.
extern const std::vector<std::wstring> kOverwriteList;

// The application's files beside the installer: its folder + "RunImage\".
std::wstring MediumFolder();

class Installation {
public:
    // medium ends in a backslash.
    Installation(const InstallTarget& target, std::wstring medium)
        : target_(target), medium_(std::move(medium)) {}

    const InstallTarget& target() const { return target_; }
    const std::wstring& medium() const { return medium_; }

    // Why the installation cannot start; checked before anything is made.
    enum class Refusal {
        kNone,
        kNoMedium,      // no medium, or one without the program at its top
        kInsideMedium,  // the target is the medium's folder or lies below it
    };
    Refusal Check() const;

    struct Outcome {
        CopyResult copy = CopyBadArguments;
        std::vector<CopyFailure> failures;  // empty when every file is in place
        bool installed = false;             // the copy is whole and the shortcuts were made
        ShortcutsSaved shortcuts;
    };
    // Copies the medium into the target folder (which exists), all or
    // nothing, and once the copy is whole makes the shortcuts. Files the
    // target had and keeps are no failure. An error of the shell's link
    // object is thrown (see CreateShortcuts).
    Outcome Run() const;

private:
    InstallTarget target_;
    std::wstring medium_;
};
