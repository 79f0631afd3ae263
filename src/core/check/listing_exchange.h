#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fq {

// The signed listing exchange. The program posts a form to the report script:
//
//   fq=1&types=TYPES&nonce=NONCE&mac=MAC
//
// TYPES is the watched-types list with every byte other than A-Z, a-z, 0-9 and "-._~,"
// written as %XX; NONCE is 32 lower-case hexadecimal digits, fresh for every request; MAC is
// HMAC-SHA256 in lower-case hexadecimal, keyed by the report password, over
// "ferquor-list\n" + the raw types + "\n" + NONCE. The password itself never travels.
//
// A script that knows the exchange answers, with LF line ends:
//
//   ferquor-list 1
//   nonce NONCE
//   f SIZE SHA256 PATH      a file it read: size in bytes, SHA-256 in lower-case hex
//   u PATH                  an entry it could not read
//   end COUNT               COUNT: the number of "f" and "u" lines
//   mac MAC
//
// where "end COUNT" is "limit files" or "limit time" instead when the site is too large to
// list, and MAC is HMAC-SHA256 keyed by the password over everything from "ferquor-list" to
// the end of the line before "mac". PATH is relative to the script's folder with "/" between
// levels; bytes 0-31, 127 and "%" in it are written as %XX (upper-case hex). The script lists
// what the local scan lists: each folder's files before its sub-folders, names in byte order,
// links to folders listed but not entered, names holding CR or LF skipped, names matched to
// the types by the same rule; it leaves out its own file. A request whose MAC is wrong is
// answered "ferquor-list 1\nrefused\n".

inline constexpr const char* kListingHeader = "ferquor-list 1\n";

// The form body of a listing request.
[[nodiscard]] std::string BuildListingRequestBody(const std::string& password,
                                                  const std::string& watchedTypes,
                                                  const std::string& nonce);

// One entry of the server's list.
struct ListedFile {
    std::string path;                   // unescaped
    std::optional<std::uintmax_t> size; // nothing: the server could not read it
    std::string sha256;
    bool operator==(const ListedFile&) const = default;
};

// What a listing answer said.
struct ServerListing {
    enum class Outcome {
        kNotAListing, // the script does not know the exchange (an older script, or no script)
        kRefused,     // the script knows it but took the request for a wrong password
        kForged,      // no valid answer to this request: bad form, other nonce, wrong MAC
        kTooLarge,    // the script gave up at its limit on files or time
        kListed,
    };
    Outcome outcome = Outcome::kNotAListing;
    std::vector<ListedFile> files; // in the script's order; only when kListed
};

// Reads and verifies `answer` to the request made with `password` and `nonce`. A leading
// UTF-8 byte-order mark, which an editor may have put before the script's tag, is skipped;
// what follows the "mac" line is ignored.
[[nodiscard]] ServerListing
ReadListingAnswer(const std::string& answer, const std::string& password, const std::string& nonce);

} // namespace fq
