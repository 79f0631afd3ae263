#pragma once

#include <string>

namespace fq {

// The text to store after "Exec=" in a desktop entry so that a desktop runs `argument` as one
// word: in double quotes (with ", `, $ and \ escaped) when it holds a blank, a control
// character or a character the format reserves; every "%" doubled so that it is no field
// code; then escaped as a desktop entry string (\ as \\, line breaks and tabs as \n, \r, \t).
[[nodiscard]] std::string EncodeExecArgument(const std::string& argument);

// The reverse of EncodeExecArgument for a stored Exec value: string escapes resolved, quotes
// dropped together with the backslashes they needed, "%%" back to "%". Text outside quotes is
// kept as it stands, so a hand-written "program --option" comes back whole.
[[nodiscard]] std::string DecodeExecValue(const std::string& stored);

} // namespace fq
