#include "common/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pixmill {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(1024.5), 1024);
    EXPECT_EQ(RoundHalfEven(32767.5), 32768);
}

TEST(RoundHalfEven, OtherFractionsGoToTheNearest) {
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(10.4), 10);
    EXPECT_EQ(RoundHalfEven(-0.4), 0);
    EXPECT_EQ(RoundHalfEven(-1.6), -2);
    EXPECT_EQ(RoundHalfEven(7), 7);
}

TEST(ReadLeadingNumber, ReadsTheLeadingNumericPartOnly) {
    EXPECT_EQ(ReadLeadingNumber("12abc"), 12);
    EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(ReadLeadingNumber("5,5"), 5);
    EXPECT_EQ(ReadLeadingNumber("153 // red door"), 153);
}

TEST(ReadLeadingNumber, TextWithoutALeadingNumberReadsAsZero) {
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("abc"), 0);
    EXPECT_EQ(ReadLeadingNumber("-"), 0);
    EXPECT_EQ(ReadLeadingNumber("+-5"), 0);
    EXPECT_EQ(ReadLeadingNumber("."), 0);
    EXPECT_EQ(ReadLeadingNumber("x12"), 0);
}

TEST(ReadLeadingNumber, BlanksAreSkippedWhereverTheyStand) {
    EXPECT_EQ(ReadLeadingNumber("   42"), 42);
    EXPECT_EQ(ReadLeadingNumber("\t\n7"), 7);
    EXPECT_EQ(ReadLeadingNumber("1 2 3"), 123);
    EXPECT_EQ(ReadLeadingNumber("- 5"), -5);
    EXPECT_EQ(ReadLeadingNumber("2 . 5"), 2.5);
}

TEST(ReadLeadingNumber, SignsFractionsAndExponents) {
    EXPECT_EQ(ReadLeadingNumber("+7"), 7);
    EXPECT_EQ(ReadLeadingNumber("-300"), -300);
    EXPECT_EQ(ReadLeadingNumber("2.5"), 2.5);
    EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
    EXPECT_EQ(ReadLeadingNumber("-.25"), -0.25);
    EXPECT_EQ(ReadLeadingNumber("5."), 5);
    EXPECT_EQ(ReadLeadingNumber("1e3"), 1000);
    EXPECT_EQ(ReadLeadingNumber("1D2"), 100);
    EXPECT_EQ(ReadLeadingNumber("25E-1"), 2.5);
    // An exponent without digits is not part of the number.
    EXPECT_EQ(ReadLeadingNumber("1E"), 1);
    EXPECT_EQ(ReadLeadingNumber("1e+x"), 1);
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
}

TEST(ReadLeadingNumber, RadixFormsOnlyWhereAllowed) {
    EXPECT_EQ(ReadLeadingNumber("&H1F", NumberForms::DecimalOrRadix), 31);
    EXPECT_EQ(ReadLeadingNumber("&hff // x", NumberForms::DecimalOrRadix), 255);
    EXPECT_EQ(ReadLeadingNumber("&O17", NumberForms::DecimalOrRadix), 15);
    // A bare ampersand is no radix: no number begins there.
    EXPECT_EQ(ReadLeadingNumber("&17", NumberForms::DecimalOrRadix), 0);
    EXPECT_EQ(ReadLeadingNumber("&O19", NumberForms::DecimalOrRadix), 1);
    EXPECT_EQ(ReadLeadingNumber("&HG", NumberForms::DecimalOrRadix), 0);
    EXPECT_EQ(ReadLeadingNumber("12", NumberForms::DecimalOrRadix), 12);
    EXPECT_EQ(ReadLeadingNumber("&H1F"), 0);
}

}  // namespace
}  // namespace pixmill
