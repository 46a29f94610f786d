// SPDX-License-Identifier: MIT
#include "assets.h"

#include <QImage>
#include <QPainter>

namespace {

// Three cards fanned over a patch of green baize: the ace of diamonds on
// top of a club and a spade.
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 64.0, size / 64.0);

    p.setPen(QPen(QColor(0x0b, 0x4d, 0x22), 1.5));
    p.setBrush(QColor(0x1f, 0x8a, 0x45));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

    const QSizeF card = cardSize();
    struct Placed {
        rules::Suit suit;
        int value;
        qreal angle;
        qreal dx;
    };
    const Placed fan[] = {
        {rules::Suit::Clubs, 13, -18, -9},
        {rules::Suit::Spades, 12, 18, 9},
        {rules::Suit::Diamonds, 1, 0, 0},
    };
    const qreal scale = 44.0 / card.height();
    for (const Placed& c : fan) {
        p.save();
        p.translate(32 + c.dx, 36);
        p.rotate(c.angle);
        p.scale(scale, scale);
        p.translate(-card.width() / 2, -card.height() / 2);
        paintFace(p, c.suit, c.value);
        p.restore();
    }
    return image;
}

} // namespace

bool writeIcons(const QDir& root, const QString& name)
{
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        ok = root.mkpath(folder) && ok;
        ok = drawIcon(size).save(root.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"))) && ok;
    }
    return ok;
}
