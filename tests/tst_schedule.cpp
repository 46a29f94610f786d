// SPDX-License-Identifier: MIT
// The whole schedule of the game, to the millisecond: every step of the
// start of a match, a round, a tie, the end of a match and the watching
// mode, each with its delay from the step or input before it. The delays
// are the game's rules, written out here rather than read from the code.
#include "fixture.h"

using namespace fixture;
using rules::Order;

namespace {

struct Expected {
    const char* name;
    qint64 delayMs;
};
using Schedule = QList<Expected>;

// The command that starts a match, then the steps up to the first card.
const Schedule kStart = {
    {"command", 0}, {"Start_game_timer", 1500}, {"Start_game_timer2", 1500}, {"Start_game_timer3", 3000}};
// A decided round that is not the last, from the player's card.
const Schedule kRound = {{"click", 0},          {"Open_card_timer", 3000},  {"Open_card_timer2", 1500},
                         {"Open_card_timer3", 1500}, {"Open_card_timer4", 1500}, {"Open_card_timer5", 3000}};
// A tied round, from the player's card until the player may play again.
const Schedule kTie = {{"click", 0},
                       {"Open_card_timer", 3000},
                       {"Open_card_timer2", 1500},
                       {"tie_no_count_timer", 1500},
                       {"tie_no_count_timer2", 1500},
                       {"tie_no_count_timer3", 1500}};
// The last round decided, to the first screen. The table is cleared and the
// result shown at the same moment, in that order.
const Schedule kLastRound = {{"click", 0},
                             {"Open_card_timer", 3000},
                             {"Open_card_timer2", 1500},
                             {"Open_card_timer3", 1500},
                             {"Open_show_result_timer", 0},
                             {"Open_card_timer4", 1500},
                             {"Return_First_Screen_timer", 2000}};
// A tie in the last round, which cannot be replayed.
const Schedule kLastRoundTie = {{"click", 0},
                                {"Open_card_timer", 3000},
                                {"Open_card_timer2", 1500},
                                {"tie_no_count_timer", 1500},
                                {"tie_no_count_timer2", 1500},
                                {"Open_card_timer3", 1500},
                                {"Open_show_result_timer", 0},
                                {"Open_card_timer4", 1500},
                                {"Return_First_Screen_timer", 2000}};

Schedule watchingMatch()
{
    Schedule s = {{"command", 0}, {"watchmode_timer2", 1500}};
    for (int round = 1; round <= rules::kCards; ++round) {
        s += {{"watchmode_timer3", 3200}, {"watchmode_timer4", 1500}, {"watchmode_timer5", 1500},
              {"watchmode_timer6", 1500}, {"watchmode_timer", 1500}};
        if (round == rules::kCards)
            s += {{"Open_show_result_timer", 0}};
        s += {{"watchmode_timer2", 1500}};
    }
    s += {{"Return_First_Screen_timer", 2000}};
    return s;
}

// The steps the table ran, with the inputs the test gave it, as delays from
// the entry before.
class Recording
{
public:
    explicit Recording(Table& t)
        : m_table(t)
    {
    }
    void input(const char* name) { m_inputs.append({QLatin1String(name), m_table.time.nowMs()}); }

    Schedule ran() const
    {
        // Inputs and steps in the order of their times; an input given at
        // the moment of a step came after it.
        QList<RanStep> all = m_inputs;
        for (const RanStep& step : m_table.steps) {
            auto at = std::lower_bound(all.begin(), all.end(), step.atMs,
                                       [](const RanStep& e, qint64 ms) { return e.atMs < ms; });
            while (at != all.end() && at->atMs == step.atMs && at->name != QLatin1String("click")
                   && at->name != QLatin1String("command"))
                ++at;
            all.insert(at, step);
        }
        Schedule s;
        for (int i = 0; i < all.size(); ++i) {
            m_names << all[i].name.toLatin1();
            s.append({m_names.last().constData(), i == 0 ? 0 : all[i].atMs - all[i - 1].atMs});
        }
        return s;
    }

private:
    Table& m_table;
    QList<RanStep> m_inputs;
    mutable QList<QByteArray> m_names;
};

QString describe(const Schedule& s)
{
    QStringList lines;
    qint64 at = 0;
    for (const Expected& e : s) {
        at += e.delayMs;
        lines << QStringLiteral("%1 +%2 (at %3)").arg(QLatin1String(e.name)).arg(e.delayMs).arg(at);
    }
    return lines.join(QLatin1Char('\n'));
}

// The first entry that differs, or empty when both are the same.
QString firstDifference(const Schedule& ran, const Schedule& expected)
{
    qint64 at = 0;
    for (int i = 0; i < qMax(ran.size(), expected.size()); ++i) {
        if (i >= ran.size())
            return QStringLiteral("entry %1: expected %2, nothing ran").arg(i).arg(QLatin1String(expected[i].name));
        if (i >= expected.size())
            return QStringLiteral("entry %1: %2 ran, nothing expected").arg(i).arg(QLatin1String(ran[i].name));
        at += ran[i].delayMs;
        if (qstrcmp(ran[i].name, expected[i].name) != 0 || ran[i].delayMs != expected[i].delayMs)
            return QStringLiteral("entry %1 at %2 ms: %3 +%4, expected %5 +%6")
                .arg(i)
                .arg(at)
                .arg(QLatin1String(ran[i].name))
                .arg(ran[i].delayMs)
                .arg(QLatin1String(expected[i].name))
                .arg(expected[i].delayMs);
    }
    return {};
}

void verifySchedule(const Recording& recording, const Schedule& expected)
{
    const Schedule ran = recording.ran();
    const QString difference = firstDifference(ran, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference + QStringLiteral("\nran:\n") + describe(ran)));
}

