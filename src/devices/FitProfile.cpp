#include "devices/FitProfile.h"

#include <array>
#include <string>
#include <utility>

namespace kivrun::devices::fit {
namespace {

constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
        table[i] = crc;
    }
    return table;
}
constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

struct Named {
    int number;
    const char* name;
};

template <std::size_t N>
const char* Find(const Named (&table)[N], int number) {
    for (const Named& entry : table)
        if (entry.number == number) return entry.name;
    return nullptr;
}

constexpr Named kSports[] = {
    {0, "generic"},
    {1, "running"},
    {2, "cycling"},
    {3, "transition"},
    {4, "fitness equipment"},
    {5, "swimming"},
    {6, "basketball"},
    {7, "soccer"},
    {8, "tennis"},
    {9, "american football"},
    {10, "training"},
    {11, "walking"},
    {12, "cross country skiing"},
    {13, "alpine skiing"},
    {14, "snowboarding"},
    {15, "rowing"},
    {16, "mountaineering"},
    {17, "hiking"},
    {18, "multisport"},
    {19, "paddling"},
    {20, "flying"},
    {21, "e-biking"},
    {22, "motorcycling"},
    {23, "boating"},
    {24, "driving"},
    {25, "golf"},
    {26, "hang gliding"},
    {27, "horseback riding"},
    {28, "hunting"},
    {29, "fishing"},
    {30, "inline skating"},
    {31, "rock climbing"},
    {32, "sailing"},
    {33, "ice skating"},
    {34, "sky diving"},
    {35, "snowshoeing"},
    {36, "snowmobiling"},
    {37, "stand up paddleboarding"},
    {38, "surfing"},
    {39, "wakeboarding"},
    {40, "water skiing"},
    {41, "kayaking"},
    {42, "rafting"},
    {43, "windsurfing"},
    {44, "kitesurfing"},
    {45, "tactical"},
    {46, "jumpmaster"},
    {47, "boxing"},
    {48, "floor climbing"},
    {49, "baseball"},
    {53, "diving"},
    {56, "shooting"},
    {58, "winter sport"},
    {59, "grinding"},
    {62, "hiit"},
    {63, "video gaming"},
    {64, "racket"},
    {65, "wheelchair push walk"},
    {66, "wheelchair push run"},
    {67, "meditation"},
    {68, "para sport"},
    {69, "disc golf"},
    {70, "team sport"},
    {71, "cricket"},
    {72, "rugby"},
    {73, "hockey"},
    {74, "lacrosse"},
    {75, "volleyball"},
    {76, "water tubing"},
    {77, "wakesurfing"},
    {78, "water sport"},
    {79, "archery"},
    {80, "mixed martial arts"},
    {81, "motor sports"},
    {82, "snorkeling"},
    {83, "dance"},
    {84, "jump rope"},
    {85, "pool apnea"},
    {86, "mobility"},
    {87, "geocaching"},
    {88, "canoeing"},
};

// Short forms: the sport already says what is indoors or virtual.
constexpr Named kSubSports[] = {
    {1, "treadmill"},
    {2, "street"},
    {3, "trail"},
    {4, "track"},
    {5, "spin"},
    {6, "indoor"},
    {7, "road"},
    {8, "mountain"},
    {9, "downhill"},
    {10, "recumbent"},
    {11, "cyclocross"},
    {12, "hand cycling"},
    {13, "track cycling"},
    {14, "indoor rowing"},
    {15, "elliptical"},
    {16, "stair climbing"},
    {17, "pool"},
    {18, "open water"},
    {19, "flexibility"},
    {20, "strength"},
    {21, "warm up"},
    {22, "match"},
    {23, "exercise"},
    {24, "challenge"},
    {25, "indoor skiing"},
    {26, "cardio"},
    {27, "indoor walking"},
    {28, "e-bike fitness"},
    {29, "bmx"},
    {30, "casual walking"},
    {31, "speed walking"},
    {32, "bike to run"},
    {33, "run to bike"},
    {34, "swim to bike"},
    {35, "atv"},
    {36, "motocross"},
    {37, "backcountry"},
    {38, "resort"},
    {39, "rc drone"},
    {40, "wingsuit"},
    {41, "whitewater"},
    {42, "skate skiing"},
    {43, "yoga"},
    {44, "pilates"},
    {45, "indoor running"},
    {46, "gravel"},
    {47, "e-bike mountain"},
    {48, "commuting"},
    {49, "mixed surface"},
    {50, "navigate"},
    {51, "track me"},
    {52, "map"},
    {53, "single gas diving"},
    {54, "multi gas diving"},
    {55, "gauge diving"},
    {56, "apnea diving"},
    {57, "apnea hunting"},
    {58, "virtual"},
    {59, "obstacle"},
    {62, "breathing"},
    {65, "sail race"},
    {67, "ultra"},
    {68, "indoor climbing"},
    {69, "bouldering"},
    {70, "hiit"},
    {73, "amrap"},
    {74, "emom"},
    {75, "tabata"},
    {78, "triathlon"},
    {79, "duathlon"},
    {80, "brick"},
    {81, "swim run"},
    {82, "adventure race"},
    {84, "pickleball"},
    {85, "padel"},
    {86, "indoor wheelchair walk"},
    {87, "indoor wheelchair run"},
    {88, "indoor hand cycling"},
    {123, "enduro"},
    {124, "rucking"},
    {126, "pool triathlon"},
    {127, "e-bike enduro"},
};

