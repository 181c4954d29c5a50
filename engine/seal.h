#pragma once
// A sealed medium: the installer's exe carries the list of every payload file
// (its path relative to the payload, its size and its SHA-256), so the
// signature on the exe covers the payload too, and a damaged, incomplete or
// altered payload is refused instead of installed.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/sha256.h"
#include "file_list.h"
#include "name_index.h"

namespace engine {

struct SealedFile {
    unsigned long long size;
    base::Sha256Digest sha256;
};

class Seal {
public:
    // The list as the release script writes it, UTF-8, a line per file:
    // "<SHA-256 in hex> <size> <path with backslashes>". Nothing when a line
    // is malformed or a path comes twice.
    static std::optional<Seal> Parse(std::string_view text);

    // The entry of a path relative to the payload, letter case ignored; null
    // when the path is not on the list.
    const SealedFile* Find(const std::wstring& relative) const;

    // How a payload differs from the list, each by relative path.
    struct Damage {
        std::vector<std::wstring> missing;  // listed, not there
        std::vector<std::wstring> changed;  // there with another size, or other content
        std::vector<std::wstring> extra;    // there, not listed
        bool none() const { return missing.empty() && changed.empty() && extra.empty(); }
    };
    // Compares the files of a payload as ListFolderTree lists them below
    // payload (with a trailing backslash) with the list. Content is not read
    // here.
    Damage Compare(const std::wstring& payload, const std::vector<std::wstring>& files,
                   const std::vector<FileDetails>& details) const;
    // Compare on the files below payload (with a trailing backslash); a folder
    // that cannot be read leaves its files missing.
    Damage Inspect(const std::wstring& payload) const;

private:
    NameIndex paths_;
    std::vector<SealedFile> files_;  // by the position of their path
};

}  // namespace engine
