// SPDX-License-Identifier: MIT
// Whole matches of both kinds played by the runner alone, without a window:
// every step at its time, and calls that come out of turn.
#include "core_fixture.h"

using namespace fixture;
using Phase = Match::Phase;

Q_DECLARE_METATYPE(Match::Kind)

namespace {

// Plays a match of the given kind to its end, the clubs one a click, each
// after a pause that differs from round to round; returns the steps and
// the clicks with their delays.
schedule::Steps play(Game& g, Match::Kind kind, const QList<int>& clubs, int pauseMs = 0)
{
    QList<RanStep> inputs{{"command", g.time.nowMs(), g.time.nowMs()}};
    if (!g.runner.start(kind))
        QTest::qFail("the match did not start", __FILE__, __LINE__);
    for (int i = 0; i < clubs.size(); ++i) {
        if (!g.waitForPlay())
            QTest::qFail(qPrintable("no card asked for: " + g.where()), __FILE__, __LINE__);
        g.time.advance(i * pauseMs % 900);
        inputs.append({"click", g.time.nowMs(), g.time.nowMs()});
        if (!g.runner.play(clubs[i]))
            QTest::qFail(qPrintable(QStringLiteral("club %1 refused: ").arg(clubs[i]) + g.where()), __FILE__, __LINE__);
    }
    g.runOut();
    // Steps and clicks in the order of their times; a step due at the
    // moment of a click ran before it.
    QList<RanStep> all = inputs;
    for (const RanStep& step : g.steps) {
        if (step.dueMs < inputs.first().dueMs)
            continue;
        auto at = std::lower_bound(all.begin(), all.end(), step.dueMs,
                                   [](const RanStep& e, qint64 ms) { return e.dueMs < ms; });
        while (at != all.end() && at->dueMs == step.dueMs && at->name != QLatin1String("click"))
            ++at;
        all.insert(at, step);
    }
    schedule::Steps ran;
    for (int i = 0; i < all.size(); ++i)
        ran.append({all[i].name.toLatin1(), i == 0 ? 0 : all[i].dueMs - all[i - 1].dueMs});
    return ran;
}

QString describe(const schedule::Steps& s)
{
    QStringList lines;
    for (const schedule::Step& e : s)
        lines << QStringLiteral("%1 +%2").arg(QLatin1String(e.name)).arg(e.delayMs);
    return lines.join(QLatin1Char('\n'));
}

// Each verb of the match, and whether the match may take it as it stands.
struct Verb {
    const char* name;
    std::function<bool(const Match&)> inTurn;
    std::function<bool(Match&)> call;
};

// The first card a side still holds.
int heldCard(const Match& m, Match::Side side)
{
    return heldCards(m, side).value(0);
}

const QList<Verb> kVerbs = {
    {"begin", [](const Match& m) { return m.phase() == Phase::Idle; }, [](Match& m) { return m.begin(Match::Kind::Human); }},
    {"startRound", [](const Match& m) { return m.phase() == Phase::Starting || (m.phase() == Phase::Judged && !m.roundsOver()); },
     [](Match& m) { return m.startRound(); }},
    {"openPrize", [](const Match& m) { return m.phase() == Phase::RoundStarting; }, [](Match& m) { return m.openPrize() != 0; }},
    {"play", [](const Match& m) { return m.phase() == Phase::WaitingForCard; },
     [](Match& m) { return m.play(heldCard(m, Match::Side::Spades), heldCard(m, Match::Side::Clubs)); }},
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
                                          << "40:61";
        // Each keeps club 1 for the computer's last card, the ace: the last
        // prize, the 5, goes to nobody.
        QTest::newRow("the last round tied, level")
            << kDraws << Match::Kind::Human << QList<int>{10, 5, 6, 8, 12, 9, 13, 4, 11, 7, 3, 2, 1} << 0 << 1.0
            << "48:48";
        QTest::newRow("the last round tied, the computer ahead")
            << kDraws << Match::Kind::Human << QList<int>{13, 9, 2, 11, 4, 6, 5, 12, 7, 8, 10, 3, 1} << 0 << 1.0
            << "78:18";
        QTest::newRow("ties again and again") << kInOrder << Match::Kind::Human
                                              << QList<int>{1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1} << 0
                                              << 1.0 << "13:88";
        QTest::newRow("watching") << kDraws << Match::Kind::Watching << QList<int>{} << 0 << 1.0 << "48:53";
        QTest::newRow("watching at half the time")
            << kInOrder << Match::Kind::Watching << QList<int>{} << 0 << 0.5 << "48:53";
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
                         [&](int cpu, int user) { lines << QStringLiteral("%1:%2").arg(cpu).arg(user); });
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
        QCOMPARE(g.match().score().round, 0);
        QCOMPARE(g.clock.pending(), 0);
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
                if (verb.call(copy) || matchState(copy) != matchState(m))
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
