#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "test_tree.h"
#include "vtutils.h"

namespace {

using Names = std::vector<std::wstring>;
using Failures = std::vector<CopyFailure>;

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

    TestTree tree;
    Failures failures;
};

bool HasAttribute(DWORD attrs, DWORD bit) {
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & bit) != 0;
}

TEST_F(TreeCopyTest, BadArgumentsCopyNothing) {
    WriteSource(L"Vel.exe", "exe");
    EXPECT_EQ(CopyFolderTreeKeepSource(L"", Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), L""), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"missing"), Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"RunImage\\Vel.exe"), Target()),
              CopyBadArguments);
    EXPECT_FALSE(tree.Exists(L"Vantrel"));
}

TEST_F(TreeCopyTest, CopiesEveryFileIntoANewNestedTarget) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"help\\VELHELP.HLP", "hlp");
    WriteSource(L"help\\deep\\zażółć gęślą.txt", "pl");
    WriteSource(L"secret.sys", "sys");
    SetAttributes(L"RunImage\\secret.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.MakeFolder(L"RunImage\\empty\\inner");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "exe");
    EXPECT_EQ(ReadTarget(L"help\\VELHELP.HLP"), "hlp");
    EXPECT_EQ(ReadTarget(L"help\\deep\\zażółć gęślą.txt"), "pl");
    EXPECT_EQ(ReadTarget(L"secret.sys"), "sys");
    EXPECT_FALSE(InTarget(L"empty"));
}

TEST_F(TreeCopyTest, TargetHoldingEveryFileKeepsAllButListedNamesRelativeToSource) {
    for (const wchar_t* name : {L"Vel.exe", L"sub\\vel.exe", L"sub\\Data.txt", L"data.txt"}) {
        WriteSource(name, "new");
        WriteTarget(name, "old");
    }
    const Names overwrite{L"vEL.exe", L"SUB\\DATA.TXT"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});  // kept files are no failures
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "new");
    EXPECT_EQ(ReadTarget(L"sub\\vel.exe"), "old");
    EXPECT_EQ(ReadTarget(L"sub\\Data.txt"), "new");
    EXPECT_EQ(ReadTarget(L"data.txt"), "old");
}

TEST_F(TreeCopyTest, ReadOnlySourceArrivesWritable) {
    for (const wchar_t* name : {L"ro.txt", L"listed.txt"}) {
        WriteSource(name, "new");
        SetAttributes(L"RunImage\\" + std::wstring(name), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }
    WriteTarget(L"listed.txt", "old");
    const Names overwrite{L"listed.txt"};

    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    for (const wchar_t* name : {L"ro.txt", L"listed.txt"}) {
        EXPECT_EQ(ReadTarget(name), "new");
        const DWORD copied = tree.Attributes(L"Vantrel\\Velandra\\" + std::wstring(name));
        EXPECT_FALSE(HasAttribute(copied, FILE_ATTRIBUTE_READONLY)) << std::hex << copied;
        EXPECT_TRUE(HasAttribute(tree.Attributes(L"RunImage\\" + std::wstring(name)),
                                 FILE_ATTRIBUTE_READONLY));
    }
}

TEST_F(TreeCopyTest, ReadOnlyTargetFileNotListedIsKeptAsItWas) {
    WriteSource(L"ro.txt", "new");
    WriteTarget(L"ro.txt", "old");
    SetAttributes(L"Vantrel\\Velandra\\ro.txt", FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"ro.txt"), "old");
    EXPECT_TRUE(HasAttribute(tree.Attributes(L"Vantrel\\Velandra\\ro.txt"), FILE_ATTRIBUTE_READONLY));
}

// Windows refuses a rename onto a read-only file and Wine does not: the copy
// checks the attribute itself, so this holds everywhere.
TEST_F(TreeCopyTest, ReadOnlyTargetFileOnTheListIsReportedAsFailure) {
    WriteSource(L"Vel.exe", "new");
    WriteSource(L"other.dll", "dll");
    WriteTarget(L"Vel.exe", "old");
    SetAttributes(L"Vantrel\\Velandra\\Vel.exe", FILE_ATTRIBUTE_READONLY);
    const Names overwrite{L"vel.exe", L"other.dll"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"Vel.exe", ERROR_FILE_READ_ONLY}}));
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "old");
    EXPECT_EQ(ReadTarget(L"other.dll"), "dll");
}

