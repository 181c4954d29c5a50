#include "base/sha256.h"

#include <windows.h>
#include <bcrypt.h>

#include "base/module.h"

namespace base {

namespace {

// bcrypt.dll is not among the DLLs the system always takes from its own
// folder: imported, it could be planted beside the installer. Looked up once.
struct Bcrypt {
    decltype(&BCryptOpenAlgorithmProvider) open = SystemFunction<decltype(open)>(L"bcrypt.dll", "BCryptOpenAlgorithmProvider");
    decltype(&BCryptCreateHash) create = SystemFunction<decltype(create)>(L"bcrypt.dll", "BCryptCreateHash");
    decltype(&BCryptHashData) hashData = SystemFunction<decltype(hashData)>(L"bcrypt.dll", "BCryptHashData");
    decltype(&BCryptFinishHash) finish = SystemFunction<decltype(finish)>(L"bcrypt.dll", "BCryptFinishHash");
    decltype(&BCryptDestroyHash) destroy = SystemFunction<decltype(destroy)>(L"bcrypt.dll", "BCryptDestroyHash");
    BCRYPT_ALG_HANDLE sha256 = nullptr;

    Bcrypt() {
        if (!open || !create || !hashData || !finish || !destroy ||
            !BCRYPT_SUCCESS(open(&sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
            sha256 = nullptr;
    }
};

const Bcrypt& System() {
    static const Bcrypt bcrypt;
    return bcrypt;
}

}  // namespace

Sha256::Sha256() {
    const Bcrypt& b = System();
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (b.sha256 && BCRYPT_SUCCESS(b.create(b.sha256, &hash, nullptr, 0, nullptr, 0, 0))) hash_ = hash;
}

Sha256::~Sha256() {
    if (hash_) System().destroy(hash_);
}

void Sha256::Update(const void* data, size_t size) {
    if (!hash_) return;
    // The call takes a length of 32 bits.
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        System().hashData(hash_, const_cast<PUCHAR>(bytes), piece, 0);
        bytes += piece;
        size -= piece;
    }
}

Sha256Digest Sha256::Finish() {
    Sha256Digest digest{};
    if (hash_) System().finish(hash_, digest.data(), static_cast<ULONG>(digest.size()), 0);
    return digest;
}

}  // namespace base
