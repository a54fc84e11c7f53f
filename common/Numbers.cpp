#include "common/Numbers.h"

#include <locale.h>
#include <stdlib.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace pixmill {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Walks the text with blanks removed, the way the number reader sees it.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    char PeekUpper() const {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(Peek())));
    }
    void Advance() {
        ++position_;
        SkipBlanks();
    }

  private:
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[position_])) {
            ++position_;
        }
    }
    std::string_view text_;
    std::size_t position_ = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char upper) {
    if (IsDigit(upper)) {
        return upper - '0';
    }
    if (upper >= 'A' && upper <= 'F') {
        return upper - 'A' + 10;
    }
    return 99;
}

double ReadRadix(Cursor& cursor) {
    // Only &H and &O introduce a number; an ampersand before anything else
    // begins no number at all.
    int radix = 0;
    if (cursor.PeekUpper() == 'H') {
        radix = 16;
    } else if (cursor.PeekUpper() == 'O') {
        radix = 8;
    } else {
        return 0;
    }
    cursor.Advance();
    double value = 0;
    while (DigitValue(cursor.PeekUpper()) < radix) {
        value = value * radix + DigitValue(cursor.PeekUpper());
        cursor.Advance();
    }
    return value;
}

}  // namespace

double ReadLeadingNumber(std::string_view text, NumberForms forms) {
    Cursor cursor(text);
    if (forms == NumberForms::DecimalOrRadix && cursor.Peek() == '&') {
        cursor.Advance();
        return ReadRadix(cursor);
    }

    // Gather the number without its blanks, then let strtod do the conversion.
    std::string number;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        number += cursor.Peek();
        cursor.Advance();
    }
    bool sawDigit = false;
    while (IsDigit(cursor.Peek())) {
        number += cursor.Peek();
        sawDigit = true;
        cursor.Advance();
    }
    if (cursor.Peek() == '.') {
        number += '.';
        cursor.Advance();
        while (IsDigit(cursor.Peek())) {
            number += cursor.Peek();
            sawDigit = true;
            cursor.Advance();
        }
    }
    if (!sawDigit) {
        return 0;
    }
    if (cursor.PeekUpper() == 'E' || cursor.PeekUpper() == 'D') {
        std::string exponent = "e";
        cursor.Advance();
        if (cursor.Peek() == '+' || cursor.Peek() == '-') {
            exponent += cursor.Peek();
            cursor.Advance();
        }
        bool sawExponentDigit = false;
        while (IsDigit(cursor.Peek())) {
            exponent += cursor.Peek();
            sawExponentDigit = true;
            cursor.Advance();
        }
        if (sawExponentDigit) {
            number += exponent;
        }
    }
    // The "C" locale: a window toolkit may switch the process to one whose decimal
    // separator is not the point, and typed numbers must not change meaning with it.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    double below = std::floor(value);
    double fraction = value - below;
    if (fraction > 0.5) {
        return below + 1;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace pixmill
