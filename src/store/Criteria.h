#pragma once

#include <string>
#include <string_view>

#include "store/JetSql.h"

// Criteria texts for Find and for filters. Every value that comes from the user goes
// through here, so a name holding a quote is found and stored like any other.
namespace kivrun::criteria {

// field = 'text'
inline std::string Is(std::string_view field, std::string_view text) {
    return std::string(field) + " = " + jetsql::Quote(text);
}

// field = number
inline std::string Is(std::string_view field, long long number) {
    return std::string(field) + " = " + std::to_string(number);
}

}  // namespace kivrun::criteria
