// SPDX-License-Identifier: MIT
#include "match_runner.h"

#include "core/logging.h"
#include "core/schedule.h"
#include "core/settings.h"
#include "core/step_clock.h"

using namespace chains;
using Side = Match::Side;

namespace {

constexpr Side kSides[] = {Side::Spades, Side::Clubs};

} // namespace

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
    m_hands = makeHands(kind, m_settings.Level, m_match.buf_spade());
    m_schedule = kind == Match::Kind::Human ? &kHumanMatch : &kWatchingMatch;
    m_clock.startChain();
    // The watching mode starts from the table as it is: the first screen.
    if (kind == Match::Kind::Human) {
        emit tableReset();
        emit scoreChanged(m_match.score());
    }
    emit matchStarted(kind);
    if (m_schedule->gameStartCleared.name)
        arm(m_schedule->gameStartCleared, &MatchRunner::clearGameStart);
    else
        arm(m_schedule->firstRound, &MatchRunner::startRound);
    return true;
}

bool MatchRunner::play(int card)
{
    if (m_match.phase() != Match::Phase::WaitingForCard || !rules::isCard(card))
        return false;
    for (const Side side : kSides) {
        Choice& choice = m_choices[int(side)];
        if (!choice.byPlayer || choice.card || !m_match.held(side)[card - 1])
            continue;
        choice.card = card;
        if (playCards())
            return true;
        choice.card.reset();
    }
    return false;
}

void MatchRunner::abandon()
{
    m_clock.cancelChain();
    m_match.abandon();
    m_choices = {};
    emit resultHidden();
    emit tableReset();
    emit scoreChanged(m_match.score());
    emit messageCleared();
    emit cardsPlayable({});
    emit matchEnded();
}

void MatchRunner::arm(const chains::Step& step, Run run)
{
    m_clock.after(step.delayMs, step.name, [this, run] { (this->*run)(); });
}

// The banner of the round on the table, its sound, the score line for it.
void MatchRunner::announceRound()
{
    emit roundStarted(m_match.Round_count());
    emit scoreChanged(m_match.score());
}

// Each hand chooses from what its side sees, at once or, for the player,
// later through play(); the cards go down once both are chosen.
void MatchRunner::askHands()
{
    emit prizeOffered(m_match.Round_count(), m_match.prize());
    bool waiting = false;
    for (const Side side : kSides) {
        const std::optional<int> card = m_hands[int(side)]->choose(m_match.sight(side));
        m_choices[int(side)] = {card, !card};
        if (!card) {
            waiting = true;
            emit cardsPlayable(m_match.held(side));
        }
    }
    if (!waiting)
        arm(m_schedule->play, &MatchRunner::playChosenCards);
}

MatchRunner::Card MatchRunner::onTable(Side side, int card) const
{
    return {card, m_hands[int(side)]->place(m_match.sight(side), card), m_choices[int(side)].byPlayer};
}

bool MatchRunner::playCards()
{
    const Choice& spade = m_choices[int(Side::Spades)];
    const Choice& club = m_choices[int(Side::Clubs)];
    if (!spade.card || !club.card)
        return false;
    const Card spadeCard = onTable(Side::Spades, *spade.card);
    const Card clubCard = onTable(Side::Clubs, *club.card);
    if (!m_match.play(spadeCard.card, clubCard.card))
        return false;
    if (spade.byPlayer || club.byPlayer)
        emit cardsPlayable({});
    emit cardsPlayed(spadeCard, clubCard);
    arm(m_schedule->reveal, &MatchRunner::reveal);
    return true;
}

void MatchRunner::clearGameStart()
{
    emit messageCleared();
    arm(m_schedule->firstRound, &MatchRunner::startRound);
}

void MatchRunner::startRound()
{
    if (!m_match.startRound())
        return;
    announceRound();
    arm(m_match.Round_count() == 1 ? m_schedule->firstPrize : m_schedule->prize, &MatchRunner::turnUpPrize);
}

void MatchRunner::turnUpPrize()
{
    emit messageCleared();
    const int prize = m_match.openPrize();
    if (prize == 0)
        return;
    emit prizeTurnedUp(prize, m_match.N() == rules::kCards - 1);
    askHands();
}

void MatchRunner::playChosenCards()
{
    playCards();
}

void MatchRunner::reveal()
{
    emit messageCleared();
    const auto faceDown = [this](Side side, int card) { return m_choices[int(side)].byPlayer ? 0 : card; };
    emit cardsRevealed(faceDown(Side::Spades, m_match.spadePlayed()), faceDown(Side::Clubs, m_match.playedCard()));
    arm(m_schedule->judge, &MatchRunner::judge);
}

void MatchRunner::judge()
{
    const std::optional<Match::Judgement> judgement = m_match.judge();
    if (!judgement)
        return;
    emit roundJudged(judgement->verdict, judgement->prize, m_match.CPU_score(), m_match.User_score());
    emit scoreChanged(m_match.score());
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
    emit messageCleared();
    if (m_match.roundsOver())
        arm(m_schedule->endOfRounds, &MatchRunner::endRounds);
    else
        arm(m_schedule->nextRound, &MatchRunner::startRound);
}

void MatchRunner::showNoCount()
{
    emit noCount();
    arm(kTiedCards, &MatchRunner::returnTiedCards);
}

void MatchRunner::returnTiedCards()
{
    emit messageCleared();
    emit playedCardsCleared();
    if (m_match.tieCannotBeReplayed()) {
        const int prize = m_match.prize();
        m_match.leaveLastPrizeUnawarded();
        emit prizeLeftUnawarded(prize);
        arm(m_schedule->clear, &MatchRunner::clearTable);
        arm(kResult, &MatchRunner::showResult);
        return;
    }
    const int spade = m_match.spadePlayed();
    const int club = m_match.playedCard();
    if (!m_match.replayTiedRound())
        return;
    emit tiedCardsReturned(onTable(Side::Spades, spade), onTable(Side::Clubs, club));
    arm(kTiedPrize, &MatchRunner::offerTiedPrize);
    announceRound();
}

void MatchRunner::offerTiedPrize()
{
    emit messageCleared();
    if (m_match.openPrize() != 0)
        askHands();
}

void MatchRunner::showResult()
{
    if (!m_match.showResult())
        return;
    emit resultShown(m_match.CPU_score(), m_match.User_score());
    arm(kFirstScreen, &MatchRunner::finish);
}

void MatchRunner::endRounds()
{
    if (m_schedule->resetBeneathResult && m_match.endRounds()) {
        emit tableReset();
        emit scoreChanged(m_match.score());
    }
}

void MatchRunner::finish()
{
    if (!m_match.finish())
        return;
    emit resultHidden();
    emit tableReset();
    emit scoreChanged(m_match.score());
    emit matchEnded();
}
