#pragma once
// What the end-to-end scenarios know of the installer: where it is, the
// captions of its windows and the ids of their controls.
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/expected_texts.h"
#include "wizard/lic.h"
#include "wizard/witaj.h"

namespace e2e {

using testing_support::kExitQuestion;
using testing_support::kExitText;
using testing_support::kFolderCaption;
using testing_support::kInstallerCaption;  // the install window and the exit question
using testing_support::kLicenceCaption;
using testing_support::FolderFailure;
using testing_support::FolderQuestion;
using testing_support::kNextText;
using testing_support::kProgramInUseText;
using testing_support::kSuccessCaption;
using testing_support::kSuccessText;
using testing_support::kWelcomeCaption;

// The installer that the build made (overridable with VEL_E2E_INSTALLER).
std::wstring InstallerPath();
// The same installer sealed for its sample payload (scripts/release.sh makes
// one beside a release build; the test build makes its own), or "" when that
// build has none.
std::wstring SealedInstallerPath();

// The system the harness runs Wine as (VEL_LOCALE, Polish unless set), named
// as Windows names a locale: "pl-PL".
std::wstring SystemLocaleName();
// What the system's own dialogs (message boxes, the folder picker) write on a
// standard button (IDOK, IDCANCEL, IDYES, IDNO) on that system: the
// installer's texts are Polish everywhere, these are not. Throws for a
// system or button the scenarios do not know.
std::wstring SystemButtonText(int id);
std::vector<std::wstring> SystemButtonTexts(const std::vector<int>& ids);

// Starts the installer and waits for its welcome page.
Process LaunchInstaller(const std::wstring& exe = InstallerPath());

// Next on the welcome page; returns the licence page.
HWND GoToLicence(const Process& p, HWND welcome);

// Agrees to the licence and presses Next; waits until the page is gone.
void AgreeAndNext(const Process& p, HWND licence);

// After the licence page closed with Next: if the install window opens, closes
// it by its close box. Returns the exit code of the process.
DWORD FinishAfterLicence(Process& p);

}  // namespace e2e
