// SPDX-License-Identifier: MIT
// Whole matches against the computer with a scripted player and known card
// orders: every round's outcome, what the table shows at each step, ties,
// and the end.
#include "fixture.h"

#include <QSet>

using namespace fixture;

namespace {

struct Round {
    int club;
    const char* verdict;
    int cpu; // totals after the round
    int user;
};

// Against the deal kPrizes and kSpades.
const Round kScript[13] = {
    {6, "You Win", 0, 10},   {1, "You Lose", 2, 10},   {4, "You Win", 2, 17},   {13, "You Win", 2, 21},
    {2, "You Lose", 15, 21}, {9, "You Win", 15, 27},   {3, "You Lose", 18, 27}, {7, "You Win", 18, 35},
    {12, "You Win", 18, 44}, {5, "You Lose", 29, 44},  {10, "You Lose", 40, 44}, {8, "You Win", 40, 56},
    {11, "You Win", 40, 61},
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
        t.startMatch();
        QSet<int> played;
        QList<int> cpuWon, userWon;
        for (int r = 0; r < 13; ++r) {
            const Round& round = kScript[r];
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            QCOMPARE(t.enabledCards(), unplayed(played));
            QCOMPARE(t.shown("Daiya_Label_open"), diamond(kPrizes[r]));
            QCOMPARE(t.message(), QString());
            QCOMPARE(t.match().Round_count(), r + 1);

            t.click(round.club);
            played << round.club;
            QCOMPARE(t.message(), QStringLiteral("Card Open"));
            QCOMPARE(t.enabledCards(), QList<int>{});
            QCOMPARE(t.shown("User_Label_open"), club(round.club));
            QCOMPARE(t.shown("CPU_Label_open"), QStringLiteral("card back"));
            QCOMPARE(t.shown("User_Label_card", round.club), QString());
            QCOMPARE(t.occupied("CPU_Label_card").size(), 12 - r);
            QCOMPARE(t.shown("CPU_Label_card", r + 1), QString());
            QCOMPARE(t.match().open_count(), r + 1);
            QCOMPARE(t.match().open_button()[r], round.club);

            QVERIFY2(t.runUntil([&] { return t.message().startsWith("You"); }), qPrintable(t.where()));
            QCOMPARE(t.message(), QString::fromLatin1(round.verdict));
            QCOMPARE(t.shown("CPU_Label_open"), spade(kSpades[r]));
            QCOMPARE(t.shown("Daiya_Label_open"), QString());
            QCOMPARE(t.match().CPU_score(), round.cpu);
            QCOMPARE(t.match().User_score(), round.user);
            QCOMPARE(t.score(),
                     QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r + 1).arg(round.cpu).arg(round.user));
            (QLatin1String(round.verdict) == QLatin1String("You Win") ? userWon : cpuWon) << kPrizes[r];
            std::sort(cpuWon.begin(), cpuWon.end());
            std::sort(userWon.begin(), userWon.end());
            QCOMPARE(t.occupied("CPU_Get_Label_card"), cpuWon);
            QCOMPARE(t.occupied("User_Get_Label_card"), userWon);
            QCOMPARE(t.match().N(), r + 1);
            QCOMPARE(t.enabledCards(), QList<int>{});
        }
        QCOMPARE(t.shown("Daiya_Label_back"), QString());

