#include "core/banners/statistics.h"

#include "core/banners/leading_number.h"

namespace fq {
namespace {

// A report is a few bytes each way; it must not hold up whatever comes after it.
constexpr HttpLimits kStatisticsLimits{.deadline = std::chrono::seconds(20)};

std::optional<std::string> ClickEvent(const std::string& banner) {
    if (LeadingNumber(banner) > 0) {
        return "&do=click&banner=" + banner;
    }
    return std::nullopt;
}

} // namespace

std::string StatisticsAddress(const std::string& baseUrl, const std::string& machineKey,
                              const std::string& event) {
    return baseUrl + "adm/sendstat.php?app=" + kAppCode + "&key=" + machineKey + event;
}

std::optional<std::string> StripClickEvent(const std::string& alt) {
    return ClickEvent(alt);
}

std::optional<std::string> SponsorClickEvent(const std::string& alt) {
    return ClickEvent(alt.substr(0, alt.find('-')));
}

void SendStatistic(const std::string& baseUrl, const std::string& machineKey,
                   const std::string& event, const MessagePump& pump) {
    if (!baseUrl.empty()) {
        // The site's answer says nothing the program needs.
        static_cast<void>(
            FetchUrlText(StatisticsAddress(baseUrl, machineKey, event), pump, kStatisticsLimits));
    }
}

} // namespace fq
