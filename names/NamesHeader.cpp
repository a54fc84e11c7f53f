#include "names/NamesHeader.h"

#include <algorithm>
#include <cctype>

#include "common/ByteIo.h"
#include "common/Numbers.h"

namespace pixmill {
namespace {

// A names header is text; a file far larger than any header is refused unread.
constexpr std::int64_t kMaxHeaderFile = 64 << 20;

bool IsDefineLine(std::string_view line) {
    constexpr std::string_view kDefine = "#DEFINE";
    return line.size() >= kDefine.size() &&
           std::equal(kDefine.begin(), kDefine.end(), line.begin(), [](char d, char c) {
               return std::toupper(static_cast<unsigned char>(c)) == d;
           });
}

// Why a counted line cannot be taken, or empty when it was stored.
std::string TakeDefineLine(std::string_view line, TileNames& names) {
    if (line.size() < 8) {
        return "the line holds no name";
    }
    const std::string_view rest = line.substr(8);
    const std::size_t space = rest.find(' ');
    const std::string_view numberText =
        space == std::string_view::npos ? rest : rest.substr(space + 1);
    const double number = RoundHalfEven(ReadLeadingNumber(numberText, NumberForms::DecimalOrRadix));
    if (!(number >= -32768 && number <= 32767)) {
        return "the number is outside -32768 to 32767";
    }
    const int entry = static_cast<int>(number);
    names.ExtendTo(entry);
    if (space == std::string_view::npos) {
        return "no space separates the name from the number";
    }
    if (entry < 0) {
        return "the number is negative";
    }
    names.Set(entry, std::string(rest.substr(0, space)));
    return {};
}

}  // namespace

NamesLoadReport ReadNamesHeader(std::string_view text, TileNames& names) {
    NamesLoadReport report;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\r', start);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = text.size();
        } else {
            next = end + 1;
            if (next < text.size() && text[next] == '\n') {
                ++next;
            }
        }
        const std::string_view line = text.substr(start, end - start);
        start = next;
        ++lineNumber;
        if (!IsDefineLine(line)) {
            continue;
        }
        if (std::string reason = TakeDefineLine(line, names); !reason.empty()) {
            report.stoppedBecause = std::move(reason);
            report.stoppedAtLine = lineNumber;
            return report;
        }
        ++report.namesStored;
    }
    return report;
}

NamesLoadReport ReadNamesHeaderFile(const std::string& path, TileNames& names) {
    auto bytes = ReadSmallFile(path, kMaxHeaderFile);
    if (!bytes) {
        NamesLoadReport report;
        report.stoppedBecause = bytes.reason();
        return report;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return ReadNamesHeader(text, names);
}

}  // namespace pixmill
