// SPDX-License-Identifier: MIT
// Whole matches against the computer with a scripted player and known card
// orders: every round's outcome, what the table shows at each step, ties,
// and the end.
#include "fixture.h"

#include <QSet>

using namespace fixture;
using rules::Order;

Q_DECLARE_METATYPE(Order)

namespace {

struct Round {
    int club;
    const char* verdict;
    int cpu; // totals after the round
    int user;
};

// Prizes 7 1 13 4 10 2 12 5 9 3 11 6 8 against the computer's
// 5 12 1 9 3 13 7 2 11 6 4 10 8.
const Order kPrizes = {7, 1, 13, 4, 10, 2, 12, 5, 9, 3, 11, 6, 8};
const Order kSpades = {5, 12, 1, 9, 3, 13, 7, 2, 11, 6, 4, 10, 8};
const Round kScript[13] = {
    {6, "You Win", 0, 7},     {2, "You Lose", 11, 7},   {3, "You Win", 11, 20},  {8, "You Lose", 15, 20},
    {4, "You Win", 15, 30},   {10, "You Lose", 17, 30}, {13, "You Win", 17, 42}, {1, "You Lose", 22, 42},
    {12, "You Win", 22, 51},  {5, "You Lose", 25, 51},  {11, "You Win", 25, 62}, {9, "You Lose", 31, 62},
    {7, "You Lose", 39, 62},
};

QList<int> unplayed(const QSet<int>& played)
{
    QList<int> cards;
    for (int v = 1; v <= 13; ++v) {
        if (!played.contains(v))
            cards << v;
    }
    return cards;
}

// The message, whether any card can be played, whether a match command can
// be chosen, the result lines, and the computer's card on the table.
QString playState(const Table& t)
{
    return t.message() + (t.enabledCards().isEmpty() ? "|buttons off" : "|buttons on")
         + (t.commandsEnabled() ? "|commands on" : "|commands off") + (t.resultShown() ? "|result" : "") + "|"
         + t.shown("CPU_Label_open");
}

// Runs the pending steps until the player may play or the match is over,
// and gives what the table showed after each moment at which steps ran.
QStringList statesUntilPlay(Table& t)
{
    QStringList states;
    while (t.phase() != Match::Phase::WaitingForCard && t.time.runNext())
        states << playState(t);
    return states;
}

} // namespace

class MatchTest : public QObject
{
    Q_OBJECT

private slots:
    void completeMatch()
    {
        Table t;
        t.w->show();
        t.startMatch(kPrizes, kSpades);
        QSet<int> played;
        QList<int> cpuWon, userWon;
        for (int r = 0; r < 13; ++r) {
            const Round& round = kScript[r];
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            QCOMPARE(t.enabledCards(), unplayed(played));
            QCOMPARE(t.shown("Daiya_Label_open"), diamond(kPrizes[r]));
            QCOMPARE(t.message(), QString());
            QCOMPARE(t.match().Round_count, r + 1);

            t.click(round.club);
            played << round.club;
            QCOMPARE(t.message(), QStringLiteral("Card Open"));
            QCOMPARE(t.enabledCards(), QList<int>{});
            QCOMPARE(t.shown("User_Label_open"), club(round.club));
            QCOMPARE(t.shown("CPU_Label_open"), QStringLiteral("card back"));
            QCOMPARE(t.shown("User_Label_card", round.club), QString());
            QCOMPARE(t.occupied("CPU_Label_card").size(), 12 - r);
            QCOMPARE(t.shown("CPU_Label_card", r + 1), QString());
            QCOMPARE(t.match().open_count, r + 1);
            QCOMPARE(t.match().open_button[r], round.club);

            QVERIFY2(t.runUntil([&] { return t.message().startsWith("You"); }), qPrintable(t.where()));
            QCOMPARE(t.message(), QString::fromLatin1(round.verdict));
            QCOMPARE(t.shown("CPU_Label_open"), spade(kSpades[r]));
            QCOMPARE(t.shown("Daiya_Label_open"), QString());
            QCOMPARE(t.match().CPU_score, round.cpu);
            QCOMPARE(t.match().User_score, round.user);
            QCOMPARE(t.score(),
                     QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r + 1).arg(round.cpu).arg(round.user));
            (QLatin1String(round.verdict) == QLatin1String("You Win") ? userWon : cpuWon) << kPrizes[r];
            std::sort(cpuWon.begin(), cpuWon.end());
            std::sort(userWon.begin(), userWon.end());
            QCOMPARE(t.occupied("CPU_Get_Label_card"), cpuWon);
            QCOMPARE(t.occupied("User_Get_Label_card"), userWon);
            QCOMPARE(t.match().N, r + 1);
            QCOMPARE(t.enabledCards(), QList<int>{});
        }
        QCOMPARE(t.shown("Daiya_Label_back"), QString());

