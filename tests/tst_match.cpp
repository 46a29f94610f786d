// SPDX-License-Identifier: MIT
// Whole matches, each walked once with a scripted player and known card
// orders, and checked three ways at every moment: what the runner tells the
// window, and when; what the table shows; and what a screen reader hears.
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "fixture.h"

#include <QAccessible>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace fixture;

namespace {

// What a screen reader speaks: the notifications that appear, in order.
QStringList g_spoken;

void recordEvent(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::ObjectShow || !event->object())
        return;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(event->object());
    if (face && face->role() == QAccessible::Notification)
        g_spoken << face->text(QAccessible::Name);
}

QString cardText(const MatchRunner::Card& c)
{
    return QStringLiteral("%1@%2 %3").arg(c.card).arg(c.place).arg(c.faceUp ? "up" : "down");
}

QString verdictText(rules::Verdict v)
{
    return v == rules::Verdict::Tie ? QStringLiteral("tie")
         : v == rules::Verdict::PlayerWins ? QStringLiteral("clubs win") : QStringLiteral("spades win");
}

// A match as the test plays it, and what it saw: the runner's signals, a
// line each with its time ("3000 round 1"); and the table after the
// command, each click and each moment at which steps ran (the message, the
// card buttons, the match commands, the result, the computer's card).
class Walk : public Table
{
public:
    explicit Walk(const QList<int>& draws = kDraws)
        : Table(draws)
    {
        MatchRunner* r = &runner;
        const auto add = [this](const QString& line) { told << QStringLiteral("%1 %2").arg(time.nowMs()).arg(line); };
        QObject::connect(r, &MatchRunner::matchStarted, r, [=](Match::Kind k) { add(QStringLiteral("started %1").arg(int(k))); });
        QObject::connect(r, &MatchRunner::matchEnded, r, [=] { add("ended"); });
        QObject::connect(r, &MatchRunner::tableReset, r, [=] { add("reset"); });
        QObject::connect(r, &MatchRunner::scoreChanged, r, [=](const Match::Score& s) {
            add(QStringLiteral("score %1 %2:%3 tie %4").arg(s.round).arg(s.cpu).arg(s.user).arg(s.ties));
        });
        QObject::connect(r, &MatchRunner::messageCleared, r, [=] { add("message off"); });
        QObject::connect(r, &MatchRunner::roundStarted, r, [=](int k) { add(QStringLiteral("round %1").arg(k)); });
        QObject::connect(r, &MatchRunner::prizeTurnedUp, r, [=](int p, bool last) {
            add(QStringLiteral("prize %1%2").arg(p).arg(last ? ", pile empty" : ""));
        });
        QObject::connect(r, &MatchRunner::prizeOffered, r,
                         [=](int k, int p) { add(QStringLiteral("offered round %1 prize %2").arg(k).arg(p)); });
        QObject::connect(r, &MatchRunner::cardsPlayable, r, [=](const rules::Cards& p) {
            add(QStringLiteral("playable %1").arg(std::count(p.begin(), p.end(), true)));
        });
        QObject::connect(r, &MatchRunner::cardsPlayed, r, [=](const MatchRunner::Card& s, const MatchRunner::Card& c) {
            add("played " + cardText(s) + ", " + cardText(c));
        });
        QObject::connect(r, &MatchRunner::cardsRevealed, r,
                         [=](int s, int c) { add(QStringLiteral("revealed %1 %2").arg(s).arg(c)); });
        QObject::connect(r, &MatchRunner::roundJudged, r, [=](rules::Verdict v, int p, int cpu, int user) {
            add(QStringLiteral("judged %1, prize %2, %3:%4").arg(verdictText(v)).arg(p).arg(cpu).arg(user));
        });
        QObject::connect(r, &MatchRunner::noCount, r, [=] { add("no count"); });
        QObject::connect(r, &MatchRunner::tiedCardsReturned, r, [=](const MatchRunner::Card& s, const MatchRunner::Card& c) {
            add("returned " + cardText(s) + ", " + cardText(c));
        });
        QObject::connect(r, &MatchRunner::playedCardsCleared, r, [=] { add("cleared"); });
        QObject::connect(r, &MatchRunner::prizeLeftUnawarded, r, [=](int p) { add(QStringLiteral("unawarded %1").arg(p)); });
        QObject::connect(r, &MatchRunner::resultShown, r,
                         [=](int cpu, int user) { add(QStringLiteral("result %1:%2").arg(cpu).arg(user)); });
        QObject::connect(r, &MatchRunner::resultHidden, r, [=] { add("result hidden"); });
        afterEachMoment = [this] { look(); };
        w->show();
        g_spoken.clear();
    }

