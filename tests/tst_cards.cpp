// SPDX-License-Identifier: MIT
// The card faces and the icon as drawn: sizes at every screen scale, the
// corner index clear of the pips, clubs told from spades at the table's
// size, and the files the build wrote.
#include "card_art.h"

#include <QImage>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

using card_art::FaceLayout;
using rules::Suit;

Q_DECLARE_METATYPE(Suit)

namespace {

// Pixel sizes a card must have at each scale: the table's 38 x 53, rounded.
struct ScaleSize {
    qreal scale;
    const char* suffix;
    QSize size;
};
const ScaleSize kScaleSizes[] = {
    {1, "", QSize(38, 53)},        {1.25, "@1.25x", QSize(48, 66)}, {1.5, "@1.5x", QSize(57, 80)},
    {2, "@2x", QSize(76, 106)},    {3, "@3x", QSize(114, 159)},
};

struct SuitName {
    Suit suit;
    char letter;
};
const SuitName kSuits[] = {{Suit::Diamonds, 'D'}, {Suit::Spades, 'S'}, {Suit::Clubs, 'C'}};

QString cardName(char letter, int v, const char* suffix)
{
    return QStringLiteral("%1%2%3").arg(QLatin1Char(letter)).arg(v, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix));
}

// One row per face and scale.
void faceTable()
{
    QTest::addColumn<Suit>("suit");
    QTest::addColumn<int>("value");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    for (const ScaleSize& s : kScaleSizes) {
        for (const SuitName& suit : kSuits) {
            for (int v = 1; v <= rules::kCards; ++v)
                QTest::addRow("%s", qPrintable(cardName(suit.letter, v, s.suffix))) << suit.suit << v << s.scale << s.size;
        }
    }
}

// Paper is what the blank card has there; anything else was drawn on it.
int inkAt(const QImage& face, const QImage& blank, int x, int y)
{
    const QRgb a = face.pixel(x, y);
    const QRgb b = blank.pixel(x, y);
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

// Gaps between two rectangles in whole pixels, the larger of the two axes:
// 0 when they touch or overlap.
int gapBetween(const QRect& a, const QRect& b)
{
    const int dx = std::max(a.left() - (b.left() + b.width()), b.left() - (a.left() + a.width()));
    const int dy = std::max(a.top() - (b.top() + b.height()), b.top() - (a.top() + a.height()));
    return std::max({dx, dy, 0});
}

// Sizes of the 4-connected regions of the marked pixels, largest first.
std::vector<int> regionSizes(std::vector<char> marked, int width, int height)
{
    std::vector<int> sizes;
    std::vector<int> stack;
    for (int start = 0; start < width * height; ++start) {
        if (!marked[start])
            continue;
        int size = 0;
        marked[start] = 0;
        stack.push_back(start);
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++size;
            const int x = i % width;
            const int y = i / width;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height)
                    continue;
                const int j = n[1] * width + n[0];
                if (marked[j]) {
                    marked[j] = 0;
                    stack.push_back(j);
                }
            }
        }
        sizes.push_back(size);
    }
    std::sort(sizes.rbegin(), sizes.rend());
    return sizes;
}

// A pixel drawn at more than half strength: what still shows as a shape
// rather than as the soft edge of one.
constexpr int kStrongInk = 128;

// Fraction of the pixels of a region that differ strongly between two images.
qreal strongDifference(const QImage& a, const QImage& b, const QRect& region)
{
    int differ = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            differ += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > kStrongInk;
    }
    return qreal(differ) / (region.width() * region.height());
}

// Pixels of a colour, drawn solid enough to read.
std::vector<char> solidPixels(const QImage& image, const QColor& colour)
{
    std::vector<char> marked(image.width() * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            marked[y * image.width() + x] = c.alpha() > 200 && std::abs(c.red() - colour.red()) < 40 &&
                                            std::abs(c.green() - colour.green()) < 40 &&
                                            std::abs(c.blue() - colour.blue()) < 40;
        }
    }
    return marked;
}

} // namespace

class CardsTest : public QObject {
    Q_OBJECT

private slots:
    void layoutKeepsIndexClear_data() { faceTable(); }
    void layoutKeepsIndexClear();
    void inkStaysInLayout_data() { faceTable(); }
    void inkStaysInLayout();
    void clubsAndSpadesDiffer_data();
    void clubsAndSpadesDiffer();
    void backAtEveryScale_data();
    void backAtEveryScale();
    void writtenCards_data();
    void writtenCards();
    void icons_data();
    void icons();
};

