// Reading and writing the numbers of fixed-length text fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace utilcore {

// The text of a fixed-length field: it ends at the first NUL or after length characters.
std::string_view fieldText(const char* field, std::size_t length);

// A real number: optional blanks, [+|-], digits with an optional '.' (at least one digit on
// one side of it), an optional exponent e|E [+|-] digits, optional blanks. Rounded to the
// nearest float; a value beyond the float range is refused, one below it becomes 0.
std::optional<float> parseReal(std::string_view text);

// An integer: optional blanks, [+|-], digits, optional blanks; only -32768 .. 32767.
std::optional<int16_t> parseInt16(std::string_view text);

// The shortest text that parseReal reads back as the same float ("0.1", "1e-05", "-3.25");
// "inf", "-inf" and "nan" (whatever the sign bit of the NaN) for the values it refuses.
std::string formatReal(float value);

} // namespace utilcore
