#include "cli/json_listing.h"

#include "cli/check_listing.h"
#include "core/sites/check_result.h"

#include <cstdio>

namespace fq {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when it is none: no overlong form,
// no surrogate, nothing beyond U+10FFFF.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&text](std::size_t index) {
        return index < text.size() ? static_cast<unsigned char>(text[index]) : 0u;
    };
    const unsigned lead = byte(at);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // the second byte's range
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t next = 2; next < length; ++next) {
        if ((byte(at + next) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string Escaped(unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, "\\u%04x", code);
    return text;
}

} // namespace

std::string JsonString(const std::string& bytes) {
    std::string json = "\"";
    for (std::size_t at = 0; at < bytes.size();) {
        const auto code = static_cast<unsigned char>(bytes[at]);
        const std::size_t length = Utf8Length(bytes, at);
        if (length == 0) {
            json += Escaped(code);
            ++at;
        } else if (length == 2 && code == 0xC2 &&
                   static_cast<unsigned char>(bytes[at + 1]) < 0xA0) {
            json += Escaped(static_cast<unsigned char>(bytes[at + 1])); // C1 control
            at += 2;
        } else if (length > 1) {
            json.append(bytes, at, length);
            at += length;
        } else {
            if (code == '"' || code == '\\') {
                json += '\\';
                json += static_cast<char>(code);
            } else if (code < 0x20 || code == 0x7F) {
                json += Escaped(code);
            } else {
                json += static_cast<char>(code);
            }
            ++at;
        }
    }
    return json + "\"";
}

std::string JsonListing(const SiteList& sites) {
    std::string text;
    for (int number = 1; number <= sites.size(); ++number) {
        const SiteRow& row = sites.at(number - 1);
        text += "{\"number\":" + std::to_string(number) +
                ",\"address\":" + JsonString(row.site.webUrl) +
                ",\"folder\":" + JsonString(row.site.localFolder) +
                ",\"active\":" + (row.site.active ? "true" : "false");
        if (row.site.active) {
            const CheckResult& result = row.result;
            text += ",\"status\":" + JsonString(StatusText(result.status)) +
                    ",\"changed\":" + std::to_string(result.changedFiles()) +
                    ",\"listed\":" + std::to_string(result.listedFiles) +
                    ",\"exchange\":" + JsonString(ExchangeName(result));
            if (result.status == SiteStatus::kNoReport) {
                text += ",\"reason\":" + JsonString(NoReportText(result.whyNoReport));
            }
            text += ",\"changes\":[";
            for (std::size_t index = 0; index < result.changes.size(); ++index) {
                const FileChange& change = result.changes[index];
                text += std::string(index == 0 ? "" : ",") +
                        "{\"path\":" + JsonString(change.path) +
                        ",\"kind\":" + JsonString(ChangeKindText(change.kind)) + "}";
            }
            text += "]";
        }
        text += "}\n";
    }
    return text;
}

} // namespace fq
