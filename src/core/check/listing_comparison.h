#pragma once

#include "core/check/listing_exchange.h"
#include "core/check/local_hashes.h"
#include "core/net/http_client.h"
#include "core/sites/check_result.h"

#include <string>
#include <vector>

namespace fq {

// Judges a site by its signed list against the local copy: `localFiles` (a ListWatchedFiles
// result) under `folder`, which ends in "/".
// - "No folder" when the local list is empty.
// - A file on both sides is changed when its sizes differ, or when they agree and the
//   contents' hashes do not; a local entry that is no regular file is not compared.
// - A file on one side only is new on the server, or missing on it.
// - A file the server could not read is named but not counted.
// The report script's own file at the root is left out locally, as the script leaves it out.
// "Changed" when anything counts, else "OK"; the listed count is the paths of both sides.
// `pump` runs between files; nothing when it says the program is ending.
[[nodiscard]] std::optional<CheckResult>
CompareWithListing(const std::vector<std::string>& localFiles, const std::string& folder,
                   const std::vector<ListedFile>& serverFiles, LocalHashes& hashes,
                   const MessagePump& pump);

} // namespace fq
