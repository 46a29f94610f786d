// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

// Every delay of the game's chains is multiplied by the step clock's time
// scale: 1 in play, smaller for demonstrations and tests.
namespace timing {

// A usable scale is greater than 0 and at most 10.
bool isUsableScale(double scale);

// A usable scale written as a plain number, or nothing.
std::optional<double> parseScale(const QByteArray& text);

// VELL_TIME_SCALE when it is set to a usable scale. An unusable value is
// reported once on standard error and gives nothing.
std::optional<double> scaleFromEnvironment();

} // namespace timing
