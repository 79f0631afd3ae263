#pragma once

#include "core/sites/site_list.h"

#include <string>

namespace fq {

// `bytes` as a JSON string, quotes included. Valid UTF-8 passes as it is, except control
// characters (C0, DEL and C1), which are escaped; a byte that is not part of valid UTF-8
// becomes the character of the same number (\u00XX), so that any name gives valid JSON.
std::string JsonString(const std::string& bytes);

// The machine-readable listing of a finished pass: one JSON object per row, each on a line of
// its own: "number", "address", "folder", "active", and for an active row "status", "changed"
// (the count that makes it "Changed"), "listed", "exchange" ("signed list" or "size only"),
// for "No report" its "reason", and "changes", each with its "path" and "kind". Texts as the
// plain listing shows them.
std::string JsonListing(const SiteList& sites);

} // namespace fq
