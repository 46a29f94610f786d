// SPDX-License-Identifier: MIT
// Watches the table while a chain runs and keeps every distinct state it saw,
// in order, so that tests can check which step came before which without
// timing anything.
#pragma once

#include "table_helpers.h"

#include <QStringList>
#include <QTimer>

#include <functional>

namespace table {

class Recorder
{
public:
    using Probe = std::function<QString()>;

    explicit Recorder(Probe probe)
        : m_probe(std::move(probe))
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { sample(); });
        sample();
        m_timer.start();
    }

    void sample()
    {
        const QString state = m_probe();
        if (m_states.isEmpty() || m_states.last() != state)
            m_states << state;
    }

    const QStringList& states() const { return m_states; }

    // Index of the first state at or after `from` that contains `part`; -1 if none.
    int find(const QString& part, int from = 0) const
    {
        for (int i = from; i < m_states.size(); ++i) {
            if (m_states[i].contains(part))
                return i;
        }
        return -1;
    }

private:
    Probe m_probe;
    QTimer m_timer;
    QStringList m_states;
};

// The message line, whether any card button can be clicked, and whether a
// match command can be chosen: "Round2|buttons off|commands off".
inline QString playState(const Vell& w)
{
    return label(w, "Message_Label")->text() + (enabledCards(w).isEmpty() ? "|buttons off" : "|buttons on")
         + (matchCommandsEnabled(w) ? "|commands on" : "|commands off")
         + (label(w, "Result_Label1")->isHidden() ? "" : "|result");
}

} // namespace table
