#include "core/banners/leading_number.h"

#include <cctype>

namespace fq {

double LeadingNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) {
        return 0;
    }
    double sign = 1;
    if (text[at] == '+' || text[at] == '-') {
        sign = text[at] == '-' ? -1 : 1;
        ++at;
    }
    double value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 + (text[at] - '0');
    }
    if (at < text.size() && text[at] == '.') {
        double scale = 0.1;
        for (++at; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
            value += (text[at] - '0') * scale;
            scale /= 10;
        }
    }
    return sign * value;
}

} // namespace fq
