// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// How well text reads on a background, by the usual measure for screens:
// the relative luminance of each colour and the ratio between the two, from
// 1 (the same) to 21 (black on white). Text wants at least 4.5. Colours are
// 0xRRGGBB; anything above is ignored, so a QRgb with its alpha works too.
namespace contrast {

constexpr quint32 kBlack = 0x000000;
constexpr quint32 kWhite = 0xffffff;
constexpr double kReadable = 4.5;

double relativeLuminance(quint32 rgb);
double ratio(quint32 a, quint32 b);

// Black or white, whichever stands out more on the background; black when
// both do equally.
quint32 textColourOn(quint32 background);

} // namespace contrast
