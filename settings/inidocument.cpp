// IniDocument: parsing, lookup, editing and serialising of profile-style INI text.
#include "settings/inidocument.h"

#include "settings/errors.h"

#include <limits>

namespace settings {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = LowerAscii(c);
    return out;
}

std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A value reads back as written unless trimming or quote stripping would change it.
bool NeedsQuotes(std::string_view v) {
    if (v.empty()) return false;
    if (IsBlank(v.front()) || IsBlank(v.back())) return true;
    return v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::int32_t ParseInteger(std::string_view text, std::int32_t fallback) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::string_view s = text.substr(i);
    if (s.empty()) return fallback;

    std::size_t hexStart = 0;
    if (s[0] == '$' || s[0] == 'x' || s[0] == 'X') {
        hexStart = 1;
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hexStart = 2;
    }
    if (hexStart != 0) {
        std::string_view digits = s.substr(hexStart);
        if (digits.empty()) return fallback;
        std::uint32_t value = 0;
        int significant = 0;
        for (char c : digits) {
            int d = HexDigit(c);
            if (d < 0) return fallback;
            if (significant == 0 && d == 0) continue;  // leading zeros are not counted
            if (++significant > 8) return fallback;
            value = (value << 4) | static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(value);  // above 7FFFFFFF wraps to negative
    }

    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return fallback;
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return fallback;
        value = value * 10 + (c - '0');
        if (value > limit) return fallback;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

IniDocument::IniDocument() = default;
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.bom_ = true;
        bytes.remove_prefix(3);
    }
    bool styleSet = false;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        Line line;
        std::string_view text;
        if (nl == std::string_view::npos) {
            text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            text = bytes.substr(pos, nl - pos);
            pos = nl + 1;
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.eol = "\r\n";
            } else {
                line.eol = "\n";
            }
            if (!styleSet) {
                doc.style_ = line.eol;
                styleSet = true;
            }
        }
        line.text.assign(text);

        std::string_view trimmed = Trim(text);
        if (!trimmed.empty() && trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            if (close != std::string_view::npos) {
                auto section = std::make_unique<Section>();
                section->header = std::move(line);
                std::string key = Lower(Trim(trimmed.substr(1, close - 1)));
                doc.sectionIndex_.try_emplace(std::move(key), doc.sections_.size());
                doc.sections_.push_back(std::move(section));
                current = doc.sections_.back().get();
                continue;
            }
        }
        if (current) {
            doc.Classify(line, current);
            current->body.push_back(std::move(line));
        } else {
            doc.preamble_.push_back(std::move(line));
        }
    }
    return doc;
}

// Marks `line` as a key line when it has one, and indexes it in `owner` (first one wins).
void IniDocument::Classify(Line& line, Section* owner) {
    const std::string& t = line.text;
    std::size_t b = 0;
    while (b < t.size() && IsBlank(t[b]))
        ++b;
    if (b == t.size() || t[b] == ';') return;
    std::size_t eq = t.find('=', b);
    if (eq == std::string::npos) return;
    std::size_t e = eq;
    while (e > b && IsBlank(t[e - 1]))
        --e;
    if (e == b) return;  // "=value" names no key
    line.isKey = true;
    line.keyBegin = b;
    line.keyEnd = e;
    line.valueBegin = eq + 1;
    owner->keys.try_emplace(Lower(std::string_view(t).substr(b, e - b)), owner->body.size());
}

std::string_view IniDocument::KeyOf(const Line& line) {
    return std::string_view(line.text).substr(line.keyBegin, line.keyEnd - line.keyBegin);
}

std::string_view IniDocument::RawValueOf(const Line& line) {
    std::string_view v = Trim(std::string_view(line.text).substr(line.valueBegin));
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'')) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
    auto it = sectionIndex_.find(Lower(section));
    return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
    return const_cast<IniDocument*>(this)->FindSection(section);
}

const IniDocument::Line* IniDocument::FindLine(std::string_view section,
                                               std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    auto it = s->keys.find(Lower(key));
    return it == s->keys.end() ? nullptr : &s->body[it->second];
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key) const {
    const Line* line = FindLine(section, key);
    if (!line) return {};
    std::string_view v = RawValueOf(*line);
    return std::string(v.substr(0, kMaxValueBytes));
}

std::int32_t IniDocument::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t fallback) const {
    return ParseInteger(ReadString(section, key), fallback);
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
    return FindLine(section, key) != nullptr;
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view key, std::string_view value) const {
    Line line;
    line.text.reserve(key.size() + value.size() + 3);
    line.text.append(key).push_back('=');
    line.valueBegin = line.text.size();
    if (NeedsQuotes(value)) {
        line.text.append("\"").append(value).append("\"");
    } else {
        line.text.append(value);
    }
    line.eol = style_;
    line.isKey = true;
    line.keyBegin = 0;
    line.keyEnd = key.size();
    return line;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
        throw UnstorableValue("line break or NUL in a settings value");
    }
    if (section.empty() || Trim(section) != section || section.find(']') != section.npos) {
        throw UnstorableValue("section name cannot be stored");
    }
    if (key.empty() || Trim(key) != key || key.find('=') != key.npos || key.front() == '[' ||
        key.front() == ';') {
        throw UnstorableValue("key name cannot be stored");
    }
    if (value.size() > kMaxValueBytes) throw UnstorableValue("value too long to read back");

    Section* s = FindSection(section);
    if (!s) {
        // The line that is last now gets a line end before the new section follows it.
        Line* last = nullptr;
        if (!sections_.empty()) {
            Section& tail = *sections_.back();
            last = tail.body.empty() ? &tail.header : &tail.body.back();
        } else if (!preamble_.empty()) {
            last = &preamble_.back();
        }
        if (last && last->eol.empty()) last->eol = style_;
        auto fresh = std::make_unique<Section>();
        fresh->header.text = "[" + std::string(section) + "]";
        fresh->header.eol = style_;
        sectionIndex_.try_emplace(Lower(section), sections_.size());
        sections_.push_back(std::move(fresh));
        s = sections_.back().get();
    }

    auto it = s->keys.find(Lower(key));
    if (it != s->keys.end()) {
        Line& line = s->body[it->second];
        Line replaced = MakeKeyLine(key, value);
        replaced.eol = line.eol;
        line = std::move(replaced);
    } else {
        std::size_t at = s->body.size();
        while (at > 0 && Trim(s->body[at - 1].text).empty())
            --at;
        Line& before = at == 0 ? s->header : s->body[at - 1];
        if (before.eol.empty()) before.eol = style_;
        // Only blank lines follow `at`, and blank lines are not indexed: no index shifts.
        s->body.insert(s->body.begin() + static_cast<std::ptrdiff_t>(at), MakeKeyLine(key, value));
        s->keys.emplace(Lower(key), at);
    }
    modified_ = true;
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

std::string IniDocument::Serialize() const {
    std::size_t size = bom_ ? 3 : 0;
    auto measure = [&size](const Line& l) { size += l.text.size() + l.eol.size(); };
    for (const Line& l : preamble_)
        measure(l);
    for (const auto& s : sections_) {
        measure(s->header);
        for (const Line& l : s->body)
            measure(l);
    }
    std::string out;
    out.reserve(size);
    if (bom_) out.append("\xEF\xBB\xBF");
    auto emit = [&out](const Line& l) { out.append(l.text).append(l.eol); };
    for (const Line& l : preamble_)
        emit(l);
    for (const auto& s : sections_) {
        emit(s->header);
        for (const Line& l : s->body)
            emit(l);
    }
    return out;
}

}  // namespace settings
