// SPDX-License-Identifier: MIT
// The card faces and the back, designed for the table's small card size.
//
// One index, top left only. A real card repeats it turned in the bottom
// right corner so that a hand held either way up shows it; on this table
// every card lies upright side by side and is never fanned, so a second
// index would only take from the pips the room they need to stay clear of
// it. One index large enough to read beats two that cannot be read.
//
// For the same reason every pip stands upright: at 7 px a spade turned over
// reads as a heart.
//
// The design is laid out in pixels of the 1x card (38 x 53) and every
// coordinate lands on a whole pixel there; larger scales multiply and round,
// so strokes and baselines stay on the pixel grid at every scale.
#include "card_art.h"
#include "shapes.h"

#include "core/card_size.h"
#include "core/asset_paths.h"
#include "core/rules.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace card_art {

namespace {

using rules::Suit;

constexpr int W = card_size::kWidth;
constexpr int H = card_size::kHeight;

const QColor kRed(0xc4, 0x12, 0x2f);
const QColor kBlack(0x14, 0x14, 0x1c);
const QColor kEdge(0x5a, 0x5a, 0x5a);
const QColor kPanel(0xf3, 0xe2, 0xa6);

// The layout at 1x, in pixels. The index column: rank over suit symbol.
constexpr int kIndexLeft = 2;
constexpr int kIndexWidth = 8;
constexpr int kRankTop = 3;
constexpr int kRankHeight = 8;
constexpr int kSuitTop = 13;
constexpr int kSuitHeight = 9;
// How far a tail (Q) or descender (J) may reach below the rank's baseline.
constexpr int kRankDescent = 1;
// The pip field right of the index: three columns of 7 px pips one pixel
// apart, and four rows whose tops are 12 px apart, so that halves, thirds
// and quarters of the rows all fall on whole pixels.
constexpr int kFieldLeft = 12;
constexpr int kFieldTop = 4;
constexpr int kFieldWidth = 23;
constexpr int kFieldHeight = 44;
constexpr int kPipWidth = 7;
constexpr int kPipHeight = 8;
constexpr int kColumnStep = kPipWidth + 1;
constexpr int kRowRange = kFieldHeight - kPipHeight;
// Pips and symbols narrower than this get the club drawn for few pixels.
constexpr qreal kSmallClubWidth = 13;

int px(qreal designUnits, qreal scale)
{
    return int(std::floor(designUnits * scale + 0.5));
}

// A rectangle of the 1x design at a scale, each edge on a whole pixel.
QRect scaledRect(qreal x, qreal y, qreal w, qreal h, qreal scale)
{
    const int left = px(x, scale);
    const int top = px(y, scale);
    return QRect(left, top, px(x + w, scale) - left, px(y + h, scale) - top);
}

// Pip places of the number cards: column 0..2 and the fraction of the rows'
// range from the top.
struct Place {
    int column;
    qreal row;
};

std::vector<Place> pipPlaces(int v)
{
    constexpr qreal third = 1.0 / 3;
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
        return {{0, 0},         {2, 0},         {1, third / 2},     {0, third}, {2, third},
                {0, 2 * third}, {2, 2 * third}, {1, 1 - third / 2}, {0, 1},     {2, 1}};
    default: return {};
    }
}

// Every pip of a scale has the same pixel size, so that all look alike.
std::vector<QRect> pipRects(int v, qreal scale)
{
    const QSize size(px(kPipWidth, scale), px(kPipHeight, scale));
    std::vector<QRect> rects;
    for (const Place& place : pipPlaces(v)) {
        const QPoint topLeft(px(kFieldLeft + place.column * kColumnStep, scale),
                             px(kFieldTop + place.row * kRowRange, scale));
        rects.emplace_back(topLeft, size);
    }
    return rects;
}

QRect aceRect(qreal scale)
{
    return scaledRect(14, 15, 19, 22, scale);
}

