#pragma once
// Reads the names of the DLLs a PE image (32- or 64-bit) imports, from its
// import and delay-load directories, and the machine it is built for,
// without loading it.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Throws Failure when the bytes are not a well-formed PE image. Names are
// lower-cased, in directory order, imports first.
std::vector<std::string> ImportedDlls(const std::string& image);
// The machine the image is built for (IMAGE_FILE_MACHINE_*); throws as above.
WORD ImageMachine(const std::string& image);

// The whole file, as bytes; throws Failure when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

}  // namespace e2e
