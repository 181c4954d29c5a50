#pragma once
// One file put in place whole or not at all: copied under a temporary name
// beside its destination, then renamed.
#include <windows.h>

#include <string>

struct PlaceOutcome {
    DWORD error = ERROR_SUCCESS;   // ERROR_SUCCESS when the destination now holds the file
    bool unreadableSource = false;
};

// Copies source to destination through a temporary file in the destination's
// folder. With replace an existing destination is replaced in one step;
// without, the file is renamed only while the destination is still free
// (ERROR_ALREADY_EXISTS otherwise). On any failure the temporary file is gone
// and an existing destination is as it was. A read-only source arrives writable.
PlaceOutcome PlaceFile(const std::wstring& source, const std::wstring& destination, bool replace,
                       DWORD sourceAttributes);

// Removes the temporary files an interrupted copy left in folder (which ends
// in a backslash).
void RemovePartialFiles(const std::wstring& folder);
