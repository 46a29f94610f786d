// SPDX-License-Identifier: MIT
#include "time_scale.h"

#include <QtGlobal>

#include <cmath>
#include <cstdio>

namespace timing {

namespace {

double g_scale = 1.0;

bool usable(double value)
{
    return std::isfinite(value) && value > 0.0 && value <= 10.0;
}

} // namespace

double scale()
{
    return g_scale;
}

void setScale(double factor)
{
    if (usable(factor))
        g_scale = factor;
}

std::optional<double> parseScale(const QByteArray& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !usable(value))
        return std::nullopt;
    return value;
}

bool applyEnvironment()
{
    if (!qEnvironmentVariableIsSet("VELL_TIME_SCALE"))
        return true;
    const QByteArray text = qgetenv("VELL_TIME_SCALE");
    if (const auto value = parseScale(text)) {
        g_scale = *value;
        return true;
    }
    std::fprintf(stderr, "vell: ignoring VELL_TIME_SCALE=\"%s\": expected a number greater than 0 and at most 10\n",
                 text.left(64).toPercentEncoding(" .-+").constData());
    return false;
}

} // namespace timing
