#pragma once

#include <string>

namespace kivrun::test {

// A saved filter text with the given sport and class letters ticked and a date part
// ("on,operator,first,second,repeat"), everything else off.
inline std::string StateWith(const std::string& sports, const std::string& classes,
                             const std::string& date) {
    auto flags = [](const std::string& on) {
        std::string s;
        for (char c = 'A'; c <= 'Z'; ++c)
            s += std::string(",") + (on.find(c) != std::string::npos ? "1" : "0");
        return s;
    };
    return "Sports:" + flags(sports) + ",Classes:" + flags(classes) + ",Date:," + date +
           ",Distance:,0,-1,0,0,Time:,0,-1,0:00:00,0:00:00,Pace:,0,-1,0,0,Route:,0,0,,Notes:,0,0,";
}

}  // namespace kivrun::test
