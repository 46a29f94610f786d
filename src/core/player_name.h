// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// The name the greeting, the farewell and the settings dialog address the
// player by: VELL_PLAYER_NAME when set (empty means no name), else the
// account's full name, else the login name.
std::optional<QString> playerDisplayName();
