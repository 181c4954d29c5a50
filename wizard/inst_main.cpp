#include "wizard/inst_main.h"

#include <shlobj.h>

#include "engine/vtutils.h"
#include "ui/message.h"
#include "ui/shell_folders.h"
#include "ui/wait_cursor.h"
#include "wizard/install_support.h"
#include "wizard/product_texts.h"

namespace {

const wchar_t kDefaultSubfolder[] = L"\\Vantrel\\Velandra";
const wchar_t kFolderCaption[] = L"Zapis katalogu";

void ShowInstallError(HWND owner, const std::wstring& text) {
    ui::ShowMessage(owner, text, kInstallerCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

const std::vector<std::wstring> Tinst_main_win::kOverwrite = {L"wysw8.dll", L"Vel.exe",
                                                               L"VELHELP.HLP", L"velhelp.cnt"};

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
    OnChange(kEdit1, [this] { Edit1Change(); });
    OnClick(kBitBtn1, [this] { BitBtn1Click(); });
    OnClick(kBitBtn3, [this] { BitBtn3Click(); });
    OnClick(kBitBtn4, [this] { BitBtn4Click(); });
}

void Tinst_main_win::FormCreate() {
    if (auto programFiles = ui::SpecialFolderPath(CSIDL_PROGRAM_FILES)) {
        Edit1.SetText(CollapseDoubleBackslashes(*programFiles + kDefaultSubfolder));
    } else if (FolderExists(L"C:\\Program Files")) {
        Edit1.SetText(CollapseDoubleBackslashes(std::wstring(L"C:\\Program Files") + kDefaultSubfolder));
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

int Tinst_main_win::EnsureTargetFolder(const std::wstring& path) {
    if (FolderExists(path)) return kFolderExisted;
    if (ui::ShowMessage(hwnd(), L"Folder " + path + L" nie istnieje Czy go utworzyć", kFolderCaption,
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
        return kFolderDeclined;
    if (CreateFolderTree(path)) return kFolderCreated;
    const DWORD error = GetLastError();
    ui::ShowMessage(hwnd(),
                    L"Utworzenie katalogu \n" + path + L"\n nie powiodło się\n" + FolderFailureLine(path, error),
                    kFolderCaption, MB_OK | MB_ICONERROR);
    return kFolderFailed;
}

void Tinst_main_win::BitBtn3Click() {
    BitBtn3.SetEnabled(false);
    const int check = EnsureTargetFolder(Edit1.Text());
    if (check == kFolderDeclined || check == kFolderFailed) return;  // Next waits for a new text
    // A relative path would otherwise land beside the installer and give
    // shortcuts that lead nowhere.
    const std::wstring folder = AbsoluteFolder(Edit1.Text());
    if (!CopyApplicationFiles(folder)) {
        // Let the user put things right (close the program, free the disk)
        // and try again without retyping anything.
        BitBtn3.SetEnabled(true);
        return;
    }
    const ShortcutsSaved saved = CreateShortcuts(folder);
    ui::ShowMessage(hwnd(), L"Program Velandra został zainstalowany pomyślnie" + MissingShortcutsLine(saved.desktop, saved.menu, CollapseKeepingNetworkPrefix(folder + L"\\vel.exe")),
                    L"Instalacja zakończona", MB_OK | MB_ICONINFORMATION);
    Close();
}

bool Tinst_main_win::CopyApplicationFiles(const std::wstring& folder) {
    const std::wstring source = InstallerFolder() + L"RunImage\\";
    const std::wstring target = CollapseKeepingNetworkPrefix(folder + L"\\");
    // A medium without the program is as good as none: copying the rest would
    // leave shortcuts to nothing.
    if (!HoldsApplication(source)) {
        ShowInstallError(hwnd(), L"Nie znaleziono plików instalacyjnych w folderze\n" + source +
                                     L"\nInstalacja została przerwana.");
        return false;
    }
    std::vector<CopyFailure> failures;
    CopyResult result;
    {
        ui::WaitCursor busy;
        result = CopyFolderTreeKeepSource(source, target, &kOverwrite, &failures);
    }
    switch (result) {
    case CopyBadArguments:
        ShowInstallError(hwnd(), L"Nie znaleziono plików instalacyjnych w folderze\n" + source +
                                     L"\nInstalacja została przerwana.");
        return false;
    case CopyFolderFailed:
        ShowInstallError(hwnd(), L"Nie można utworzyć folderu w katalogu\n" + target +
                                     L"\nInstalacja została przerwana.\n" +
                                     FolderFailureLine(target + failures.back().relativePath, failures.back().error));
        return false;
    default:
        // Files the target already had and keeps are not failures: a
        // reinstallation over an existing installation is a success.
        if (failures.empty()) return true;
        ShowInstallError(hwnd(), NotCopiedMessage(failures));
        return false;
    }
}
