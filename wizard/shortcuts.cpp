#include "wizard/shortcuts.h"

#include <shlobj.h>

#include <optional>
#include <utility>

#include "engine/vtutils.h"
#include "base/error.h"
#include "base/handles.h"
#include "base/seam.h"
#include "ui/shell_folders.h"
#include "base/text.h"
#include "wizard/product.h"
#include "wizard/texts.h"

using engine::CollapseKeepingNetworkPrefix;
using engine::CreateFolderTree;
using engine::FolderExists;

namespace {

// The shell link class, spelled out: the import library that defines it holds
// every GUID of the system in one object and would add tens of kilobytes.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

HRESULT CreateShellLinkObject(IUnknown** object) {
    return CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                            __uuidof(IUnknown), reinterpret_cast<void**>(object));
}

base::Seam<HRESULT(IUnknown**)>& CreateLinkObject() {
    static base::Seam<HRESULT(IUnknown**)> seam(CreateShellLinkObject);
    return seam;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// The shared folder first, when the shell can name it; the user's own when it
// cannot, or when the shared one refuses the save (no administrator rights).
// save returns whether the shortcut landed in the folder it was given.
template <typename Save>
bool SaveWithFallback(int shared, int own, Save save) {
    if (auto folder = ui::SpecialFolderPath(shared)) {
        if (save(*folder)) return true;
    }
    auto folder = ui::SpecialFolderPath(own);
    return folder && save(*folder);
}

bool SaveLink(IPersistFile& file, const std::wstring& name) {
    return SUCCEEDED(file.Save(name.c_str(), FALSE));
}

bool SaveInMenu(IPersistFile& file, const std::wstring& programs) {
    const std::wstring menuFolder = CollapseKeepingNetworkPrefix(programs + L"\\" + product::kMenuFolder);
    if (!FolderExists(menuFolder)) CreateFolderTree(menuFolder);
    return FolderExists(menuFolder) &&
           SaveLink(file, CollapseKeepingNetworkPrefix(programs + L"\\" + product::kMenuFolder + L"\\" +
                                                       product::kShortcutFile));
}

}  // namespace

ShellLinkFactory SetShellLinkFactory(ShellLinkFactory factory) {
    return CreateLinkObject().Replace(std::move(factory));
}

std::wstring ShortcutTarget(const std::wstring& folder) {
    return CollapseKeepingNetworkPrefix(folder + L"\\" + product::kShortcutProgram);
}

ShortcutsSaved CreateShortcuts(const std::wstring& folder) {
    const std::wstring target = ShortcutTarget(folder);
    const std::wstring workingFolder = target.substr(0, target.rfind(L'\\') + 1);

    base::ComPtr<IUnknown> object;
    const HRESULT hr = CreateLinkObject()(object.put());
    if (FAILED(hr) || !object)
        throw base::Error(
            Fill(kLinkObjectNotMade, {SystemWords(static_cast<unsigned long>(hr)), GuidText(kShellLinkClass)}));
    base::ComPtr<IShellLinkW> link;
    base::ComPtr<IPersistFile> file;
    if (FAILED(object->QueryInterface(__uuidof(IShellLinkW), link.put_void())) ||
        FAILED(object->QueryInterface(__uuidof(IPersistFile), file.put_void())))
        throw base::Error(kLinkInterfaceMissing);

    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());

    IPersistFile& persist = *file.get();
    ShortcutsSaved saved;
    saved.desktop = SaveWithFallback(CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY, [&](const std::wstring& desktop) {
        return SaveLink(persist, CollapseKeepingNetworkPrefix(desktop + L"\\" + product::kShortcutFile));
    });
    saved.menu = SaveWithFallback(CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS,
                                  [&](const std::wstring& programs) { return SaveInMenu(persist, programs); });
    return saved;
}
