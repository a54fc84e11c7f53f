// Typed numbers: reading stops at the first character that cannot continue a
// number, plain digits read as their value, and rounding lands on the nearest
// whole number with halves going to the even one.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Numbers.h"
#include "fuzz/FuzzCheck.h"

namespace {

bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto forms : {pixmill::NumberForms::Decimal, pixmill::NumberForms::DecimalOrRadix}) {
        const double value = pixmill::ReadLeadingNumber(text, forms);
        // '!' continues no number, so nothing after it can count.
        PIXMILL_FUZZ_CHECK(SameNumber(pixmill::ReadLeadingNumber(text + "!9", forms), value));
        if (std::isfinite(value)) {
            const double rounded = pixmill::RoundHalfEven(value);
            PIXMILL_FUZZ_CHECK(rounded == std::nearbyint(rounded));
            PIXMILL_FUZZ_CHECK(std::fabs(rounded - value) <= 0.5);
            if (std::fabs(rounded - value) == 0.5) {
                PIXMILL_FUZZ_CHECK(std::fmod(rounded, 2.0) == 0.0);
            }
        }
    }
    if (!text.empty() && text.size() <= 15 &&
        text.find_first_not_of("0123456789") == std::string::npos) {
        PIXMILL_FUZZ_CHECK(pixmill::ReadLeadingNumber(text) ==
                           static_cast<double>(std::stoll(text)));
    }
    return 0;
}
