// SPDX-License-Identifier: MIT
#include "match_runner.h"

#include "core/logging.h"
#include "core/settings.h"
#include "core/step_clock.h"

namespace chains {

// A step of a chain: the name the clock reports, and how long after the
// step before it (or the player's card) it runs.
struct Step {
    const char* name;
    int delayMs;
};

// The chains of one kind of match.
struct Schedule {
    // The "Game Start" message cleared before the first banner, when it is.
    Step gameStartCleared;
    Step firstRound;
    Step firstPrize;
    // The hands play their cards, when no player chooses them.
    Step play;
    Step reveal;
    Step judge;
    Step clear;
    Step nextRound;
    Step prize;
    // Once the rounds are over, the table is set for the next match beneath
    // the result lines.
    bool resetBeneathResult;
};

namespace {

// A match against the computer. The round waits for the player's card, and
// the delays from it on are counted from that card.
const Schedule kHumanMatch = {
    {"Start_game_timer", 1500},  // "Game Start" cleared
    {"Start_game_timer2", 1500}, // round 1's banner, its sound
    {"Start_game_timer3", 3000}, // the first prize up; the player may play
    {nullptr, 0},                // the player plays: the club up, the spade down
    {"Open_card_timer", 3000},   // the computer's card turned up
    {"Open_card_timer2", 1500},  // the round judged
    {"Open_card_timer3", 1500},  // both cards and the verdict cleared
    {"Open_card_timer4", 1500},  // the next round's banner, its sound
    {"Open_card_timer5", 3000},  // its prize up; the player may play
    true,
};

// The watching mode: 10700 ms a round.
const Schedule kWatchingMatch = {
    {nullptr, 0},               // "Game Start" stays up until the banner
    {"watchmode_timer2", 1500}, // round 1's banner, its sound
    {"watchmode_timer3", 3200}, // the prize up
    {"watchmode_timer4", 1500}, // both cards played face down
    {"watchmode_timer5", 1500}, // both turned up
    {"watchmode_timer6", 1500}, // the round judged
    {"watchmode_timer", 1500},  // both cards and the verdict cleared
    {"watchmode_timer2", 1500}, // the next round's banner, its sound
    {"watchmode_timer3", 3200}, // its prize up
    false,
};

// Equal cards, from the verdict "This is tie".
const Step kNoCount = {"tie_no_count_timer", 1500};       // "No Count"
const Step kTiedCards = {"tie_no_count_timer2", 1500};    // the cards back, the same banner
const Step kTiedPrize = {"tie_no_count_timer3", 1500};    // the same prize offered again
// The end, from the last verdict.
const Step kResult = {"Open_show_result_timer", 1500};    // the result lines up
const Step kFirstScreen = {"Return_First_Screen_timer", 3500}; // the lines down, the table reset

} // namespace
} // namespace chains

using namespace chains;

