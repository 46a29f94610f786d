// SPDX-License-Identifier: MIT
// Shared by the window tests: the game's window over a runner whose steps
// run on a clock the test moves by hand, with round sounds that are only
// listened to, short ways to reach its widgets by their names and to read
// them as a player does, and answers to the game's message boxes.
//
// Helpers never abort: a widget that cannot be found fails the test and
// stands in as an empty placeholder, so the test goes on to report it.
#pragma once

#include "app/presenter.h"
#include "app/vell.h"
#include "core_fixture.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "sound/round_sound.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

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

// One of the program's windows without a parent: the rules, the settings.
template <class T>
T* topLevel()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(w))
            return found;
    }
    QTest::qFail("no such window", __FILE__, __LINE__);
    return nullptr;
}

// Round sounds that nobody hears: the rounds asked for, in order.
class SoundRecorder : public RoundSounds
{
public:
    void playRound(int round) override
    {
        rounds << round;
        if (heard)
            heard(round);
    }

    QList<int> rounds;
    std::function<void(int round)> heard;
};

// The game's window over the runner of Game.
class Table : public Game
{
public:
    explicit Table(const QList<int>& draws = kDraws)
        : Game(draws)
        , w(std::make_unique<Vell>(runner, settings, sounds))
    {
    }

    SoundRecorder sounds;
    std::unique_ptr<Vell> w;

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

    // Places 1..13 of a row that show a card, or with showing false those
    // that show none.
    QList<int> occupied(const char* row, bool showing = true) const
    {
        QList<int> places;
        for (int v = 1; v <= rules::kCards; ++v) {
            if (shown(row, v).isEmpty() != showing)
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

    void click(int club) const { QTest::mouseClick(button(club), Qt::LeftButton); }
    // Starts a match against the computer from the menu: the deal is the
    // draws' one.
    void startMatch() const { action("Human_vs_Computer_Action")->trigger(); }

    // The card the computer is to play: what a scripted player may know.
    int computerCard() const { return match().N() < rules::kCards ? match().buf_spade()[match().N()] : 0; }

    // A card for a scripted player: the highest one left that does not tie
    // with the computer's card, so that no round is replayed for ever.
    int untiedCard() const
    {
        const QList<int> cards = enabledCards();
        if (cards.isEmpty())
            return 0;
        if (cards.size() > 1 && cards.last() == computerCard())
            return cards[cards.size() - 2];
        return cards.last();
    }

    // Plays a whole match against the computer with untied cards, to the
    // idle table.
    bool playMatchOut()
    {
        startMatch();
        // Untied cards end a match in thirteen plays; a game that refuses
        // them fails here instead of being asked for ever.
        for (int plays = 0; match().running(); ++plays) {
            if (plays > 2 * rules::kCards)
                return false;
            if (!runUntil([this] { return !match().running() || phase() == Match::Phase::WaitingForCard; }))
                return false;
            if (phase() == Match::Phase::WaitingForCard)
                click(untiedCard());
        }
        return clock.pending() == 0;
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

    // The fullest table a match can show: every place holding a card, a
    // message and both result lines.
    void occupyEveryPlace()
    {
        const QPixmap card = label("User_Label_card", 13)->pixmap();
        for (QLabel* place : w->centralWidget()->findChildren<QLabel*>()) {
            if (place->accessibleDescription().isEmpty())
                continue;
            place->setPixmap(card);
        }
        label(QStringLiteral("Message_Label"))->setText(QStringLiteral("This is tie"));
        const presenter::ResultLines lines = presenter::resultLines(48, 53);
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
    return presenter::cardName(rules::Suit::Diamonds, v);
}
inline QString spade(int v)
{
    return presenter::cardName(rules::Suit::Spades, v);
}
inline QString club(int v)
{
    return presenter::cardName(rules::Suit::Clubs, v);
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
