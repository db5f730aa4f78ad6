// TSingleInstance: one running copy per executable file name and user. The guard is a local
// socket named after the lower-cased file name; a second copy connects to it and asks the first
// to bring its bar forward.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

namespace app {

class TSingleInstance : public QObject {
  public:
    enum class Claim {
        First,   // this copy runs: it holds the guard
        Second,  // another copy runs and was asked to bring its bar forward
        Failed,  // the guard could not be made
    };

    explicit TSingleInstance(const QString& exeFileName, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // Connects to a running copy or, when none answers, takes the guard (adopting one that a
    // copy which ended abnormally left behind). Copies starting at the same instant are
    // serialised by a lock, so exactly one of them gets First.
    Claim Acquire();

    // Stops listening and removes the guard.
    void Release();

    // Called when another copy asks for the bar.
    std::function<void()> OnBringForward;

    // The guard's socket path for `exeFileName`, creating its private folder when
    // XDG_RUNTIME_DIR is not set. Empty, with `error` set, when no safe folder can be had.
    static QString GuardPath(const QString& exeFileName, QString* error = nullptr);

    // The request a second copy sends.
    static constexpr char kBringForward[] = "raise\n";

  private:
    void Accept();
    void Serve(int client);

    QString exeFileName_;
    QString path_;
    int listener_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    int clients_ = 0;
};

// The title a window has before the program sets its own: the executable's file name cut at
// its first ".", every character after the first in lower case.
QString DefaultTitle(const QString& exeFileName);

}  // namespace app
