// SettingsStore: the settings file on disk. Reads see a complete state; every change is one
// locked, durable, atomic replacement of the whole file.
#pragma once

#include "settings/inidocument.h"

#include <functional>
#include <string>

namespace settings {

// The settings file's name, beside the executable.
inline constexpr const char* kSettingsFileName = "Hopscoot.ini";

// The folder of the running executable (from /proc/self/exe) with its trailing '/', followed by
// kSettingsFileName. Worked out anew at each call.
std::string SettingsPath();

class SettingsStore {
  public:
    explicit SettingsStore(std::string path);

    const std::string& Path() const { return path_; }

    // Creates an empty file when no regular file is at Path() (a folder of that name counts as
    // none). Throws CreateError with the text for the cause.
    void EnsureExists() const;

    // Reads and parses the file as it is now. A missing or unreadable file reads as empty.
    IniDocument Read() const;

    // One transaction: under an exclusive lock shared by every copy of the program that uses
    // this folder, reads the file, lets `change` edit it, and, if the bytes differ, replaces the
    // file atomically (temporary file in the same folder, fsync, rename, folder fsync; permission
    // bits kept). Either all of the change lands or none of it. Throws WriteError when the file
    // or folder refuses the write, or when `change` tries to store a value the file cannot hold.
    // Exceptions of other kinds thrown by `change` pass through and nothing is written.
    void Update(const std::function<void(IniDocument&)>& change);

  private:
    std::string path_;
};

// Writes the bar's top, then its left, to POSITION (one transaction).
void PositionSave(SettingsStore& store, int top, int left);

}  // namespace settings
