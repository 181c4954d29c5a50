#pragma once
// Files put in place whole or not at all: each is written into a staging
// folder at the top of the target, then renamed to its final name in one step.
#include <windows.h>

#include <string>
#include <vector>

struct PlaceOutcome {
    DWORD error = ERROR_SUCCESS;   // ERROR_SUCCESS when the destination now holds the file
    bool unreadableSource = false;
};

class FilePlacer {
public:
    // target ends in a backslash and exists. What an interrupted copy left in
    // its staging folder is removed now.
    explicit FilePlacer(const std::wstring& target);
    // Removes the staging folder.
    ~FilePlacer();
    FilePlacer(const FilePlacer&) = delete;
    FilePlacer& operator=(const FilePlacer&) = delete;

    // Copies source to target + relative, whose folder exists. With replace an
    // existing destination is replaced in one step; without, the file is
    // renamed only while the destination is still free (ERROR_ALREADY_EXISTS
    // otherwise). On any failure the partial file is gone and an existing
    // destination is as it was. The file keeps the source's time stamps and
    // attributes, except read-only.
    PlaceOutcome Place(const std::wstring& source, const std::wstring& relative, bool replace,
                       DWORD sourceAttributes);

private:
    PlaceOutcome Write(HANDLE from, HANDLE to);
    DWORD Rename(HANDLE partial, const std::wstring& relative, bool replace);
    std::wstring NewPartialName();

    std::wstring target_;
    std::wstring ntTarget_;   // the target as the kernel names it, for renames by handle
    std::wstring staging_;    // ends in a backslash
    bool stagingMade_ = false;
    std::vector<char> buffer_;
    unsigned long counter_ = 0;
};
