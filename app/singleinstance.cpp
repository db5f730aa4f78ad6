// TSingleInstance: the local-socket guard.
#include "app/singleinstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

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

    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(2000)) {
        probe.write(kBringForward);
        probe.waitForBytesWritten(1000);
        probe.disconnectFromServer();
        return Claim::Second;
    }
    if (probe.error() == QLocalSocket::ConnectionRefusedError) {
        QLocalServer::removeServer(path_);  // left behind by a copy that did not end normally
    } else if (probe.error() != QLocalSocket::ServerNotFoundError) {
        return Claim::Failed;
    }

    server_ = new QLocalServer(this);
    if (!server_->listen(path_)) {
        delete server_;
        server_ = nullptr;
        return Claim::Failed;
    }
    connect(server_, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
    return Claim::First;
}

void TSingleInstance::Accept() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        if (clients_ >= kMaxClients) {
            client->abort();
            client->deleteLater();
            continue;
        }
        ++clients_;
        connect(client, &QObject::destroyed, this, [this] { --clients_; });
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        // A client that connects and says nothing is dropped, never waited for.
        QTimer::singleShot(kClientTimeoutMs, client, [client] {
            client->abort();
            client->deleteLater();
        });
        connect(client, &QLocalSocket::readyRead, client, [this, client] {
            QByteArray seen = client->property("seen").toByteArray();
            seen += client->read(kMaxRequest - seen.size());
            client->setProperty("seen", seen);
            if (seen == kBringForward) {
                if (OnBringForward) OnBringForward();
                client->disconnectFromServer();
            } else if (seen.size() >= kMaxRequest || !QByteArray(kBringForward).startsWith(seen)) {
                client->abort();  // anything else is ignored
            }
        });
    }
}

void TSingleInstance::Release() {
    if (!server_) return;
    server_->close();  // also removes the socket file
    delete server_;
    server_ = nullptr;
}

}  // namespace app
