#pragma once
#include <windows.h>

#include <optional>
#include <string_view>

namespace ui {

// The bytes of a raw-data resource of the module, or nothing when it has none
// of that name. The view lives as long as the module stays loaded.
std::optional<std::string_view> FindRawResource(HMODULE module, const wchar_t* name);

// The module holding the program's own resources (the executable).
HMODULE ProgramModule();

}  // namespace ui
