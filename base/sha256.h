#pragma once
// SHA-256 by the system's own cryptography (bcrypt.dll, loaded from the system
// folder when first needed).
#include <array>
#include <cstddef>

namespace base {

using Sha256Digest = std::array<unsigned char, 32>;

// One digest: Update with the data in pieces, then Finish once.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // False when the system offers no SHA-256; Finish then gives zeros.
    bool ready() const { return hash_ != nullptr; }
    void Update(const void* data, size_t size);
    Sha256Digest Finish();

private:
    void* hash_ = nullptr;
};

}  // namespace base
