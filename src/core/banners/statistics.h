#pragma once

#include "core/net/http_client.h"

#include <optional>
#include <string>

namespace fq {

inline constexpr const char* kAppCode = "FQV";
inline constexpr const char* kStartEvent = "&do=start";

// A report's address: BaseUrl, "adm/sendstat.php?app=FQV&key=", the machine key and the
// event, joined as they stand.
[[nodiscard]] std::string StatisticsAddress(const std::string& baseUrl,
                                            const std::string& machineKey,
                                            const std::string& event);

// The event of a click on a strip image whose "alt" is `alt`, sent whole; nothing when the
// alt does not start with a positive number (the background, an unsold slot).
[[nodiscard]] std::optional<std::string> StripClickEvent(const std::string& alt);

// The event of a click on a sponsor slot whose "alt" is "ID-SLOT": the id alone.
[[nodiscard]] std::optional<std::string> SponsorClickEvent(const std::string& alt);

// Sends one report and ignores the answer. Without a maker's site (empty `baseUrl`) nothing
// is sent.
void SendStatistic(const std::string& baseUrl, const std::string& machineKey,
                   const std::string& event, const MessagePump& pump);

} // namespace fq
