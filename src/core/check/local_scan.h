#pragma once

#include <string>
#include <vector>

namespace fq {

// The watched files under `rootFolder` + `relativeFolder` (rootFolder ends in "/", the
// relative folder is "" or ends in "/"), as relative paths with "/" between levels. A file is
// watched when its name contains ".<type>" for one of the comma-separated `watchedTypes` (pieces
// trimmed of blanks, case-sensitive, anywhere in the name). Each folder's own files come before
// those of its sub-folders, names in byte order. Symlinked folders are listed but not entered;
// unreadable entries, and names holding CR or LF (which the request's CR LF list cannot carry), are
// skipped. Any depth is walked with a few open folders. No path when the folder does not exist.
[[nodiscard]] std::vector<std::string> ListWatchedFiles(const std::string& rootFolder,
                                                        const std::string& relativeFolder,
                                                        const std::string& watchedTypes);

// The local size text of `paths` (a ListWatchedFiles result) under `folder`, in the report
// answer's form: for every path its size in decimal followed by "-". A path that is no longer
// a regular file repeats the previous path's size (0 for the first).
[[nodiscard]] std::string LocalSizeText(const std::string& folder,
                                        const std::vector<std::string>& paths);

} // namespace fq
