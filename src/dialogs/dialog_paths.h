#pragma once

#include <string>

namespace fq {

// The folder a dialog object starts in for the program folder `appFolder` (ending in "/"): the
// same folder without its final "/", except "/" itself.
std::string InitialDialogFolder(const std::string& appFolder);

// The folder dialog's answer for the chosen `folder`: its path followed by one zero character,
// or "" when nothing was chosen.
std::string ChosenFolderResult(const std::string& folder);

} // namespace fq
