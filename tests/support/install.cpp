#include "tests/support/install.h"

#include <algorithm>
#include <stdexcept>

#include <gtest/gtest.h>

#include "base/handles.h"
#include "tests/support/host.h"
#include "tests/support/payload.h"
#include "tests/support/scratch.h"

namespace testing_support {

RunImageBeside::RunImageBeside() : path_(OwnFolder() + L"RunImage\\") {
    RemoveTree(path_.substr(0, path_.size() - 1));
    for (const auto& [name, content] : Files()) WriteText(path_ + name, content);
}

RunImageBeside::~RunImageBeside() { RemoveTree(path_.substr(0, path_.size() - 1)); }

const std::map<std::wstring, std::string>& RunImageBeside::Files() {
    static const std::map<std::wstring, std::string> files = {
        {kProgramFile, "program 3.51"},
        {kLibraryFile, "biblioteka 3.51"},
        {kHelpFile, "pomoc"},
        {kHelpContentsFile, "spis"},
        {kSettingsFile, "wzorcowe ustawienia"},
    };
    return files;
}

WritesDenied::WritesDenied(const std::wstring& folder) : folder_(folder) {
    if (!RunHostCommand(L"chmod a-w " + HostQuoted(folder_))) return;
    const std::wstring probe = folder_ + L"\\probe";
    base::ScopedFile f(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    enforced_ = !f;
    f.reset();
    if (!enforced_) DeleteFileW(probe.c_str());
}

WritesDenied::~WritesDenied() { RunHostCommand(L"chmod u+w " + HostQuoted(folder_)); }

SmallDisk::SmallDisk() {
    wchar_t host[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"VEL_SMALL_DISK", host, MAX_PATH)) return;
    std::wstring root = L"Z:" + std::wstring(host);
    std::replace(root.begin(), root.end(), L'/', L'\\');
    static int serial = 0;
    root += L"\\vel-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    MakeFolders(root);
    const DWORD attrs = GetFileAttributesW(root.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY)) root_ = root;
}

SmallDisk::~SmallDisk() {
    if (available()) RemoveTree(root_);
}

void SmallDisk::Fill() {
    base::ScopedFile f(CreateFileW((root_ + L"\\filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) throw std::runtime_error("cannot write the filler file");
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (WriteFile(f.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
           written == block.size()) {
    }
    // What is left is smaller than a block: take it byte by byte.
    while (WriteFile(f.get(), "f", 1, &written, nullptr) && written == 1) {
    }
}

void SmallDisk::Free() { DeleteFileW((root_ + L"\\filler").c_str()); }

void ExpectLinkTo(const std::wstring& file, const std::wstring& installed) {
    SCOPED_TRACE(testing::Message() << "link " << testing::PrintToString(file));
    const auto link = LoadLink(file);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(installed + L"\\" + kLinkedProgramFile, link->target);
    EXPECT_EQ(installed + L"\\", link->workingFolder);
}

}  // namespace testing_support
