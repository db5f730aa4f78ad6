// TSingleInstance: the local-socket guard.
#include "app/singleinstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>

namespace app {
namespace {

constexpr int kMaxClients = 8;
constexpr int kClientTimeoutMs = 2000;
constexpr qsizetype kMaxRequest = 64;
constexpr qsizetype kMaxSocketPath = 100;  // sockaddr_un holds 108 bytes with its terminator

// A folder only this user can enter, or empty.
QString PrivateFolder(const QString& path, QString* error) {
    const QByteArray p = QFile::encodeName(path);
    ::mkdir(p.constData(), 0700);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0) {
        if (error) *error = QStringLiteral("unsafe guard folder %1").arg(path);
        return {};
    }
    return path;
}

bool Address(const QString& path, sockaddr_un& addr) {
    const QByteArray p = QFile::encodeName(path);
    if (p.size() >= static_cast<qsizetype>(sizeof addr.sun_path)) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, p.constData(), static_cast<std::size_t>(p.size()));
    return true;
}

quint64 Fnv1a(const QByteArray& bytes) {
    quint64 h = 1469598103934665603ull;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

QString DefaultTitle(const QString& exeFileName) {
    QString stem = exeFileName.section(QLatin1Char('.'), 0, 0);
    return stem.left(1) + stem.mid(1).toLower();
}

TSingleInstance::TSingleInstance(const QString& exeFileName, QObject* parent)
    : QObject(parent), exeFileName_(exeFileName) {}

TSingleInstance::~TSingleInstance() { Release(); }

QString TSingleInstance::GuardPath(const QString& exeFileName, QString* error) {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        folder =
            PrivateFolder(QDir::tempPath() + QStringLiteral("/hopscoot-%1").arg(::getuid()), error);
        if (folder.isEmpty()) return {};
    }
    const QString name = exeFileName.toLower();
    QString path = folder + QStringLiteral("/hopscoot-guard-%1-%2").arg(::getuid()).arg(name);
    if (QFile::encodeName(path).size() > kMaxSocketPath) {
        // Long names would not fit a socket address: a stable digest stands in for them.
        path = folder + QStringLiteral("/hopscoot-guard-%1-%2")
                            .arg(::getuid())
                            .arg(Fnv1a(name.toUtf8()), 16, 16, QLatin1Char('0'));
    }
    if (QFile::encodeName(path).size() > kMaxSocketPath) {
        if (error) *error = QStringLiteral("guard folder path too long");
        return {};
    }
    return path;
}

TSingleInstance::Claim TSingleInstance::Acquire() {
    path_ = GuardPath(exeFileName_);
    if (path_.isEmpty()) return Claim::Failed;

    // Start-ups of copies of the same name take turns from here until one listens.
    const QByteArray lockPath = QFile::encodeName(path_ + QStringLiteral(".lock"));
    const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) return Claim::Failed;
    while (::flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct Unlock {
        int fd;
        ~Unlock() { ::close(fd); }
    } unlock{lock};

    sockaddr_un addr{};
    if (!Address(path_, addr)) return Claim::Failed;
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return Claim::Failed;
    if (::connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        (void)!::send(probe, kBringForward, std::strlen(kBringForward), MSG_NOSIGNAL);
        ::close(probe);
        return Claim::Second;
    }
    const int err = errno;
    ::close(probe);
    if (err == ECONNREFUSED) {
        ::unlink(addr.sun_path);  // left behind by a copy that did not end normally
    } else if (err != ENOENT) {
        return Claim::Failed;
    }

    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0) return Claim::Failed;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener_, kMaxClients) != 0) {
        ::close(listener_);
        listener_ = -1;
        return Claim::Failed;
    }
    notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSingleInstance::Accept);
    return Claim::First;
}

void TSingleInstance::Accept() {
    for (;;) {
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) return;  // EAGAIN: nothing more waiting
        if (clients_ >= kMaxClients) {
            ::close(client);
            continue;
        }
        Serve(client);
    }
}

// Reads at most kMaxRequest bytes, without ever blocking; a client that says nothing is dropped
// after kClientTimeoutMs.
void TSingleInstance::Serve(int client) {
    ++clients_;
    auto* reader = new QSocketNotifier(client, QSocketNotifier::Read, this);
    auto seen = std::make_shared<QByteArray>();
    auto done = [this, reader, client] {
        if (!reader->isEnabled()) return;
        reader->setEnabled(false);
        ::close(client);
        --clients_;
        reader->deleteLater();
    };
    QTimer::singleShot(kClientTimeoutMs, reader, done);
    connect(reader, &QSocketNotifier::activated, this, [this, client, seen, done] {
        char buf[kMaxRequest];
        const ssize_t n =
            ::recv(client, buf, static_cast<std::size_t>(kMaxRequest - seen->size()), 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (n > 0) seen->append(buf, n);
        if (*seen == kBringForward) {
            if (OnBringForward) OnBringForward();
            done();
        } else if (n <= 0 || seen->size() >= kMaxRequest ||
                   !QByteArray(kBringForward).startsWith(*seen)) {
            done();  // anything else is ignored
        }
    });
}

void TSingleInstance::Release() {
    if (listener_ < 0) return;
    delete notifier_;
    notifier_ = nullptr;
    ::close(listener_);
    listener_ = -1;
    ::unlink(QFile::encodeName(path_).constData());
}

}  // namespace app
