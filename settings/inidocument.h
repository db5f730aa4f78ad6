// IniDocument: an INI file held in memory, read and edited with the profile-file rules, and
// written back byte for byte where nothing changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace settings {

// The longest value a read returns, in bytes; longer values are cut.
inline constexpr std::size_t kMaxValueBytes = 2047;

// Parses an integer the way the profile reader does: leading spaces skipped; then an optional
// sign and decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X" (no sign, at
// most 8 significant digits, values above 7FFFFFFF wrap to negative). The text must end right
// after the digits. Anything else, or a decimal outside the 32-bit range, returns `fallback`.
std::int32_t ParseInteger(std::string_view text, std::int32_t fallback = 0);

// True when `a` and `b` are equal ignoring ASCII case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

class IniDocument {
  public:
    IniDocument();
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Parses any bytes; never fails. Linear in the size of the input. Lines that are neither a
    // section header nor a key line (comments, garbage) are kept as they are.
    static IniDocument Parse(std::string_view bytes);

    // The value of `key` in `section` (names match ignoring ASCII case, first occurrence wins):
    // blanks around it dropped, one pair of enclosing quotes dropped, cut to kMaxValueBytes.
    // Missing section or key: the empty string.
    std::string ReadString(std::string_view section, std::string_view key) const;

    // ReadString parsed with ParseInteger; `fallback` (0 by default) when missing or malformed.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback = 0) const;

    // True when the section holds the key (with any value, empty included).
    bool HasKey(std::string_view section, std::string_view key) const;

    // Sets `key` in `section`: an existing key is replaced where it stands, a new key goes after
    // the last non-blank line of its section, a new section goes to the end of the document.
    // Values that would read back differently are quoted so that ReadString returns them exactly.
    // Throws UnstorableValue, changing nothing, for CR, LF or NUL in any of the three texts, for
    // names the reader could not find again, or a value longer than kMaxValueBytes.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the decimal form of `value`.
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

    // Calls `visit` with the name of every key line of the section (first occurrence of the
    // section), as written in the file, blanks trimmed.
    template <typename Visit>
    void ForEachKey(std::string_view section, Visit&& visit) const;

    // The file's bytes. Unchanged lines keep their exact bytes and line ends; new lines use the
    // file's line-end style (that of its first line; LF for a new file).
    std::string Serialize() const;

    // True once any write changed the document.
    bool Modified() const { return modified_; }

  private:
    struct Line {
        std::string text;  // without its line end
        std::string eol;   // "\n", "\r\n", or "" for a last line with no line end
        std::size_t keyBegin = 0, keyEnd = 0;  // trimmed key within text (key lines only)
        std::size_t valueBegin = 0;            // first byte after '=' (key lines only)
        bool isKey = false;
    };
    struct Section {
        Line header;
        std::vector<Line> body;
        std::unordered_map<std::string, std::size_t> keys;  // lower-cased key -> body index
    };

    Section* FindSection(std::string_view section);
    const Section* FindSection(std::string_view section) const;
    const Line* FindLine(std::string_view section, std::string_view key) const;
    static std::string_view KeyOf(const Line& line);
    static std::string_view RawValueOf(const Line& line);
    void Classify(Line& line, Section* owner);
    Line MakeKeyLine(std::string_view key, std::string_view value) const;

    bool bom_ = false;
    std::string style_ = "\n";
    std::vector<Line> preamble_;  // lines before the first section header
    std::vector<std::unique_ptr<Section>> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-cased name -> first
    bool modified_ = false;
};

template <typename Visit>
void IniDocument::ForEachKey(std::string_view section, Visit&& visit) const {
    const Section* s = FindSection(section);
    if (!s) return;
    for (const Line& line : s->body) {
        if (line.isKey) visit(KeyOf(line));
    }
}

}  // namespace settings
