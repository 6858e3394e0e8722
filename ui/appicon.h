#pragma once

#include <QIcon>

// The icon of both windows, read once.
const QIcon &appIcon();
