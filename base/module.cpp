#include "ui/resource.h"

namespace ui {

std::optional<std::string_view> FindRawResource(HMODULE module, const wchar_t* name) {
    HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return std::nullopt;
    HGLOBAL data = LoadResource(module, info);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info));
}

HMODULE ProgramModule() { return GetModuleHandleW(nullptr); }

}  // namespace ui