// Prizes 7 1 13 4 .. against the computer's 5 12 1 9 ..; club 3 in round 2
// ties with nothing, club 12 in round 2 ties with the computer's 12.
const Order kPrizes = {7, 1, 13, 4, 10, 2, 12, 5, 9, 3, 11, 6, 8};
const Order kSpades = {5, 12, 1, 9, 3, 13, 7, 2, 11, 6, 4, 10, 8};

} // namespace

class ScheduleTest : public QObject
{
    Q_OBJECT

private slots:
    // A whole match with a tie in round 2, the player taking a while to
    // choose in some rounds: every step counts from the click, not from when
    // the prize came up.
    void aMatchAgainstTheComputer()
    {
        Table t;
        t.w->show();
        Recording recording(t);
        recording.input("command");
        t.startMatch(kPrizes, kSpades);
        Schedule expected = kStart;
        // Round 2: 12 ties with the computer's 12, then 2 loses it; the 12
        // comes back to the hand and wins round 9.
        const QList<int> plays = {6, 12, 2, 3, 8, 4, 10, 13, 1, 12, 5, 11, 9, 7};
        for (int i = 0; i < plays.size(); ++i) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            const int thinkingMs = i * 337 % 900;
            t.advance(thinkingMs);
            recording.input("click");
            t.click(plays[i]);
            QCOMPARE(t.match().playedCard(), plays[i]);
            Schedule round = i == 1 ? kTie : i == plays.size() - 1 ? kLastRound : kRound;
            round.first().delayMs = thinkingMs;
            expected += round;
        }
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        verifySchedule(recording, expected);
        QCOMPARE(t.match().phase(), Match::Phase::Idle);
        QVERIFY(t.commandsEnabled());
    }

    void aTieInTheLastRound()
    {
        Table t;
        t.w->show();
        Recording recording(t);
        // The player wins the odd prizes with 2, 4 .. and loses the even ones
        // with 1, 3 ..; both hold their 13 for the last round.
        t.startMatch({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        for (int round = 1; round <= 12; ++round) {
            QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
            t.click(round % 2 == 1 ? round + 1 : round - 1);
        }
        QVERIFY2(t.waitForPlay(), qPrintable(t.where()));
        t.steps.clear();
        recording.input("click");
        t.click(13);
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        verifySchedule(recording, kLastRoundTie);
        // 46 and 42: the king went to nobody.
        QCOMPARE(t.match().Result_text1, QStringLiteral("1:User=46"));
        QCOMPARE(t.match().Result_text2, QStringLiteral("2:CPU=42"));
    }

    void theWatchingMode()
    {
        Table t;
        t.w->show();
        Recording recording(t);
        recording.input("command");
        t.action("Computer_vs_Computer_Action")->trigger();
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        verifySchedule(recording, watchingMatch());
        // 1500 + 13 rounds of 10700 + the end.
        QCOMPARE(t.steps.last().atMs, 142600);
    }

    // The time scale applies to every delay alike.
    void theTimeScale()
    {
        Table t;
        timing::setScale(0.5);
        t.action("Computer_vs_Computer_Action")->trigger();
        QVERIFY2(t.runOut(), qPrintable(t.where()));
        QCOMPARE(t.steps.last().atMs, 71300);
        timing::setScale(1.0);
    }
};

QTEST_MAIN(ScheduleTest)
#include "tst_schedule.moc"
