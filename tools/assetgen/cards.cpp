// SPDX-License-Identifier: MIT
#include "assets.h"

#include "core/card_size.h"
#include "core/rules.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace {

enum class Pip { Diamond, Spade, Club };

struct SuitStyle {
    rules::Suit suit;
    Pip pip;
    QColor ink;
};

const SuitStyle kSuits[] = {
    {rules::Suit::Diamonds, Pip::Diamond, QColor(0xc4, 0x12, 0x2f)},
    {rules::Suit::Spades, Pip::Spade, QColor(0x14, 0x14, 0x1c)},
    {rules::Suit::Clubs, Pip::Club, QColor(0x14, 0x14, 0x1c)},
};

constexpr int W = card_size::kWidth;
constexpr int H = card_size::kHeight;

// Suit symbols in a unit box centred on the origin.
QPainterPath pipPath(Pip pip)
{
    QPainterPath path;
    switch (pip) {
    case Pip::Diamond:
        path.moveTo(0, -0.5);
        path.lineTo(0.36, 0);
        path.lineTo(0, 0.5);
        path.lineTo(-0.36, 0);
        path.closeSubpath();
        break;
    case Pip::Spade:
        path.moveTo(0, -0.5);
        path.cubicTo(0.12, -0.3, 0.5, -0.1, 0.48, 0.12);
        path.cubicTo(0.46, 0.34, 0.18, 0.38, 0.04, 0.2);
        path.lineTo(0.16, 0.5);
        path.lineTo(-0.16, 0.5);
        path.lineTo(-0.04, 0.2);
        path.cubicTo(-0.18, 0.38, -0.46, 0.34, -0.48, 0.12);
        path.cubicTo(-0.5, -0.1, -0.12, -0.3, 0, -0.5);
        break;
    case Pip::Club:
        path.addEllipse(QPointF(0, -0.25), 0.22, 0.22);
        path.addEllipse(QPointF(-0.25, 0.1), 0.22, 0.22);
        path.addEllipse(QPointF(0.25, 0.1), 0.22, 0.22);
        path.addEllipse(QPointF(0, 0.02), 0.12, 0.12);
        path.moveTo(0, 0.05);
        path.lineTo(0.15, 0.5);
        path.lineTo(-0.15, 0.5);
        path.closeSubpath();
        path.setFillRule(Qt::WindingFill);
        break;
    }
    return path;
}

void drawPip(QPainter& p, const QColor& ink, Pip pip, QPointF centre, qreal size, bool upsideDown)
{
    p.save();
    p.translate(centre);
    if (upsideDown)
        p.rotate(180);
    p.scale(size, size);
    p.fillPath(pipPath(pip), ink);
    p.restore();
}

QString rankText(int v)
{
    switch (v) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return QString::number(v);
    }
}

QFont indexFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// The rank and a small pip in the top left corner; the same, turned, bottom right.
void drawIndex(QPainter& p, const SuitStyle& suit, int v)
{
    for (const bool turned : {false, true}) {
        p.save();
        if (turned) {
            p.translate(W, H);
            p.rotate(180);
        }
        p.setFont(indexFont(v == 10 ? 9 : 10));
        p.setPen(suit.ink);
        p.drawText(QRectF(0, 1, 11, 11), Qt::AlignCenter, rankText(v));
        drawPip(p, suit.ink, suit.pip, QPointF(5.5, 16.5), 7, false);
        p.restore();
    }
}

// Pip places of the number cards: column 0..2 (left, middle, right), row 0..1
// from top to bottom.
std::vector<QPointF> pipPlaces(int v)
{
    const qreal third = 1.0 / 3;
    switch (v) {
    case 2: return {{1, 0}, {1, 1}};
    case 3: return {{1, 0}, {1, 0.5}, {1, 1}};
    case 4: return {{0, 0}, {2, 0}, {0, 1}, {2, 1}};
    case 5: return {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}};
    case 6: return {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    case 7: return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    case 8: return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}};
    case 9:
        return {{0, 0}, {2, 0}, {0, third}, {2, third}, {1, 0.5}, {0, 2 * third}, {2, 2 * third}, {0, 1}, {2, 1}};
    case 10:
        return {{0, 0},         {2, 0},         {1, third / 2}, {0, third},     {2, third},
                {0, 2 * third}, {2, 2 * third}, {1, 1 - third / 2}, {0, 1},     {2, 1}};
    default: return {};
    }
}

