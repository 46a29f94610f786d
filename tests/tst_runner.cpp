// SPDX-License-Identifier: MIT
// Whole matches of both kinds played by the runner alone, without a window:
// every step at its time, what the view is told and when, and calls that
// come out of turn.
#include "core_fixture.h"

using namespace fixture;
using Phase = Match::Phase;

Q_DECLARE_METATYPE(Match::Kind)

namespace {

QString cardText(const MatchRunner::Card& c)
{
    return QStringLiteral("%1@%2 %3").arg(c.card).arg(c.place).arg(c.faceUp ? "up" : "down");
}

// What the view is told, a line a signal, with its time: "3000 message Round1".
class ViewLog
{
public:
    explicit ViewLog(Game& g)
    {
        MatchRunner* r = &g.runner;
        const auto add = [this, &g](const QString& line) {
            lines << QStringLiteral("%1 %2").arg(g.time.nowMs()).arg(line);
        };
        QObject::connect(r, &MatchRunner::matchStarted, r, [=](Match::Kind k) { add(QStringLiteral("started %1").arg(int(k))); });
        QObject::connect(r, &MatchRunner::matchEnded, r, [=] { add("ended"); });
        QObject::connect(r, &MatchRunner::tableReset, r, [=] { add("reset"); });
        QObject::connect(r, &MatchRunner::scoreChanged, r, [=](const QString& s) { add("score " + s); });
        QObject::connect(r, &MatchRunner::messageChanged, r, [=](const QString& s) { add("message " + s); });
        QObject::connect(r, &MatchRunner::roundStarted, r, [=](int k) { add(QStringLiteral("sound %1").arg(k)); });
        QObject::connect(r, &MatchRunner::prizeTurnedUp, r, [=](int p, bool last) {
            add(QStringLiteral("prize %1%2").arg(p).arg(last ? ", pile empty" : ""));
        });
        QObject::connect(r, &MatchRunner::prizeOffered, r,
                         [=](int k, int p) { add(QStringLiteral("offered round %1 prize %2").arg(k).arg(p)); });
        QObject::connect(r, &MatchRunner::cardsPlayable, r, [=](const MatchRunner::Playable& p) {
            add(QStringLiteral("playable %1").arg(std::count(p.begin(), p.end(), true)));
        });
        QObject::connect(r, &MatchRunner::cardsPlayed, r, [=](const MatchRunner::Card& s, const MatchRunner::Card& c) {
            add("played " + cardText(s) + ", " + cardText(c));
        });
        QObject::connect(r, &MatchRunner::cardsRevealed, r,
                         [=](int s, int c) { add(QStringLiteral("revealed %1 %2").arg(s).arg(c)); });
        QObject::connect(r, &MatchRunner::roundJudged, r, [=](rules::Verdict v, int p, int cpu, int user) {
            add(QStringLiteral("judged %1, prize %2, %3:%4").arg(rules::verdictText(v)).arg(p).arg(cpu).arg(user));
        });
        QObject::connect(r, &MatchRunner::noCount, r, [=] { add("no count"); });
        QObject::connect(r, &MatchRunner::tiedCardsReturned, r, [=](const MatchRunner::Card& s, const MatchRunner::Card& c) {
            add("returned " + cardText(s) + ", " + cardText(c));
        });
        QObject::connect(r, &MatchRunner::playedCardsCleared, r, [=] { add("cleared"); });
        QObject::connect(r, &MatchRunner::prizeLeftUnawarded, r, [=] { add("unawarded"); });
        QObject::connect(r, &MatchRunner::resultShown, r,
                         [=](const QString& a, const QString& b, int, int) { add("result " + a + " " + b); });
        QObject::connect(r, &MatchRunner::resultHidden, r, [=] { add("result hidden"); });
    }

