#include "seal.h"

#include "base/text.h"

namespace engine {

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
        if (!ParseLine(line, &path, &file)) return std::nullopt;
        seal.paths_.Add(std::move(path));
        seal.files_.push_back(file);
    }
    if (!seal.paths_.Sort()) return std::nullopt;
    return seal;
}

const SealedFile* Seal::Find(const std::wstring& relative) const {
    const size_t i = paths_.Find(relative);
    return i == NameIndex::npos ? nullptr : &files_[i];
}

Seal::Damage Seal::Compare(const std::wstring& payload, const std::vector<std::wstring>& files,
                           const std::vector<FileDetails>& details) const {
    Damage damage;
    std::vector<bool> seen(files_.size());
    for (size_t i = 0; i < files.size(); ++i) {
        std::wstring relative = files[i].substr(payload.size());
        const size_t listed = paths_.Find(relative);
        if (listed == NameIndex::npos) {
            damage.extra.push_back(std::move(relative));
            continue;
        }
        seen[listed] = true;
        if (files_[listed].size != details[i].size) damage.changed.push_back(std::move(relative));
    }
    for (size_t listed : paths_.Sorted())
        if (!seen[listed]) damage.missing.push_back(paths_[listed]);
    return damage;
}

Seal::Damage Seal::Inspect(const std::wstring& payload) const {
    std::vector<std::wstring> files;
    std::vector<UnlistedFolder> unlisted;
    std::vector<FileDetails> details;
    ListFolderTree(payload, files, unlisted, &details);
    return Compare(payload, files, details);
}

}  // namespace engine
