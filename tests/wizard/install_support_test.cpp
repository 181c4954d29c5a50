// The path form and the failure text that need no window.
#include <gtest/gtest.h>

#include "wizard/install_support.h"

namespace {

TEST(CollapseKeepingNetworkPrefix, KeepsOnlyTheLeadingPair) {
    EXPECT_EQ(L"\\\\serwer\\dział\\Velandra\\", CollapseKeepingNetworkPrefix(L"\\\\serwer\\\\dział\\Velandra\\\\"));
    EXPECT_EQ(L"C:\\a\\b\\", CollapseKeepingNetworkPrefix(L"C:\\\\a\\\\b\\\\"));
    EXPECT_EQ(L"\\a", CollapseKeepingNetworkPrefix(L"\\a"));
    EXPECT_EQ(L"\\\\", CollapseKeepingNetworkPrefix(L"\\\\"));
    EXPECT_EQ(L"", CollapseKeepingNetworkPrefix(L""));
}

TEST(NotCopiedMessage, ListsAtMostTenFilesAndCountsTheRest) {
    std::vector<CopyFailure> failures;
    for (int i = 1; i <= 12; ++i) failures.push_back({L"Dane\\plik" + std::to_wstring(i) + L".dat", 32});
    std::wstring expected = L"Nie udało się skopiować plików:";
    for (int i = 1; i <= 10; ++i) expected += L"\nDane\\plik" + std::to_wstring(i) + L".dat";
    expected += L"\ni inne (2)\nJeśli program Velandra jest uruchomiony, zamknij go i kliknij 'Dalej', aby "
                L"spróbować ponownie.";
    EXPECT_EQ(expected, NotCopiedMessage(failures));

    failures.resize(10);
    EXPECT_EQ(std::wstring::npos, NotCopiedMessage(failures).find(L"i inne"));
}

}  // namespace
