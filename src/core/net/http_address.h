#pragma once

#include <string>

namespace fq {

// `url` with every byte that cannot stand raw in a request line (control bytes, space, DEL
// and bytes above 127) written as %XX; every other byte stays as it is.
[[nodiscard]] std::string EscapeUnsendableBytes(const std::string& url);

// The full address for a form post to `url` as a site list holds it: spaces around it are
// ignored, "http://" or "https://" in any letter case may lead (plain http without either),
// the first "/" starts the path and a bare host posts to "/", and a ":port" after the host
// is honoured. The path goes as written except that unsendable bytes, "#" and "?" are
// written as %XX, so that all of it reaches the server as the path. "" when the part before the
// path is no host name or address with an optional port, so that nothing is looked up for it.
[[nodiscard]] std::string FormPostAddress(const std::string& url);

} // namespace fq
