#pragma once

#include "core/sites/site_list.h"

#include <string>

namespace fq {

// The terminal listing of a finished pass: per row its number, address, Status and Total
// separated by tabs ("inactive" in place of Status and Total for a switched-off site), each
// changed path on its own line indented by four spaces, and last the status line. Lines end
// with "\n".
std::string CheckListing(const SiteList& sites, const std::string& statusLine);

// True when the pass found at least one site changed.
bool AnySiteChanged(const SiteList& sites);

} // namespace fq
