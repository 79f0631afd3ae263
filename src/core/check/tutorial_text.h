#pragma once

#include <string>

namespace fq {

// The fixed help text shown by "Tutorial": 33 lines, each ended by CR LF.
[[nodiscard]] const std::string& TutorialText();

} // namespace fq