        QVERIFY2(t.runUntil([&] { return t.resultShown(); }), qPrintable(t.where()));
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:User=61"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:CPU=40"));
        QVERIFY(!t.label("Result_Label2")->isHidden());
        QCOMPARE(t.match().CPU_score() + t.match().User_score(), rules::kAllPrizePoints);
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
        QCOMPARE(t.clock.pending(), 0);

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
        t.startMatch();
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
                                       "|buttons off|commands off|2 of spades",        // computer's card up
                                       "You Win|buttons off|commands off|2 of spades", // judged
                                       "|buttons off|commands off|",                   // table cleared
                                       "Round2|buttons off|commands off|",             // banner, no play yet
                                       "|buttons on|commands off|",                    // prize up, play
                                   }));
        // The last round, and the end of the match: the table cleared and
        // the lines shown at one moment, the table reset under them, and
        // the commands back only once they are down.
        QCOMPARE(states.mid(states.size() - 6), (QStringList{
                                                    "Card Open|buttons off|commands off|card back",
                                                    "|buttons off|commands off|ace of spades",
                                                    "You Win|buttons off|commands off|ace of spades",
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
        t.startMatch();
        QVERIFY(t.waitForPlay());

        // Round 1 pits the computer's 2 against whatever the player plays.
        for (int repeat = 1; repeat <= 2; ++repeat) {
            t.click(2);
            const QStringList states = statesUntilPlay(t);
            QCOMPARE(states, (QStringList{"|buttons off|commands off|2 of spades",
                                          "This is tie|buttons off|commands off|2 of spades",
                                          "No Count|buttons off|commands off|2 of spades",
                                          "Round1|buttons off|commands off|",
                                          "|buttons on|commands off|"}));
            // The round as it was before the tied play, the tie counted.
            QCOMPARE(t.score(), QStringLiteral("Round:1,Score:CPU=0,User=0,tie=%1").arg(repeat));
            QCOMPARE(t.shown("Daiya_Label_open"), QStringLiteral("10 of diamonds"));
            QCOMPARE(t.occupied("CPU_Label_card"), allCards());
            QCOMPARE(t.occupied("User_Label_card"), allCards());
            QCOMPARE(t.enabledCards(), allCards());
            QCOMPARE(t.shown("CPU_Label_open"), QString());
            QCOMPARE(t.shown("User_Label_open"), QString());
        }

        // Another card decides the round; the computer plays its 2 again.
        t.click(9);
        QVERIFY(t.runUntil([&] { return t.message() == "You Win"; }));
        QCOMPARE(t.shown("CPU_Label_open"), QStringLiteral("2 of spades"));
        QCOMPARE(t.score(), QStringLiteral("Round:1,Score:CPU=0,User=10,tie=2"));

        // The rest of the match, every card played once.
        QSet<int> played{9};
        for (int club : {1, 4, 13, 2, 6, 3, 7, 12, 5, 10, 8, 11}) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            played << club;
            t.click(club);
        }
        QCOMPARE(played.size(), 13);
        QVERIFY(t.runUntil([&] { return t.resultShown(); }));
        QCOMPARE(t.match().CPU_score() + t.match().User_score(), rules::kAllPrizePoints);
    }

    void tieInTheLastRound_data()
    {
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        // Both keep their ace for the last round, and its prize, the 5, is
        // left over.
        QTest::newRow("level totals") << QList<int>{10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1} << "1:CPU=48"
                                      << "1:User=48";
        QTest::newRow("computer ahead") << QList<int>{13, 9, 2, 11, 4, 6, 5, 12, 7, 8, 10, 3, 1} << "1:CPU=78"
                                        << "2:User=18";
    }

    void tieInTheLastRound()
    {
        QFETCH(QList<int>, clubs);
        QFETCH(QString, first);
        QFETCH(QString, second);

        Table t;
        t.w->show();
        t.startMatch();
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
        const QString prize = diamond(kPrizes[12]);
        QCOMPARE(states, (QStringList{
                             "|buttons off|commands off|ace of spades|" + prize,
                             "This is tie|buttons off|commands off|ace of spades|" + prize,
                             "No Count|buttons off|commands off|ace of spades|" + prize,
                             "|buttons off|commands off||",              // the prize leaves, unawarded
                             "|buttons off|commands off|result||",       // table cleared, the result up
                             "|buttons off|commands off|result||",       // the table reset under it
                             "|buttons off|commands on||",
                         }));
        QCOMPARE(t.match().Result_text1(), first);
        QCOMPARE(t.match().Result_text2(), second);
        QCOMPARE(t.match().tie_count(), 0);
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.clock.pending(), 0);
    }

    void theLastTieLeavesThePrizeToNobody()
    {
        Table t;
        t.w->show();
        t.startMatch();
        for (int club : {10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1}) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            t.click(club);
        }
        QVERIFY(t.runUntil([&] { return t.resultShown(); }));
        QCOMPARE(t.match().tie_count(), 1);
        QCOMPARE(t.match().CPU_score() + t.match().User_score(), rules::kAllPrizePoints - 5);
        QVERIFY(!t.occupied("CPU_Get_Label_card").contains(5));
        QVERIFY(!t.occupied("User_Get_Label_card").contains(5));
        QCOMPARE(t.match().open_count(), 13);
    }
};

QTEST_MAIN(MatchTest)
#include "tst_match.moc"
