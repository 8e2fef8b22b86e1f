#pragma once

#include <QPointer>
#include <functional>

// The pages of the navigation: each module registers what opens its page
// (a list window shown in the main window's work area). A page with nothing
// registered is shown disabled.
using TPageOpener = std::function<void()>;

void RegisterPage(int page, TPageOpener opener);
bool PageAvailable(int page);
// Opens the page; false when no module serves it.
bool OpenPage(int page);
void ClearPages();

// A window created on first use and kept for the rest of the run. Module
// windows are reached through this, so start-up creates none of them.
template <class W>
W* KeptWindow(const std::function<W*()>& make)
{
    static QPointer<W> window;
    if (!window)
        window = make();
    return window;
}
