// The INI reader on any text: a text with one kind of line end, ending in one, comes back
// byte for byte; reading its own output changes nothing; and setting one storable key
// changes one line, or inserts one, or appends its section at the end, and afterwards the
// key reads back as set (trimmed, one pair of quotes removed).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/ini_document.h"

namespace {

using tq370::IniDocument;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

bool uniformLineEnds(const std::string& text) {
    if (text.empty()) return true;
    if (text.back() != '\n') return false;
    const bool crlf = text.size() >= 2 && text[text.size() - 2] == '\r';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lineEnd = text[i] == '\n';
        const bool carriage = text[i] == '\r';
        if (carriage && !(crlf && i + 1 < text.size() && text[i + 1] == '\n')) return false;
        if (lineEnd && crlf && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

std::string expectedValue(std::string_view value) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!value.empty() && space(value.front())) value.remove_prefix(1);
    while (!value.empty() && space(value.back())) value.remove_suffix(1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// Whether after differs from before by one changed line, one inserted line, or lines
// appended at the end.
bool oneKeyChanged(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::size_t same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same]) ++same;
    if (same == before.size())
        return after.size() > before.size() && after.size() <= before.size() + 3;
    auto tailEquals = [&](std::size_t b, std::size_t a) {
        return before.size() - b == after.size() - a &&
               std::equal(before.begin() + static_cast<std::ptrdiff_t>(b), before.end(),
                          after.begin() + static_cast<std::ptrdiff_t>(a));
    };
    return tailEquals(same + 1, same + 1) || tailEquals(same, same + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(32);
    const std::string text = input.ConsumeRemainingBytesAsString();

    IniDocument doc = IniDocument::parse(text);
    const std::string written = doc.text();
    if (uniformLineEnds(text) && written != text) std::abort();
    if (IniDocument::parse(written).text() != written) std::abort();

    if (!IniDocument::isStorable(section, key, value)) return 0;
    doc.setValue(section, key, value);
    if (doc.value(section, key) != expectedValue(value)) std::abort();
    const std::string changed = doc.text();
    if (!oneKeyChanged(linesOf(written), linesOf(changed))) std::abort();
    if (IniDocument::parse(changed).value(section, key) != expectedValue(value)) std::abort();
    return 0;
}
