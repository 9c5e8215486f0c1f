#include "document/EventValue.h"

namespace kivrun {
namespace {

// Rewrites every line break ("\r\n", a lone "\r" or "\n", or "|") as `brk`.
std::string WithBreaks(std::string_view text, std::string_view brk) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (c == '\r' || c == '\n' || c == '|')
            out += brk;
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string AffiliationName(std::string_view typed) {
    while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t'))
        typed.remove_suffix(1);
    return std::string(typed);
}

std::string DetailsForEditing(std::string_view stored) {
    return WithBreaks(stored, "\n");
}

std::string DetailsForStoring(std::string_view edited) {
    return WithBreaks(edited, "\r\n");
}

std::string DetailsOnOneLine(std::string_view stored) {
    return WithBreaks(stored, ".  ");
}

}  // namespace kivrun