MatchRunner::MatchRunner(StepClock& clock, RandomSource& random, const Settings& settings, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_settings(settings)
    , m_match(random)
{
}

MatchRunner::~MatchRunner() = default;

bool MatchRunner::start(Match::Kind kind)
{
    if (!m_match.begin(kind))
        return false;
    m_hands = makeHands(kind, m_settings.Level);
    m_schedule = kind == Match::Kind::Human ? &kHumanMatch : &kWatchingMatch;
    m_clock.startChain();
    // The watching mode starts from the table as it is: the first screen.
    if (kind == Match::Kind::Human) {
        emit tableReset();
        emit scoreChanged(m_match.Score_text());
    }
    emit messageChanged(QStringLiteral("Game Start"));
    emit matchStarted(kind);
    if (m_schedule->gameStartCleared.name)
        arm(m_schedule->gameStartCleared, &MatchRunner::clearGameStart);
    else
        arm(m_schedule->firstRound, &MatchRunner::startRound);
    return true;
}

bool MatchRunner::play(int club)
{
    return m_hands.clubs && m_hands.clubs->isPlayer() && playCards(club);
}

void MatchRunner::abandon()
{
    m_clock.cancelChain();
    m_match.abandon();
    emit resultHidden();
    emit tableReset();
    emit scoreChanged(m_match.Score_text());
    emit messageChanged(QString());
    emit cardsPlayable({});
    emit matchEnded();
}

void MatchRunner::arm(const chains::Step& step, Run run)
{
    m_clock.after(step.delayMs, step.name, [this, run] { (this->*run)(); });
}

// The banner of the round on the table, the score line for it, its sound.
void MatchRunner::announceRound()
{
    emit messageChanged(rules::bannerText(m_match.Round_count()));
    emit scoreChanged(m_match.Score_text());
    emit roundStarted(m_match.Round_count());
}

void MatchRunner::askForCards()
{
    emit prizeOffered(m_match.Round_count(), m_match.prize());
    if (m_hands.clubs->isPlayer())
        emit cardsPlayable(m_match.playableCards());
    else
        arm(m_schedule->play, &MatchRunner::playHands);
}

bool MatchRunner::playCards(int club)
{
    const int spade = m_hands.spades->choose(m_match);
    const Card spadeCard{spade, m_hands.spades->place(m_match, spade), m_hands.spades->isPlayer()};
    const Card clubCard{club, m_hands.clubs->place(m_match, club), m_hands.clubs->isPlayer()};
    if (!m_match.play(spade, club))
        return false;
    if (clubCard.faceUp)
        emit cardsPlayable({});
    emit cardsPlayed(spadeCard, clubCard);
    if (spadeCard.faceUp || clubCard.faceUp)
        emit messageChanged(QStringLiteral("Card Open"));
    arm(m_schedule->reveal, &MatchRunner::reveal);
    return true;
}

void MatchRunner::clearGameStart()
{
    emit messageChanged(QString());
    arm(m_schedule->firstRound, &MatchRunner::startRound);
}

void MatchRunner::startRound()
{
    if (!m_match.startRound()) {
        if (m_schedule->resetBeneathResult && m_match.endRounds()) {
            emit tableReset();
            emit scoreChanged(m_match.Score_text());
        }
        return;
    }
    announceRound();
    arm(m_match.Round_count() == 1 ? m_schedule->firstPrize : m_schedule->prize, &MatchRunner::turnUpPrize);
}

void MatchRunner::turnUpPrize()
{
    emit messageChanged(QString());
    const int prize = m_match.openPrize();
    if (prize == 0)
        return;
    emit prizeTurnedUp(prize, m_match.N() == rules::kCards - 1);
    askForCards();
}

void MatchRunner::playHands()
{
    playCards(m_hands.clubs->choose(m_match));
}

void MatchRunner::reveal()
{
    emit messageChanged(QString());
    emit cardsRevealed(m_hands.spades->isPlayer() ? 0 : m_match.spadePlayed(),
                       m_hands.clubs->isPlayer() ? 0 : m_match.playedCard());
    arm(m_schedule->judge, &MatchRunner::judge);
}

void MatchRunner::judge()
{
    const std::optional<Match::Judgement> judgement = m_match.judge();
    if (!judgement)
        return;
    emit messageChanged(rules::verdictText(judgement->verdict));
    emit scoreChanged(m_match.Score_text());
    emit roundJudged(judgement->verdict, judgement->prize, m_match.CPU_score(), m_match.User_score());
    if (judgement->verdict == rules::Verdict::Tie) {
        arm(kNoCount, &MatchRunner::showNoCount);
        return;
    }
    arm(m_schedule->clear, &MatchRunner::clearTable);
    if (m_match.roundsOver())
        arm(kResult, &MatchRunner::showResult);
}

void MatchRunner::clearTable()
{
    emit playedCardsCleared();
    emit messageChanged(QString());
    arm(m_schedule->nextRound, &MatchRunner::startRound);
}

void MatchRunner::showNoCount()
{
    emit messageChanged(QStringLiteral("No Count"));
    emit noCount();
    arm(kTiedCards, &MatchRunner::returnTiedCards);
}

void MatchRunner::returnTiedCards()
{
    emit messageChanged(QString());
    emit playedCardsCleared();
    if (m_match.tieCannotBeReplayed()) {
        m_match.leaveLastPrizeUnawarded();
        emit prizeLeftUnawarded();
        arm(m_schedule->clear, &MatchRunner::clearTable);
        arm(kResult, &MatchRunner::showResult);
        return;
    }
    const int spade = m_match.spadePlayed();
    const int club = m_match.playedCard();
    const Card spadeCard{spade, m_hands.spades->place(m_match, spade), m_hands.spades->isPlayer()};
    const Card clubCard{club, m_hands.clubs->place(m_match, club), m_hands.clubs->isPlayer()};
    if (!m_match.replayTiedRound())
        return;
    emit tiedCardsReturned(spadeCard, clubCard);
    arm(kTiedPrize, &MatchRunner::offerTiedPrize);
    announceRound();
}

void MatchRunner::offerTiedPrize()
{
    emit messageChanged(QString());
    if (m_match.openPrize() != 0)
        askForCards();
}

void MatchRunner::showResult()
{
    if (!m_match.showResult())
        return;
    emit resultShown(m_match.Result_text1(), m_match.Result_text2(), m_match.CPU_score(), m_match.User_score());
    arm(kFirstScreen, &MatchRunner::finish);
}

void MatchRunner::finish()
{
    if (!m_match.finish())
        return;
    emit resultHidden();
    emit tableReset();
    emit scoreChanged(m_match.Score_text());
    emit matchEnded();
}
