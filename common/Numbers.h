#pragma once
// How the editor reads numbers that people type (input boxes, names headers)
// and how it turns fractions into whole numbers.

#include <string_view>

namespace pixmill {

enum class NumberForms {
    Decimal,         // sign, digits, decimal point, exponent (E or D)
    DecimalOrRadix,  // also &H hexadecimal and &O octal
};

// The value of the leading numeric part of text. Blanks (space, tab, line feed)
// are skipped wherever they stand; reading stops at the first character that
// cannot continue the number; a text without a leading number reads as 0.
double ReadLeadingNumber(std::string_view text, NumberForms forms = NumberForms::Decimal);

// Nearest whole number, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

}  // namespace pixmill