    QStringList lines;
};

// Plays a match of the given kind to its end, the clubs one a click, each
// after a pause that differs from round to round; returns the steps and
// the clicks with their delays.
schedule::Steps play(Game& g, Match::Kind kind, const QList<int>& clubs, int pauseMs = 0)
{
    QList<RanStep> inputs{{"command", g.time.nowMs()}};
    if (!g.runner.start(kind))
        QTest::qFail("the match did not start", __FILE__, __LINE__);
    for (int i = 0; i < clubs.size(); ++i) {
        if (!g.waitForPlay())
            QTest::qFail(qPrintable("no card asked for: " + g.where()), __FILE__, __LINE__);
        g.time.advance(i * pauseMs % 900);
        inputs.append({"click", g.time.nowMs()});
        if (!g.runner.play(clubs[i]))
            QTest::qFail(qPrintable(QStringLiteral("club %1 refused: ").arg(clubs[i]) + g.where()), __FILE__, __LINE__);
    }
    g.runOut();
    // Steps and clicks in the order of their times; a step due at the
    // moment of a click ran before it.
    QList<RanStep> all = inputs;
    for (const RanStep& step : g.steps) {
        if (step.atMs < inputs.first().atMs)
            continue;
        auto at = std::lower_bound(all.begin(), all.end(), step.atMs,
                                   [](const RanStep& e, qint64 ms) { return e.atMs < ms; });
        while (at != all.end() && at->atMs == step.atMs && at->name != QLatin1String("click"))
            ++at;
        all.insert(at, step);
    }
    schedule::Steps ran;
    for (int i = 0; i < all.size(); ++i)
        ran.append({all[i].name.toLatin1(), i == 0 ? 0 : all[i].atMs - all[i - 1].atMs});
    return ran;
}

QString describe(const schedule::Steps& s)
{
    QStringList lines;
    for (const schedule::Step& e : s)
        lines << QStringLiteral("%1 +%2").arg(QLatin1String(e.name)).arg(e.delayMs);
    return lines.join(QLatin1Char('\n'));
}

// The match as a line: what a verb called out of turn must leave as it was.
QString state(const Match& m)
{
    QStringList s{m.Score_text(), m.Result_text1(), QString::number(int(m.phase())), QString::number(int(m.kind()))};
    for (int v : m.buf_daiya())
        s << QString::number(v);
    for (int v : m.buf_spade())
        s << QString::number(v);
    for (int v : {m.N(), m.Round_count(), m.tie_flag(), m.open_count(), m.spadePlayed()})
        s << QString::number(v);
    for (int v : m.open_button())
        s << QString::number(v);
    return s.join(QLatin1Char(' '));
}

// Each verb of the match, and whether the match may take it as it stands.
struct Verb {
    const char* name;
    std::function<bool(const Match&)> inTurn;
    std::function<bool(Match&)> call;
};

int unplayedClub(const Match& m)
{
    const auto playable = m.playableCards();
    return int(std::find(playable.begin(), playable.end(), true) - playable.begin()) + 1;
}

const QList<Verb> kVerbs = {
    {"begin", [](const Match& m) { return m.phase() == Phase::Idle; }, [](Match& m) { return m.begin(Match::Kind::Human); }},
    {"startRound", [](const Match& m) { return m.phase() == Phase::Starting || (m.phase() == Phase::Judged && !m.roundsOver()); },
     [](Match& m) { return m.startRound(); }},
    {"openPrize", [](const Match& m) { return m.phase() == Phase::RoundStarting; }, [](Match& m) { return m.openPrize() != 0; }},
    {"play", [](const Match& m) { return m.phase() == Phase::WaitingForCard; },
     [](Match& m) { return m.play(1, unplayedClub(m)); }},
    {"judge", [](const Match& m) { return m.phase() == Phase::Revealing; }, [](Match& m) { return m.judge().has_value(); }},
    {"replayTiedRound", [](const Match& m) { return m.phase() == Phase::Tie && !m.tieCannotBeReplayed(); },
     [](Match& m) { return m.replayTiedRound(); }},
    {"leaveLastPrizeUnawarded", [](const Match& m) { return m.tieCannotBeReplayed(); },
     [](Match& m) { return m.leaveLastPrizeUnawarded(); }},
    {"showResult", [](const Match& m) { return m.phase() == Phase::Judged && m.roundsOver(); },
     [](Match& m) { return m.showResult(); }},
    {"endRounds", [](const Match& m) { return m.phase() == Phase::ShowingResult; }, [](Match& m) { return m.endRounds(); }},
    {"finish", [](const Match& m) { return m.phase() == Phase::ShowingResult || m.phase() == Phase::Resetting; },
     [](Match& m) { return m.finish(); }},
};

} // namespace

class RunnerTest : public QObject
{
    Q_OBJECT

private slots:
    // Every step of a whole match, by name, to the millisecond: a match
    // with a tie and a player who takes a while to choose (each delay
    // counts from the card), ties in the last round, repeated ties, the
    // watching mode.
    void schedules_data()
    {
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<Match::Kind>("kind");
        QTest::addColumn<QList<int>>("clubs");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("result");
        QTest::newRow("a tie in round 2") << kDraws << Match::Kind::Human << kPlaysWithATie << 337 << 1.0
                                          << "1:User=61 2:CPU=40";
        // Each keeps club 1 for the computer's last card, the ace: the last
        // prize, the 5, goes to nobody.
        QTest::newRow("the last round tied, level")
            << kDraws << Match::Kind::Human << QList<int>{10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1} << 0 << 1.0
            << "1:CPU=48 1:User=48";
        QTest::newRow("the last round tied, the computer ahead")
            << kDraws << Match::Kind::Human << QList<int>{13, 9, 2, 11, 4, 6, 5, 12, 7, 8, 10, 3, 1} << 0 << 1.0
            << "1:CPU=78 2:User=18";
        QTest::newRow("ties again and again") << kInOrder << Match::Kind::Human
                                              << QList<int>{1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1} << 0
                                              << 1.0 << "1:User=88 2:CPU=13";
        QTest::newRow("watching") << kDraws << Match::Kind::Watching << QList<int>{} << 0 << 1.0 << "1:User=53 2:CPU=48";
        QTest::newRow("watching at half the time")
            << kInOrder << Match::Kind::Watching << QList<int>{} << 0 << 0.5 << "1:User=53 2:CPU=48";
    }