// Names match whatever their case, as on Windows: a listed file whose
// read-only copy in the target is spelt otherwise is still not replaced.
TEST_F(TreeCopyTest, ATargetFileSpeltInAnotherCaseCountsAsTheSame) {
    WriteSource(L"sub\\Help.hlp", "new help");
    WriteSource(L"sub\\notes.txt", "new notes");
    WriteTarget(L"sub\\HELP.HLP", "old help");
    WriteTarget(L"sub\\NOTES.TXT", "old notes");
    SetAttributes(L"Vantrel\\Velandra\\sub\\HELP.HLP", FILE_ATTRIBUTE_READONLY);
    const Names overwrite{L"SUB\\help.HLP"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"sub\\Help.hlp", ERROR_FILE_READ_ONLY}}));
    EXPECT_EQ(ReadTarget(L"sub\\HELP.HLP"), "old help");
    EXPECT_EQ(ReadTarget(L"sub\\NOTES.TXT"), "old notes") << "not on the list: kept";
}

TEST_F(TreeCopyTest, TargetThatCannotBeCreatedStopsBeforeAnyFile) {
    WriteSource(L"Vel.exe", "exe");
    tree.Write(L"Vantrel", "a file where the folder must go");

    EXPECT_EQ(Copy(), CopyFolderFailed);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].relativePath, L"");
    EXPECT_NE(failures[0].error, 0u);
    EXPECT_EQ(tree.Read(L"Vantrel"), "a file where the folder must go");
}

TEST_F(TreeCopyTest, FolderBlockedMidwayStopsTheCopyThere) {
    for (const wchar_t* name : {L"a.txt", L"one\\b.txt", L"two\\c.txt", L"three\\d.txt", L"e.txt"})
        WriteSource(name, "x");
    std::vector<std::wstring> order;
    ListFilesRecursive(Source(), order);
    ASSERT_EQ(order.size(), 5u);
    // Some file in a subfolder is neither first nor last: block its folder.
    size_t blocked = 1;
    while (order[blocked].find(L'\\', Source().size() + 1) == std::wstring::npos) ++blocked;
    ASSERT_LT(blocked, 4u);
    const std::wstring relative = order[blocked].substr(Source().size() + 1);
    const std::wstring folder = relative.substr(0, relative.find(L'\\'));
    WriteTarget(folder, "blocker");

    EXPECT_EQ(Copy(), CopyFolderFailed);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].relativePath, relative);
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(InTarget(order[i].substr(Source().size() + 1)), i < blocked) << i;
    }
}

TEST_F(TreeCopyTest, FileHeldOpenElsewhereIsReportedWithItsError) {
    for (const wchar_t* name : {L"a.txt", L"busy.txt", L"sub\\z.txt"}) WriteSource(name, "x");
    LockedFile lock(tree.Path(L"RunImage\\busy.txt"));
    ASSERT_TRUE(lock.locked());

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"busy.txt", ERROR_SHARING_VIOLATION, true}}));
    EXPECT_TRUE(InTarget(L"a.txt"));
    EXPECT_TRUE(InTarget(L"sub\\z.txt"));
    EXPECT_FALSE(InTarget(L"busy.txt"));
}

TEST_F(TreeCopyTest, MoveDeletesOnlySourcesThatWereCopied) {
    for (const wchar_t* name : {L"moved.txt", L"sub\\moved.txt", L"kept.txt", L"busy.txt"})
        WriteSource(name, "new");
    WriteTarget(L"kept.txt", "old");
    LockedFile lock(tree.Path(L"RunImage\\busy.txt"));
    ASSERT_TRUE(lock.locked());

    EXPECT_EQ(CopyFolderTree(Source(), Target(), true, nullptr, &failures), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"busy.txt", ERROR_SHARING_VIOLATION, true}}));
    EXPECT_FALSE(InSource(L"moved.txt"));
    EXPECT_FALSE(InSource(L"sub\\moved.txt"));
    EXPECT_EQ(ReadTarget(L"sub\\moved.txt"), "new");
    EXPECT_TRUE(InSource(L"kept.txt"));
    EXPECT_EQ(ReadTarget(L"kept.txt"), "old");
    EXPECT_TRUE(InSource(L"busy.txt"));
}