void drawPips(QPainter& p, const SuitStyle& suit, int v)
{
    const qreal left = 12.5, right = 25.5, top = 11.5, bottom = 41.5;
    const qreal size = v >= 9 ? 6.5 : 7.5;
    for (const QPointF& place : pipPlaces(v)) {
        const QPointF centre(left + place.x() * (right - left) / 2, top + place.y() * (bottom - top));
        drawPip(p, suit.ink, suit.pip, centre, size, place.y() > 0.5);
    }
}

void drawAce(QPainter& p, const SuitStyle& suit)
{
    drawPip(p, suit.ink, suit.pip, QPointF(W / 2.0, H / 2.0), 18, false);
}

// Court cards: a framed panel with the letter and the suit.
void drawCourt(QPainter& p, const SuitStyle& suit, int v)
{
    const QRectF panel(10.5, 8.5, W - 21, H - 17);
    p.setPen(QPen(suit.ink, 1));
    p.setBrush(QColor(0xf3, 0xe2, 0xa6));
    p.drawRect(panel);
    p.setPen(QPen(QColor(0x2a, 0x4f, 0x9c), 1));
    p.drawLine(QPointF(panel.left() + 2, panel.center().y()), QPointF(panel.right() - 2, panel.center().y()));
    p.setFont(indexFont(14));
    p.setPen(suit.ink);
    p.drawText(QRectF(panel.left(), panel.top() + 1, panel.width(), panel.height() / 2), Qt::AlignCenter,
               rankText(v));
    drawPip(p, suit.ink, suit.pip, QPointF(panel.center().x(), panel.top() + panel.height() * 0.75), 9, false);
}

QImage blankCard()
{
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawCardOutline(QPainter& p, const QBrush& fill)
{
    p.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), 3, 3);
}

const SuitStyle& styleOf(rules::Suit suit)
{
    for (const SuitStyle& style : kSuits) {
        if (style.suit == suit)
            return style;
    }
    return kSuits[0];
}

// Paints into an image of the card's own size.
template <class Paint>
QImage cardImage(Paint paint)
{
    QImage image = blankCard();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paint(p);
    return image;
}

} // namespace

QSizeF cardSize()
{
    return QSizeF(W, H);
}

void paintFace(QPainter& p, rules::Suit suitOfCard, int v)
{
    const SuitStyle& suit = styleOf(suitOfCard);
    drawCardOutline(p, Qt::white);
    drawIndex(p, suit, v);
    if (v == 1)
        drawAce(p, suit);
    else if (v <= 10)
        drawPips(p, suit, v);
    else
        drawCourt(p, suit, v);
}

void paintBack(QPainter& p)
{
    drawCardOutline(p, Qt::white);
    const QRectF inner(3, 3, W - 6, H - 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x3f, 0x8f));
    p.drawRoundedRect(inner, 2, 2);
    // A lattice of thin diagonal lines, clipped to the inner panel.
    p.save();
    p.setClipRect(inner.adjusted(1.5, 1.5, -1.5, -1.5), Qt::IntersectClip);
    p.setPen(QPen(QColor(0x9d, 0xb7, 0xf0), 0.8));
    for (int d = -H; d < W + H; d += 5) {
        p.drawLine(QPointF(d, 0), QPointF(d + H, H));
        p.drawLine(QPointF(d, 0), QPointF(d - H, H));
    }
    p.restore();
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner.adjusted(1.5, 1.5, -1.5, -1.5), 1.5, 1.5);
}

bool writeCards(const QDir& root)
{
    bool ok = cardImage([](QPainter& p) { paintBack(p); }).save(root.filePath(rules::cardBackPath()));
    for (const SuitStyle& suit : kSuits) {
        for (int v = 1; v <= rules::kCards; ++v) {
            const QImage face = cardImage([&](QPainter& p) { paintFace(p, suit.suit, v); });
            ok = face.save(root.filePath(rules::cardImagePath(suit.suit, v))) && ok;
        }
    }
    return ok;
}