QRect panelRect(qreal scale)
{
    return scaledRect(kFieldLeft, kFieldTop, kFieldWidth, kFieldHeight, scale);
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

QFont rankFont(bool condensed)
{
    QFont font(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(100);
    return font;
}

// Text as outlines, sized so that its cap height fills the box exactly and
// its baseline is the box's bottom edge: both land on whole pixels, which
// the font's own hinting would not promise at every scale. A tail below the
// baseline may reach `descent` pixels down; a deeper one (the J's) shrinks
// the letter until its whole ink spans the box and that allowance. Too wide
// a text is narrowed, and a letter as narrow as the J is widened, so that
// its hook still shows at 1x.
QPainterPath fittedText(const QString& text, const QRect& box, qreal descent, bool condensed)
{
    const QFont font = rankFont(condensed);
    QPainterPath cap;
    cap.addText(0, 0, font, QStringLiteral("H"));
    const qreal capHeight = -cap.boundingRect().top();
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    qreal ky = box.height() / capHeight;
    qreal baseline = box.top() + box.height();
    if (ink.bottom() * ky > descent) {
        ky = (box.height() + descent) / (capHeight + ink.bottom());
        baseline = box.top() + capHeight * ky;
    }
    const qreal minWidth = 0.55 * box.height();
    const qreal kx = std::clamp(ky, minWidth / ink.width(), box.width() / ink.width());
    const qreal width = ink.width() * kx;
    const qreal left = box.left() + std::floor((box.width() - width) / 2 + 0.5);
    QTransform t;
    t.translate(left, baseline);
    t.scale(kx, ky);
    t.translate(-ink.left(), 0);
    return t.map(path);
}

// "10" in the width of one letter: a plain 1 without foot and a narrow 0,
// drawn here because the font's pair is half as wide again as the column.
QPainterPath tenPath(const QRect& box)
{
    QPainterPath path;
    // The 1: a two-pixel stem with a short flag, no foot.
    path.addRect(QRectF(1, 0, 2, 8));
    path.moveTo(1, 0);
    path.lineTo(1, 1.8);
    path.lineTo(0, 2.8);
    path.lineTo(0, 1.0);
    path.closeSubpath();
    // The 0: a ring four pixels wide around a hole of two, so that the
    // hole stays open at 1x.
    QPainterPath outer;
    outer.addRoundedRect(QRectF(4, 0, 4, 8), 1.8, 2.2);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(5, 1.3, 2, 5.4), 1.0, 1.2);
    path.addPath(outer.subtracted(inner));
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 8.0, box.height() / 8.0);
    return toBox.map(path);
}

QPainterPath rankPath(int v, qreal scale)
{
    const QRect box = scaledRect(kIndexLeft, kRankTop, kIndexWidth, kRankHeight, scale);
    if (v == 10)
        return tenPath(box);
    return fittedText(rankText(v), box, std::floor(kRankDescent * scale), true);
}

QRect suitRect(qreal scale)
{
    return scaledRect(kIndexLeft, kSuitTop, kIndexWidth, kSuitHeight, scale);
}

// Crowns, in a 17 x 9 box, each its own silhouette so that the three court
// cards differ at a glance even before the letter is read: the king's three
// sharp spikes, the queen's three pearls on a low band, the jack's round cap.
QPainterPath crownPath(int v, const QRectF& box)
{
    QPainterPath path;
    switch (v) {
    case 13:
        path.moveTo(0, 9);
        path.lineTo(0, 1.5);
        path.lineTo(4.2, 5.2);
        path.lineTo(8.5, 0);
        path.lineTo(12.8, 5.2);
        path.lineTo(17, 1.5);
        path.lineTo(17, 9);
        path.closeSubpath();
        break;
    case 12:
        path.addRect(QRectF(1, 6, 15, 3));
        path.moveTo(1, 6.5);
        path.lineTo(2.5, 3);
        path.lineTo(5.5, 6.5);
        path.lineTo(8.5, 3);
        path.lineTo(11.5, 6.5);
        path.lineTo(14.5, 3);
        path.lineTo(16, 6.5);
        path.closeSubpath();
        path.addEllipse(QPointF(2.5, 2), 2, 2);
        path.addEllipse(QPointF(8.5, 2), 2, 2);
        path.addEllipse(QPointF(14.5, 2), 2, 2);
        break;
    default:
        path.moveTo(2, 7);
        path.cubicTo(2, 1.5, 5, 0, 8.5, 0);
        path.cubicTo(12, 0, 15, 1.5, 15, 7);
        path.closeSubpath();
        path.addRect(QRectF(0, 6.5, 17, 2.5));
        break;
    }
    path.setFillRule(Qt::WindingFill);
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 17.0, box.height() / 9.0);
    return toBox.map(path);
}

int edgeWidth(qreal scale)
{
    return std::max(1, int(std::floor(scale)));
}

void paintCardEdge(QPainter& p, const QBrush& fill, qreal scale)
{
    const QSize size = cardPixelSize(scale);
    const qreal e = edgeWidth(scale);
    p.setPen(QPen(kEdge, e));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(e / 2, e / 2, size.width() - e, size.height() - e), 3 * scale, 3 * scale);
}

