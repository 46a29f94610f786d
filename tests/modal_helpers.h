// SPDX-License-Identifier: MIT
// Message boxes are modal: these answer them from the event loop and keep
// what they said, and set the player's name for the windows made meanwhile.
#pragma once

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

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

// While it lives, presses OK on every message box that comes up, and keeps
// what each one said. A probe, when given, looks at each box before it is
// answered.
class BoxAnswerer
{
public:
    using Probe = std::function<void(QMessageBox*)>;

    explicit BoxAnswerer(Probe probe = {})
        : m_probe(std::move(probe))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }

    const QList<SeenBox>& seen() const { return m_seen; }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        m_seen.append({box->windowTitle(), box->text(), box->textFormat(), box->icon(), box->standardButtons(),
                       box->parentWidget(), box->size()});
        if (m_probe)
            m_probe(box);
        box->button(QMessageBox::Ok)->click();
    }

    Probe m_probe;
    QTimer m_timer;
    QList<SeenBox> m_seen;
};
