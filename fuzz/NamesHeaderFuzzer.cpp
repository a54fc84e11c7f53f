// ReadNamesHeader on any text: the table stays within its 16-bit limit, every
// name stored comes from the text, and the count and stopping line add up.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "names/NamesHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pixmill::TileNames names;
    const pixmill::NamesLoadReport report = pixmill::ReadNamesHeader(text, names);

    PIXMILL_FUZZ_CHECK(names.size() >= 1 && names.size() <= pixmill::TileNames::kLastEntry + 1);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\r')) + 1;
    PIXMILL_FUZZ_CHECK(report.namesStored >= 0 && report.namesStored <= lines);
    PIXMILL_FUZZ_CHECK(report.stoppedBecause.empty() == (report.stoppedAtLine == 0));
    PIXMILL_FUZZ_CHECK(report.stoppedAtLine >= 0 && report.stoppedAtLine <= lines);
    int named = 0;
    for (int number = 0; number < names.size(); ++number) {
        const std::string& name = names.NameOf(number);
        if (!name.empty()) {
            ++named;
            PIXMILL_FUZZ_CHECK(text.find(name) != std::string_view::npos);
        }
    }
    PIXMILL_FUZZ_CHECK(named <= report.namesStored);
    return 0;
}
