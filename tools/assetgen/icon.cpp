// SPDX-License-Identifier: MIT
#include "card_art.h"
#include "shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace card_art {

namespace {

QImage transparentSquare(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The smallest club that reads as one, drawn pixel by pixel.
constexpr QSize kNarrowClub(7, 9);

int scaled(qreal fraction, int size)
{
    return int(std::floor(fraction * size + 0.5));
}

// A plain card: white with a one-pixel edge, laid on whole pixels.
void plainCard(QPainter& p, const QRect& card)
{
    p.setPen(QPen(edgeColour(), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(card).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
}

} // namespace

// Two plain cards, a club behind a diamond, each with one pip as large as
// its card allows: at 16 to 32 px the corner indices of real faces would
// only smear into grey. The club's card shows as a strip left of the
// diamond's, tall enough for its pip.
QImage renderSmallIcon(int size)
{
    QImage image = transparentSquare(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize card(scaled(0.53, size), scaled(0.81, size));
    QRect back(QPoint(0, 0), card);
    const QRect front(QPoint(size - card.width(), size - card.height()), card);
    // The club fills the strip of the back card left of the front one, less
    // a pixel of paper each side. Where that leaves too few pixels for a club
    // (at 16 px, six: it reads as a plus sign), the back card reaches a pixel
    // under the front one and the club, set pixel by pixel, fills the strip.
    const int strip = front.left() - 2;
    QRectF club(1, 2, strip, std::round(strip * 9.0 / 8));
    if (strip < kNarrowClub.width()) {
        back.setRight(front.left());
        club = QRectF(QPointF(1, 2), kNarrowClub);
    }
    plainCard(p, back);
    p.setPen(Qt::NoPen);
    p.fillPath(suitPath(rules::Suit::Clubs, club), inkOf(rules::Suit::Clubs));
    plainCard(p, front);
    const qreal mx = std::max(1.5, 0.09 * size);
    const qreal my = std::max(2.0, 0.1 * size);
    p.fillPath(suitPath(rules::Suit::Diamonds, QRectF(front).adjusted(mx, my, -mx, -my)),
               inkOf(rules::Suit::Diamonds));
    return image;
}

// Three cards fanned over a patch of green baize: the ace of diamonds on
// top of a club and a spade.
QImage renderDetailedIcon(int size)
{
    QImage image = transparentSquare(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    p.setPen(QPen(QColor(0x0b, 0x4d, 0x22), 1.5));
    p.setBrush(QColor(0x1f, 0x8a, 0x45));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

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
    // The faces' own drawing at the smallest scale no smaller than the
    // icon needs, brought to size by the painter.
    const qreal needed = 44.0 * size / 64.0 / cardPixelSize(1).height();
    const qreal faceScale = card_size::drawnScaleFor(needed);
    const QSizeF card = cardPixelSize(faceScale);
    const qreal fit = 44.0 / card.height();
    for (const Placed& c : fan) {
        p.save();
        p.translate(32 + c.dx, 36);
        p.rotate(c.angle);
        p.scale(fit, fit);
        p.translate(-card.width() / 2, -card.height() / 2);
        paintFace(p, c.suit, c.value, faceScale);
        p.restore();
    }
    return image;
}

QImage renderIcon(int size)
{
    return size < kSmallestDetailedIcon ? renderSmallIcon(size) : renderDetailedIcon(size);
}

bool writeIcons(const QDir& root, const QString& name)
{
    bool ok = true;
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        ok = root.mkpath(folder) && ok;
        ok = renderIcon(size).save(root.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"))) && ok;
    }
    return ok;
}

} // namespace card_art