constexpr Named kFileTypes[] = {
    {1, "device"},
    {2, "settings"},
    {3, "sport settings"},
    {4, "activity"},
    {5, "workout"},
    {6, "course"},
    {7, "schedules"},
    {9, "weight"},
    {10, "totals"},
    {11, "goals"},
    {14, "blood pressure"},
    {15, "monitoring"},
    {20, "activity summary"},
    {28, "daily monitoring"},
    {32, "monitoring"},
    {34, "segment"},
    {35, "segment list"},
};

constexpr Named kManufacturers[] = {
    {1, "Garmin"},        {2, "Garmin"},           {6, "SRM"},           {7, "Quarq"},
    {13, "Garmin"},       {15, "Garmin"},          {16, "Timex"},        {23, "Suunto"},
    {32, "Wahoo"},        {37, "Magellan"},        {39, "Holux"},        {40, "Concept2"},
    {41, "Shimano"},      {60, "Rotor"},           {61, "Geonaute"},     {63, "Specialized"},
    {68, "CatEye"},       {69, "Stages"},          {70, "Sigma"},        {71, "TomTom"},
    {73, "Wattbike"},     {86, "Elite"},           {89, "Tacx"},         {95, "Stryd"},
    {107, "Magene"},      {108, "Giant"},          {112, "Bryton"},      {115, "iGPSPORT"},
    {123, "Polar"},       {127, "Leomo"},          {129, "Coros"},       {140, "Decathlon"},
    {144, "Zwift"},       {148, "Ezon"},           {258, "Lezyne"},      {260, "Zwift"},
    {263, "Favero"},      {265, "Strava"},         {267, "Bryton"},      {268, "SRAM"},
    {281, "TrainerRoad"}, {282, "The Sufferfest"}, {289, "Hammerhead"},  {294, "Coros"},
    {305, "Whoop"},       {310, "Decathlon"},      {315, "RGT Cycling"}, {326, "Nike"},
    {331, "MyWhoosh"},    {339, "Zepp"},           {340, "Peloton"},     {348, "Huawei"},
};

