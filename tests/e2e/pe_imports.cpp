#include "tests/e2e/pe_imports.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/e2e/driver.h"

namespace e2e {

namespace {

class Image {
public:
    explicit Image(const std::string& bytes) : b_(bytes) {
        auto dos = At<IMAGE_DOS_HEADER>(0);
        if (dos.e_magic != IMAGE_DOS_SIGNATURE) Bad("no MZ header");
        const size_t nt = static_cast<size_t>(dos.e_lfanew);
        if (At<DWORD>(nt) != IMAGE_NT_SIGNATURE) Bad("no PE signature");
        auto file = At<IMAGE_FILE_HEADER>(nt + 4);
        machine_ = file.Machine;
        const size_t opt = nt + 4 + sizeof(IMAGE_FILE_HEADER);
        const WORD magic = At<WORD>(opt);
        if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
            auto h = At<IMAGE_OPTIONAL_HEADER32>(opt);
            Directories(h.DataDirectory, h.NumberOfRvaAndSizes);
        } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            auto h = At<IMAGE_OPTIONAL_HEADER64>(opt);
            Directories(h.DataDirectory, h.NumberOfRvaAndSizes);
        } else {
            Bad("unknown optional header");
        }
        const size_t sec = opt + file.SizeOfOptionalHeader;
        for (WORD i = 0; i < file.NumberOfSections; ++i)
            sections_.push_back(At<IMAGE_SECTION_HEADER>(sec + i * sizeof(IMAGE_SECTION_HEADER)));
    }

    std::vector<std::string> Dlls() const {
        std::vector<std::string> out;
        if (imports_.VirtualAddress) {
            for (size_t at = Offset(imports_.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
                auto d = At<IMAGE_IMPORT_DESCRIPTOR>(at);
                if (d.Name == 0) break;
                out.push_back(Name(d.Name));
            }
        }
        if (delayed_.VirtualAddress) {
            for (size_t at = Offset(delayed_.VirtualAddress);; at += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
                auto d = At<IMAGE_DELAYLOAD_DESCRIPTOR>(at);
                if (d.DllNameRVA == 0) break;
                out.push_back(Name(d.DllNameRVA));
            }
        }
        return out;
    }

    WORD Machine() const { return machine_; }

private:
    [[noreturn]] static void Bad(const char* why) { throw Failure(L"not a PE image: " + Widen(why)); }

    template <typename T>
    T At(size_t offset) const {
        if (offset > b_.size() || b_.size() - offset < sizeof(T)) Bad("truncated");
        T v;
        std::memcpy(&v, b_.data() + offset, sizeof(T));
        return v;
    }

    void Directories(const IMAGE_DATA_DIRECTORY* dirs, DWORD count) {
        if (count > IMAGE_DIRECTORY_ENTRY_IMPORT) imports_ = dirs[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (count > IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT) delayed_ = dirs[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    }

    size_t Offset(DWORD rva) const {
        for (const auto& s : sections_) {
            const DWORD size = std::max(s.Misc.VirtualSize, s.SizeOfRawData);
            if (rva >= s.VirtualAddress && rva - s.VirtualAddress < size)
                return size_t(s.PointerToRawData) + (rva - s.VirtualAddress);
        }
        Bad("address outside every section");
    }

    std::string Name(DWORD rva) const {
        size_t at = Offset(rva);
        std::string name;
        for (;; ++at) {
            if (at >= b_.size()) Bad("unterminated name");
            char c = b_[at];
            if (!c) break;
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return name;
    }

    const std::string& b_;
    WORD machine_ = 0;
    IMAGE_DATA_DIRECTORY imports_{}, delayed_{};
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

}  // namespace

std::vector<std::string> ImportedDlls(const std::string& image) { return Image(image).Dlls(); }

WORD ImageMachine(const std::string& image) { return Image(image).Machine(); }

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) throw Failure(L"cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace e2e
