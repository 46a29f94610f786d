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

QString verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::ComputerWins:
        return QStringLiteral("You Lose");
    case Verdict::PlayerWins:
        return QStringLiteral("You Win");
    case Verdict::Tie:
        break;
    }
    return QStringLiteral("This is tie");
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

namespace {

QString rankName(int v)
{
    switch (v) {
    case 1:
        return trVell(QT_TRANSLATE_NOOP("Vell", "ace"));
    case 11:
        return trVell(QT_TRANSLATE_NOOP("Vell", "jack"));
    case 12:
        return trVell(QT_TRANSLATE_NOOP("Vell", "queen"));
    case 13:
        return trVell(QT_TRANSLATE_NOOP("Vell", "king"));
    default:
        return QString::number(v);
    }
}

} // namespace

QString cardName(Suit suit, int v)
{
    switch (suit) {
    case Suit::Diamonds:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of diamonds")).arg(rankName(v));
    case Suit::Spades:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of spades")).arg(rankName(v));
    case Suit::Clubs:
        return trVell(QT_TRANSLATE_NOOP("Vell", "%1 of clubs")).arg(rankName(v));
    }
    return {};
}

QString prizeSpeech(int round, int prize)
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "Round %1, prize: %2, %3 points"))
        .arg(round)
        .arg(cardName(Suit::Diamonds, prize))
        .arg(prizePoints(prize));
}

QString verdictSpeech(Verdict verdict, int cpu, int user)
{
    const QString score = trVell(QT_TRANSLATE_NOOP("Vell", "Score: computer %1, you %2.")).arg(cpu).arg(user);
    switch (verdict) {
    case Verdict::PlayerWins:
        return trVell(QT_TRANSLATE_NOOP("Vell", "You Win.")) + QLatin1Char(' ') + score;
    case Verdict::ComputerWins:
        return trVell(QT_TRANSLATE_NOOP("Vell", "You Lose.")) + QLatin1Char(' ') + score;
    case Verdict::Tie:
        break;
    }
    return trVell(QT_TRANSLATE_NOOP("Vell", "This is tie."));
}

QString resultSpeech(int cpu, int user)
{
    const auto line = [](bool first, bool computer, int points) {
        const QString place = first ? trVell(QT_TRANSLATE_NOOP("Vell", "First: %1, %2 points."))
                                    : trVell(QT_TRANSLATE_NOOP("Vell", "Second: %1, %2 points."));
        return place.arg(computer ? trVell(QT_TRANSLATE_NOOP("Vell", "computer")) : trVell(QT_TRANSLATE_NOOP("Vell", "you")))
            .arg(points);
    };
    // In the order of the result lines: the winner first, the computer first
    // at equal totals.
    if (user > cpu)
        return line(true, false, user) + QLatin1Char(' ') + line(false, true, cpu);
    return line(true, true, cpu) + QLatin1Char(' ') + line(cpu == user, false, user);
}

} // namespace rules
