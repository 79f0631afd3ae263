#include "core/banners/machine_key.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sys/statvfs.h>

namespace fq {

namespace {

// The size is written as a double: from 10^15 bytes on with an exponent and 15 significant
// digits, e.g. "1.23456789012346E+15", below that as the whole number. to_chars keeps the
// decimal point a "." whatever the locale.
std::string SizeText(std::uint64_t totalBytes) {
    char text[32];
    const auto end = std::to_chars(std::begin(text), std::end(text),
                                   static_cast<double>(totalBytes), std::chars_format::general, 15)
                         .ptr;
    std::string size(std::begin(text), end);
    std::replace(size.begin(), size.end(), 'e', 'E');
    return size;
}

std::string SerialText(std::optional<std::int32_t> serial) {
    const std::int32_t value = serial && *serial > 0 ? *serial : 12345;
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

} // namespace

std::string MachineKeyOf(std::uint64_t totalBytes, std::optional<std::int32_t> serial) {
    std::string joined = SizeText(totalBytes) + SerialText(serial);
    std::erase(joined, '0');
    const std::size_t part = std::min<std::size_t>(3, joined.size());
    return joined.substr(0, part) + joined.substr(joined.size() - part);
}

std::string MachineKey() {
    struct statvfs root {};
    if (::statvfs("/", &root) != 0) {
        return MachineKeyOf(0, std::nullopt);
    }
    const auto serial = static_cast<std::int32_t>(static_cast<std::uint32_t>(root.f_fsid));
    return MachineKeyOf(std::uint64_t{root.f_blocks} * root.f_frsize, serial);
}

} // namespace fq
