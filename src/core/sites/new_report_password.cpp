#include "core/sites/new_report_password.h"

#include <random>
#include <string_view>

namespace fq {

std::string NewReportPassword() {
    // Letters and digits only: the password goes into PHP source, a form body and the
    // database line, and none of them gives these characters a meaning.
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string password;
    for (std::size_t i = 0; i < kNewReportPasswordLength; ++i) {
        password += kAlphabet[pick(source)];
    }
    return password;
}

} // namespace fq
