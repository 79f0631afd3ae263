#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fq {

// A short text that tells machines apart roughly in the usage statistics; it is neither unique
// nor secret. It joins the volume's size in bytes (a double's 15 significant digits with an
// exponent from 10^15 bytes on) and its serial as 8 upper-case hexadecimal digits, drops every
// "0" and keeps the first three and the last three characters, which overlap in a text shorter
// than six. A missing, zero or negative serial counts as 12345.
[[nodiscard]] std::string MachineKeyOf(std::uint64_t totalBytes,
                                       std::optional<std::int32_t> serial);

// The key of this machine, from the root file system: its total size and the low 32 bits of
// its file-system id. A root that cannot be asked has size 0 and no serial.
[[nodiscard]] std::string MachineKey();

} // namespace fq
