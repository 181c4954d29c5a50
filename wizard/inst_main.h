#pragma once
// The install window: the application's main window, in which the user picks
// the target folder and Next performs the whole installation.
#include <string>
#include <vector>

#include "ui/folder_picker.h"
#include "ui/form.h"
#include "wizard/install_action.h"
#include "wizard/shortcuts.h"

class Tinst_main_win : public ui::Form {
public:
    enum Id {
        kLabel1 = 100, kBitBtn1, kPanel1, kLabel3, kPanel2, kBitBtn3, kBitBtn4, kImage1, kEdit1, kProgressBar1
    };
    static const ui::FormSpec kLayout;

    // What EnsureTargetFolder found or did.
    enum FolderCheckResult : int { kFolderExisted = 2, kFolderCreated = 1, kFolderDeclined = 0, kFolderFailed = -1 };

    Tinst_main_win();

    ui::Label Label1;
    ui::Button BitBtn1;
    ui::FolderBrowser bfd;
    ui::Panel Panel1;
    ui::Label Label3;
    ui::Panel Panel2;
    ui::Button BitBtn3;
    ui::Button BitBtn4;
    ui::Picture Image1;
    ui::Edit Edit1;
    // Shown while Next installs: how far the copy is.
    ui::ProgressBar ProgressBar1;

    void FormCreate() override;
    void Edit1Change();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();

    // Makes sure the installation's target folder exists, asking (with the
    // path as typed) before it has the installation create it. A file in the
    // folder's way is reported at once, without the question.
    int EnsureTargetFolder(Installation& installation);
    // The desktop and programs-menu shortcuts to vel.exe in folder.
    ShortcutsSaved CreateShortcuts(const std::wstring& folder) { return ::CreateShortcuts(folder); }

private:
    // Tells why the installation could not start; false when it can.
    bool Refused(Installation& installation);
    // Tells the user how the copy and the shortcuts ended; true when the
    // program is installed.
    bool Report(const Installation::Outcome& outcome, const Installation& installation);
};
