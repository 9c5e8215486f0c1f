#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace kivrun {

class Statement;

// One value as it comes out of or goes into the engine.
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

Value ReadValue(const Statement& statement, int column);
void BindValue(Statement& statement, int index, const Value& value);

// A bound member of a record set: the current row's value, whether it is Null, and whether
// it was assigned since the row was read (only assigned fields are written back).
class FieldBase {
  public:
    virtual ~FieldBase() = default;
    bool IsNull() const { return null_; }
    bool IsDirty() const { return dirty_; }
    virtual Value Get() const = 0;
    // Takes a value read from the engine; clears the dirty mark.
    virtual void Load(const Value& value) = 0;
    void SetNullValue() {
        Load(Value{});
        dirty_ = true;
    }
    void MarkClean() { dirty_ = false; }

  protected:
    bool null_ = true;
    bool dirty_ = false;
};

template <class T>
class Field : public FieldBase {
  public:
    Field() = default;
    Field(const Field&) = delete;
    Field& operator=(const Field& other) {
        value_ = other.value_;
        null_ = other.null_;
        dirty_ = true;
        return *this;
    }
    Field& operator=(const T& value) {
        value_ = value;
        null_ = false;
        dirty_ = true;
        return *this;
    }
    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    friend bool operator==(const Field& f, const T& v) { return f.value_ == v; }

    Value Get() const override {
        if (null_) return Value{};
        if constexpr (std::is_same_v<T, bool>) {
            return Value{std::int64_t{value_ ? -1 : 0}};  // the log stores true as -1
        } else if constexpr (std::is_integral_v<T>) {
            return Value{static_cast<std::int64_t>(value_)};
        } else {
            return Value{value_};
        }
    }

    void Load(const Value& v) override;

  private:
    T value_{};
};

// A whole number as an integer, anything else as a real number: what a column that has
// always held whole numbers is given, once it may hold decimals too.
Value WholeOrReal(double value);

// A number column of both kinds: whole values are written as integers (WholeOrReal).
class NumberField : public Field<double> {
  public:
    using Field<double>::operator=;
    Value Get() const override { return IsNull() ? Value{} : WholeOrReal(get()); }
};

// Long, Double (dates too: serial days), Text and Bool fields.
using LongField = Field<std::int32_t>;
using DoubleField = Field<double>;
using DateField = Field<double>;
using TextField = Field<std::string>;
using BoolField = Field<bool>;

}  // namespace kivrun