void paintCourt(QPainter& p, Suit suit, int v, qreal scale)
{
    const QColor ink = inkOf(suit);
    const QRect panel = panelRect(scale);
    const qreal e = edgeWidth(scale);
    p.setPen(QPen(ink, e));
    p.setBrush(kPanel);
    p.drawRect(QRectF(panel).adjusted(e / 2, e / 2, -e / 2, -e / 2));
    p.setPen(Qt::NoPen);
    p.fillPath(crownPath(v, scaledRect(15, 6, 17, 9, scale)), ink);
    p.fillPath(fittedText(rankText(v), scaledRect(14, 18, 19, 15, scale), std::floor(2 * scale), false), ink);
    p.fillPath(suitPath(suit, scaledRect(kFieldLeft + kColumnStep, 37, kPipWidth, kPipHeight, scale)), ink);
}

QImage blankImage(qreal scale)
{
    QImage image(cardPixelSize(scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

template <class Paint>
QImage render(qreal scale, Paint paint)
{
    QImage image = blankImage(scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return image;
}

} // namespace

QColor inkOf(Suit suit)
{
    return suit == Suit::Diamonds ? kRed : kBlack;
}

QColor edgeColour()
{
    return kEdge;
}

namespace {

// The black suits at the 1x card's two symbol sizes, and the club of the
// 16 px icon, set pixel by pixel: an outline's soft edges would turn the few
// pixels that tell a club from a spade, or from a plus sign, into the same
// grey blob. The club is three lobes with paper between them; the spade one
// blade rising to a point.
struct PixelShape {
    Suit suit;
    int width;
    int height;
    std::array<const char*, 9> rows;
};

const PixelShape kPixelShapes[] = {
    {Suit::Spades, 8, 9,
     {"...XX...", "..XXXX..", ".XXXXXX.", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", ".XXXXXX.", "...XX...", "..XXXX.."}},
    {Suit::Clubs, 8, 9,
     {"..XXXX..", ".XXXXXX.", ".XXXXXX.", "..XXXX..", "XX.XX.XX", "XXXXXXXX", "XX.XX.XX", "...XX...", "..XXXX.."}},
    {Suit::Spades, 7, 8, {"...X...", "..XXX..", ".XXXXX.", "XXXXXXX", "XXXXXXX", ".XXXXX.", "...X...", "..XXX.."}},
    {Suit::Clubs, 7, 8, {"..XXX..", ".XXXXX.", "..XXX..", "XX.X.XX", "XXXXXXX", "XX.X.XX", "...X...", "..XXX.."}},
    {Suit::Clubs, 7, 9,
     {"..XXX..", ".XXXXX.", ".XXXXX.", "..XXX..", "XX.X.XX", "XXXXXXX", "XX.X.XX", "...X...", "..XXX.."}},
};

bool pixelShape(Suit suit, const QRectF& box, QPainterPath& path)
{
    if (box != box.toRect())
        return false;
    for (const PixelShape& shape : kPixelShapes) {
        if (shape.suit != suit || shape.width != box.width() || shape.height != box.height())
            continue;
        for (int y = 0; y < shape.height; ++y) {
            for (int x = 0; x < shape.width; ++x) {
                if (shape.rows[y][x] == 'X')
                    path.addRect(box.left() + x, box.top() + y, 1, 1);
            }
        }
        path = path.simplified();
        return true;
    }
    return false;
}

} // namespace

// Suit symbols, designed in a 7 x 8 box and stretched to the box given. The
// club is three round lobes and a flared stem; the spade one pointed blade,
// widest low down. Their tops differ the most: a sharp point against a
// round lobe as wide as half the symbol.
QPainterPath suitPath(Suit suit, const QRectF& box)
{
    QPainterPath path;
    if (pixelShape(suit, box, path))
        return path;
    switch (suit) {
    case Suit::Diamonds:
        path.moveTo(3.5, 0);
        path.lineTo(7, 4);
        path.lineTo(3.5, 8);
        path.lineTo(0, 4);
        path.closeSubpath();
        break;
    case Suit::Spades:
        path.moveTo(3.5, 0);
        path.cubicTo(4.3, 1.4, 7, 2.6, 7, 4.6);
        path.cubicTo(7, 6.2, 5.2, 6.8, 4.0, 5.6);
        path.quadTo(4.2, 7.2, 5.3, 8);
        path.lineTo(1.7, 8);
        path.quadTo(2.8, 7.2, 3.0, 5.6);
        path.cubicTo(1.8, 6.8, 0, 6.2, 0, 4.6);
        path.cubicTo(0, 2.6, 2.7, 1.4, 3.5, 0);
        path.closeSubpath();
        break;
    case Suit::Clubs:
        if (box.width() < kSmallClubWidth) {
            // The pixel club's outline in curves: three round lobes held
            // apart by a cross of thin bars, so that paper shows between
            // them; overlapping lobes would blur into the spade's outline.
            path.addEllipse(QPointF(3.5, 1.6), 1.6, 1.6);
            path.addEllipse(QPointF(1.6, 4.5), 1.6, 1.6);
            path.addEllipse(QPointF(5.4, 4.5), 1.6, 1.6);
            path.addRect(QRectF(3, 2, 1, 5));
            path.addRect(QRectF(2, 4, 3, 1));
            path.moveTo(3.5, 5.5);
            path.lineTo(5, 8);
            path.lineTo(2, 8);
            path.closeSubpath();
        } else {
            path.addEllipse(QPointF(3.5, 1.95), 1.95, 1.95);
            path.addEllipse(QPointF(1.95, 4.65), 1.95, 1.95);
            path.addEllipse(QPointF(5.05, 4.65), 1.95, 1.95);
            path.addEllipse(QPointF(3.5, 4.2), 0.9, 0.9);
            path.moveTo(3.5, 4.5);
            path.lineTo(5.2, 8);
            path.lineTo(1.8, 8);
            path.closeSubpath();
        }
        path.setFillRule(Qt::WindingFill);
        break;
    }
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width() / 7.0, box.height() / 8.0);
    return toBox.map(path);
}

QSize cardPixelSize(qreal scale)
{
    return QSize(px(W, scale), px(H, scale));
}

FaceLayout faceLayout(Suit suit, int v, qreal scale)
{
    Q_UNUSED(suit)
    FaceLayout layout;
    layout.rank = rankPath(v, scale).boundingRect().toAlignedRect();
    layout.suit = suitRect(scale);
    if (v == 1)
        layout.body = {aceRect(scale)};
    else if (v <= 10)
        layout.body = pipRects(v, scale);
    else
        layout.body = {panelRect(scale)};
    return layout;
}

void paintFace(QPainter& p, Suit suit, int v, qreal scale)
{
    const QColor ink = inkOf(suit);
    paintCardEdge(p, Qt::white, scale);
    p.setPen(Qt::NoPen);
    p.fillPath(rankPath(v, scale), ink);
    p.fillPath(suitPath(suit, suitRect(scale)), ink);
    if (v == 1) {
        p.fillPath(suitPath(suit, aceRect(scale)), ink);
    } else if (v <= 10) {
        for (const QRect& pip : pipRects(v, scale))
            p.fillPath(suitPath(suit, pip), ink);
    } else {
        paintCourt(p, suit, v, scale);
    }
}

void paintBack(QPainter& p, qreal scale)
{
    paintCardEdge(p, Qt::white, scale);
    const QRectF inner = scaledRect(3, 3, W - 6, H - 6, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x3f, 0x8f));
    p.drawRoundedRect(inner, 2 * scale, 2 * scale);
    // A lattice of thin diagonal lines, clipped to the inner panel.
    const qreal inset = 1.5 * scale;
    p.save();
    p.setClipRect(inner.adjusted(inset, inset, -inset, -inset), Qt::IntersectClip);
    p.setPen(QPen(QColor(0x9d, 0xb7, 0xf0), 0.8 * scale));
    const qreal w = W * scale;
    const qreal h = H * scale;
    for (qreal d = -h; d < w + h; d += 5 * scale) {
        p.drawLine(QPointF(d, 0), QPointF(d + h, h));
        p.drawLine(QPointF(d, 0), QPointF(d - h, h));
    }
    p.restore();
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), edgeWidth(scale)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner.adjusted(inset, inset, -inset, -inset), inset, inset);
}

QImage renderFace(Suit suit, int v, qreal scale)
{
    return render(scale, [&](QPainter& p) { paintFace(p, suit, v, scale); });
}

QImage renderBack(qreal scale)
{
    return render(scale, [&](QPainter& p) { paintBack(p, scale); });
}

QImage renderBlank(qreal scale)
{
    return render(scale, [&](QPainter& p) { paintCardEdge(p, Qt::white, scale); });
}

bool writeCards(const QDir& root)
{
    bool ok = true;
    for (const qreal scale : kScales) {
        ok = renderBack(scale).save(root.filePath(assets::scaledImagePath(assets::cardBackPath(), scale))) && ok;
        for (const Suit suit : {Suit::Diamonds, Suit::Spades, Suit::Clubs}) {
            for (int v = 1; v <= rules::kCards; ++v) {
                const QString path = assets::scaledImagePath(assets::cardImagePath(suit, v), scale);
                ok = renderFace(suit, v, scale).save(root.filePath(path)) && ok;
            }
        }
    }
    return ok;
}

} // namespace card_art
