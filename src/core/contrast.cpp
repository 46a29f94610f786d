// SPDX-License-Identifier: MIT
#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace contrast {

namespace {

// One sRGB channel, 0..255, as linear light 0..1.
double linear(quint32 channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(quint32 rgb)
{
    return 0.2126 * linear((rgb >> 16) & 0xff) + 0.7152 * linear((rgb >> 8) & 0xff) + 0.0722 * linear(rgb & 0xff);
}

double ratio(quint32 a, quint32 b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 textColourOn(quint32 background)
{
    return ratio(kWhite, background) > ratio(kBlack, background) ? kWhite : kBlack;
}

} // namespace contrast
