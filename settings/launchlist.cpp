// The launch entry list: load, append, remove, and entry naming.
#include "settings/launchlist.h"

#include "settings/errors.h"

#include <algorithm>
#include <climits>

namespace settings {
namespace {

// n for a key spelled "BTN<n>" (any case, n decimal without leading zeros), else 0.
int NumberOfKey(std::string_view key) {
    if (key.size() < 4 || key.size() > 13 || !EqualsIgnoreCase(key.substr(0, 3), "BTN")) return 0;
    std::string_view digits = key.substr(3);
    if (digits.front() == '0') return 0;
    long long n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
        if (n > INT_MAX) return 0;
    }
    return static_cast<int>(n);
}

}  // namespace

std::string EntryKey(int n) { return "BTN" + std::to_string(n); }

std::string EntryName(std::string_view path, bool isFile) {
    // '/' is a single byte that never occurs inside a multibyte UTF-8 character, so the cut
    // below can never split one.
    std::size_t slash = path.rfind('/');
    std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (isFile) return std::string(last);
    std::string_view shown = last.empty() ? path : last;
    return "[" + std::string(shown) + "]";
}

LoadedList LoadEntries(const IniDocument& doc, int limit) {
    LoadedList list;
    list.count = doc.ReadInteger(kButtonSection, kCountKey);
    int listed = std::clamp(list.count, 0, std::max(limit, 0));
    list.entries.reserve(static_cast<std::size_t>(listed));
    for (int n = 1; n <= listed; ++n) {
        LaunchEntry e;
        e.number = n;
        e.key = EntryKey(n);
        e.target = doc.ReadString(kTargetSection, e.key);
        e.name = doc.ReadString(kNameSection, e.key);
        list.entries.push_back(std::move(e));
    }
    return list;
}

LoadedList LaunchList::Load(int limit) const { return LoadEntries(store_.Read(), limit); }

LaunchList::Appended LaunchList::Append(std::string_view path, bool isFile) {
    Appended result;
    store_.Update([&](IniDocument& doc) {
        int count = std::max(doc.ReadInteger(kButtonSection, kCountKey), 0);
        if (count == INT_MAX) throw UnstorableValue("the list cannot grow");
        int n = count + 1;
        std::string key = EntryKey(n);
        std::string name = EntryName(path, isFile);
        doc.WriteInteger(kButtonSection, kCountKey, n);
        doc.WriteString(kTargetSection, key, path);
        doc.WriteString(kNameSection, key, name);
        result.number = n;
        result.name = std::move(name);
    });
    return result;
}

void LaunchList::Remove(int k) {
    store_.Update([&](IniDocument& doc) {
        const int count = doc.ReadInteger(kButtonSection, kCountKey);
        if (k < 1 || k > count) return;
        int highest = 0;
        auto note = [&highest](std::string_view key) {
            highest = std::max(highest, NumberOfKey(key));
        };
        doc.ForEachKey(kTargetSection, note);
        doc.ForEachKey(kNameSection, note);
        // Past `highest` every read is empty and every write would only add empty keys.
        const int last = std::min(count, std::max(highest, k));
        for (int j = k; j <= last; ++j) {
            std::string key = EntryKey(j);
            std::string above = j == INT_MAX ? std::string() : EntryKey(j + 1);
            std::string target = above.empty() ? "" : doc.ReadString(kTargetSection, above);
            doc.WriteString(kTargetSection, key, target);
            std::string name = above.empty() ? "" : doc.ReadString(kNameSection, above);
            doc.WriteString(kNameSection, key, name);
        }
        doc.WriteInteger(kButtonSection, kCountKey, count - 1);
    });
}

std::string LaunchList::TargetOf(std::string_view key) const {
    return store_.Read().ReadString(kTargetSection, key);
}

}  // namespace settings
