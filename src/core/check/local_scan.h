#pragma once

#include <string>

namespace fq {

// The watched files under `rootFolder` + `relativeFolder` (rootFolder ends in "/", the
// relative folder is "" or ends in "/"), as relative paths with "/" between levels, each
// followed by CR LF. A file is watched when its name contains ".<type>" for one of the
// comma-separated `watchedTypes` (pieces trimmed of blanks, case-sensitive, anywhere in the
// name). Each folder's own files come before those of its sub-folders, names in byte order.
// Symlinked folders are listed but not entered; unreadable entries, and names holding CR or LF
// (which the list cannot carry), are skipped. Any depth is walked with a few open folders.
// "" when the folder does not exist.
std::string ListWatchedFiles(const std::string& rootFolder, const std::string& relativeFolder,
                             const std::string& watchedTypes);

// The local size text of `list` (a ListWatchedFiles result) under `folder`: for every entry
// its size in decimal followed by "-". An entry that is no longer a regular file repeats the
// previous entry's size (0 for the first).
std::string getSize(const std::string& folder, const std::string& list);

} // namespace fq
