// libFuzzer target: parse any bytes, read, write a value, read it back.
#include "settings/errors.h"
#include "settings/inidocument.h"
#include "settings/launchlist.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Picks a name: one the program uses, or a few bytes of the input itself.
std::string_view Name(std::string_view& in, std::string_view fixed) {
    if (in.empty()) return fixed;
    unsigned char pick = static_cast<unsigned char>(in.front());
    in.remove_prefix(1);
    if (pick % 2 == 0) return fixed;
    std::size_t n = std::min<std::size_t>(pick % 9, in.size());
    std::string_view name = in.substr(0, n);
    in.remove_prefix(n);
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    auto doc = settings::IniDocument::Parse(input);
    if (doc.Serialize() != input) std::abort();  // untouched documents keep their bytes

    (void)settings::LoadEntries(doc, 50);
    (void)doc.ReadInteger("BUTTON", "count");

    std::string_view rest = input.substr(0, 96);
    std::string section(Name(rest, "OnClick"));
    std::string key(Name(rest, "BTN1"));
    std::string value(rest);
    std::string before = doc.ReadString(section, key);
    try {
        doc.WriteString(section, key, value);
    } catch (const settings::UnstorableValue&) {
        if (doc.Modified() || doc.Serialize() != input) std::abort();  // a refusal changes nothing
        return 0;
    }
    auto back = settings::IniDocument::Parse(doc.Serialize());
    if (back.ReadString(section, key) != value) std::abort();
    if (back.Serialize() != doc.Serialize()) std::abort();
    (void)before;
    return 0;
}
