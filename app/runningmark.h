// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// On Windows the installer and the uninstaller must not replace or remove the
// program's files while it runs: markRunning() makes the program hold a named
// mutex, which they look for, until it ends (Windows releases it then, however
// it ends). Elsewhere it does nothing.
#ifdef _WIN32
void markRunning();
#else
inline void markRunning() {}
#endif
