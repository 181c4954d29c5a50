#pragma once
// The installer's texts as the tests expect to see them, written once for
// the window tests and the end-to-end scenarios alike.

namespace testing_support {

inline constexpr wchar_t kWelcomeCaption[] = L"Program instalacyjny aplikacja Velandra - Witamy";
inline constexpr wchar_t kLicenceCaption[] = L"Program instalacyjny aplikacji Velandra - licencja";
// The install window's caption, also the caption of the exit question.
inline constexpr wchar_t kInstallerCaption[] = L"Instalator programu Velandra";
inline constexpr wchar_t kExitQuestion[] = L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?";

}  // namespace testing_support
