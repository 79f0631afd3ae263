#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace fq {

// Lets the caller's queued events run once; called between short waits on a running transfer.
// Returns false when the program is ending: the transfer is then given up at once.
using MessagePump = std::function<bool()>;

// Bounds that keep a dead or hostile server from freezing or flooding the program. Each one
// ends a transfer like a failed read: the caller gets what arrived so far, or nothing.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds stallTimeout{30000}; // no byte arrived for this long
    std::size_t maxBodyBytes = 32u * 1024u * 1024u;
};

// GET `url` without a proxy; the whole body whatever the status, or "" on any failure.
std::string FetchUrlText(const std::string& url, const MessagePump& pump = {},
                         const HttpLimits& limits = {});

// GET `url` without a proxy into the file `localPath`. An empty `localPath` becomes the text
// after the last "/" of the url, but only once the url answered; when it does not, no file
// is created and `localPath` stays as it was.
void DownloadUrlToFile(const std::string& url, std::string& localPath, const MessagePump& pump = {},
                       const HttpLimits& limits = {});

// POSTs `body` unchanged as application/x-www-form-urlencoded over HTTP/1.0 with the user
// agent "vb wininet", through the system's proxy settings. Leading and trailing blanks of
// `url` are ignored, "http://" in any letter case may be left out, a bare host posts to "/".
// Returns the answer body whatever the status, or "" on any failure.
std::string PostForm(const std::string& url, const std::string& body, const MessagePump& pump = {},
                     const HttpLimits& limits = {});

} // namespace fq
