// SPDX-License-Identifier: MIT
// Shared by the window tests: a table whose steps run on a clock the test
// moves by hand, short ways to reach its widgets by their names, and
// answers to the game's message boxes.
//
// Helpers never abort: a widget that cannot be found fails the test and
// stands in as an empty placeholder, so the test goes on to report it.
#pragma once

#include "app/vell.h"
#include "core/time_scale.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace fixture {

// Run by hand rather than through ctest, a window test would otherwise wait
// on a greeting box addressed to the login name.
inline void quietGreeting()
{
    if (!qEnvironmentVariableIsSet("VELL_PLAYER_NAME"))
        qputenv("VELL_PLAYER_NAME", QByteArray());
}
Q_CONSTRUCTOR_FUNCTION(quietGreeting)

// The longest a test waits for a state, in game time: more than any match.
constexpr qint64 kPatienceMs = 200000;

template <class T>
T* placeholder()
{
    static T* const stand_in = new T;
    return stand_in;
}

template <class T>
T* child(const QObject& parent, const QString& name)
{
    if (auto* found = parent.findChild<T*>(name))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no widget named ") + name), __FILE__, __LINE__);
    return placeholder<T>();
}

// A step the clock ran, and when, in milliseconds of game time.
struct RanStep {
    QString name;
    qint64 atMs;
};

// The game's window on a manual clock, at time scale 1: nothing happens
// until the test moves time on, and then every step runs exactly when due.
class Table
{
public:
    Table()
    {
        timing::setScale(1.0);
        w = std::make_unique<Vell>(&time);
        QObject::connect(&w->stepClock(), &StepClock::stepRan, w.get(),
                         [this](const QString& name, qint64 dueNs, qint64) {
                             steps.append({name, dueNs / 1'000'000});
                         });
    }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    ManualTime time;
    std::unique_ptr<Vell> w;
    QList<RanStep> steps;
    // Called after each moment at which runUntil ran steps.
    std::function<void()> afterEachMoment;
    // The longest the steps of one moment took to run, in real time: what a
    // player would see as a step coming late.
    qint64 longestMomentMs = 0;

    Match& match() { return w->match(); }
    Match::Phase phase() const { return w->match().phase(); }

    QLabel* label(const QString& name) const { return child<QLabel>(*w, name); }
    QLabel* label(const char* row, int place) const { return label(QLatin1String(row) + QString::number(place)); }
    QPushButton* button(int v) const { return child<QPushButton>(*w, QStringLiteral("Push_button%1").arg(v)); }
    QAction* action(const char* name) const { return child<QAction>(*w, QLatin1String(name)); }

    QString message() const { return label(QStringLiteral("Message_Label"))->text(); }
    QString score() const { return label(QStringLiteral("Score_Label"))->text(); }
    bool resultShown() const { return !label(QStringLiteral("Result_Label1"))->isHidden(); }
    // What a card place shows, as a screen reader hears it.
    QString shown(const QString& name) const { return label(name)->accessibleName(); }
    QString shown(const char* row, int place) const { return label(row, place)->accessibleName(); }

    // Places 1..13 of a row that show a card.
    QList<int> occupied(const char* row) const
    {
        QList<int> places;
        for (int v = 1; v <= rules::kCards; ++v) {
            if (!shown(row, v).isEmpty())
                places << v;
        }
        return places;
    }

    // The card values whose buttons can be clicked, ascending.
    QList<int> enabledCards() const
    {
        QList<int> cards;
        for (int v = 1; v <= rules::kCards; ++v) {
            if (button(v)->isEnabled())
                cards << v;
        }
        return cards;
    }

    bool commandsEnabled() const
    {
        return action("Human_vs_Computer_Action")->isEnabled() || action("Computer_vs_Computer_Action")->isEnabled();
    }

    // Where the game stands, for failure messages: "round 3, after
    // Open_card_timer4 at 10500 ms".
    QString where() const
    {
        const QString last = steps.isEmpty() ? QStringLiteral("before any step")
                                             : QStringLiteral("after %1 at %2 ms").arg(steps.last().name).arg(steps.last().atMs);
        return QStringLiteral("round %1, %2").arg(w->match().Round_count).arg(last);
    }

    // Runs the pending steps one by one until done() holds; false when no
    // step is left to run or the game has gone on longer than any match.
    bool runUntil(const std::function<bool()>& done)
    {
        const qint64 limit = time.nowMs() + kPatienceMs;
        QElapsedTimer took;
        while (!done()) {
            took.start();
            if (time.nowMs() > limit || !time.runNext())
                return false;
            longestMomentMs = qMax(longestMomentMs, took.elapsed());
            if (afterEachMoment)
                afterEachMoment();
        }
        return true;
    }
    // Until the player may play a card.
    bool waitForPlay()
    {
        return runUntil([this] { return phase() == Match::Phase::WaitingForCard; });
    }
    // Until no match runs and no step is left.
    bool runOut()
    {
        return runUntil([this] { return !w->match().running() && w->pendingSteps() == 0; });
    }
    void advance(qint64 ms) { time.advance(ms); }

    void click(int club) const { QTest::mouseClick(button(club), Qt::LeftButton); }