// The layout's own word: every part inside the card, and at least a pixel
// of paper between the corner index and the nearest part of the body.
void CardsTest::layoutKeepsIndexClear()
{
    QFETCH(Suit, suit);
    QFETCH(int, value);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    QCOMPARE(card_art::cardPixelSize(scale), size);
    const FaceLayout layout = card_art::faceLayout(suit, value, scale);
    // Inside the card's edge line, which is at least one pixel wide.
    const int edge = std::max(1, int(scale));
    const QRect inside = QRect(QPoint(0, 0), size).adjusted(edge, edge, -edge, -edge);
    QVERIFY(!layout.rank.isEmpty() && !layout.suit.isEmpty());
    QVERIFY2(inside.contains(layout.index()), "the index reaches the card's edge");
    QCOMPARE(layout.body.size(), value == 1 || value > 10 ? size_t(1) : size_t(value));
    int nearest = INT_MAX;
    for (const QRect& part : layout.body) {
        QVERIFY2(inside.contains(part), "a pip reaches the card's edge");
        nearest = std::min(nearest, gapBetween(layout.index(), part));
    }
    QVERIFY2(nearest >= 1, qPrintable(QStringLiteral("nearest pip %1 px from the index").arg(nearest)));
    // The rank and the suit symbol of the index stay apart too.
    QVERIFY(gapBetween(layout.rank, layout.suit) >= 1);
}

// The pixels' word: everything drawn lies in a part of the layout, every
// part has something drawn in it, and the pips of a number card show as as
// many separate shapes as the card's value.
void CardsTest::inkStaysInLayout()
{
    QFETCH(Suit, suit);
    QFETCH(int, value);
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    const QImage face = card_art::renderFace(suit, value, scale);
    QCOMPARE(face.size(), size);
    const QImage blank = card_art::renderBlank(scale);
    const FaceLayout layout = card_art::faceLayout(suit, value, scale);
    std::vector<QRect> parts = layout.body;
    parts.push_back(layout.rank);
    parts.push_back(layout.suit);
    std::vector<int> inkInPart(parts.size());
    std::vector<char> strongOutsideIndex(size.width() * size.height());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int ink = inkAt(face, blank, x, y);
            if (ink < 16)
                continue;
            bool inPart = false;
            for (size_t i = 0; i < parts.size(); ++i) {
                if (parts[i].contains(x, y)) {
                    inPart = true;
                    ++inkInPart[i];
                }
            }
            QVERIFY2(inPart, qPrintable(QStringLiteral("ink at %1,%2 outside every part").arg(x).arg(y)));
            if (ink > kStrongInk && !layout.index().contains(x, y))
                strongOutsideIndex[y * size.width() + x] = 1;
        }
    }
    for (size_t i = 0; i < parts.size(); ++i)
        QVERIFY2(inkInPart[i] > 0, qPrintable(QStringLiteral("part %1 is empty").arg(i)));
    if (value <= 10) {
        const std::vector<int> shapes = regionSizes(strongOutsideIndex, size.width(), size.height());
        QCOMPARE(int(shapes.size()), value == 1 ? 1 : value);
    }
}

void CardsTest::clubsAndSpadesDiffer_data()
{
    QTest::addColumn<int>("value");
    for (int v = 1; v <= rules::kCards; ++v)
        QTest::addRow("%s", qPrintable(cardName('C', v, "") + QLatin1Char('/') + cardName('S', v, ""))) << v;
}

// At the table's size the corner symbols of a club and a spade of one value,
// and their body pips, must differ by whole features, not by soft edges:
// pixels that change by more than half their strength, over at least 12% of
// the symbol's box. A feature the eye picks out at this size is a point or a
// notch of two pixels; a club and a spade differ in at least four (the
// point, the waist under it, the gaps between the lobes), which is 8 of the
// corner box's 72 pixels, 11%. The 5 px symbols the cards had before came
// to 4% and could not be told apart; drawn as smooth outlines at 8 x 9 they
// still came to only 6%.
void CardsTest::clubsAndSpadesDiffer()
{
    QFETCH(int, value);
    constexpr qreal kDistinguishable = 0.12;
    const QImage club = card_art::renderFace(Suit::Clubs, value, 1);
    const QImage spade = card_art::renderFace(Suit::Spades, value, 1);
    const FaceLayout layout = card_art::faceLayout(Suit::Clubs, value, 1);
    QCOMPARE(card_art::faceLayout(Suit::Spades, value, 1).suit, layout.suit);
    const qreal corner = strongDifference(club, spade, layout.suit);
    if (value == 7)
        qInfo("C07 and S07: %.0f%% of the corner symbol and %.0f%% of a pip differ strongly", 100 * corner,
              100 * strongDifference(club, spade, layout.body.front()));
    QVERIFY2(corner >= kDistinguishable,
             qPrintable(QStringLiteral("only %1% of the corner symbol differs").arg(100 * corner, 0, 'f', 1)));
    if (value >= 2 && value <= 10) {
        const qreal pip = strongDifference(club, spade, layout.body.front());
        QVERIFY2(pip >= kDistinguishable,
                 qPrintable(QStringLiteral("only %1% of a pip differs").arg(100 * pip, 0, 'f', 1)));
    }
    // The rank beside it is the same drawing.
    QCOMPARE(strongDifference(club, spade, layout.rank), 0.0);
}

void CardsTest::backAtEveryScale_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QSize>("size");
    for (const ScaleSize& s : kScaleSizes)
        QTest::addRow("UB0%s", s.suffix) << s.scale << s.size;
}

