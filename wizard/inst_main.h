#pragma once
// The install window: the application's main window, in which the user picks
// the target folder and Next performs the whole installation.
#include <string>
#include <vector>

#include "ui/folder_picker.h"
#include "ui/form.h"

class Tinst_main_win : public ui::Form {
public:
    enum Id { kLabel1 = 100, kBitBtn1, kPanel1, kLabel3, kPanel2, kBitBtn3, kBitBtn4, kImage1, kEdit1 };
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

    void FormCreate() override;
    void Edit1Change();
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn4Click();

    // Makes sure the folder exists, asking before creating it.
    int EnsureTargetFolder(const std::wstring& path);
    // The desktop and programs-menu shortcuts to vel.exe in folder; which of
    // them could be saved somewhere.
    struct ShortcutsSaved {
        bool desktop = false;
        bool menu = false;
    };
    ShortcutsSaved CreateShortcuts(const std::wstring& folder);

    // Names compared with each file's path relative to the source folder:
    // these replace what the target holds, every other file is kept.
    static const std::vector<std::wstring> kOverwrite;

private:
    // Copies the application's files; false (after telling the user) when the
    // installation cannot go on.
    bool CopyApplicationFiles(const std::wstring& folder);
};