TEST_F(TreeCopyTest, LinksToFoldersAreNotFollowed) {
    WriteSource(L"real\\f.txt", "f");
    tree.Write(L"elsewhere\\secret.txt", "s");
    if (!MakeHostLink(tree.Path(L"RunImage\\real\\up"), L"..") ||
        !MakeHostLink(tree.Path(L"RunImage\\outside"), HostPath(tree.Path(L"elsewhere")))) {
        GTEST_SKIP() << "cannot create folder links here";
    }
    std::vector<std::wstring> files;
    ListFilesRecursive(Source(), files);
    EXPECT_EQ(files, Names{Source() + L"\\real\\f.txt"});

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(ReadTarget(L"real\\f.txt"), "f");
    EXPECT_FALSE(InTarget(L"real\\up"));
    EXPECT_FALSE(InTarget(L"outside"));
}

TEST_F(TreeCopyTest, UnreadableSourceFolderIsReportedNotSkippedSilently) {
    WriteSource(L"a.txt", "a");
    WriteSource(L"closed\\b.txt", "b");
    const std::wstring closed = tree.Path(L"RunImage\\closed");
    if (!RunHostCommand(L"chmod 000 " + HostQuoted(closed))) GTEST_SKIP() << "no host here";
    std::vector<std::wstring> probe;
    ListFilesRecursive(closed, probe);
    if (!probe.empty()) GTEST_SKIP() << "the platform lets this user read every folder (root)";

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"closed\\", ERROR_ACCESS_DENIED, true}}));
    EXPECT_EQ(ReadTarget(L"a.txt"), "a");
}

TEST_F(TreeCopyTest, LeftoversOfAnInterruptedCopyAreRemovedAndNothingOfTheCopyStays) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"Dane\\mapa.bin", "whole map");
    const std::wstring staging = std::wstring(kStagingFolder) + L"\\";
    WriteTarget(staging + L"3.part", "half");
    WriteTarget(staging + L"4.part", "half a map");
    WriteTarget(L"~vel_instaluj_notatki.txt", "the user's");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Dane\\mapa.bin"), "whole map");
    EXPECT_FALSE(InTarget(kStagingFolder));
    EXPECT_EQ(ReadTarget(L"~vel_instaluj_notatki.txt"), "the user's");
}

TEST_F(TreeCopyTest, ATargetWithoutWriteRightsFailsEveryFileForThatReason) {
    WriteSource(L"a.txt", "a");
    WriteSource(L"b.txt", "b");
    tree.MakeFolder(L"Vantrel\\Velandra");
    const std::wstring host = HostQuoted(Target());
    if (!RunHostCommand(L"chmod a-w " + host)) GTEST_SKIP() << "no host here";
    const CopyResult result = Copy();
    RunHostCommand(L"chmod u+w " + host);
    if (result == CopyComplete) GTEST_SKIP() << "the platform lets this user write anywhere (root)";

    EXPECT_EQ(result, CopyIncomplete);
    std::sort(failures.begin(), failures.end(),
              [](const CopyFailure& x, const CopyFailure& y) { return x.relativePath < y.relativePath; });
    EXPECT_EQ(failures, (Failures{{L"a.txt", ERROR_ACCESS_DENIED}, {L"b.txt", ERROR_ACCESS_DENIED}}));
}

TEST_F(TreeCopyTest, FailedReplacementKeepsTheOldFileWholeAndLeavesNoPartialFile) {
    WriteSource(L"Vel.exe", "new program");
    WriteTarget(L"Vel.exe", "old program");
    const Names overwrite{L"Vel.exe"};
    {
        LockedFile lock(tree.Path(L"Vantrel\\Velandra\\Vel.exe"));
        ASSERT_TRUE(lock.locked());
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
        const ULONGLONG waited = GetTickCount64() - start;
        // A lock counts only once the retry is over.
        EXPECT_GE(waited, (kLockRetryTries - 1) * kLockRetryPauseMs - 50);
        EXPECT_LT(waited, (kLockRetryTries + 4) * kLockRetryPauseMs);
    }
    EXPECT_EQ(failures, (Failures{{L"Vel.exe", ERROR_SHARING_VIOLATION}}));
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "old program");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

TEST_F(TreeCopyTest, ABriefLockIsWaitedOut) {
    WriteSource(L"Vel.exe", "new program");
    WriteTarget(L"Vel.exe", "old program");
    const Names overwrite{L"Vel.exe"};
    auto lock = std::make_unique<LockedFile>(tree.Path(L"Vantrel\\Velandra\\Vel.exe"));
    ASSERT_TRUE(lock->locked());
    std::thread scanner([&lock] {
        Sleep(kLockRetryPauseMs + 100);
        lock.reset();
    });
    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    scanner.join();
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "new program");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

}  // namespace
