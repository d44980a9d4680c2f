#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zarva::test {

// A parsed JSON value, enough to read the expected values of reference records in tests.
class Json {
public:
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;

    static Json Parse(std::string_view text);  // throws std::runtime_error

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    double Number() const { return std::get<double>(value_); }
    const std::string& String() const { return std::get<std::string>(value_); }
    const Array& Items() const { return std::get<Array>(value_); }
    bool IsObject() const { return std::holds_alternative<Object>(value_); }
    const Json& operator[](const std::string& key) const;

private:
    struct Parser;
    std::variant<std::monostate, bool, double, std::string, Array, Object> value_;
};

} // namespace zarva::test