    void schedules()
    {
        QFETCH(QList<int>, draws);
        QFETCH(Match::Kind, kind);
        QFETCH(QList<int>, clubs);
        QFETCH(int, pauseMs);
        QFETCH(double, scale);
        QFETCH(QString, result);
        Game g(draws);
        QVERIFY(g.clock.setScale(scale));
        QStringList lines;
        QObject::connect(&g.runner, &MatchRunner::resultShown, &g.runner,
                         [&](const QString& first, const QString& second) { lines << first << second; });
        const schedule::Steps ran = play(g, kind, clubs, pauseMs);

        schedule::Steps expected =
            kind == Match::Kind::Human ? schedule::humanMatch(g.match().buf_spade(), clubs) : schedule::watchingMatch();
        for (int i = 0, click = 0; i < expected.size(); ++i) {
            expected[i].delayMs = qRound64(expected[i].delayMs * scale);
            if (expected[i].name == "click")
                expected[i].delayMs += click++ * pauseMs % 900;
        }
        QCOMPARE(describe(ran), describe(expected));
        QCOMPARE(lines.join(QLatin1Char(' ')), result);
        QCOMPARE(g.phase(), Phase::Idle);
        QCOMPARE(g.match().Score_text(), QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"));
        QCOMPARE(g.clock.pending(), 0);
    }

    // What the view is told, and when: a match with a tie, then the
    // watching mode on the orders that match was dealt.
    void whatTheViewIsTold()
    {
        Game g;
        ViewLog log(g);
        play(g, Match::Kind::Human, kPlaysWithATie);
        // The start, and round 1: the club goes up, the computer's 2 leaves
        // place 1 of its face-down row and is turned 3000 ms later.
        QCOMPARE(log.lines.mid(0, 28).join(QLatin1Char('\n')), QStringList({
            "0 reset", "0 score Round:0,Score:CPU=0,User=0,tie=0", "0 message Game Start", "0 started 1",
            "1500 message ",
            "3000 message Round1", "3000 score Round:1,Score:CPU=0,User=0,tie=0", "3000 sound 1",
            "6000 message ", "6000 prize 10", "6000 offered round 1 prize 10", "6000 playable 13",
            "6000 playable 0", "6000 played 2@1 down, 6@6 up", "6000 message Card Open",
            "9000 message ", "9000 revealed 2 0",
            "10500 message You Win", "10500 score Round:1,Score:CPU=0,User=10,tie=0",
            "10500 judged You Win, prize 10, 0:10",
            "12000 cleared", "12000 message ",
            "13500 message Round2", "13500 score Round:2,Score:CPU=0,User=10,tie=0", "13500 sound 2",
            "16500 message ", "16500 prize 2", "16500 offered round 2 prize 2"}).join(QLatin1Char('\n')));
        // Round 2 tied: "No Count", both cards back in their places, the
        // same banner and sound, and the same prize offered again, the 13
        // among the cards to play.
        const qsizetype tie = log.lines.indexOf("16500 played 13@2 down, 13@13 up");
        QVERIFY(tie > 0);
        QCOMPARE(log.lines.mid(tie + 1, 20).join(QLatin1Char('\n')), QStringList({
            "16500 message Card Open",
            "19500 message ", "19500 revealed 13 0",
            "21000 message This is tie", "21000 score Round:2,Score:CPU=0,User=10,tie=1",
            "21000 judged This is tie, prize 2, 0:10",
            "22500 message No Count", "22500 no count",
            "24000 message ", "24000 cleared", "24000 returned 13@2 down, 13@13 up",
            "24000 message Round2", "24000 score Round:2,Score:CPU=0,User=10,tie=1", "24000 sound 2",
            "25500 message ", "25500 offered round 2 prize 2", "25500 playable 12",
            "25500 playable 0", "25500 played 13@2 down, 1@1 up", "25500 message Card Open"}).join(QLatin1Char('\n')));
        // The last round, its prize emptying the pile, and the end: the
        // result over the cleared table, the table reset beneath it, and
        // only then the match over.
        QCOMPARE(log.lines.mid(log.lines.size() - 24).join(QLatin1Char('\n')), QStringList({
            "138000 message Round13", "138000 score Round:13,Score:CPU=40,User=56,tie=1", "138000 sound 13",
            "141000 message ", "141000 prize 5, pile empty", "141000 offered round 13 prize 5", "141000 playable 1",
            "141000 playable 0", "141000 played 1@13 down, 11@11 up", "141000 message Card Open",
            "144000 message ", "144000 revealed 1 0",
            "145500 message You Win", "145500 score Round:13,Score:CPU=40,User=61,tie=1",
            "145500 judged You Win, prize 5, 40:61",
            "147000 cleared", "147000 message ", "147000 result 1:User=61 2:CPU=40",
            "148500 reset", "148500 score Round:0,Score:CPU=0,User=0,tie=0",
            "150500 result hidden", "150500 reset", "150500 score Round:0,Score:CPU=0,User=0,tie=0",
            "150500 ended"}).join(QLatin1Char('\n')));

        // The watching mode plays the prizes as that match dealt them, its
        // two hands by value, face down, then both turned up; its score line
        // stays up under the result, and the player's cards are never asked
        // for.
        const qsizetype before = log.lines.size();
        play(g, Match::Kind::Watching, {});
        const auto at = [](qint64 ms) { return QString::number(150500 + ms) + QLatin1Char(' '); };
        QCOMPARE(log.lines.mid(before, 17).join(QLatin1Char('\n')), QStringList({
            at(0) + "message Game Start", at(0) + "started 2",
            at(1500) + "message Round1", at(1500) + "score Round:1,Score:CPU=0,User=0,tie=0", at(1500) + "sound 1",
            at(4700) + "message ", at(4700) + "prize 10", at(4700) + "offered round 1 prize 10",
            at(6200) + "played 2@2 down, 13@13 down",
            at(7700) + "message ", at(7700) + "revealed 2 13",
            at(9200) + "message You Win", at(9200) + "score Round:1,Score:CPU=0,User=10,tie=0",
            at(9200) + "judged You Win, prize 10, 0:10",
            at(10700) + "cleared", at(10700) + "message ",
            at(12200) + "message Round2"}).join(QLatin1Char('\n')));
        QCOMPARE(log.lines.mid(log.lines.size() - 7).join(QLatin1Char('\n')), QStringList({
            at(139100) + "cleared", at(139100) + "message ", at(139100) + "result 1:CPU=57 2:User=44",
            at(142600) + "result hidden", at(142600) + "reset", at(142600) + "score Round:0,Score:CPU=0,User=0,tie=0",
            at(142600) + "ended"}).join(QLatin1Char('\n')));
        QCOMPARE(log.lines.mid(before).filter(" playable ").size(), 0);
    }

    // A call out of turn changes nothing and says so: no deal, no score, no
    // round skipped. Tried at every moment of two matches, on a copy.
    void callsOutOfTurnAreRefused()
    {
        Game g;
        const Match& m = g.match();
        QStringList wrong;
        const auto tryEveryVerb = [&] {
            for (const Verb& verb : kVerbs) {
                if (verb.inTurn(m))
                    continue;
                Match copy = m;
                if (verb.call(copy) || state(copy) != state(m))
                    wrong << QStringLiteral("%1 in phase %2 at %3").arg(verb.name).arg(int(m.phase())).arg(g.time.nowMs());
            }
        };
        tryEveryVerb();
        g.afterEachMoment = tryEveryVerb;
        QVERIFY(!g.runner.play(1));
        // A match with a tie, then one tied in the last round.
        for (const QList<int>& clubs : {kPlaysWithATie, QList<int>{10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1}}) {
            QVERIFY(g.runner.start(Match::Kind::Human));
            const rules::Draw drawn = m.rand_daiya();
            QVERIFY(!g.runner.start(Match::Kind::Watching));
            QVERIFY(!g.runner.start(Match::Kind::Human));
            QCOMPARE(m.rand_daiya(), drawn);
            for (int club : clubs) {
                QVERIFY(!g.runner.play(club));
                QVERIFY2(g.waitForPlay(), qPrintable(g.where()));
                // Only a card the player holds.
                for (int v : {0, 14})
                    QVERIFY(!g.runner.play(v));
                for (int i = 0; i < m.open_count(); ++i)
                    QVERIFY(!m.open_button()[i] || !g.runner.play(m.open_button()[i]));
                QVERIFY(g.runner.play(club));
                tryEveryVerb();
            }
            QVERIFY(g.runUntil([&] { return !m.running(); }));
        }
        QCOMPARE(wrong, QStringList{});
    }
};

QTEST_GUILESS_MAIN(RunnerTest)
#include "tst_runner.moc"
