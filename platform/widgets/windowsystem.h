// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Study centres its window, moves it back onto the screen and keeps it above
// the others; a Wayland client can do none of these (the compositor places
// windows and has no "above" state for clients). On a Wayland desktop with
// XWayland Study therefore runs as an X11 client.
namespace WindowSystem {

// Before QApplication: where an X server is reachable (DISPLAY set) and the
// user has not chosen (QT_QPA_PLATFORM unset or empty), asks Qt for X11,
// with Wayland as the fallback when that X server does not answer. Returns
// whether it set QT_QPA_PLATFORM.
bool preferX11();

// After QApplication: takes that choice back out of the environment, so
// programs started from Study (Manager, the browser) choose for themselves.
void forgetPreference(bool chosen);

}  // namespace WindowSystem
