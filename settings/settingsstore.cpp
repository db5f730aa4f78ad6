// SettingsStore: locked, atomic, durable replacement of the settings file.
#include "settings/settingsstore.h"

#include "settings/errors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace settings {
namespace {

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Reads the whole file. Returns false with errno set when it cannot be opened or read.
bool ReadAll(const std::string& path, std::string& out) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    out.clear();
    out.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        out.append(buf, static_cast<std::size_t>(n));
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t CurrentUmask() {
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Temporary files a writer killed mid-write left behind. Only called under the folder lock, so
// no live writer owns any of them.
void SweepStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* e = ::readdir(dir)) {
        if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) == 0) {
            ::unlinkat(::dirfd(dir), e->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace

WriteError::WriteError(const std::string& path) : Error(path + " に書き込めません") {}

CreateError CreateError::FromErrno(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL:
            return CreateError(3, "不正なファイル名です");
        case EMFILE:
        case ENFILE:
            return CreateError(4, "オープンしたファイルが多すぎます");
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return CreateError(5, "ファイルへのアクセスが拒否されました");
        default:
            return CreateError(err, "I/O エラー (" + std::to_string(err) + ")");
    }
}

std::string SettingsPath() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string exe = n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    std::size_t slash = exe.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
    return folder + kSettingsFileName;
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

void SettingsStore::EnsureExists() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return;
    // O_EXCL: a file another copy created meanwhile is kept, never truncated.
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    int err = errno;
    if (err == EEXIST) {
        if (::stat(path_.c_str(), &st) == 0) {
            if (S_ISREG(st.st_mode)) return;
            throw CreateError::FromErrno(EISDIR);
        }
        // A link that points nowhere: the file it names is not there.
        throw CreateError(2, "ファイルが見つかりません");
    }
    throw CreateError::FromErrno(err);
}

IniDocument SettingsStore::Read() const {
    std::string bytes;
    if (!ReadAll(path_, bytes)) return IniDocument();
    return IniDocument::Parse(bytes);
}

void SettingsStore::Update(const std::function<void(IniDocument&)>& change) {
    // Write through a link to the file it names, so the link survives the rename.
    std::string target = path_;
    struct stat lst {};
    if (::lstat(path_.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        char* real = ::realpath(path_.c_str(), nullptr);
        if (!real) throw WriteError(path_);
        target = real;
        std::free(real);
    }
    const std::string folder = FolderOf(target);

    Fd lock(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (lock.get() < 0) throw WriteError(path_);
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) throw WriteError(path_);
    }

    std::string before;
    bool existed = ReadAll(target, before);
    if (!existed && errno != ENOENT) throw WriteError(path_);

    IniDocument doc = IniDocument::Parse(before);
    try {
        change(doc);
    } catch (const UnstorableValue&) {
        throw WriteError(path_);
    }
    const std::string after = doc.Serialize();
    if (after == before && existed) return;

    struct stat st {};
    if (existed) {
        if (::stat(target.c_str(), &st) != 0 || ::access(target.c_str(), W_OK) != 0) {
            throw WriteError(path_);  // a read-only file stays read-only
        }
    }

    const std::string prefix = "." + NameOf(target) + ".tmp-";
    SweepStaleTemporaries(folder, prefix);
    std::string temp = folder + "/" + prefix + "XXXXXX";
    Fd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.get() < 0) throw WriteError(path_);

    bool ok = true;
    if (existed) {
        ok = ::fchmod(out.get(), st.st_mode & 07777) == 0;
        if (ok && ::geteuid() == 0) (void)!::fchown(out.get(), st.st_uid, st.st_gid);
    } else {
        ok = ::fchmod(out.get(), 0666 & ~CurrentUmask()) == 0;
    }
    ok = ok && WriteAll(out.get(), after) && ::fsync(out.get()) == 0;
    ok = ::close(out.release()) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        throw WriteError(path_);
    }
    ::fsync(lock.get());  // make the rename itself durable
}

void PositionSave(SettingsStore& store, int top, int left) {
    store.Update([&](IniDocument& doc) {
        doc.WriteInteger("POSITION", "top", top);
        doc.WriteInteger("POSITION", "left", left);
    });
}

}  // namespace settings
