// The copy's plan, before any file is written: its arguments, the target's
// folder, which files the target keeps and which it takes, and what the
// listing of the source finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tree_copy_fixture.h"

namespace {

TEST_F(TreeCopyTest, BadArgumentsCopyNothing) {
    WriteSource(kProgramFile, "exe");
    EXPECT_EQ(CopyFolderTreeKeepSource(L"", Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), L""), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"missing"), Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"RunImage\\" + kProgramFile), Target()),
              CopyBadArguments);
    EXPECT_FALSE(tree.Exists(L"Vantrel"));
}

TEST_F(TreeCopyTest, TargetHoldingEveryFileKeepsAllButListedNamesRelativeToSource) {
    for (const std::wstring& name : Names{kProgramFile, L"sub\\vel.exe", L"sub\\Data.txt", L"data.txt"}) {
        WriteSource(name, "new");
        WriteTarget(name, "old");
    }
    const Names overwrite{L"vEL.exe", L"SUB\\DATA.TXT"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});  // kept files are no failures
    EXPECT_EQ(ReadTarget(kProgramFile), "new");
    EXPECT_EQ(ReadTarget(L"sub\\vel.exe"), "old");
    EXPECT_EQ(ReadTarget(L"sub\\Data.txt"), "new");
    EXPECT_EQ(ReadTarget(L"data.txt"), "old");
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
    WriteSource(kProgramFile, "exe");
    tree.Write(L"Vantrel", "a file where the folder must go");

    EXPECT_EQ(Copy(), CopyFolderFailed);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].relativePath, L"");
    EXPECT_NE(failures[0].error, 0u);
    EXPECT_EQ(tree.Read(L"Vantrel"), "a file where the folder must go");
}

TEST_F(TreeCopyTest, ATargetWithoutWriteRightsFailsAsAFolderThatCannotBeMade) {
    WriteSource(L"a.txt", "a");
    WriteSource(L"b.txt", "b");
    tree.MakeFolder(L"Vantrel\\Velandra");
    const std::wstring host = HostQuoted(Target());
    if (!RunHostCommand(L"chmod a-w " + host)) GTEST_SKIP() << "no host here";
    const CopyResult result = Copy();
    RunHostCommand(L"chmod u+w " + host);
    if (result == CopyComplete) GTEST_SKIP() << "the platform lets this user write anywhere (root)";

    // Said once, for the target itself, not for every file.
    EXPECT_EQ(result, CopyFolderFailed);
    EXPECT_EQ(failures, (Failures{{L"", ERROR_ACCESS_DENIED}}));
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
    EXPECT_FALSE(InTarget(L"a.txt")) << "all or nothing";
}

}  // namespace