    QStringList told;
    QStringList shows;

    void look()
    {
        shows << message() + (enabledCards().isEmpty() ? "|buttons off" : "|buttons on")
                     + (commandsEnabled() ? "|commands on" : "|commands off") + (resultShown() ? "|result" : "") + "|"
                     + shown("CPU_Label_open");
    }

    // A match against the computer, the clubs one a click as soon as the
    // game asks for a card, run out to the first screen. At each card the
    // table offers the clubs the match says the player holds, under the
    // round's prize; the club goes up, the computer's card down, each
    // leaving its row; and each decided round's prize goes to the winner's
    // row.
    void playHuman(const QList<int>& clubs)
    {
        startMatch();
        look();
        QList<int> cpuWon, userWon;
        for (int club : clubs) {
            if (!waitForPlay())
                return QTest::qFail(qPrintable("no card asked for: " + where()), __FILE__, __LINE__);
            QList<int> held;
            for (int v = 1; v <= rules::kCards; ++v) {
                if (match().held(Match::Side::Clubs)[v - 1])
                    held << v;
            }
            QCOMPARE(enabledCards(), held);
            QCOMPARE(shown("Daiya_Label_open"), diamond(match().prize()));
            const int spadesLeft = occupied("CPU_Label_card").size();
            click(club);
            look();
            QCOMPARE(shown("User_Label_open"), fixture::club(club));
            QCOMPARE(shown("CPU_Label_open"), QStringLiteral("card back"));
            QCOMPARE(shown("User_Label_card", club), QString());
            QCOMPARE(occupied("CPU_Label_card").size(), spadesLeft - 1);
            const int prize = match().prize();
            if (!runUntil([this] { return phase() == Match::Phase::Judged || phase() == Match::Phase::Tie; }))
                return QTest::qFail(qPrintable("no verdict: " + where()), __FILE__, __LINE__);
            if (phase() == Match::Phase::Judged) {
                (message() == QLatin1String("You Win") ? userWon : cpuWon) << prize;
                std::sort(cpuWon.begin(), cpuWon.end());
                std::sort(userWon.begin(), userWon.end());
                QCOMPARE(occupied("CPU_Get_Label_card"), cpuWon);
                QCOMPARE(occupied("User_Get_Label_card"), userWon);
                QCOMPARE(shown("Daiya_Label_open"), QString());
            }
        }
        if (!runOut())
            QTest::qFail(qPrintable("the match did not end: " + where()), __FILE__, __LINE__);
    }

    // The lines of told from the first one that is line on, count of them.
    QStringList toldFrom(const QString& line, int count) const
    {
        const qsizetype at = told.indexOf(line);
        return at < 0 ? QStringList{"no " + line} : told.mid(at, count);
    }
};

// What a screen reader hears of a human match dealt kPrizes and kSpades.
QStringList heard(const QList<int>& clubs, const QString& result)
{
    QStringList expected{"Game Start"};
    int cpu = 0, user = 0, round = 1;
    for (int c : clubs) {
        const int prize = kPrizes[round - 1];
        expected << QStringLiteral("Round %1, prize: %2, %3 points").arg(round).arg(diamond(prize)).arg(rules::prizePoints(prize))
                 << "Your card: " + club(c) << "Computer's card: " + spade(kSpades[round - 1]);
        if (c == kSpades[round - 1]) {
            expected << "This is tie." << "No Count.";
            continue;
        }
        const bool won = c > kSpades[round - 1];
        (won ? user : cpu) += rules::prizePoints(prize);
        expected << QStringLiteral("%1 Score: computer %2, you %3.").arg(won ? "You Win." : "You Lose.").arg(cpu).arg(user);
        ++round;
    }
    return expected << result;
}

