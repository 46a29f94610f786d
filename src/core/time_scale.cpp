// SPDX-License-Identifier: MIT
#include "time_scale.h"

#include <QtGlobal>

#include <cmath>
#include <cstdio>

namespace timing {

bool isUsableScale(double scale)
{
    return std::isfinite(scale) && scale > 0.0 && scale <= 10.0;
}

std::optional<double> parseScale(const QByteArray& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !isUsableScale(value))
        return std::nullopt;
    return value;
}

std::optional<double> scaleFromEnvironment()
{
    if (!qEnvironmentVariableIsSet("VELL_TIME_SCALE"))
        return std::nullopt;
    const QByteArray text = qgetenv("VELL_TIME_SCALE");
    if (const auto value = parseScale(text))
        return value;
    std::fprintf(stderr, "vell: ignoring VELL_TIME_SCALE=\"%s\": expected a number greater than 0 and at most 10\n",
                 text.left(64).toPercentEncoding(" .-+").constData());
    return std::nullopt;
}

} // namespace timing
