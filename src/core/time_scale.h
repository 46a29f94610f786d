// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

// Every delay of the game's chains is multiplied by one scale: 1 in play,
// smaller for demonstrations and tests.
namespace timing {

double scale();
void setScale(double factor);

// A usable scale is a plain number greater than 0 and at most 10.
std::optional<double> parseScale(const QByteArray& text);

// Takes VELL_TIME_SCALE when it is set. An unusable value is reported once on
// standard error and leaves the scale as it was. Returns false in that case.
bool applyEnvironment();

} // namespace timing
