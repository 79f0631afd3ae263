#pragma once

namespace fq {

// The program's name as the desktop shows it: message boxes, dialogs, notifications, the
// tray's tooltip.
inline constexpr const char* kProgramName = "Ferrow Quorvel";

} // namespace fq
