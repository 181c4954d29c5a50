#pragma once
// File names looked up as the file system matches them: ordinally, letter
// case ignored. The seal's list and a target folder's entries both use it.
#include <string>
#include <vector>

namespace engine {

class NameIndex {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    void Clear();
    // Adds a name at the next position (0, 1, ...). Call Sort before Find.
    void Add(std::wstring name);
    // Orders the names for Find; false when a name came twice (in any case).
    bool Sort();
    // The position of name, or npos. Of a name added twice, the later one.
    size_t Find(const std::wstring& name) const;

    size_t size() const { return names_.size(); }
    const std::wstring& operator[](size_t position) const { return names_[position]; }
    // The positions, in the order of their names (after Sort).
    const std::vector<size_t>& Sorted() const { return sorted_; }

private:
    std::vector<std::wstring> names_;
    std::vector<size_t> sorted_;
};

}  // namespace engine
