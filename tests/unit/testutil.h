// Helpers shared by the settings tests: temporary folders, whole-file I/O, child processes.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace testutil {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "hopscoot-test-XXXXXX").string();
        char* made = ::mkdtemp(tmpl.data());
        if (!made) std::abort();
        path_ = made;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string Fixture(const std::string& name) {
    return ReadFile(std::string(HOPSCOOT_FIXTURES) + "/" + name);
}

// Runs `body` in a forked child and returns its exit code (-signal when killed). Lets a test
// change process-wide state (user id, resource limits) without touching the test runner.
inline int RunInChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
            code = 98;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// In a child: stop being root (root ignores file permissions). Returns false on failure.
inline bool DropRoot() {
    if (::geteuid() != 0) return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

}  // namespace testutil