// Regional variants share their device's name.
constexpr Named kGarminProducts[] = {
    {717, "Forerunner 405"},
    {782, "Forerunner 50"},
    {987, "Forerunner 405"},
    {988, "Forerunner 60"},
    {1018, "Forerunner 310XT"},
    {1036, "Edge 500"},
    {1124, "Forerunner 110"},
    {1169, "Edge 800"},
    {1199, "Edge 500"},
    {1213, "Edge 500"},
    {1274, "Forerunner 110"},
    {1325, "Edge 200"},
    {1328, "Forerunner 910XT"},
    {1333, "Edge 800"},
    {1334, "Edge 800"},
    {1345, "Forerunner 610"},
    {1360, "Forerunner 210"},
    {1386, "Edge 800"},
    {1387, "Edge 500"},
    {1410, "Forerunner 610"},
    {1422, "Edge 500"},
    {1436, "Forerunner 70"},
    {1446, "Forerunner 310XT"},
    {1482, "Forerunner 10"},
    {1497, "Edge 800"},
    {1499, "Swim"},
    {1537, "Forerunner 910XT"},
    {1551, "Fenix"},
    {1555, "Edge 200"},
    {1561, "Edge 510"},
    {1567, "Edge 810"},
    {1600, "Forerunner 910XT"},
    {1623, "Forerunner 620"},
    {1632, "Forerunner 220"},
    {1664, "Forerunner 910XT"},
    {1688, "Forerunner 10"},
    {1721, "Edge 810"},
    {1736, "Edge Touring"},
    {1742, "Edge 510"},
    {1765, "Forerunner 920XT"},
    {1821, "Edge 510"},
    {1822, "Edge 810"},
    {1823, "Edge 810"},
    {1836, "Edge 1000"},
    {1837, "vivofit"},
    {1903, "Forerunner 15"},
    {1907, "vivoactive"},
    {1918, "Edge 510"},
    {1928, "Forerunner 620"},
    {1929, "Forerunner 620"},
    {1930, "Forerunner 220"},
    {1931, "Forerunner 220"},
    {1956, "vivosmart"},
    {1967, "Fenix 2"},
    {1988, "epix"},
    {2050, "Fenix 3"},
    {2052, "Edge 1000"},
    {2053, "Edge 1000"},
    {2061, "Forerunner 15"},
    {2067, "Edge 520"},
    {2070, "Edge 1000"},
    {2072, "Forerunner 620"},
    {2073, "Forerunner 220"},
    {2100, "Edge 1000"},
    {2130, "Forerunner 920XT"},
    {2131, "Forerunner 920XT"},
    {2132, "Forerunner 920XT"},
    {2147, "Edge 25"},
    {2148, "Forerunner 25"},
    {2153, "Forerunner 225"},
    {2156, "Forerunner 630"},
    {2157, "Forerunner 230"},
    {2158, "Forerunner 735XT"},
    {2160, "vivoactive"},
    {2173, "Forerunner 620"},
    {2174, "Forerunner 220"},
    {2188, "Fenix 3"},
    {2189, "Fenix 3"},
    {2204, "Edge Explore 1000"},
    {2219, "Forerunner 225"},
    {2238, "Edge 20"},
    {2260, "Edge 520"},
    {2261, "Edge 520"},
    {2262, "D2 Bravo"},
    {2274, "Edge 1000"},
    {2288, "Edge 25"},
    {2289, "Edge 25"},
    {2290, "Edge 20"},
    {2293, "Fenix 3"},
    {2310, "Forerunner 630"},
    {2311, "Forerunner 630"},
    {2313, "Forerunner 230"},
    {2332, "epix"},
    {2337, "vivoactive HR"},
    {2347, "vivosmart GPS HR"},
    {2348, "vivosmart HR"},
    {2396, "Forerunner 235"},
    {2397, "Forerunner 235"},
    {2407, "Fenix 3"},
    {2408, "Fenix 3"},
    {2413, "Fenix 3 HR"},
    {2431, "Forerunner 235"},
    {2432, "Fenix Chronos"},
    {2441, "Oregon 7xx"},
    {2457, "epix"},
    {2473, "Fenix 3 HR"},
    {2474, "Fenix 3 HR"},
    {2475, "Fenix 3 HR"},
    {2476, "Fenix 3 HR"},
    {2477, "Fenix 3 HR"},
    {2497, "vivoactive HR"},
    {2503, "Forerunner 35"},
    {2512, "Oregon 7xx"},
    {2530, "Edge 820"},
    {2531, "Edge Explore 820"},
    {2533, "Forerunner 735XT"},
    {2534, "Forerunner 735XT"},
    {2544, "Fenix 5S"},
    {2599, "Edge 820"},
    {2600, "Edge 820"},
    {2604, "Fenix 5X"},
    {2622, "vivosmart 3"},
    {2623, "vivosport"},
    {2628, "Edge 820"},
    {2629, "Edge 820"},
    {2630, "Edge 820"},
    {2667, "Forerunner 35"},
    {2668, "Forerunner 35"},
    {2691, "Forerunner 935"},
    {2697, "Fenix 5"},
    {2700, "vivoactive 3"},
    {2713, "Edge 1030"},
    {2727, "Forerunner 35"},
    {2796, "Fenix 5"},
    {2797, "Fenix 5S"},
    {2798, "Fenix 5X"},
    {2814, "Forerunner 35"},
    {2833, "Forerunner 935"},
    {2859, "Descent Mk1"},
    {2886, "Forerunner 645"},
    {2888, "Forerunner 645 Music"},
    {2891, "Forerunner 30"},
    {2900, "Fenix 5S Plus"},
    {2909, "Edge 130"},
    {2924, "Edge 1030"},
    {2977, "Forerunner 30"},
    {2988, "vivoactive 3 Music"},
    {3003, "Forerunner 645"},
    {3004, "Forerunner 645 Music"},
    {3011, "Edge Explore"},
    {3028, "GPSMAP 66"},
    {3066, "vivoactive 3 Music"},
    {3076, "Forerunner 245"},
    {3077, "Forerunner 245 Music"},
    {3092, "Edge 130"},
    {3095, "Edge 1030"},
    {3110, "Fenix 5 Plus"},
    {3111, "Fenix 5X Plus"},
    {3112, "Edge 520 Plus"},
    {3113, "Forerunner 945"},
    {3121, "Edge 530"},
    {3122, "Edge 830"},
    {3134, "Fenix 5S Plus"},
    {3135, "Fenix 5X Plus"},
    {3142, "Edge 520 Plus"},
    {3145, "Forerunner 245"},
    {3224, "vivoactive 4S"},
    {3225, "vivoactive 4"},
    {3226, "Venu"},
    {3258, "Descent Mk2"},
    {3282, "Forerunner 45"},
    {3284, "GPSMAP 66i"},
    {3287, "Fenix 6S"},
    {3288, "Fenix 6S"},
    {3289, "Fenix 6"},
    {3290, "Fenix 6"},
    {3291, "Fenix 6X"},
    {3349, "Edge 530"},
    {3350, "Edge 830"},
    {3405, "Swim 2"},
    {3441, "Forerunner 945"},
    {3466, "Instinct Solar"},
    {3469, "Forerunner 45"},
    {3512, "Fenix 6S"},
    {3513, "Fenix 6S"},
    {3514, "Fenix 6"},
    {3515, "Fenix 6"},
    {3516, "Fenix 6X"},
    {3558, "Edge 130 Plus"},
    {3570, "Edge 1030 Plus"},
    {3589, "Forerunner 745"},
    {3600, "Venu Sq"},
    {3638, "Enduro"},
    {3639, "Swim 2"},
    {3652, "Forerunner 945 LTE"},
    {3703, "Venu 2"},
    {3704, "Venu 2S"},
    {3794, "Forerunner 745"},
    {3812, "Edge 1030 Plus"},
    {3813, "Edge 130 Plus"},
    {3843, "Edge 1040"},
    {3851, "Venu 2 Plus"},
    {3869, "Forerunner 55"},
    {3888, "Instinct 2"},
    {3889, "Instinct 2S"},
    {3905, "Fenix 7S"},
    {3906, "Fenix 7"},
    {3907, "Fenix 7X"},
    {3908, "Fenix 7S"},
    {3909, "Fenix 7"},
    {3910, "Fenix 7X"},
    {3943, "epix (Gen 2)"},
    {3944, "epix (Gen 2)"},
    {3978, "Forerunner 945 LTE"},
    {3990, "Forerunner 255 Music"},
    {3991, "Forerunner 255S Music"},
    {3992, "Forerunner 255"},
    {3993, "Forerunner 255S"},
    {4024, "Forerunner 955"},
    {4033, "Forerunner 55"},
    {4061, "Edge 540"},
    {4062, "Edge 840"},
    {4169, "Edge Explore 2"},
    {4257, "Forerunner 265"},
    {4258, "Forerunner 265S"},
    {4260, "Venu 3"},
    {4261, "Venu 3S"},
    {4305, "Edge 1040"},
    {4315, "Forerunner 965"},
    {4341, "Enduro 2"},
    {4374, "Fenix 7S Pro"},
    {4375, "Fenix 7 Pro"},
    {4376, "Fenix 7X Pro"},
    {4426, "vivoactive 5"},
    {4432, "Forerunner 165"},
    {4433, "Forerunner 165 Music"},
    {4440, "Edge 1050"},
    {4532, "Fenix 8"},
    {4533, "Fenix 8"},
    {4534, "Fenix 8"},
    {4536, "Fenix 8"},
    {4575, "Enduro 3"},
    {20119, "Training Center"},
    {65534, "Garmin Connect"},
};

