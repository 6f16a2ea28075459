// The numeric reading of a text box's text, and its store into a 16-bit or 32-bit field.
#pragma once

#include <cstdint>
#include <string_view>

namespace wh {

// The leading number of a text, as a double; 0 when the text does not start with one.
// - Blanks, tabs and line feeds are skipped wherever they stand ("1 2" reads 12); nothing else
//   is: a carriage return or any other byte ends the number like a letter does.
// - An optional sign, decimal digits with at most one point, an optional exponent (E or e, an
//   optional sign, digits). An exponent letter with no digit after it is not part of the number.
// - &H (hexadecimal) or &O (octal), either letter in either case, after the optional sign: the
//   digits' plain value, never a two's-complement one (&HFFFF is 65535, &H8000 is 32768), and
//   as exact as a double holds it. A sign before the ampersand negates it: -&HFFFF is -65535.
//   Stored into a field, such a value is clamped like any other that does not fit.
// - Reading stops at the first byte that cannot continue the number; what was read is the value.
// - Any input is safe: a value too large for a double reads as plus or minus infinity, one too
//   small as 0; digit runs of any length, decimal, hexadecimal or octal, are read correctly
//   rounded.
double readNumber(std::string_view text);

// A text stored into a 16-bit field: nearest, halves to even, clamped to -32768..32767.
int16_t readField16(std::string_view text);

// A text stored into a 32-bit field: nearest, halves to even, clamped to the 32-bit range.
int32_t readField32(std::string_view text);

} // namespace wh
