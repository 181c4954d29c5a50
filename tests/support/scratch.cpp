#include "tests/support/scratch.h"

#include <shlobj.h>

#include <algorithm>
#include <stdexcept>

#include "base/handles.h"
#include "tests/support/host.h"

namespace testing_support {

namespace {

std::wstring NewFolderName(const std::wstring& prefix, std::wstring parent) {
    static LONG serial = 0;
    if (parent.empty()) {
        wchar_t temp[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
        parent.assign(temp, n);
    }
    return parent + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64() % 100000) + L"-" + std::to_wstring(InterlockedIncrement(&serial));
}

void ListInto(const std::wstring& folder, const std::wstring& prefix, Listing listing,
              std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW fd;
    base::ScopedFind h(FindFirstFileW((folder + L"\\*").c_str(), &fd));
    if (!h) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const size_t before = out.size();
            ListInto(folder + L"\\" + name, prefix + name + L"\\", listing, out);
            if (out.size() == before && listing == Listing::kFilesAndEmptyFolders)
                out.push_back(prefix + name + L"\\");  // an empty folder
        } else {
            out.push_back(prefix + name);
        }
    } while (FindNextFileW(h.get(), &fd));
}

void CreateParents(const std::wstring& path) {
    // Every folder on the way; those that exist just refuse.
    for (size_t i = path.find(L'\\', 3); i != std::wstring::npos; i = path.find(L'\\', i + 1))
        CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::wstring& prefix, bool mayHoldHostLinks, const std::wstring& parent)
    : hostRemoval_(mayHoldHostLinks) {
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const std::wstring name = NewFolderName(prefix, parent);
        if (CreateDirectoryW(name.c_str(), nullptr)) path_ = name;
    }
    if (path_.empty()) throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    if (hostRemoval_) {
        const std::wstring host = HostQuoted(path_);
        if (RunHostCommand(L"chmod -R u+rwx " + host + L"; rm -rf " + host)) return;
    }
    RemoveTree(path_);
}

std::wstring OwnFolder() {
    wchar_t buf[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, buf, DWORD(std::size(buf)));
    const std::wstring p(buf, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

bool RemoveTree(const std::wstring& folder) {
    std::wstring dir = folder;
    if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    WIN32_FIND_DATAW fd;
    base::ScopedFind h(FindFirstFileW((dir + L"\\*").c_str(), &fd));
    if (h) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD attrs = fd.dwFileAttributes;
            if ((attrs & FILE_ATTRIBUTE_DIRECTORY) && !(attrs & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else if (attrs & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(path.c_str());
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h.get(), &fd));
    }
    h.reset();
    RemoveDirectoryW(dir.c_str());
    return GetFileAttributesW(dir.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::wstring& folder) { CreateParents(folder + L"\\"); }

void WriteText(const std::wstring& path, const std::string& content) {
    CreateParents(path);
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

std::vector<std::wstring> FilesBelow(const std::wstring& folder, Listing listing) {
    std::vector<std::wstring> out;
    const bool slash = !folder.empty() && folder.back() == L'\\';
    ListInto(slash ? folder.substr(0, folder.size() - 1) : folder, L"", listing, out);
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

}  // namespace testing_support
