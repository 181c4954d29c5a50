#include "wizard/inst_main.h"

#include <shlobj.h>

#include "engine/vtutils.h"
#include "ui/message.h"
#include "ui/shell_folders.h"
#include "ui/busy.h"
#include "wizard/install_support.h"
#include "wizard/product.h"
#include "wizard/texts.h"
#include "wizard/witaj.h"

using engine::CollapseDoubleBackslashes;
using engine::CopyBadArguments;
using engine::CopyFailure;
using engine::CopyFolderFailed;
using engine::CopyObserver;
using engine::FolderExists;

namespace {

void ShowInstallError(HWND owner, const std::wstring& text) {
    ui::ShowOutcome(owner, text, kInstallerCaption, MB_OK | MB_ICONERROR);
}

// The installation's progress on the busy window.
class ShownProgress : public CopyObserver {
public:
    explicit ShownProgress(ui::BusyForm& busy) : busy_(busy) {}
    bool Planned(const Plan& plan) override {
        busy_.Expect(plan.units);
        return true;
    }
    void Progress(unsigned long long done) override { busy_.Progress(done); }

private:
    ui::BusyForm& busy_;
};

}  // namespace

Tinst_main_win::Tinst_main_win() : ui::Form(kLayout) {
    Bind(Label1, kLabel1);
    Bind(BitBtn1, kBitBtn1);
    Bind(Panel1, kPanel1);
    Bind(Label3, kLabel3);
    Bind(Panel2, kPanel2);
    Bind(BitBtn3, kBitBtn3);
    Bind(BitBtn4, kBitBtn4);
    Bind(Image1, kImage1);
    Bind(Edit1, kEdit1);
    Bind(ProgressBar1, kProgressBar1);
    OnChange(kEdit1, [this] { Edit1Change(); });
    OnClick(kBitBtn1, [this] { BitBtn1Click(); });
    OnClick(kBitBtn3, [this] { BitBtn3Click(); });
    OnClick(kBitBtn4, [this] { BitBtn4Click(); });
}

void Tinst_main_win::FormCreate() {
    if (auto programFiles = ui::SpecialFolderPath(CSIDL_PROGRAM_FILES)) {
        Edit1.SetText(CollapseDoubleBackslashes(*programFiles + product::kDefaultSubfolder));
    } else if (FolderExists(L"C:\\Program Files")) {
        Edit1.SetText(CollapseDoubleBackslashes(std::wstring(L"C:\\Program Files") + product::kDefaultSubfolder));
    }
}

void Tinst_main_win::Edit1Change() { BitBtn3.SetEnabled(!Edit1.Text().empty()); }

void Tinst_main_win::BitBtn1Click() {
    const std::wstring current = Edit1.Text();
    bfd.SetStartFolder(FolderExists(current) ? current : std::wstring());
    if (!bfd.Execute(hwnd())) return;
    // Setting the same text again would count as a change and re-enable Next.
    if (bfd.Folder() != current) Edit1.SetText(bfd.Folder());
}

void Tinst_main_win::BitBtn4Click() {
    if (ConfirmExit(hwnd())) Close();
}

int Tinst_main_win::EnsureTargetFolder(Installation& installation) {
    const InstallTarget& target = installation.target();
    if (target.Exists()) return kFolderExisted;
    // A file where the folder should be: it does exist, and creating it can
    // only fail, so no question.
    DWORD error = ERROR_ALREADY_EXISTS;
    if (target.FileInTheWay().empty()) {
        if (ui::ShowMessage(hwnd(), Fill(kFolderQuestion, {target.typed}), kFolderCaption,
                            MB_YESNO | MB_ICONQUESTION) != IDYES)
            return kFolderDeclined;
        if (installation.CreateTarget()) return kFolderCreated;
        error = GetLastError();
    }
    ui::ShowOutcome(hwnd(), Fill(kFolderNotCreated, {target.typed, FolderFailureLine(target, error)}),
                    kFolderCaption, MB_OK | MB_ICONERROR);
    return kFolderFailed;
}

void Tinst_main_win::BitBtn3Click() {
    BitBtn3.SetEnabled(false);
    Installation installation(InstallTarget(Edit1.Text()), MediumFolder(), ProgramSeal());
    if (Refused(installation)) return;
    const int check = EnsureTargetFolder(installation);
    if (check == kFolderDeclined || check == kFolderFailed) return;  // Next waits for a new text
    Installation::Outcome outcome;
    {
        ui::BusyForm busy(*this, ProgressBar1, kBusyReason);
        ShownProgress shown(busy);
        outcome = installation.Run(&shown);
    }
    if (!outcome.installed) installation.RemoveCreatedFolders();
    if (!Report(outcome, installation)) {
        // Let the user put things right (close the program, free the disk)
        // and try again without retyping anything.
        BitBtn3.SetEnabled(true);
        return;
    }
    Close();
}

bool Tinst_main_win::Refused(Installation& installation) {
    switch (installation.Check()) {
    case Installation::Refusal::kNone: return false;
    case Installation::Refusal::kNoMedium:
        ShowInstallError(hwnd(), NoMediumMessage(installation.medium()));
        BitBtn3.SetEnabled(true);  // the medium may come back
        return true;
    case Installation::Refusal::kInsideMedium:
        ShowInstallError(hwnd(), Fill(kInsideMedium, {installation.target().typed, installation.medium()}));
        return true;  // Next waits for a new text
    case Installation::Refusal::kDamagedMedium:
        ShowInstallError(hwnd(), DamagedMediumMessage(installation.damage()));
        BitBtn3.SetEnabled(true);  // a sound copy of the medium may take its place
        return true;
    }
    return true;
}

bool Tinst_main_win::Report(const Installation::Outcome& outcome, const Installation& installation) {
    const InstallTarget& target = installation.target();
    if (const auto& room = outcome.shortfall) {
        ShowInstallError(hwnd(), NoRoomMessage(room->volume, room->needed, room->free));
        return false;
    }
    if (outcome.installed) {
        ui::ShowOutcome(hwnd(),
                        kInstalled + MissingShortcutsLine(outcome.shortcuts.desktop, outcome.shortcuts.menu,
                                                          ShortcutTarget(target.folder)),
                        kInstalledCaption, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    if (const std::vector<std::wstring> altered = outcome.Altered(); !altered.empty()) {
        ShowInstallError(hwnd(), DamagedMediumMessage({{}, altered, {}}));
        return false;
    }
    switch (outcome.copy) {
    case CopyBadArguments: ShowInstallError(hwnd(), NoMediumMessage(installation.medium())); break;
    case CopyFolderFailed: {
        const CopyFailure last = outcome.failures.empty() ? CopyFailure{L"", ERROR_GEN_FAILURE}
                                                          : outcome.failures.back();
        ShowInstallError(hwnd(),
                         Fill(kFolderInTargetNotMade,
                              {target.folderWithBackslash, FolderFailureLine(target, last.error, last.relativePath)}));
        break;
    }
    default: ShowInstallError(hwnd(), NotCopiedMessage(outcome.failures)); break;
    }
    return false;
}
