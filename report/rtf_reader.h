#pragma once
// Reads a Rich Text Format byte stream into a Document. Portable C++17.
// Any input gives a result: a malformed stream yields what could be read and
// an error text; time is linear and memory bounded by the input's size.
#include <string>
#include <string_view>

#include "document.h"

namespace report {

struct RtfResult {
    Document doc;
    bool ok = true;
    std::string error;  // English, for logs and tests; empty when ok
};

struct RtfLimits {
    size_t maxInput = 64u << 20;  // bytes
    int maxDepth = 200;           // nested groups
};

RtfResult ReadRtf(std::string_view bytes, const RtfLimits& limits = {});

}  // namespace report
