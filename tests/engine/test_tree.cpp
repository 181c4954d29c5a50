#include "test_tree.h"

#include <gtest/gtest.h>

#include "base/handles.h"
#include "vtutils.h"

void TestTree::Write(const std::wstring& relative, const std::string& text) const {
    const std::wstring path = Path(relative);
    ASSERT_TRUE(CreateFolderTree(path.substr(0, path.rfind(L'\\') + 1)));
    const base::ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "error " << GetLastError();
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ASSERT_EQ(written, text.size());
}

std::string TestTree::Read(const std::wstring& relative) const { return testing_support::ReadText(Path(relative)); }

bool TestTree::Exists(const std::wstring& relative) const {
    return GetFileAttributesW(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD TestTree::Attributes(const std::wstring& relative) const {
    return GetFileAttributesW(Path(relative).c_str());
}

void TestTree::MakeFolder(const std::wstring& relative) const {
    ASSERT_TRUE(CreateFolderTree(Path(relative)));
}

void engine::PrintTo(const CopyFailure& failure, std::ostream* out) {
    *out << "{\"" << ::testing::PrintToString(failure.relativePath) << "\", error " << failure.error
         << (failure.unreadableSource ? ", unreadable source" : "") << "}";
}