// Words people and programs use for sports, beyond the profile's own names.
constexpr std::pair<const char*, int> kSportWords[] = {
    {"run", 1},
    {"jog", 1},
    {"jogging", 1},
    {"trail running", 1},
    {"bike", 2},
    {"biking", 2},
    {"ride", 2},
    {"cycle", 2},
    {"road biking", 2},
    {"mountain biking", 2},
    {"virtual ride", 2},
    {"swim", 5},
    {"walk", 11},
    {"hike", 17},
    {"row", 15},
    {"ebike ride", 21},
    {"e-bike ride", 21},
    {"ski", 13},
    {"nordic ski", 12},
    {"backcountry ski", 13},
    {"kayak", 41},
    {"canoe", 88},
    {"paddle", 19},
    {"inline skate", 30},
    {"ice skate", 33},
    {"snowshoe", 35},
    {"workout", 10},
    {"weight training", 10},
    {"cross-country skiing", 12},
    {"e-bike", 21},
};

std::string Lowered(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '_') c = ' ';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        out += c;
    }
    const auto first = out.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

BaseType BaseTypeOf(std::uint8_t code) {
    // The low five bits number the type; the top bit only says it has a byte order.
    switch (code & 0x1F) {
        case 0x00:  // enum
        case 0x02:  // uint8
        case 0x0D:  // byte
            return {1, false, false, false, 0xFF};
        case 0x01:
            return {1, true, false, false, 0x7F};
        case 0x03:
            return {2, true, false, false, 0x7FFF};
        case 0x04:
            return {2, false, false, false, 0xFFFF};
        case 0x05:
            return {4, true, false, false, 0x7FFFFFFF};
        case 0x06:
            return {4, false, false, false, 0xFFFFFFFF};
        case 0x07:
            return {1, false, false, true, 0};
        case 0x08:
            return {4, false, true, false, 0xFFFFFFFF};
        case 0x09:
            return {8, false, true, false, 0xFFFFFFFFFFFFFFFF};
        case 0x0A:
            return {1, false, false, false, 0};
        case 0x0B:
            return {2, false, false, false, 0};
        case 0x0C:
            return {4, false, false, false, 0};
        case 0x0E:
            return {8, true, false, false, 0x7FFFFFFFFFFFFFFF};
        case 0x0F:
            return {8, false, false, false, 0xFFFFFFFFFFFFFFFF};
        case 0x10:
            return {8, false, false, false, 0};
        default:
            return {};
    }
}

