#pragma once
#include <fstream>
#include <sstream>
#include <string>

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The licence document as the program carries it.
inline std::string LicenceRtf() { return ReadFileBytes(VEL_LICENCE_RTF); }
