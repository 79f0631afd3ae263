#include "core/crypto/digest.h"

#include <fcntl.h>
#include <memory>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fq {
namespace {

std::string Hex(const unsigned char* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 0x0f];
    }
    return hex;
}

} // namespace

std::optional<std::string> FileSha256Hex(const std::string& path) {
    // Non-blocking, so that a pipe under a watched name cannot stall the pass.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return std::nullopt;
    }
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    bool whole = context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) == 1;
    static thread_local unsigned char buffer[1 << 16];
    ssize_t got = 0;
    while (whole && (got = ::read(fd, buffer, sizeof buffer)) > 0) {
        whole = EVP_DigestUpdate(context.get(), buffer, static_cast<std::size_t>(got)) == 1;
    }
    ::close(fd);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!whole || got < 0 || EVP_DigestFinal_ex(context.get(), digest, &size) != 1) {
        return std::nullopt;
    }
    return Hex(digest, size);
}

std::string HmacSha256Hex(const std::string& key, const std::string& message) {
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
             reinterpret_cast<const unsigned char*>(message.data()), message.size(), mac,
             &size) == nullptr) {
        return std::string();
    }
    return Hex(mac, size);
}

bool EqualInConstantTime(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<std::string> RandomHex(std::size_t bytes) {
    std::string raw(bytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(raw.data()), static_cast<int>(bytes)) != 1) {
        return std::nullopt;
    }
    return Hex(reinterpret_cast<const unsigned char*>(raw.data()), raw.size());
}

} // namespace fq
