#include "core/desktop/desktop_entry_exec.h"

#include "core/text/path_text.h"

#include <algorithm>
#include <string_view>

namespace fq {
namespace {

// Characters that may only appear inside a quoted Exec argument.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
// Characters that need a backslash inside double quotes.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";

bool NeedsQuotes(const std::string& argument) {
    return std::any_of(argument.begin(), argument.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f || kReserved.find(c) != std::string_view::npos;
    });
}

std::string Quoted(const std::string& argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (kEscapedInQuotes.find(c) != std::string_view::npos) {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string EscapedAsString(const std::string& value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The character that the string escape "\x" stands for; '\0' when "\x" is no escape.
char EscapedCharacter(char x) {
    switch (x) {
    case '\\':
        return '\\';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 's':
        return ' ';
    default:
        return '\0';
    }
}

std::string UnescapedString(const std::string& stored) {
    std::string value;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char escaped =
            stored[i] == '\\' && i + 1 < stored.size() ? EscapedCharacter(stored[i + 1]) : '\0';
        if (escaped != '\0') {
            value += escaped;
            ++i;
        } else {
            value += stored[i];
        }
    }
    return value;
}

} // namespace

std::string EncodeExecArgument(const std::string& argument) {
    const std::string word = NeedsQuotes(argument) ? Quoted(argument) : argument;
    return EscapedAsString(ReplaceAll(word, "%", "%%"));
}

std::string DecodeExecValue(const std::string& stored) {
    const std::string value = UnescapedString(stored);
    std::string argument;
    bool inQuotes = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const char next = i + 1 < value.size() ? value[i + 1] : '\0';
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == '%' && next == '%') {
            argument += '%';
            ++i;
        } else if (inQuotes && c == '\\' && kEscapedInQuotes.find(next) != std::string_view::npos) {
            argument += next;
            ++i;
        } else {
            argument += c;
        }
    }
    return argument;
}

} // namespace fq
