// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// Diagnostics of the game's steps; off unless QT_LOGGING_RULES="vell.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcVell)
