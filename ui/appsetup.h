// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's identity and look, set once at start by the program and by
// every test and benchmark alike, before any window is made:
// - its name and the desktop entry it belongs to, so that the desktop
//   matches its windows with its menu entry (X11 window class "Menvori",
//   Wayland app id "cat.menvori.Menvori");
// - one icon for every window: the installed theme icon, or the one shipped
//   inside the program;
// - the Fusion style, one look on every desktop, so that every caption fits
//   its control;
// - the one record of which keys are down (KeyState).
void setUpApplication();

// The name of the program's desktop entry, without ".desktop".
inline constexpr const char *DesktopEntryId = "cat.menvori.Menvori";
