// SPDX-License-Identifier: MIT
// The watching mode: the computer plays both hands from its fixed orders.
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "fixture.h"

#include <functional>

using namespace fixture;
using rules::Order;

namespace {

QString playState(const Table& t)
{
    return QString(t.enabledCards().isEmpty() ? "buttons off" : "buttons on")
         + (t.commandsEnabled() ? "|commands on" : "|commands off") + (t.resultShown() ? "|result" : "");
}

struct WatchRound {
    int spade;
    int club;
    bool clubsWin;
};

const WatchRound kRounds[13] = {
    {2, 13, true}, {1, 4, true},    {5, 10, true},  {7, 3, false},  {9, 1, false},   {4, 5, true},  {3, 7, true},
    {8, 2, false}, {13, 6, false}, {10, 8, false}, {11, 12, true}, {12, 9, false}, {6, 11, true},
};

QList<int> emptyPlaces(const Table& t, const char* row)
{
    QList<int> places;
    for (int v = 1; v <= 13; ++v) {
        if (t.shown(row, v).isEmpty())
            places << v;
    }
    return places;
}

// Follows a whole watching match round by round and checks the table at
// each step; `meanwhile` runs at the start of every round. Returns the final
// totals as (computer, clubs).
QPair<int, int> followWatchingMatch(Table& t, const Order& prizes, const std::function<void(int)>& meanwhile = {})
{
    t.action("Computer_vs_Computer_Action")->trigger();
    if (t.message() != QLatin1String("Game Start") || t.commandsEnabled())
        QTest::qFail("the watching mode did not start", __FILE__, __LINE__);
    QList<int> spadesPlayed, clubsPlayed;
    int cpu = 0, user = 0;
    for (int r = 1; r <= 13; ++r) {
        const WatchRound& round = kRounds[r - 1];
        const int prize = prizes[r - 1];
        [&] {
            QVERIFY2(t.runUntil([&] { return t.message() == QStringLiteral("Round%1").arg(r); }), qPrintable(t.where()));
            QCOMPARE(t.match().Round_count(), r);
            if (meanwhile)
                meanwhile(r);
            QVERIFY2(t.runUntil([&] { return !t.shown("Daiya_Label_open").isEmpty(); }), qPrintable(t.where()));
            QCOMPARE(t.shown("Daiya_Label_open"), diamond(prize));
            QCOMPARE(t.shown("Daiya_Label_back"), r == 13 ? QString() : QStringLiteral("card back"));

            // Both cards leave their places in the hands, face down.
            QVERIFY2(t.runUntil([&] { return t.shown("CPU_Label_open") == "card back"; }), qPrintable(t.where()));
            QCOMPARE(t.shown("User_Label_open"), QStringLiteral("card back"));
            spadesPlayed << round.spade;
            clubsPlayed << round.club;
            std::sort(spadesPlayed.begin(), spadesPlayed.end());
            std::sort(clubsPlayed.begin(), clubsPlayed.end());
            QCOMPARE(emptyPlaces(t, "CPU_Label_card"), spadesPlayed);
            QCOMPARE(emptyPlaces(t, "User_Label_card"), clubsPlayed);

            QVERIFY2(t.runUntil([&] { return t.shown("CPU_Label_open") != "card back"; }), qPrintable(t.where()));
            QCOMPARE(t.shown("CPU_Label_open"), spade(round.spade));
            QCOMPARE(t.shown("User_Label_open"), club(round.club));

            QVERIFY2(t.runUntil([&] { return t.message().startsWith("You"); }), qPrintable(t.where()));
            QCOMPARE(t.message(), round.clubsWin ? QStringLiteral("You Win") : QStringLiteral("You Lose"));
            (round.clubsWin ? user : cpu) += rules::prizePoints(prize);
            QCOMPARE(t.match().CPU_score(), cpu);
            QCOMPARE(t.match().User_score(), user);
            QCOMPARE(t.shown(round.clubsWin ? "User_Get_Label_card" : "CPU_Get_Label_card", prize),
                     diamond(prize));
            QCOMPARE(t.label("Score_Label")->text(),
                     QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r).arg(cpu).arg(user));
            QCOMPARE(t.shown("Daiya_Label_open"), QString());
            QCOMPARE(t.match().tie_flag(), 0);
        }();
        if (QTest::currentTestFailed())
            break;
    }
    return {cpu, user};
}

} // namespace

class WatchTest : public QObject
{
    Q_OBJECT

private slots:
    void rightAfterStartUp()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        // What the player sees of the commands and cards at every moment.
        QStringList states{t.message() + "|" + playState(t)};
        t.afterEachMoment = [&] {
            states << t.message() + "|" + playState(t);
        };
        // The dialog, the rules and the colours may be used meanwhile; the
        // mode does not notice.
        const auto [cpu, user] = followWatchingMatch(t, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, [&](int round) {
            if (round == 4) {
                t.action("Level_check_Action")->trigger();
                t.action("Help_Action")->trigger();
                t.action("Back_color_blue_Action")->trigger();
            } else if (round == 9) {
                topLevel<Level_Check>()->close();
                topLevel<Help_explain>()->close();
                t.action("Back_color_yellow_Action")->trigger();
            }
        });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cpu, 48);
        QCOMPARE(user, 53);
        QVERIFY(t.action("Computer_vs_Computer_Action")->isChecked());

        QVERIFY2(t.runUntil([&] { return !t.label("Result_Label1")->isHidden(); }), qPrintable(t.where()));
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:User=53"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:CPU=48"));
        QVERIFY2(t.runUntil([&] { return t.commandsEnabled(); }), qPrintable(t.where()));

        QVERIFY(t.label("Result_Label1")->isHidden());
        QVERIFY(!t.action("Computer_vs_Computer_Action")->isChecked());
        QCOMPARE(t.label("Score_Label")->text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(emptyPlaces(t, "CPU_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(t, "User_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(t, "CPU_Get_Label_card"), allCards());
        QCOMPARE(emptyPlaces(t, "User_Get_Label_card"), allCards());
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.clock.pending(), 0);

        // The player's buttons never came on, and neither match command could
        // be chosen before the result lines were down.
        QCOMPARE(states.filter("buttons on").size(), 0);
        QCOMPARE(states.first(), QStringLiteral("|buttons off|commands on"));
        QCOMPARE(states.at(1), QStringLiteral("Round1|buttons off|commands off"));
        QCOMPARE(states.filter("commands on"), (QStringList{states.first(), states.last()}));
        QVERIFY(states.at(states.size() - 2).endsWith("|result"));
        QCOMPARE(t.phase(), Match::Phase::Idle);
    }

    void afterAHumanMatch()
    {
        Table t;
        Vell& w = *t.w;
        w.show();
        QVERIFY2(t.playMatchOut(), qPrintable(t.where()));
        const auto [cpu, user] = followWatchingMatch(t, kPrizes);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(cpu, 57);
        QCOMPARE(user, 44);
        QVERIFY2(t.runUntil([&] { return !t.label("Result_Label1")->isHidden(); }), qPrintable(t.where()));
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:CPU=57"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:User=44"));
        QVERIFY2(t.runUntil([&] { return t.commandsEnabled(); }), qPrintable(t.where()));
        // The mode deals nothing and leaves the human match's orders alone.
        QCOMPARE(t.match().buf_daiya(), kPrizes);
        QCOMPARE(t.match().buf_spade(), kSpades);
    }
};

QTEST_MAIN(WatchTest)
#include "tst_watch.moc"
