// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runningmark.h"

#include <windows.h>

void markRunning()
{
    // In this session's namespace and in the global one, so that an
    // installation for every user sees a copy that another user runs on the
    // same computer (a school's remote desktop host). Where a name cannot be
    // had (another user's object denies access), the other still serves;
    // the program runs either way. The handles stay open until the process
    // ends.
    CreateMutexW(nullptr, FALSE, MENVORI_RUNNING_MUTEX);
    CreateMutexW(nullptr, FALSE, L"Global\\" MENVORI_RUNNING_MUTEX);
}
