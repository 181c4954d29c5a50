#include "name_index.h"

#include <windows.h>

#include <algorithm>

namespace engine {

namespace {

int CompareNames(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) -
           CSTR_EQUAL;
}

}  // namespace

void NameIndex::Clear() {
    names_.clear();
    sorted_.clear();
}

void NameIndex::Add(std::wstring name) {
    const size_t position = names_.size();
    sorted_.push_back(position);
    names_.push_back(std::move(name));
}

bool NameIndex::Sort() {
    // A name added twice: the later one first, so that Find takes it.
    std::sort(sorted_.begin(), sorted_.end(), [this](size_t a, size_t b) {
        const int order = CompareNames(names_[a], names_[b]);
        return order < 0 || (order == 0 && a > b);
    });
    for (size_t i = 1; i < sorted_.size(); ++i)
        if (CompareNames(names_[sorted_[i - 1]], names_[sorted_[i]]) == 0) return false;
    return true;
}

size_t NameIndex::Find(const std::wstring& name) const {
    size_t low = 0, high = sorted_.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (CompareNames(names_[sorted_[middle]], name) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low < sorted_.size() && CompareNames(names_[sorted_[low]], name) == 0 ? sorted_[low] : npos;
}

}  // namespace engine
