#include "storage/ini_document.h"

#include <algorithm>

namespace tq370 {
namespace {

std::string_view trim(std::string_view s) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool isComment(std::string_view line) {
    line = trim(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The section a header line opens, if it is one.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, if it is one.
std::optional<std::string_view> keyOf(std::string_view line) {
    if (isComment(line) || sectionOf(line)) return std::nullopt;
    auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return trim(line.substr(0, equals));
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    bool crlfSeen = false;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            crlfSeen = true;
        }
        doc.lines_.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    if (crlfSeen) doc.lineEnd_ = "\r\n";
    return doc;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    // Names are read back trimmed, so they are looked up trimmed.
    section = trim(section);
    key = trim(key);
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (auto name = sectionOf(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        auto lineKey = keyOf(line);
        if (!inSection || !lineKey || !sameName(*lineKey, key)) continue;
        std::string_view v = trim(std::string_view(line).substr(line.find('=') + 1));
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
            v = v.substr(1, v.size() - 2);
        }
        return std::string(v);
    }
    return std::nullopt;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    std::string entry = std::string(key) + "=" + std::string(value);
    std::optional<std::size_t> insertAt;  // after the section's header or its last key
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = sectionOf(lines_[i])) {
            if (insertAt) break;  // only the first matching section is used
            inSection = sameName(*name, section);
            if (inSection) insertAt = i + 1;
            continue;
        }
        auto lineKey = keyOf(lines_[i]);
        if (!inSection || !lineKey) continue;
        if (sameName(*lineKey, key)) {
            lines_[i] = entry;
            return;
        }
        insertAt = i + 1;
    }
    if (insertAt) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
        return;
    }
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(entry);
}

bool IniDocument::isStorable(std::string_view section, std::string_view key,
                             std::string_view value) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) return false;
    if (section.find(']') != std::string_view::npos) return false;
    if (trim(key).empty() || key.find('=') != std::string_view::npos) return false;
    // The whole line must read back as this key: "[a" with the value "]" would open a section.
    const std::string entry = std::string(key) + "=" + std::string(value);
    return !isComment(entry) && !sectionOf(entry);
}

std::string IniDocument::text() const {
    std::string out;
    for (const std::string& line : lines_) out += line + lineEnd_;
    return out;
}

}  // namespace tq370
