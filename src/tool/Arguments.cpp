// The tool's arguments, each read whole and checked against what the log can keep and show:
// anything else is a usage error (exit 2) that names the argument and what it accepts.
#include <algorithm>
#include <cmath>

#include "tool/Tool.h"
#include "values/NumberFormat.h"
#include "values/TextEncoding.h"

namespace kivrun::tool {
namespace {

std::string Quoted(const std::string& text) {
    return IsValidUtf8(text) ? "'" + text + "'" : std::string("(text that is not UTF-8)");
}

std::string Range(double low, double high) {
    return "from " + DoubleToText(low) + " to " + DoubleToText(high);
}

}  // namespace

void ExpectArgs(const Context& c, size_t n) {
    if (c.args.size() < n) throw UsageError{"missing argument"};
    if (c.args.size() > n) throw UsageError{"too many arguments"};
}

Options ParseOptions(const std::vector<std::string>& args, const std::vector<std::string>& known) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            const std::string name = a.substr(2);
            if (std::find(known.begin(), known.end(), name) == known.end())
                throw UsageError{"unknown option " + a};
            if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
            o.named[name] = args[++i];
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

double Number(const std::string& text, const char* what) {
    const std::optional<double> value = ParseNumber(text);
    if (!value) throw UsageError{std::string(what) + " is not a number: " + Quoted(text)};
    return *value;
}

double NumberArg(const std::string& text, const char* what, double low, double high) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || *value < low || *value > high)
        throw UsageError{std::string(what) + " is a number " + Range(low, high) + ", not " +
                         Quoted(text)};
    return *value;
}

long long WholeArg(const std::string& text, const char* what, long long low, long long high) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || *value != std::trunc(*value) || *value < static_cast<double>(low) ||
        *value > static_cast<double>(high))
        throw UsageError{std::string(what) + " is a whole number " +
                         Range(static_cast<double>(low), static_cast<double>(high)) + ", not " +
                         Quoted(text)};
    return static_cast<long long>(*value);
}

RowId Id(const std::string& text, const char* what) {
    const long long id = TextToLong(text);
    if (id <= 0 || IntToText(id) != TrimBlanks(text))
        throw UsageError{std::string(what) + " is a whole number above 0, not " + Quoted(text)};
    return id;
}

CDate DateArg(const std::string& text, const char* what) {
    const std::optional<CDate> date = CDate::FromWholeText(text);
    if (!date)
        throw UsageError{std::string(what) + " is a date M/D/YYYY from 1/1/" +
                         std::to_string(CDate::kFirstYear) + " to 12/31/" +
                         std::to_string(CDate::kLastYear) + ", not " + Quoted(text)};
    return *date;
}

CElapsedTime TimeArg(const std::string& text, const char* what) {
    const CElapsedTime time = CElapsedTime::FromUserText(TrimBlanks(text));
    if (CElapsedTime::Validate(text) == 0 || !(time.TotalSeconds() > 0.0))
        throw UsageError{std::string(what) +
                         " is a time H:MM:SS (1:15:00) or hours as a decimal (1.25), above 0 and "
                         "under " +
                         std::to_string(CElapsedTime::kMaxTypedHours) + " hours, not " +
                         Quoted(text)};
    return time;
}

const std::string& TextArg(const std::string& text, const char* what) {
    if (!IsValidUtf8(text)) throw UsageError{std::string(what) + " is not valid UTF-8 text"};
    return text;
}

void CheckRoutineText(const std::string& text) {
    static const char* const kCells[] = {"Exercise", "Sets",    "Weight1", "Reps1",   "Weight2",
                                         "Reps2",    "Weight3", "Reps3",   "Weight4", "Reps4"};
    TextArg(text, "--routine");
    std::string rest = text;
    while (!rest.empty()) {
        std::string row = NextToken(rest, ';');
        for (size_t cell = 0; !row.empty() && cell < std::size(kCells); ++cell) {
            const std::string value = TrimBlanks(NextToken(row, ','));
            if (cell == 0 || value.empty()) continue;
            WholeArg(value, (std::string("--routine ") + kCells[cell]).c_str(), 0, kMaxCount);
        }
    }
}

}  // namespace kivrun::tool