    // Starts a match from the menu and puts the given orders in place of the
    // deal, before the first prize is turned up.
    void startMatch(const rules::Order& prizes, const rules::Order& spades)
    {
        action("Human_vs_Computer_Action")->trigger();
        w->match().buf_daiya = prizes;
        w->match().buf_spade = spades;
    }

    // A card for a scripted player: the highest one left that does not tie
    // with the computer's card, so that no round is replayed for ever.
    int untiedCard() const
    {
        const QList<int> cards = enabledCards();
        if (cards.isEmpty())
            return 0;
        if (cards.size() > 1 && cards.last() == w->match().computerCard())
            return cards[cards.size() - 2];
        return cards.last();
    }

    // Plays a whole match against the computer with untied cards, to the
    // idle table.
    bool playMatchOut()
    {
        action("Human_vs_Computer_Action")->trigger();
        // Untied cards end a match in thirteen plays; a game that refuses
        // them fails here instead of being asked for ever.
        for (int plays = 0; w->match().running(); ++plays) {
            if (plays > 2 * rules::kCards)
                return false;
            if (!runUntil([this] { return !w->match().running() || phase() == Match::Phase::WaitingForCard; }))
                return false;
            if (phase() == Match::Phase::WaitingForCard)
                click(untiedCard());
        }
        return w->pendingSteps() == 0;
    }

    // What a player sees of a match, in one line: the message, the score,
    // whether the result is up, the cards on the table, and the playable
    // cards. Equal snapshots mean nothing has moved.
    QString snapshot() const
    {
        QStringList parts{message(), score(), resultShown() ? QStringLiteral("result") : QStringLiteral("no result")};
        for (const char* place : {"Daiya_Label_open", "CPU_Label_open", "User_Label_open"})
            parts << shown(QLatin1String(place));
        for (int v : enabledCards())
            parts << QString::number(v);
        return parts.join(QLatin1Char('|'));
    }

    // The fullest table a match can show: every row of cards occupied, a card
    // on every place of the table, a message and both result lines.
    void occupyEveryPlace()
    {
        for (int v = 1; v <= rules::kCards; ++v) {
            w->card_daiya_put(label("CPU_Get_Label_card", v), v);
            w->card_daiya_put(label("User_Get_Label_card", v), v);
        }
        w->card_daiya_show(13);
        w->card_spade_show(13);
        w->card_user_show(13);
        label(QStringLiteral("Message_Label"))->setText(QStringLiteral("This is tie"));
        const rules::ResultLines lines = rules::resultLines(48, 53);
        for (const auto& [name, text] : {std::pair{"Result_Label1", lines.first}, std::pair{"Result_Label2", lines.second}}) {
            label(QLatin1String(name))->setText(text);
            label(QLatin1String(name))->show();
        }
    }

    // What does not fit the window, or empty when everything does.
    QString clippedPlaces() const
    {
        const QWidget* table = w->centralWidget();
        const QSize needed = table->layout()->minimumSize();
        if (needed.height() > table->height() || needed.width() > table->width())
            return QStringLiteral("needs %1x%2, has %3x%4")
                .arg(needed.width())
                .arg(needed.height())
                .arg(table->width())
                .arg(table->height());
        QStringList clipped;
        for (const QWidget* part : table->findChildren<QWidget*>()) {
            if (part->isVisible() && !table->rect().contains(QRect(part->mapTo(table, QPoint(0, 0)), part->size())))
                clipped << part->objectName();
        }
        return clipped.join(QLatin1Char(' '));
    }
};

// Cards as the table names them: "ace of diamonds", "7 of clubs".
inline QString diamond(int v)
{
    return rules::cardName(rules::Suit::Diamonds, v);
}
inline QString spade(int v)
{
    return rules::cardName(rules::Suit::Spades, v);
}
inline QString club(int v)
{
    return rules::cardName(rules::Suit::Clubs, v);
}

inline QList<int> allCards()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

// Sets the player's name for the windows made while it lives.
class PlayerName
{
public:
    explicit PlayerName(const QString& name) { qputenv("VELL_PLAYER_NAME", name.toUtf8()); }
    ~PlayerName() { qputenv("VELL_PLAYER_NAME", QByteArray()); }
    PlayerName(const PlayerName&) = delete;
    PlayerName& operator=(const PlayerName&) = delete;
};

// What a message box said before it was answered.
struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    const QWidget* parent = nullptr;
    QSize size;
};

// While it lives, presses OK on every message box as soon as it is on
// screen, and keeps what each one said. A probe, when given, looks at each
// box before it is answered.
class BoxAnswerer : public QObject
{
public:
    using Probe = std::function<void(QMessageBox*)>;

    explicit BoxAnswerer(Probe probe = {})
        : m_probe(std::move(probe))
    {
        qApp->installEventFilter(this);
    }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }

    const QList<SeenBox>& seen() const { return m_seen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            // Answered from the box's own event loop, once it runs.
            QTimer::singleShot(0, box, [this, box] { answer(box); });
        }
        return false;
    }

private:
    void answer(QMessageBox* box)
    {
        m_seen.append({box->windowTitle(), box->text(), box->textFormat(), box->icon(), box->standardButtons(),
                       box->parentWidget(), box->size()});
        if (m_probe)
            m_probe(box);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
    }

    Probe m_probe;
    QList<SeenBox> m_seen;
};

} // namespace fixture
