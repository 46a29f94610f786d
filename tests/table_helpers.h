// SPDX-License-Identifier: MIT
// Shared by the window tests: the match state of a fresh process, and short
// ways to reach the table's widgets by their names.
#pragma once

#include "app/vell.h"
#include "match/match_state.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTest>

namespace table {

// Run by hand rather than through ctest, a window test would otherwise wait
// on a greeting box addressed to the login name.
inline void quietGreeting()
{
    if (!qEnvironmentVariableIsSet("VELL_PLAYER_NAME"))
        qputenv("VELL_PLAYER_NAME", QByteArray());
}
Q_CONSTRUCTOR_FUNCTION(quietGreeting)

inline void resetMatchState()
{
    for (int i = 0; i < rules::kCards; ++i) {
        buf_daiya[i] = i + 1;
        buf_spade[i] = i + 1;
    }
    N = 0;
    Round_count = 0;
    tie_flag = 0;
    open_button.fill(0);
    open_count = 0;
    button_count.fill(0);
    buf_spade_save.fill(0);
}

inline QLabel* label(const Vell& w, const QString& name)
{
    auto* l = w.findChild<QLabel*>(name);
    if (!l)
        qFatal("no label %s", qPrintable(name));
    return l;
}

inline QLabel* label(const Vell& w, const char* prefix, int number)
{
    return label(w, QLatin1String(prefix) + QString::number(number));
}

inline QAction* action(const Vell& w, const char* name)
{
    auto* a = w.findChild<QAction*>(QLatin1String(name));
    if (!a)
        qFatal("no action %s", name);
    return a;
}

inline QPushButton* button(const Vell& w, int v)
{
    auto* b = w.findChild<QPushButton*>(QStringLiteral("Push_button%1").arg(v));
    if (!b)
        qFatal("no button %d", v);
    return b;
}

// The card values whose buttons can be clicked, ascending.
inline QList<int> enabledCards(const Vell& w)
{
    QList<int> cards;
    for (int v = 1; v <= rules::kCards; ++v) {
        if (button(w, v)->isEnabled())
            cards.append(v);
    }
    return cards;
}

// A card for the scripted player: the highest one left that does not tie
// with the computer's card, so that no round is replayed for ever.
inline int untiedCard(const Vell& w)
{
    const QList<int> cards = enabledCards(w);
    if (cards.isEmpty())
        return 0;
    if (cards.size() > 1 && N >= 0 && N < rules::kCards && cards.last() == buf_spade[N])
        return cards[cards.size() - 2];
    return cards.last();
}

inline QList<int> allCards()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

// What a card place shows, as a screen reader hears it.
inline QString shown(const Vell& w, const QString& name)
{
    return label(w, name)->accessibleName();
}

inline QString shown(const Vell& w, const char* prefix, int number)
{
    return label(w, prefix, number)->accessibleName();
}

inline bool matchCommandsEnabled(const Vell& w)
{
    return action(w, "Human_vs_Computer_Action")->isEnabled()
        || action(w, "Computer_vs_Computer_Action")->isEnabled();
}

// What a player sees of a match, in one line: the message, the score,
// whether the result is up, the cards on the table, the match counters and
// the playable cards. Equal snapshots mean nothing has moved.
inline QString snapshot(const Vell& w)
{
    QStringList parts{label(w, "Message_Label")->text(), label(w, "Score_Label")->text(),
                      label(w, "Result_Label1")->isHidden() ? "no result" : "result",
                      QString::number(N), QString::number(Round_count), QString::number(open_count)};
    for (const char* place : {"Daiya_Label_open", "CPU_Label_open", "User_Label_open"})
        parts << shown(w, place);
    for (int v : enabledCards(w))
        parts << QString::number(v);
    return parts.join(QLatin1Char('|'));
}

// The fullest table a match can show: every row of cards occupied, a card
// on every place of the table, a message and both result lines.
inline void occupyEveryPlace(Vell& w)
{
    for (int v = 1; v <= rules::kCards; ++v) {
        w.card_daiya_put(label(w, "CPU_Get_Label_card", v), v);
        w.card_daiya_put(label(w, "User_Get_Label_card", v), v);
    }
    w.card_daiya_show(13);
    w.card_spade_show(13);
    w.card_user_show(13);
    label(w, "Message_Label")->setText(QStringLiteral("This is tie"));
    const rules::ResultLines lines = rules::resultLines(48, 53);
    label(w, "Result_Label1")->setText(lines.first);
    label(w, "Result_Label2")->setText(lines.second);
    label(w, "Result_Label1")->show();
    label(w, "Result_Label2")->show();
}

// What does not fit the window, or empty when everything does.
inline QString clippedPlaces(const Vell& w)
{
    const QWidget* table = w.centralWidget();
    const QSize needed = table->layout()->minimumSize();
    if (needed.height() > table->height() || needed.width() > table->width())
        return QStringLiteral("needs %1x%2, has %3x%4")
            .arg(needed.width()).arg(needed.height()).arg(table->width()).arg(table->height());
    QStringList clipped;
    for (const QWidget* child : table->findChildren<QWidget*>()) {
        if (child->isVisible() && !table->rect().contains(QRect(child->mapTo(table, QPoint(0, 0)), child->size())))
            clipped << child->objectName();
    }
    return clipped.join(QLatin1Char(' '));
}

} // namespace table
