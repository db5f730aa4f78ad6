// The launch entry list kept in the settings file: sections BUTTON (count), OnClick (targets)
// and Button_Name (names), keyed BTN1, BTN2, ...
#pragma once

#include "settings/inidocument.h"
#include "settings/settingsstore.h"

#include <string>
#include <string_view>
#include <vector>

namespace settings {

inline constexpr const char* kButtonSection = "BUTTON";
inline constexpr const char* kCountKey = "count";
inline constexpr const char* kTargetSection = "OnClick";
inline constexpr const char* kNameSection = "Button_Name";

// A registered file or folder: number n from 1, key "BTN<n>", target path and display name.
struct LaunchEntry {
    int number = 0;
    std::string key;
    std::string target;
    std::string name;
};

// "BTN" followed by n in decimal.
std::string EntryKey(int n);

// The name an entry gets from its path. The last component is the text after the last '/'.
// A file is named by its last component; a folder by "[" + last component + "]", or by
// "[" + the whole path + "]" when the last component is empty ("/" -> "[/]").
std::string EntryName(std::string_view path, bool isFile);

// What a load found: the stored count (may be negative or far above what is listed) and the
// entries 1 .. min(count, limit) in ascending order.
struct LoadedList {
    int count = 0;
    std::vector<LaunchEntry> entries;
};

// Reads the list from an already-read document; at most `limit` entries are listed.
LoadedList LoadEntries(const IniDocument& doc, int limit);

class LaunchList {
  public:
    explicit LaunchList(SettingsStore& store) : store_(store) {}

    // One read of the file: count and entries 1 .. min(count, limit).
    LoadedList Load(int limit) const;

    struct Appended {
        int number = 0;
        std::string name;
    };

    // Appends an entry as one transaction: count := count + 1 (a count below 0 counts as 0),
    // its target and its name. Throws WriteError (the file unchanged) when the write is refused
    // or the path cannot be stored (a line break or NUL in it, or longer than the file can read
    // back).
    Appended Append(std::string_view path, bool isFile);

    // Removes entry k as one transaction: entries k+1 .. count move down by one, the last key
    // keeps two empty values, count := count - 1. Shifting stops past the highest BTN<n> key of
    // either section, so an absurd count costs no more than the keys that exist. A k outside
    // 1 .. count changes nothing. Throws WriteError (the file unchanged) when refused.
    void Remove(int k);

    // The OnClick value of `key` read afresh from the file; empty when missing.
    std::string TargetOf(std::string_view key) const;

  private:
    SettingsStore& store_;
};

}  // namespace settings
