#pragma once
// The fixture of the tree copy's tests, one file a phase of the copy: its
// plan, the staging of the files, their placing, the roll-back, the sealed
// payload and the observer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/handles.h"
#include "copy_observer.h"
#include "seal.h"
#include "staging.h"
#include "test_tree.h"
#include "tests/support/install.h"
#include "tests/support/payload.h"
#include "vtutils.h"

using testing_support::FilesBelow;
using testing_support::kHelpContentsFile;
using testing_support::kHelpFile;
using testing_support::kLibraryFile;
using testing_support::kProgramFile;
using testing_support::kReadmeFile;
using testing_support::kSettingsFile;

using Names = std::vector<std::wstring>;
using Failures = std::vector<CopyFailure>;

inline bool HasAttribute(DWORD attrs, DWORD bit) {
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & bit) != 0;
}

class TreeCopyTest : public ::testing::Test {
protected:
    // The source and target of a copy are folders of one temporary tree.
    std::wstring Source() const { return tree.Path(L"RunImage"); }
    std::wstring Target() const { return tree.Path(L"Vantrel\\Velandra"); }
    void WriteSource(const std::wstring& relative, const std::string& text) {
        tree.Write(L"RunImage\\" + relative, text);
    }
    void WriteTarget(const std::wstring& relative, const std::string& text) {
        tree.Write(L"Vantrel\\Velandra\\" + relative, text);
    }
    std::string ReadTarget(const std::wstring& relative) const {
        return tree.Read(L"Vantrel\\Velandra\\" + relative);
    }
    bool InSource(const std::wstring& relative) const { return tree.Exists(L"RunImage\\" + relative); }
    bool InTarget(const std::wstring& relative) const {
        return tree.Exists(L"Vantrel\\Velandra\\" + relative);
    }
    void SetAttributes(const std::wstring& relative, DWORD attrs) const {
        ASSERT_TRUE(SetFileAttributesW(tree.Path(relative).c_str(), attrs));
    }
    CopyResult Copy(const Names* overwrite = nullptr) {
        return CopyFolderTreeKeepSource(Source(), Target(), overwrite, &failures);
    }

    // Failures in the order of their paths, whatever order the listing gave.
    static void SortByPath(Failures& list) {
        std::sort(list.begin(), list.end(),
                  [](const CopyFailure& x, const CopyFailure& y) { return x.relativePath < y.relativePath; });
    }

    TestTree tree;
    Failures failures;
};
