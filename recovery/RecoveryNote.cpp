#include "recovery/RecoveryNote.h"

#include <charconv>
#include <cstdio>

namespace pixmill {
namespace {

constexpr std::string_view kFirstLine = "pixmill-recovery 1\n";
constexpr std::string_view kAnyVersion = "pixmill-recovery ";
// No path the system takes is longer.
constexpr std::size_t kLongestValue = 65536;

void PutField(std::string& text, std::string_view key, std::string_view value) {
    text.append(key).append(" ").append(std::to_string(value.size())).append(" ");
    text.append(value).append("\n");
}

// Reads "key N value\n" from the front of rest.
Result<std::string> TakeField(std::string_view& rest, std::string_view key) {
    const std::string missing = "its " + std::string(key) + " line is missing or damaged";
    if (rest.substr(0, key.size() + 1) != std::string(key) + " ") {
        return Status::Fail(missing);
    }
    rest.remove_prefix(key.size() + 1);
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), length);
    const auto digits = static_cast<std::size_t>(end - rest.data());
    if (error != std::errc() || digits == 0 || length > kLongestValue || digits >= rest.size() ||
        rest[digits] != ' ' || rest.size() - digits - 1 < length + 1 ||
        rest[digits + 1 + length] != '\n') {
        return Status::Fail(missing);
    }
    std::string value(rest.substr(digits + 1, length));
    rest.remove_prefix(digits + 1 + length + 1);
    return value;
}

template <class Number>
bool ReadWhole(const std::string& text, Number& number, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace

std::string RecoveryNoteText(const RecoveryNote& note) {
    std::string text(kFirstLine);
    PutField(text, "path", note.artPath);
    PutField(text, "palette", note.palettePath);
    PutField(text, "copy", note.copyName);
    PutField(text, "bytes", std::to_string(note.copyBytes));
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", static_cast<unsigned>(note.copyCrc));
    PutField(text, "crc32", crc);
    return text;
}

Result<RecoveryNote> ReadRecoveryNote(std::string_view text) {
    if (text.substr(0, kFirstLine.size()) != kFirstLine) {
        return Status::Fail(text.substr(0, kAnyVersion.size()) == kAnyVersion
                                ? "it was written by another version of Pixmill"
                                : "it is not a recovery note");
    }
    std::string_view rest = text.substr(kFirstLine.size());
    RecoveryNote note;
    std::string fields[5];
    const char* keys[5] = {"path", "palette", "copy", "bytes", "crc32"};
    for (int i = 0; i < 5; ++i) {
        Result<std::string> value = TakeField(rest, keys[i]);
        if (!value) {
            return Status::Fail(value.reason());
        }
        fields[i] = std::move(*value);
    }
    if (!rest.empty()) {
        return Status::Fail("it goes on after its last line");
    }
    note.artPath = std::move(fields[0]);
    note.palettePath = std::move(fields[1]);
    note.copyName = std::move(fields[2]);
    if (!IsPlainFileName(note.copyName)) {
        return Status::Fail("the name of its copy is not a file name");
    }
    if (!ReadWhole(fields[3], note.copyBytes) || !ReadWhole(fields[4], note.copyCrc, 16) ||
        fields[4].size() != 8) {
        return Status::Fail("its length or checksum is not a number");
    }
    return note;
}

}  // namespace pixmill