// The watching mode's two orders, and which side each round goes to.
struct WatchRound {
    int spade;
    int club;
    bool clubsWin;
};

const WatchRound kWatchRounds[13] = {
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
// each step; meanwhile runs at the start of every round. Returns the final
// totals as (computer, clubs).
QPair<int, int> followWatchingMatch(Walk& t, const rules::Order& prizes, const std::function<void(int)>& meanwhile = {})
{
    t.action("Computer_vs_Computer_Action")->trigger();
    t.look();
    if (t.message() != QLatin1String("Game Start") || t.commandsEnabled())
        QTest::qFail("the watching mode did not start", __FILE__, __LINE__);
    QList<int> spadesPlayed, clubsPlayed;
    int cpu = 0, user = 0;
    for (int r = 1; r <= 13; ++r) {
        const WatchRound& round = kWatchRounds[r - 1];
        const int prize = prizes[r - 1];
        [&] {
            QVERIFY2(t.runUntil([&] { return t.message() == QStringLiteral("Round%1").arg(r); }), qPrintable(t.where()));
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
            QCOMPARE(t.shown(round.clubsWin ? "User_Get_Label_card" : "CPU_Get_Label_card", prize), diamond(prize));
            QCOMPARE(t.score(), QStringLiteral("Round:%1,Score:CPU=%2,User=%3,tie=0").arg(r).arg(cpu).arg(user));
            QCOMPARE(t.shown("Daiya_Label_open"), QString());
        }();
        if (QTest::currentTestFailed())
            break;
    }
    return {cpu, user};
}

} // namespace

class MatchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(recordEvent);
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
    }

    // A match with a tie in round 2, then the watching mode on the orders
    // that match was dealt.
    void aTieThenTheWatchingMode()
    {
        Walk t;
        t.playHuman(kPlaysWithATie);
        if (QTest::currentTestFailed())
            return;

        // The start, and round 1: the club goes up, the computer's 2 leaves
        // place 1 of its face-down row and is turned 3000 ms later.
        QCOMPARE(t.told.mid(0, 23), (QStringList{
            "0 reset", "0 score 0 0:0 tie 0", "0 started 1",
            "1500 message off",
            "3000 round 1", "3000 score 1 0:0 tie 0",
            "6000 message off", "6000 prize 10", "6000 offered round 1 prize 10", "6000 playable 13",
            "6000 playable 0", "6000 played 2@1 down, 6@6 up",
            "9000 message off", "9000 revealed 2 0",
            "10500 judged clubs win, prize 10, 0:10", "10500 score 1 0:10 tie 0",
            "12000 cleared", "12000 message off",
            "13500 round 2", "13500 score 2 0:10 tie 0",
            "16500 message off", "16500 prize 2", "16500 offered round 2 prize 2"}));
        QCOMPARE(t.shows.mid(0, 8), (QStringList{
            "Game Start|buttons off|commands off|",
            "|buttons off|commands off|",
            "Round1|buttons off|commands off|",
            "|buttons on|commands off|",                    // prize up: play
            "Card Open|buttons off|commands off|card back",
            "|buttons off|commands off|2 of spades",        // computer's card up
            "You Win|buttons off|commands off|2 of spades", // judged
            "|buttons off|commands off|"}));                // table cleared
        // Round 2 tied: "No Count", both cards back in their places, the
        // same banner and the same prize offered again, the 13 among the
        // cards to play.
        QCOMPARE(t.toldFrom("16500 played 13@2 down, 13@13 up", 16), (QStringList{
            "16500 played 13@2 down, 13@13 up",
            "19500 message off", "19500 revealed 13 0",
            "21000 judged tie, prize 2, 0:10", "21000 score 2 0:10 tie 1",
            "22500 no count",
            "24000 message off", "24000 cleared", "24000 returned 13@2 down, 13@13 up",
            "24000 round 2", "24000 score 2 0:10 tie 1",
            "25500 message off", "25500 offered round 2 prize 2", "25500 playable 12",
            "25500 playable 0", "25500 played 13@2 down, 1@1 up"}));
        QCOMPARE(t.shows.mid(10, 7), (QStringList{
            "Card Open|buttons off|commands off|card back",
            "|buttons off|commands off|king of spades",
            "This is tie|buttons off|commands off|king of spades",
            "No Count|buttons off|commands off|king of spades",
            "Round2|buttons off|commands off|",
            "|buttons on|commands off|",
            "Card Open|buttons off|commands off|card back"}));
        // The last round, its prize emptying the pile, and the end: the
        // result over the cleared table, the table reset beneath it, and
        // only then the match over and the commands back.
        QCOMPARE(t.told.mid(t.told.size() - 21), (QStringList{
            "138000 round 13", "138000 score 13 40:56 tie 1",
            "141000 message off", "141000 prize 5, pile empty", "141000 offered round 13 prize 5", "141000 playable 1",
            "141000 playable 0", "141000 played 1@13 down, 11@11 up",
            "144000 message off", "144000 revealed 1 0",
            "145500 judged clubs win, prize 5, 40:61", "145500 score 13 40:61 tie 1",
            "147000 cleared", "147000 message off", "147000 result 40:61",
            "148500 reset", "148500 score 0 0:0 tie 0",
            "150500 result hidden", "150500 reset", "150500 score 0 0:0 tie 0", "150500 ended"}));
        QCOMPARE(t.shows.mid(t.shows.size() - 6), (QStringList{
            "Card Open|buttons off|commands off|card back",
            "|buttons off|commands off|ace of spades",
            "You Win|buttons off|commands off|ace of spades",
            "|buttons off|commands off|result|",
            "|buttons off|commands off|result|",
            "|buttons off|commands on|"}));
        QCOMPARE(t.shows.size(), 4 + kPlaysWithATie.size() * 6);
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:User=61"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:CPU=40"));
        QCOMPARE(g_spoken, heard(kPlaysWithATie, "First: you, 61 points. Second: computer, 40 points."));
        // Back at the first screen.
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(t.occupied("CPU_Label_card").size(), 13);
        QCOMPARE(t.occupied("User_Label_card").size(), 13);
        QCOMPARE(t.occupied("CPU_Get_Label_card"), QList<int>{});
        QCOMPARE(t.occupied("User_Get_Label_card"), QList<int>{});
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QVERIFY(!t.action("Human_vs_Computer_Action")->isChecked());

        // The watching mode plays the prizes as that match dealt them, its
        // two hands face down, then both turned up; the player's cards are
        // never asked for, and it deals nothing.
        const qsizetype before = t.told.size();
        g_spoken.clear();
        const auto [cpu, user] = followWatchingMatch(t, kPrizes);
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        QCOMPARE(cpu, 57);
        QCOMPARE(user, 44);
        const auto at = [](qint64 ms) { return QString::number(150500 + ms) + QLatin1Char(' '); };
        QCOMPARE(t.told.mid(before, 14), (QStringList{
            at(0) + "started 2",
            at(1500) + "round 1", at(1500) + "score 1 0:0 tie 0",
            at(4700) + "message off", at(4700) + "prize 10", at(4700) + "offered round 1 prize 10",
            at(6200) + "played 2@2 down, 13@13 down",
            at(7700) + "message off", at(7700) + "revealed 2 13",
            at(9200) + "judged clubs win, prize 10, 0:10", at(9200) + "score 1 0:10 tie 0",
            at(10700) + "cleared", at(10700) + "message off",
            at(12200) + "round 2"}));
        QCOMPARE(t.told.mid(t.told.size() - 7), (QStringList{
            at(139100) + "cleared", at(139100) + "message off", at(139100) + "result 57:44",
            at(142600) + "result hidden", at(142600) + "reset", at(142600) + "score 0 0:0 tie 0",
            at(142600) + "ended"}));
        QCOMPARE(t.told.mid(before).filter(" playable ").size(), 0);
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:CPU=57"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:User=44"));
        QCOMPARE(t.match().buf_daiya(), kPrizes);
        QCOMPARE(t.match().buf_spade(), kSpades);
        QCOMPARE(g_spoken.size(), 1 + 13 * 3 + 1);
        QCOMPARE(g_spoken.mid(0, 4), (QStringList{"Game Start", "Round 1, prize: 10 of diamonds, 10 points",
                                                  "Computer's card: 2 of spades, your card: king of clubs",
                                                  "You Win. Score: computer 0, you 10."}));
        QCOMPARE(g_spoken.last(), QStringLiteral("First: computer, 57 points. Second: you, 44 points."));
    }

    void tieInTheLastRound_data()
    {
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("heard");
        // Both keep their ace for the last round, and its prize, the 5, is
        // left over.
        QTest::newRow("level totals") << QList<int>{10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1} << "Draw:CPU=48"
                                      << "Draw:User=48" << "result 48:48"
                                      << "Draw: computer 48 points, you 48 points.";
        QTest::newRow("computer ahead") << QList<int>{13, 9, 2, 11, 4, 6, 5, 12, 7, 8, 10, 3, 1} << "1:CPU=78"
                                        << "2:User=18" << "result 78:18"
                                        << "First: computer, 78 points. Second: you, 18 points.";
    }

    void tieInTheLastRound()
    {
        QFETCH(QList<int>, clubs);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, result);
        QFETCH(QString, heard);
        Walk t;
        t.playHuman(clubs);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(t.shows.mid(t.shows.size() - 8), (QStringList{
            "Card Open|buttons off|commands off|card back",
            "|buttons off|commands off|ace of spades",
            "This is tie|buttons off|commands off|ace of spades",
            "No Count|buttons off|commands off|ace of spades",
            "The prize goes to nobody|buttons off|commands off|",
            "|buttons off|commands off|result|", // table cleared, the result up
            "|buttons off|commands off|result|", // the table reset under it
            "|buttons off|commands on|"}));
        QCOMPARE(t.toldFrom("138000 no count", 8), (QStringList{
            "138000 no count",
            "139500 message off", "139500 cleared", "139500 unawarded 5",
            "141000 cleared", "141000 message off", "141000 " + result,
            "142500 reset"}));
        QCOMPARE(t.label("Result_Label1")->text(), first);
        QCOMPARE(t.label("Result_Label2")->text(), second);
        QCOMPARE(g_spoken.mid(g_spoken.size() - 6), (QStringList{"Your card: ace of clubs", "Computer's card: ace of spades",
                                                                 "This is tie.", "No Count.",
                                                                 "The 5 of diamonds goes to nobody.", heard}));
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.clock.pending(), 0);
    }

    // The watching mode right after start-up: the dialog, the rules and
    // the colours are used meanwhile, and the mode does not notice; the
    // player's buttons never come on, and neither match command can be
    // chosen before the result lines are down.
    void watchingRightAfterStartUp()
    {
        Walk t;
        const auto [cpu, user] =
            followWatchingMatch(t, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, [&](int round) {
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
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        QCOMPARE(t.label("Result_Label1")->text(), QStringLiteral("1:User=53"));
        QCOMPARE(t.label("Result_Label2")->text(), QStringLiteral("2:CPU=48"));
        QVERIFY(t.label("Result_Label1")->isHidden());
        QVERIFY(!t.action("Computer_vs_Computer_Action")->isChecked());
        QCOMPARE(t.score(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(emptyPlaces(t, "CPU_Label_card"), QList<int>{});
        QCOMPARE(emptyPlaces(t, "User_Label_card"), QList<int>{});
        QCOMPARE(t.shown("Daiya_Label_back"), QStringLiteral("card back"));
        QCOMPARE(t.shows.filter("buttons on").size(), 0);
        QCOMPARE(t.shows.at(1), QStringLiteral("Round1|buttons off|commands off|"));
        QCOMPARE(t.shows.filter("commands on"), QStringList{t.shows.last()});
        QVERIFY(t.shows.at(t.shows.size() - 2).contains("|result"));
        QCOMPARE(g_spoken.last(), QStringLiteral("First: you, 53 points. Second: computer, 48 points."));
    }
};

QTEST_MAIN(MatchTest)
#include "tst_match.moc"
