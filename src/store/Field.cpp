#include "store/Field.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "store/Database.h"

namespace kivrun {
namespace {

std::int64_t AsInt(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto d = std::get_if<double>(&v)) {
        if (!std::isfinite(*d)) return 0;
        if (*d >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
        if (*d <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
        return static_cast<std::int64_t>(*d);
    }
    if (auto s = std::get_if<std::string>(&v)) return std::strtoll(s->c_str(), nullptr, 10);
    return 0;
}

double AsDouble(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto s = std::get_if<std::string>(&v)) return std::strtod(s->c_str(), nullptr);
    return 0.0;
}

std::string AsText(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto d = std::get_if<double>(&v)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.15g", *d);
        return buf;
    }
    return {};
}

}  // namespace

Value WholeOrReal(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 0x1p53)
        return Value{static_cast<std::int64_t>(value)};
    return Value{value};
}

Value ReadValue(const Statement& s, int column) {
    switch (sqlite3_column_type(s.handle(), column)) {
        case SQLITE_INTEGER:
            return Value{s.Int64(column)};
        case SQLITE_FLOAT:
            return Value{s.Real(column)};
        case SQLITE_NULL:
            return Value{};
        default:
            return Value{s.Text(column)};
    }
}

void BindValue(Statement& s, int index, const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v))
        s.Bind(index, *i);
    else if (auto d = std::get_if<double>(&v))
        s.Bind(index, *d);
    else if (auto t = std::get_if<std::string>(&v))
        s.Bind(index, std::string_view(*t));
    else
        s.BindNull(index);
}

template <>
void Field<std::int32_t>::Load(const Value& v) {
    null_ = std::holds_alternative<std::monostate>(v);
    const std::int64_t i = AsInt(v);
    value_ = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        i, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    dirty_ = false;
}

template <>
void Field<double>::Load(const Value& v) {
    null_ = std::holds_alternative<std::monostate>(v);
    value_ = AsDouble(v);
    dirty_ = false;
}

template <>
void Field<std::string>::Load(const Value& v) {
    null_ = std::holds_alternative<std::monostate>(v);
    value_ = AsText(v);
    dirty_ = false;
}

template <>
void Field<bool>::Load(const Value& v) {
    null_ = std::holds_alternative<std::monostate>(v);
    value_ = AsInt(v) != 0;
    dirty_ = false;
}

}  // namespace kivrun
