// The real program with a probe on the bar's first paint.
#include "app/run.h"
#include "firstpaint.h"

#include <QWidget>

int main(int argc, char** argv) {
    return app::Run(argc, argv,
                    [](QWidget& bar) { bar.installEventFilter(new TFirstPaintProbe(&bar)); });
}
