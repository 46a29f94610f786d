// SPDX-License-Identifier: MIT
// The table's words: its lines and what a screen reader hears, translated.
#include "app/presenter.h"

#include <QCoreApplication>

using rules::Suit;
using rules::Verdict;

namespace presenter {

QString trVell(const char* text)
{
    return QCoreApplication::translate("Vell", text);
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

QString scoreLine(const Match::Score& score)
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "Round:%1,Score:CPU=%2,User=%3,tie=%4"))
        .arg(score.round)
        .arg(score.cpu)
        .arg(score.user)
        .arg(score.ties);
}

// The message line's own words are not translated.
QString gameStart()
{
    return QStringLiteral("Game Start");
}

QString banner(int round)
{
    return QStringLiteral("Round%1").arg(round);
}

QString cardOpen()
{
    return QStringLiteral("Card Open");
}

QString verdict(Verdict verdict)
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

QString noCount()
{
    return QStringLiteral("No Count");
}

// Unlike the game's other messages, the news of a prize left to nobody is
// translated.
QString prizeToNobody()
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "The prize goes to nobody"));
}

ResultLines resultLines(int cpu, int user)
{
    if (cpu > user)
        return {trVell(QT_TRANSLATE_NOOP("Vell", "1:CPU=%1")).arg(cpu),
                trVell(QT_TRANSLATE_NOOP("Vell", "2:User=%1")).arg(user)};
    if (user > cpu)
        return {trVell(QT_TRANSLATE_NOOP("Vell", "1:User=%1")).arg(user),
                trVell(QT_TRANSLATE_NOOP("Vell", "2:CPU=%1")).arg(cpu)};
    return {trVell(QT_TRANSLATE_NOOP("Vell", "Draw:CPU=%1")).arg(cpu),
            trVell(QT_TRANSLATE_NOOP("Vell", "Draw:User=%1")).arg(user)};
}

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

QString gameStartSpeech()
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "Game Start"));
}

QString prizeSpeech(int round, int prize)
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "Round %1, prize: %2, %3 points"))
        .arg(round)
        .arg(cardName(Suit::Diamonds, prize))
        .arg(rules::prizePoints(prize));
}

QString turnedUpSpeech(int spade, int club)
{
    const QString spadeName = cardName(Suit::Spades, spade);
    const QString clubName = cardName(Suit::Clubs, club);
    if (rules::isCard(spade) && rules::isCard(club))
        return trVell(QT_TRANSLATE_NOOP("Vell", "Computer's card: %1, your card: %2")).arg(spadeName, clubName);
    if (rules::isCard(spade))
        return trVell(QT_TRANSLATE_NOOP("Vell", "Computer's card: %1")).arg(spadeName);
    if (rules::isCard(club))
        return trVell(QT_TRANSLATE_NOOP("Vell", "Your card: %1")).arg(clubName);
    return {};
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

QString noCountSpeech()
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "No Count."));
}

QString prizeToNobodySpeech(int prize)
{
    return trVell(QT_TRANSLATE_NOOP("Vell", "The %1 goes to nobody.")).arg(cardName(Suit::Diamonds, prize));
}

QString resultSpeech(int cpu, int user)
{
    if (cpu == user)
        return trVell(QT_TRANSLATE_NOOP("Vell", "Draw: computer %1 points, you %2 points.")).arg(cpu).arg(user);
    const auto line = [](bool first, bool computer, int points) {
        const QString place = first ? trVell(QT_TRANSLATE_NOOP("Vell", "First: %1, %2 points."))
                                    : trVell(QT_TRANSLATE_NOOP("Vell", "Second: %1, %2 points."));
        return place.arg(computer ? trVell(QT_TRANSLATE_NOOP("Vell", "computer")) : trVell(QT_TRANSLATE_NOOP("Vell", "you")))
            .arg(points);
    };
    // In the order of the result lines: the winner first.
    if (user > cpu)
        return line(true, false, user) + QLatin1Char(' ') + line(false, true, cpu);
    return line(true, true, cpu) + QLatin1Char(' ') + line(false, false, user);
}

} // namespace presenter
