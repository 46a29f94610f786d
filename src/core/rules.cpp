// SPDX-License-Identifier: MIT
#include "rules.h"

#include <QCoreApplication>

namespace rules {

namespace {

// Texts of the window live in the window's translation context.
QString trVell(const char* text)
{
    return QCoreApplication::translate("Vell", text);
}

bool isPosition(int p) { return p >= 0 && p < kCards; }

} // namespace

void shufflePass(Order& order, const Draw& draw)
{
    for (std::size_t i = 0; i < draw.size(); ++i) {
        for (std::size_t j = i + 1; j < draw.size(); ++j) {
            const int a = draw[i];
            const int b = draw[j];
            if (a != b && isPosition(a) && isPosition(b))
                std::swap(order[a], order[b]);
        }
    }
}

int prizePoints(int v)
{
    if (!isCard(v))
        return 0;
    return v == 1 ? 11 : v;
}

Verdict judge(int x, int y)
{
    if (x > y)
        return Verdict::ComputerWins;
    if (x < y)
        return Verdict::PlayerWins;
    return Verdict::Tie;
}

QString scoreLine(int round, int cpu, int user, int ties)
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "Round:%1,Score:CPU=%2,User=%3,tie=%4"))
        .arg(round)
        .arg(cpu)
        .arg(user)
        .arg(ties);
}

QString bannerText(int round)
{
    return QStringLiteral("Round%1").arg(round);
}

ResultLines resultLines(int cpu, int user)
{
    const QString cpuFirst = trVell(QT_TRANSLATE_NOOP("Vell", "1:CPU=%1")).arg(cpu);
    if (cpu > user)
        return {cpuFirst, trVell(QT_TRANSLATE_NOOP("Vell", "2:User=%1")).arg(user)};
    if (user > cpu)
        return {trVell(QT_TRANSLATE_NOOP("Vell", "1:User=%1")).arg(user),
                trVell(QT_TRANSLATE_NOOP("Vell", "2:CPU=%1")).arg(cpu)};
    return {cpuFirst, trVell(QT_TRANSLATE_NOOP("Vell", "1:User=%1")).arg(user)};
}

QString cardImagePath(Suit suit, int v)
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

QString cardName(Suit suit, int v)
{
    switch (suit) {
    case Suit::Diamonds:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of diamonds")).arg(v);
    case Suit::Spades:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of spades")).arg(v);
    case Suit::Clubs:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of clubs")).arg(v);
    }
    return {};
}

} // namespace rules
