// A payload sealed with the list of its files: the list read strictly, and a
// missing, changed or added file found before the copy and by it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "tree_copy_fixture.h"

namespace {

// A sealed payload of three-byte files: "abc" is what the seal lists for each.
class SealedCopyTest : public TreeCopyTest {
protected:
    static constexpr char kAbc[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    void SetUp() override {
        for (const std::wstring& name : {kProgramFile, kLibraryFile, kSettingsFile}) WriteSource(name, "abc");
        seal = Seal::Parse(Line(kProgramFile) + Line(kLibraryFile, "\r\n") + Line(kSettingsFile));
        ASSERT_TRUE(seal.has_value());
    }
    // The seal's line for a file of "abc".
    static std::string Line(const std::wstring& name, const char* end = "\n") {
        return std::string(kAbc) + " 3 " + base::Narrow(name) + end;
    }
    CopyResult CopySealed() { return CopyFolderTreeKeepSource(Source(), Target(), nullptr, &failures, &*seal); }
    Seal::Damage Inspect() const { return seal->Inspect(Source() + L"\\"); }

    std::optional<Seal> seal;
};

TEST_F(SealedCopyTest, TheListIsReadStrictly) {
    EXPECT_NE(nullptr, seal->Find(L"dane\\TABLICA.INI")) << "letter case ignored";
    EXPECT_EQ(nullptr, seal->Find(L"tablica.ini"));
    EXPECT_EQ(3u, seal->Find(kProgramFile)->size);
    for (const std::string& bad : {std::string(kAbc) + " 3", std::string(kAbc) + "  3 x", std::string(kAbc, 63) + "g 3 x",
                                  std::string(kAbc) + " x y", std::string(kAbc) + " 3 a\n" + kAbc + " 3 A"})
        EXPECT_FALSE(Seal::Parse(bad).has_value()) << bad;
    EXPECT_TRUE(Seal::Parse("").has_value()) << "an empty payload";
}

TEST_F(SealedCopyTest, AnIntactPayloadIsCopied) {
    EXPECT_TRUE(Inspect().none());
    EXPECT_EQ(CopySealed(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(kSettingsFile), "abc");
}

TEST_F(SealedCopyTest, MissingTruncatedAndAddedFilesAreFoundBeforeTheCopy) {
    ASSERT_TRUE(DeleteFileW(tree.Path(L"RunImage\\" + kLibraryFile).c_str()));
    WriteSource(kProgramFile, "ab");
    WriteSource(L"Dane\\obcy.txt", "abc");
    const Seal::Damage damage = Inspect();
    EXPECT_EQ(damage.missing, Names{kLibraryFile});
    EXPECT_EQ(damage.changed, Names{kProgramFile});
    EXPECT_EQ(damage.extra, Names{L"Dane\\obcy.txt"});

    // And by the copy itself, should the payload change after the check.
    EXPECT_EQ(CopySealed(), CopyIncomplete);
    SortByPath(failures);
    EXPECT_EQ(failures, (Failures{{L"Dane\\obcy.txt", kErrorSealBroken, true},
                                  {kProgramFile, kErrorSealBroken, true},
                                  {kLibraryFile, ERROR_FILE_NOT_FOUND, true}}));
    EXPECT_EQ(FilesBelow(Target()), Names{});
}

// Only the content tells: the size is right, the check before the copy
// passes, and the copy fails as a whole when it reads the file.
TEST_F(SealedCopyTest, AChangedByteFailsTheWholeCopy) {
    WriteSource(kLibraryFile, "abd");
    EXPECT_TRUE(Inspect().none());
    EXPECT_EQ(CopySealed(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{kLibraryFile, kErrorSealBroken, true}}));
    EXPECT_EQ(FilesBelow(Target()), Names{});
}

// The message names the first few missing files: in the order of their
// names, letter case ignored, whatever order the list gave.
TEST_F(SealedCopyTest, MissingFilesComeInTheOrderOfTheirNames) {
    seal = Seal::Parse(Line(L"zeta.txt") + Line(L"Beta.txt") + Line(L"alfa.txt") + Line(kProgramFile) +
                       Line(kLibraryFile) + Line(kSettingsFile));
    ASSERT_TRUE(seal.has_value());
    EXPECT_EQ(Inspect().missing, (Names{L"alfa.txt", L"Beta.txt", L"zeta.txt"}));
    EXPECT_EQ(3u, seal->Find(L"ZETA.TXT")->size);
}

}  // namespace
