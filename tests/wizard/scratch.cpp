#include "tests/wizard/scratch.h"

#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

#include "engine/vtutils.h"
#include "base/handles.h"
#include "ui/shell_folders.h"
#include "wizard/install_support.h"

namespace inst_test {

namespace {

void ListInto(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListInto(folder + L"\\" + name, prefix + name + L"\\", out);
        else
            out.push_back(prefix + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"vel-inst-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    RemoveTree(path_);
    if (!CreateFolderTree(path_)) throw std::runtime_error("cannot create the scratch folder");
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(folder.c_str());
}

void WriteText(const std::wstring& path, const std::string& content) {
    CreateFolderTree(path.substr(0, path.rfind(L'\\')));
    base::ScopedFile f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    WriteFile(f.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string ReadText(const std::wstring& path) {
    base::ScopedFile f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 0, nullptr));
    if (!f) return "<missing>";
    std::string content(static_cast<size_t>(GetFileSize(f.get(), nullptr)), '\0');
    DWORD read = 0;
    ReadFile(f.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    content.resize(read);
    return content;
}

bool IsFile(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> FilesBelow(const std::wstring& folder) {
    std::vector<std::wstring> out;
    ListInto(folder, L"", out);
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<LinkInfo> LoadLink(const std::wstring& path) {
    base::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return std::nullopt;
    base::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) ||
        FAILED(file->Load(path.c_str(), STGM_READ)))
        return std::nullopt;
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return LinkInfo{target, folder};
}

RunImageBeside::RunImageBeside() : path_(InstallerFolder() + L"RunImage\\") {
    RemoveTree(path_.substr(0, path_.size() - 1));
    for (const auto& [name, content] : Files()) WriteText(path_ + name, content);
}

RunImageBeside::~RunImageBeside() { RemoveTree(path_.substr(0, path_.size() - 1)); }

const std::map<std::wstring, std::string>& RunImageBeside::Files() {
    static const std::map<std::wstring, std::string> files = {
        {L"Vel.exe", "program 3.51"},
        {L"wysw8.dll", "biblioteka 3.51"},
        {L"VELHELP.HLP", "pomoc"},
        {L"velhelp.cnt", "spis"},
        {L"Dane\\tablica.ini", "wzorcowe ustawienia"},
    };
    return files;
}

ShellFolders::ShellFolders(const ScratchFolder& scratch) {
    folders_ = {
        {CSIDL_PROGRAM_FILES, scratch / L"Program Files"},
        {CSIDL_COMMON_DESKTOPDIRECTORY, scratch / L"Public\\Desktop"},
        {CSIDL_DESKTOPDIRECTORY, scratch / L"User\\Desktop"},
        {CSIDL_COMMON_PROGRAMS, scratch / L"ProgramData\\Programs"},
        {CSIDL_PROGRAMS, scratch / L"User\\Programs"},
    };
    for (auto& [id, path] : folders_) CreateFolderTree(*path);
    ui::SetSpecialFolderHandler([this](int csidl) -> std::optional<std::wstring> {
        auto it = folders_.find(csidl);
        return it == folders_.end() ? std::nullopt : it->second;
    });
}

ShellFolders::~ShellFolders() { ui::SetSpecialFolderHandler(nullptr); }

FolderPicks::FolderPicks() {
    ui::SetFolderPickHandler([this](const ui::FolderPickRequest& r) -> std::optional<std::wstring> {
        asked_.push_back(r);
        if (replies_.empty()) return std::nullopt;
        auto reply = replies_.front();
        replies_.erase(replies_.begin());
        return reply;
    });
}

FolderPicks::~FolderPicks() { ui::SetFolderPickHandler(nullptr); }

}  // namespace inst_test
