#pragma once

#include "core/sites/site_list.h"

#include <string>

namespace fq {

// `text` with every control byte written out (\t, \n, \r, else \xHH), and the UTF-8 form
// of each C1 control as \xC2\xHH, so that a name can neither break a line of the listing,
// forge a column nor steer the terminal.
std::string EscapeControlBytes(const std::string& text);

// How the server was asked, as both listings name it: "signed list" or "size only".
std::string ExchangeName(const CheckResult& result);

// The terminal listing of a finished pass: per row its number, address, Status, Total and
// how the server was asked ("signed list" or "size only") separated by tabs, then for "No
// report" why ("inactive" in their place for a switched-off site), each change on its own line
// indented by four spaces, its path and its kind separated by a tab, and last the status line.
// Lines end with "\n"; addresses and paths go through EscapeControlBytes.
std::string CheckListing(const SiteList& sites, const std::string& statusLine);

// How a finished pass ended, from the worst of its active sites.
enum class PassOutcome {
    kAllOk,      // every active site answered and matched
    kChanged,    // at least one site changed
    kNotChecked, // none changed, but at least one could not be checked
};
PassOutcome OutcomeOf(const SiteList& sites);

} // namespace fq
