#include "seal.h"

#include "file_list.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "<64 hex digits> <decimal size> <path>"
bool ParseLine(std::string_view line, std::wstring* path, SealedFile* file) {
    if (line.size() < 68 || line[64] != ' ') return false;
    for (size_t i = 0; i < 32; ++i) {
        const int high = HexValue(line[2 * i]), low = HexValue(line[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        file->sha256[i] = static_cast<unsigned char>(high * 16 + low);
    }
    size_t i = 65;
    file->size = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) file->size = file->size * 10 + (line[i] - '0');
    if (i == 65 || i + 1 >= line.size() || line[i] != ' ') return false;
    *path = base::Widen(line.substr(i + 1));
    return true;
}

}  // namespace

std::optional<Seal> Seal::Parse(std::string_view text) {
    Seal seal;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::wstring path;
        SealedFile file;
        if (!ParseLine(line, &path, &file) || !seal.files_.emplace(std::move(path), file).second) return std::nullopt;
    }
    return seal;
}

const SealedFile* Seal::Find(const std::wstring& relative) const {
    const auto it = files_.find(relative);
    return it == files_.end() ? nullptr : &it->second;
}

Seal::Damage Seal::Compare(const std::vector<std::pair<std::wstring, unsigned long long>>& files) const {
    Damage damage;
    std::map<std::wstring, bool, base::NoCaseLess> seen;
    for (const auto& [relative, size] : files) {
        const SealedFile* sealed = Find(relative);
        if (!sealed) {
            damage.extra.push_back(relative);
            continue;
        }
        seen[relative] = true;
        if (sealed->size != size) damage.changed.push_back(relative);
    }
    for (const auto& [relative, file] : files_)
        if (!seen.count(relative)) damage.missing.push_back(relative);
    return damage;
}

Seal::Damage Seal::Inspect(const std::wstring& payload) const {
    std::vector<std::wstring> paths;
    std::vector<UnlistedFolder> unlisted;
    std::vector<FileDetails> details;
    ListFolderTree(payload, paths, unlisted, &details);
    std::vector<std::pair<std::wstring, unsigned long long>> files;
    files.reserve(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) files.emplace_back(paths[i].substr(payload.size()), details[i].size);
    return Compare(files);
}
