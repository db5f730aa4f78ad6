// TX11WindowHints: the X11-only window properties Qt has no flag for. Kept here so that the rest
// of the program stays free of xcb.
#pragma once

class QWidget;

namespace shell {

class TX11WindowHints {
  public:
    // Keeps `window` out of taskbars and pagers (_NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER).
    // Call it before every show: window managers drop the state when a window is withdrawn,
    // and Qt keeps foreign states it finds on an unmapped window. Does nothing off X11.
    static void SkipTaskbarAndPager(QWidget* window);
};

}  // namespace shell