// The back keeps its blue lattice at every scale: blue over at least half
// the card, the deep blue ground and the light lines each over a fifth.
void CardsTest::backAtEveryScale()
{
    QFETCH(qreal, scale);
    QFETCH(QSize, size);
    const QImage back = card_art::renderBack(scale);
    QCOMPARE(back.size(), size);
    int deep = 0;
    int light = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QColor c = back.pixelColor(x, y);
            if (c.blue() > c.red() + 60 && c.blue() > c.green() + 40)
                ++(c.lightness() < 100 ? deep : light);
        }
    }
    const int area = size.width() * size.height();
    QVERIFY2(deep + light > area / 2, "the back is not mostly blue");
    QVERIFY2(deep > area / 5, "the back has lost its ground");
    QVERIFY2(light > area / 5, "the back has lost its lattice");
}

void CardsTest::writtenCards_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("suit"); // -1 for the back
    QTest::addColumn<int>("value");
    QTest::addColumn<qreal>("scale");
    for (const ScaleSize& s : kScaleSizes) {
        const QString back = QStringLiteral("gazo/UB0%1.png").arg(QLatin1String(s.suffix));
        QTest::addRow("%s", qPrintable(back)) << back << s.size << -1 << 0 << s.scale;
        for (const SuitName& suit : kSuits) {
            for (int v = 1; v <= rules::kCards; ++v) {
                const QString path = QStringLiteral("gazo/") + cardName(suit.letter, v, s.suffix) + QStringLiteral(".png");
                QTest::addRow("%s", qPrintable(path)) << path << s.size << int(suit.suit) << v << s.scale;
            }
        }
    }
}

// The build wrote every card at every scale, at its size, and as drawn now
// (a stale file would show the old design).
void CardsTest::writtenCards()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(int, suit);
    QFETCH(int, value);
    QFETCH(qreal, scale);
    QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" missing or unreadable")));
    QCOMPARE(image.size(), size);
    // Qt reads the scale from an "@2x" name; the pixels are what count here.
    image.setDevicePixelRatio(1);
    const QImage drawn = suit < 0 ? card_art::renderBack(scale) : card_art::renderFace(Suit(suit), value, scale);
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32));
}

void CardsTest::icons_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("small");
    for (const int size : {16, 22, 24, 32})
        QTest::addRow("%dpx", size) << size << true;
    for (const int size : {48, 64, 128, 256})
        QTest::addRow("%dpx", size) << size << false;
}

// Each icon file is there at its size. The small ones are the plain drawing,
// and it reads: its club and its diamond each are one solid shape at least
// as large as a square a quarter of the icon's side wide, where the fan of
// real faces at these sizes breaks into specks.
void CardsTest::icons()
{
    QFETCH(int, size);
    QFETCH(bool, small);
    const QString path = QStringLiteral(VELL_ICON_DIR "/hicolor/%1x%1/apps/" VELL_APP_ID ".png").arg(size);
    const QImage written(path);
    QVERIFY2(!written.isNull(), qPrintable(path + QStringLiteral(" missing or unreadable")));
    QCOMPARE(written.size(), QSize(size, size));
    const QImage drawn = small ? card_art::renderSmallIcon(size) : card_art::renderDetailedIcon(size);
    QCOMPARE(written.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32));
    if (!small)
        return;
    const int readable = (size / 4) * (size / 4);
    for (const QColor& ink : {QColor(0x14, 0x14, 0x1c), QColor(0xc4, 0x12, 0x2f)}) {
        const std::vector<int> plain = regionSizes(solidPixels(drawn, ink), size, size);
        QVERIFY2(!plain.empty() && plain.front() >= readable,
                 qPrintable(QStringLiteral("largest %1 shape %2 px").arg(ink.name()).arg(plain.empty() ? 0 : plain.front())));
        const std::vector<int> fan = regionSizes(solidPixels(card_art::renderDetailedIcon(size), ink), size, size);
        QVERIFY(fan.empty() || fan.front() < readable);
    }
    // And the club reads as one: its top is a round lobe more than twice as
    // wide as its stem, where a plus sign's arms or a spade's point are not.
    const std::vector<char> club = solidPixels(drawn, QColor(0x14, 0x14, 0x1c));
    std::vector<int> spans;
    for (int y = 0; y < size; ++y) {
        const auto row = club.begin() + y * size;
        const auto first = std::find(row, row + size, 1);
        const auto last = std::find(std::make_reverse_iterator(row + size), std::make_reverse_iterator(row), 1);
        if (first != row + size)
            spans.push_back(int(last.base() - first));
    }
    const auto widest = std::max_element(spans.begin(), spans.end());
    const int top = *std::max_element(spans.begin(), spans.begin() + (spans.size() + 2) / 3);
    const int stem = *std::min_element(widest, spans.end());
    QVERIFY2(top > 2 * stem, qPrintable(QStringLiteral("top %1 px, stem %2 px").arg(top).arg(stem)));
}

QTEST_MAIN(CardsTest)
#include "tst_cards.moc"
