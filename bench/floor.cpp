// The toolkit's floor: a minimal frameless Qt Widgets window of the bar's size. With --probe it
// reports its first paint and ends; without, it stays up (for memory and idle figures).
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(101, 53);
    if (argc > 1 && std::strcmp(argv[1], "--probe") == 0) {
        window.installEventFilter(new TFirstPaintProbe(&window));
    }
    window.show();
    return QApplication::exec();
}
