// SPDX-License-Identifier: MIT
// Whole matches, each walked once with a scripted player and known card
// orders, and checked three ways at every moment: what the runner tells the
// window, and when; what the table shows; and what a screen reader hears.
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "fixture.h"

#include "accessibility.h"

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

// A match as the test plays it, and what it saw: the runner's signals and
// the round sounds asked for, a line each with the step it came from
// ("Start_game_timer2 roundStarted 1"); and the table after the command,
// each click and each moment at which steps ran (the message, the card
// buttons, the match commands, the result, the computer's card).
class Walk : public Table
{
public:
    explicit Walk(const QList<int>& draws = kDraws)
        : Table(draws)
        , log(runner, clock)
    {
        sounds.heard = [this](int round) { log.note(QStringLiteral("sound %1").arg(round)); };
        afterEachMoment = [this] { look(); };
        w->show();
        g_spoken.clear();
    }

    SignalLog log;
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
        log.cause = QStringLiteral("command");
        startMatch();
        look();
        QList<int> cpuWon, userWon;
        for (int club : clubs) {
            if (!waitForPlay())
                return QTest::qFail(qPrintable("no card asked for: " + where()), __FILE__, __LINE__);
            QCOMPARE(enabledCards(), heldCards(match(), Match::Side::Clubs));
            QCOMPARE(shown("Daiya_Label_open"), diamond(match().prize()));
            const int spadesLeft = occupied("CPU_Label_card").size();
            log.cause = QStringLiteral("click");
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

    // The lines of the log from the first one that is line on, count of
    // them.
    QStringList toldFrom(const QString& line, int count) const
    {
        const qsizetype at = log.lines.indexOf(line);
        return at < 0 ? QStringList{"no " + line} : log.lines.mid(at, count);
    }

    // Each round's sound was asked for in the step of its banner, a tied
    // round's again.
    void verifySoundsAtBanners() const
    {
        QStringList banners = log.lines.filter(QStringLiteral(" roundStarted "));
        banners.replaceInStrings(QStringLiteral(" roundStarted "), QStringLiteral(" sound "));
        QCOMPARE(log.lines.filter(QStringLiteral(" sound ")), banners);
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

// Follows a whole watching match round by round and checks the table at
// each step; meanwhile runs at the start of every round. Returns the final
// totals as (computer, clubs).
QPair<int, int> followWatchingMatch(Walk& t, const rules::Order& prizes, const std::function<void(int)>& meanwhile = {})
{
    t.log.cause = QStringLiteral("command");
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
            QCOMPARE(t.occupied("CPU_Label_card", false), spadesPlayed);
            QCOMPARE(t.occupied("User_Label_card", false), clubsPlayed);

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
        QVERIFY(switchOnAccessibility());
    }

    // A match with a tie in round 2, then the watching mode on the orders
    // that match was dealt.
    void aTieThenTheWatchingMode()
    {
        Walk t;
        t.playHuman(kPlaysWithATie);
        if (QTest::currentTestFailed())
            return;

        // The start, and round 1: its sound at its banner, the club goes
        // up, the computer's 2 leaves place 1 of its face-down row and is
        // turned in the next step.
        QCOMPARE(t.log.lines.mid(0, 25), (QStringList{
            "command tableReset", "command scoreChanged 0 0:0 tie 0", "command matchStarted human",
            "Start_game_timer messageCleared",
            "Start_game_timer2 sound 1", "Start_game_timer2 roundStarted 1", "Start_game_timer2 scoreChanged 1 0:0 tie 0",
            "Start_game_timer3 messageCleared", "Start_game_timer3 prizeTurnedUp 10 false",
            "Start_game_timer3 prizeOffered 1 10", "Start_game_timer3 cardsPlayable 13",
            "click cardsPlayable 0", "click cardsPlayed 2@1 down 6@6 up",
            "Open_card_timer messageCleared", "Open_card_timer cardsRevealed 2 0",
            "Open_card_timer2 roundJudged clubs win 10 0 10", "Open_card_timer2 scoreChanged 1 0:10 tie 0",
            "Open_card_timer3 playedCardsCleared", "Open_card_timer3 messageCleared",
            "Open_card_timer4 sound 2", "Open_card_timer4 roundStarted 2", "Open_card_timer4 scoreChanged 2 0:10 tie 0",
            "Open_card_timer5 messageCleared", "Open_card_timer5 prizeTurnedUp 2 false",
            "Open_card_timer5 prizeOffered 2 2"}));
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
        QCOMPARE(t.toldFrom("click cardsPlayed 13@2 down 13@13 up", 17), (QStringList{
            "click cardsPlayed 13@2 down 13@13 up",
            "Open_card_timer messageCleared", "Open_card_timer cardsRevealed 13 0",
            "Open_card_timer2 roundJudged tie 2 0 10", "Open_card_timer2 scoreChanged 2 0:10 tie 1",
            "tie_no_count_timer noCount",
            "tie_no_count_timer2 messageCleared", "tie_no_count_timer2 playedCardsCleared",
            "tie_no_count_timer2 tiedCardsReturned 13@2 down 13@13 up",
            "tie_no_count_timer2 sound 2", "tie_no_count_timer2 roundStarted 2", "tie_no_count_timer2 scoreChanged 2 0:10 tie 1",
            "tie_no_count_timer3 messageCleared", "tie_no_count_timer3 prizeOffered 2 2", "tie_no_count_timer3 cardsPlayable 12",
            "click cardsPlayable 0", "click cardsPlayed 13@2 down 1@1 up"}));
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
        QCOMPARE(t.log.lines.mid(t.log.lines.size() - 22), (QStringList{
            "Open_card_timer4 sound 13", "Open_card_timer4 roundStarted 13", "Open_card_timer4 scoreChanged 13 40:56 tie 1",
            "Open_card_timer5 messageCleared", "Open_card_timer5 prizeTurnedUp 5 true",
            "Open_card_timer5 prizeOffered 13 5", "Open_card_timer5 cardsPlayable 1",
            "click cardsPlayable 0", "click cardsPlayed 1@13 down 11@11 up",
            "Open_card_timer messageCleared", "Open_card_timer cardsRevealed 1 0",
            "Open_card_timer2 roundJudged clubs win 5 40 61", "Open_card_timer2 scoreChanged 13 40:61 tie 1",
            "Open_card_timer3 playedCardsCleared", "Open_card_timer3 messageCleared",
            "Open_show_result_timer resultShown 40 61",
            "End_game_auto_timer tableReset", "End_game_auto_timer scoreChanged 0 0:0 tie 0",
            "Return_First_Screen_timer resultHidden", "Return_First_Screen_timer tableReset",
            "Return_First_Screen_timer scoreChanged 0 0:0 tie 0", "Return_First_Screen_timer matchEnded"}));
        t.verifySoundsAtBanners();
        QCOMPARE(t.sounds.rounds, (QList<int>{1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
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
        const qsizetype before = t.log.lines.size();
        g_spoken.clear();
        const auto [cpu, user] = followWatchingMatch(t, kPrizes);
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        QCOMPARE(cpu, 57);
        QCOMPARE(user, 44);
        QCOMPARE(t.log.lines.mid(before, 17), (QStringList{
            "command matchStarted watching",
            "watchmode_timer2 sound 1", "watchmode_timer2 roundStarted 1", "watchmode_timer2 scoreChanged 1 0:0 tie 0",
            "watchmode_timer3 messageCleared", "watchmode_timer3 prizeTurnedUp 10 false", "watchmode_timer3 prizeOffered 1 10",
            "watchmode_timer4 cardsPlayed 2@2 down 13@13 down",
            "watchmode_timer5 messageCleared", "watchmode_timer5 cardsRevealed 2 13",
            "watchmode_timer6 roundJudged clubs win 10 0 10", "watchmode_timer6 scoreChanged 1 0:10 tie 0",
            "watchmode_timer playedCardsCleared", "watchmode_timer messageCleared",
            "watchmode_timer2 sound 2", "watchmode_timer2 roundStarted 2", "watchmode_timer2 scoreChanged 2 0:10 tie 0"}));
        QCOMPARE(t.log.lines.mid(t.log.lines.size() - 7), (QStringList{
            "watchmode_timer playedCardsCleared", "watchmode_timer messageCleared",
            "Open_show_result_timer resultShown 57 44",
            "Return_First_Screen_timer resultHidden", "Return_First_Screen_timer tableReset",
            "Return_First_Screen_timer scoreChanged 0 0:0 tie 0", "Return_First_Screen_timer matchEnded"}));
        t.verifySoundsAtBanners();
        QCOMPARE(t.log.lines.mid(before).filter(" playable ").size(), 0);
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
                                      << "Draw:User=48" << "48 48"
                                      << "Draw: computer 48 points, you 48 points.";
        QTest::newRow("computer ahead") << QList<int>{13, 9, 2, 11, 4, 6, 5, 12, 7, 8, 10, 3, 1} << "1:CPU=78"
                                        << "2:User=18" << "78 18"
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
        QCOMPARE(t.toldFrom("tie_no_count_timer noCount", 8), (QStringList{
            "tie_no_count_timer noCount",
            "tie_no_count_timer2 messageCleared", "tie_no_count_timer2 playedCardsCleared",
            "tie_no_count_timer2 prizeLeftUnawarded 5",
            "Open_card_timer3 playedCardsCleared", "Open_card_timer3 messageCleared",
            "Open_show_result_timer resultShown " + result,
            "End_game_auto_timer tableReset"}));
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
        QCOMPARE(t.occupied("CPU_Label_card", false), QList<int>{});
        QCOMPARE(t.occupied("User_Label_card", false), QList<int>{});
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