        QVERIFY2(t.runUntil([&] { return t.resultShown(); }), qPrintable(t.where()));
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:User=62"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:CPU=39"));
        QVERIFY(!t.label("Result_Label2")->isHidden());
        QCOMPARE(t.match().CPU_score + t.match().User_score, rules::kAllPrizePoints);
        QCOMPARE(t.phase(), Match::Phase::ShowingResult);
        // Neither command nor card can be chosen while the lines are up.
        while (t.resultShown()) {
            QVERIFY(!t.commandsEnabled());
            QCOMPARE(t.enabledCards(), QList<int>{});
            QVERIFY(t.time.runNext());
        }
        QVERIFY(t.label("Result_Label2")->isHidden());
        QVERIFY(t.commandsEnabled());
        QCOMPARE(t.phase(), Match::Phase::Idle);
        QVERIFY(!t.action("Human_vs_Computer_Action")->isChecked());
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.occupied("CPU_Label_card").size(), 13);
        QCOMPARE(t.occupied("User_Label_card").size(), 13);
        QCOMPARE(t.occupied("CPU_Get_Label_card"), QList<int>{});
        QCOMPARE(t.occupied("User_Get_Label_card"), QList<int>{});
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.w->pendingSteps(), 0);

        // A new match can start from the reset table.
        t.action("Human_vs_Computer_Action")->trigger();
        QCOMPARE(t.message(), QStringLiteral("Game Start"));
        QVERIFY(t.waitForPlay());
        QCOMPARE(t.enabledCards(), allCards());
    }

    void whatEachStepShows()
    {
        Table t;
        t.w->show();
        t.startMatch(kPrizes, kSpades);
        QVERIFY(t.waitForPlay());
        QStringList states;
        for (int r = 0; r < 13; ++r) {
            t.click(kScript[r].club);
            states << playState(t) << statesUntilPlay(t);
        }
        while (t.time.runNext())
            states << playState(t);

        // Round 1, from the click on.
        QCOMPARE(states.mid(0, 6), (QStringList{
                                       "Card Open|buttons off|commands off|card back",
                                       "|buttons off|commands off|5 of spades",        // computer's card up
                                       "You Win|buttons off|commands off|5 of spades", // judged
                                       "|buttons off|commands off|",                   // table cleared
                                       "Round2|buttons off|commands off|",             // banner, no play yet
                                       "|buttons on|commands off|",                    // prize up, play
                                   }));
        // The last round, and the end of the match: the table cleared and
        // the lines shown at one moment, the table reset under them, and
        // the commands back only once they are down.
        QCOMPARE(states.mid(states.size() - 6), (QStringList{
                                                    "Card Open|buttons off|commands off|card back",
                                                    "|buttons off|commands off|8 of spades",
                                                    "You Lose|buttons off|commands off|8 of spades",
                                                    "|buttons off|commands off|result|",
                                                    "|buttons off|commands off|result|",
                                                    "|buttons off|commands on|",
                                                }));
        QCOMPARE(states.size(), 13 * 6);
    }

    void tieInAMiddleRound()
    {
        Table t;
        t.w->show();
        // Round 1 pits the computer's 7 against whatever the player plays.
        const Order spades = {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};
        const Order prizes = {4, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        t.startMatch(prizes, spades);
        QVERIFY(t.waitForPlay());

        for (int repeat = 1; repeat <= 2; ++repeat) {
            t.click(7);
            const QStringList states = statesUntilPlay(t);
            QCOMPARE(states, (QStringList{"|buttons off|commands off|7 of spades",
                                          "This is tie|buttons off|commands off|7 of spades",
                                          "No Count|buttons off|commands off|7 of spades",
                                          "Round1|buttons off|commands off|",
                                          "|buttons on|commands off|"}));
            // The round as it was before the tied play, the tie counted.
            const Match& m = t.match();
            QCOMPARE(m.N, 0);
            QCOMPARE(m.Round_count, 1);
            QCOMPARE(m.CPU_score + m.User_score, 0);
            QCOMPARE(m.tie_count, repeat);
            QCOMPARE(t.score(), QStringLiteral("Round:1,Score:CPU=0,User=0,tie=%1").arg(repeat));
            QCOMPARE(m.open_count, 1);
            QCOMPARE(m.open_button[0], 0);
            QCOMPARE(m.tie_flag, 1);
            QCOMPARE(t.shown("Daiya_Label_open"), QStringLiteral("4 of diamonds"));
            QCOMPARE(t.occupied("CPU_Label_card"), allCards());
            QCOMPARE(t.occupied("User_Label_card"), allCards());
            QCOMPARE(t.enabledCards(), allCards());
            QCOMPARE(t.shown("CPU_Label_open"), QString());
            QCOMPARE(t.shown("User_Label_open"), QString());
            QCOMPARE(m.buf_spade, spades);
        }

        // Another card decides the round; the computer plays its 7 again.
        t.click(9);
        QCOMPARE(t.match().open_count, 1);
        QCOMPARE(t.match().open_button[0], 9);
        QVERIFY(t.runUntil([&] { return t.message() == "You Win"; }));
        QCOMPARE(t.match().User_score, 4);
        QCOMPARE(t.match().N, 1);
        QCOMPARE(t.match().tie_flag, 0);

        // The rest of the match: the highest card left that does not tie.
        QSet<int> played{9};
        while (t.match().N < 13) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            const int club = t.untiedCard();
            QVERIFY(!played.contains(club));
            played << club;
            t.click(club);
            QVERIFY(t.match().open_count <= 13);
            QVERIFY(t.runUntil([&] { return t.message().startsWith("You") || t.message() == "This is tie"; }));
        }
        QCOMPARE(t.match().open_count, 13);
        QCOMPARE(QSet<int>(t.match().open_button.begin(), t.match().open_button.begin() + 13), played);
        QCOMPARE(played.size(), 13);
        QVERIFY(t.runUntil([&] { return t.resultShown(); }));
        QCOMPARE(t.match().CPU_score + t.match().User_score, rules::kAllPrizePoints);
    }

    void tieInTheLastRound_data()
    {
        QTest::addColumn<Order>("prizes");
        QTest::addColumn<Order>("spades");
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        // The computer takes the first eight prizes, the player the next four,
        // and the ace is left over: 45 each.
        QTest::newRow("level totals") << Order{2, 3, 4, 5, 6, 7, 8, 10, 13, 12, 11, 9, 1}
                                      << Order{6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 3, 4, 5}
                                      << QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 5} << "1:CPU=45"
                                      << "1:User=45";
        // The computer wins eleven prizes, the player one, the king is left over.
        QTest::newRow("computer ahead") << Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}
                                        << Order{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 13}
                                        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << "1:CPU=76"
                                        << "2:User=12";
    }

    void tieInTheLastRound()
    {
        QFETCH(Order, prizes);
        QFETCH(Order, spades);
        QFETCH(QList<int>, clubs);
        QFETCH(QString, first);
        QFETCH(QString, second);

        Table t;
        t.w->show();
        t.startMatch(prizes, spades);
        for (int r = 0; r < 12; ++r) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            t.click(clubs[r]);
        }
        QVERIFY(t.waitForPlay());
        QCOMPARE(t.enabledCards(), QList<int>{clubs[12]});
        t.click(clubs[12]);
        QStringList states;
        while (t.time.runNext())
            states << playState(t) + "|" + t.shown("Daiya_Label_open");
        const QString prize = rules::cardName(rules::Suit::Diamonds, prizes[12]);
        QCOMPARE(states, (QStringList{
                             "|buttons off|commands off|" + rules::cardName(rules::Suit::Spades, spades[12]) + "|" + prize,
                             "This is tie|buttons off|commands off|" + rules::cardName(rules::Suit::Spades, spades[12]) + "|" + prize,
                             "No Count|buttons off|commands off|" + rules::cardName(rules::Suit::Spades, spades[12]) + "|" + prize,
                             "|buttons off|commands off||",              // the prize leaves, unawarded
                             "|buttons off|commands off|result||",       // table cleared, the result up
                             "|buttons off|commands off|result||",       // the table reset under it
                             "|buttons off|commands on||",
                         }));
        QCOMPARE(t.match().Result_text1, first);
        QCOMPARE(t.match().Result_text2, second);
        QCOMPARE(t.match().tie_count, 0);
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.w->pendingSteps(), 0);
    }

    void theLastTieLeavesThePrizeToNobody()
    {
        Table t;
        t.w->show();
        t.startMatch({2, 3, 4, 5, 6, 7, 8, 10, 13, 12, 11, 9, 1}, {6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 3, 4, 5});
        for (int club : {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 5}) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            t.click(club);
        }
        QVERIFY(t.runUntil([&] { return t.resultShown(); }));
        QCOMPARE(t.match().tie_count, 1);
        QCOMPARE(t.match().CPU_score + t.match().User_score, rules::kAllPrizePoints - 11);
        QVERIFY(!t.occupied("CPU_Get_Label_card").contains(1));
        QVERIFY(!t.occupied("User_Get_Label_card").contains(1));
        QCOMPARE(t.match().open_count, 13);
    }

    void judgingARound()
    {
        Table t;
        Vell& w = *t.w;
        t.match().buf_daiya[0] = 1;
        w.card_daiya_show(1);
        // The player's 5 against the computer's 9 for the ace.
        w.Judge_round(9, 5);
        QCOMPARE(t.message(), QStringLiteral("You Lose"));
        QCOMPARE(t.match().CPU_score, 11);
        QCOMPARE(t.shown("CPU_Get_Label_card", 1), QStringLiteral("ace of diamonds"));
        QCOMPARE(t.shown("Daiya_Label_open"), QString());
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=11,User=0,tie=0"));
        QCOMPARE(t.match().N, 1);
        QCOMPARE(t.match().tie_flag, 0);
        QCOMPARE(w.pendingSteps(), 1);

        w.card_daiya_show(t.match().buf_daiya[1]);
        w.Judge_round(6, 6);
        QCOMPARE(t.message(), QStringLiteral("This is tie"));
        QCOMPARE(t.match().N, 1);
        QCOMPARE(t.match().tie_flag, 1);
        QCOMPARE(t.match().CPU_score + t.match().User_score, 11);
        QCOMPARE(t.shown("Daiya_Label_open"), QStringLiteral("2 of diamonds"));

        w.Get_Card_Player(0);
        w.Get_Card_CPU(14);
        QCOMPARE(t.occupied("CPU_Get_Label_card"), QList<int>{1});
        QCOMPARE(t.occupied("User_Get_Label_card"), QList<int>{});
    }
};

QTEST_MAIN(MatchTest)
#include "tst_match.moc"