std::uint16_t Crc16(const std::uint8_t* data, std::size_t size, std::uint16_t crc) {
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

std::string SportName(int sport, int subSport) {
    const char* name = Find(kSports, sport);
    std::string text = name ? name : "sport " + std::to_string(sport);
    if (subSport != 0 && subSport != 254) {
        const char* sub = Find(kSubSports, subSport);
        text += '/';
        text += sub ? sub : "sub-sport " + std::to_string(subSport);
    }
    return text;
}

bool IsTransition(int sport, int subSport) {
    return sport == kSportTransition || (subSport >= 32 && subSport <= 34);
}

int SportFromText(std::string_view text) {
    const std::string word = Lowered(text);
    if (word.empty()) return -1;
    for (const Named& sport : kSports)
        if (word == sport.name) return sport.number;
    for (const auto& [synonym, sport] : kSportWords)
        if (word == synonym) return sport;
    return -1;
}

std::string FileTypeName(int type) {
    const char* name = Find(kFileTypes, type);
    return name ? name : "type " + std::to_string(type);
}

std::string ManufacturerName(int manufacturer) {
    const char* name = Find(kManufacturers, manufacturer);
    return name ? name : "";
}

std::string GarminProductName(int product) {
    const char* name = Find(kGarminProducts, product);
    return name ? name : "";
}

bool UsesGarminProducts(int manufacturer) {
    return manufacturer == 1 || manufacturer == 13 || manufacturer == 15 || manufacturer == 89;
}

}  // namespace kivrun::devices::fit
