// SPDX-License-Identifier: MIT
#include "asset_paths.h"

namespace assets {

QString cardImagePath(rules::Suit suit, int v)
{
    static constexpr char letters[] = {'D', 'S', 'C'};
    return QStringLiteral("gazo/%1%2.png")
        .arg(QLatin1Char(letters[static_cast<int>(suit)]))
        .arg(v, 2, 10, QLatin1Char('0'));
}

QString cardBackPath()
{
    return QStringLiteral("gazo/UB0.png");
}

QString scaledImagePath(const QString& path, qreal scale)
{
    if (scale == 1)
        return path;
    QString scaled = path;
    const int dot = int(scaled.lastIndexOf(QLatin1Char('.')));
    scaled.insert(dot < 0 ? scaled.size() : dot, QStringLiteral("@%1x").arg(scale));
    return scaled;
}

QString roundSoundPath(int round)
{
    return QStringLiteral("wave/%1.wav").arg(round);
}

} // namespace assets
