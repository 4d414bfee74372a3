// Floating-point text conversions for C++ libraries without the floating-point
// std::from_chars and std::to_chars (the WebAssembly build's). Same results, bit for
// bit and character for character, as those functions give where they exist; always
// "." as separator, whatever the locale.
//
// A small layer of our own: exact big-integer arithmetic, correct rather than fast.
// numbers.cpp uses it only where <charconv> lacks the floating-point overloads;
// everywhere else it is built and tested against <charconv>.
#pragma once

#include <charconv>
#include <string_view>

namespace orvane::portable {

// std::from_chars(first, last, value, std::chars_format::general) for double: reads the
// longest prefix of the form [-] (digits [. [digits]] | . digits) [(e|E) [sign] digits]
// (an exponent without digits is not part of it: "1e" reads "1"), correctly rounded,
// ties to even. Returns std::errc::invalid_argument when no such prefix starts the text
// and std::errc::result_out_of_range when the value is beyond the largest double
// ("1e309") or is not zero but rounds to zero ("1e-400"); `value` is then unchanged.
// Values between zero and the smallest normal magnitude come out as subnormals
// ("1e-310"). Unlike std::from_chars, "inf", "nan" and their kin are not read.
std::from_chars_result FromChars(const char* first, const char* last, double& value);

// std::to_chars(first, last, value, std::chars_format::fixed, 0): the value rounded to a
// whole number, ties to even, in full ("1e30" gives "1000000000000000019884624838656").
// std::errc::value_too_large, with `ptr` == last, when the text does not fit.
std::to_chars_result ToCharsFixed0(char* first, char* last, double value);

// std::to_chars(first, last, value, std::chars_format::general, precision), which is
// printf's "%.<precision>g": `precision` significant digits (0 counts as 1), rounded
// ties to even, trailing zeros removed, exponent form ("1e+30", "1e-05") below 1e-4 or
// from 10^precision on. std::errc::value_too_large, with `ptr` == last, when the text
// does not fit.
std::to_chars_result ToCharsGeneral(char* first, char* last, double value, int precision);

// std::to_chars(first, last, value, std::chars_format::fixed): below 2^53 the fewest
// significant digits that read back as `value`, laid out without an exponent ("65.5",
// "0.0001"), found as the first precision of ToCharsGeneral whose text reads back;
// from 2^53 on, where every double is whole, its exact digits ("1e30" gives
// "1000000000000000019884624838656"), as std::to_chars writes them.
// std::errc::value_too_large, with `ptr` == last, when the text does not fit.
std::to_chars_result ToCharsShortestFixed(char* first, char* last, double value);

}  // namespace orvane::portable
