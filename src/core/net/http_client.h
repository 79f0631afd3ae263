#pragma once

#include "core/net/http_answer.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace fq {

// Lets the caller's queued events run once; called between short waits on a running transfer.
// Returns false when the program is ending: the transfer is then given up at once.
using MessagePump = std::function<bool()>;

// Bounds that keep a dead, slow or hostile server from freezing or flooding the program. A
// transfer that reaches any of them gives no answer at all, never a shortened one.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds stallTimeout{30000}; // no byte arrived for this long
    std::chrono::milliseconds deadline{60000};     // the whole transfer, redirects included
    std::size_t maxBodyBytes = 32u * 1024u * 1024u;
};

// Banner list, banner images and statistics: small files, so a minute is plenty.
inline constexpr HttpLimits kFetchLimits{};
// The report request: the site's script sizes every watched file before it answers.
inline constexpr HttpLimits kReportLimits{.deadline = std::chrono::minutes(2)};
// The signed listing: the script hashes every watched file, and a site of a few hundred
// thousand files answers tens of megabytes.
inline constexpr HttpLimits kListingLimits{.deadline = std::chrono::minutes(3),
                                           .maxBodyBytes = 256u * 1024u * 1024u};

// GET `url` without a proxy, following up to 5 redirects: the whole body with the last status,
// or the failure.
[[nodiscard]] HttpAnswer GetUrl(const std::string& url, const MessagePump& pump = {},
                                const HttpLimits& limits = kFetchLimits);

// GetUrl's whole body whatever the status, or nothing on any failure.
[[nodiscard]] std::optional<std::string> FetchUrlText(const std::string& url,
                                                      const MessagePump& pump = {},
                                                      const HttpLimits& limits = kFetchLimits);

// GET `url` like FetchUrlText, but only a success (2xx) answer counts: any other status, such
// as an error page, gives nothing.
[[nodiscard]] std::optional<std::string> FetchSuccessText(const std::string& url,
                                                          const MessagePump& pump = {},
                                                          const HttpLimits& limits = kFetchLimits);

// GET `url` like FetchSuccessText into the file `localPath`. An empty `localPath` becomes the
// text after the last "/" of the url, but only once the whole body of a success answer
// arrived; otherwise no file is written and `localPath` stays as it was. True when the whole
// body is in the file.
[[nodiscard]] bool DownloadUrlToFile(const std::string& url, std::string& localPath,
                                     const MessagePump& pump = {},
                                     const HttpLimits& limits = kFetchLimits);

// POSTs `body` unchanged as application/x-www-form-urlencoded over HTTP/1.0 with the user
// agent "vb wininet", through the system's proxy settings. Leading and trailing blanks of
// `url` are ignored, "http://" in any letter case may be left out, a bare host posts to "/".
// A 307 or 308 redirect to an http or https address is posted to again, up to 5 times; no
// other redirect is followed. Returns the last answer with its status, or the failure.
[[nodiscard]] HttpAnswer PostForm(const std::string& url, const std::string& body,
                                  const MessagePump& pump = {},
                                  const HttpLimits& limits = kReportLimits);

} // namespace fq
