#pragma once

#include "core/files/text_file.h"

#include <string>

namespace fq {

// Copies the file `source` over `target` (export and import of the site database), through a
// temporary file that replaces the target, so a failed copy leaves every file as it was and
// says why. When both name the same file nothing changes and the copy counts as done.
FileOutcome CopyDatabaseFile(const std::string& source, const std::string& target);

} // namespace fq
