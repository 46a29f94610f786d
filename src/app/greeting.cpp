// SPDX-License-Identifier: MIT
// The greeting at start-up and the farewell at closing, both addressed to
// the player by name; without a name there is no box at all.
#include "vell.h"

#include "core/player_name.h"
#include "dialogs/name_fit.h"
#include "dialogs/placement.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

namespace {

// Centred over its window. Qt does that by the window's frame, which it
// knows only once the window is on the screen: before that, as for the
// greeting, the box is centred over where the window will appear.
class NamedBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        const QWidget* window = parentWidget();
        if (!event->spontaneous() && window && !window->isVisible())
            setGeometry(placement::centred(size(), window->geometry()));
    }
};

void showNamedBox(QWidget* parent, const QString& title, const QString& text, const QString& name)
{
    NamedBox box(QMessageBox::Information, title, QString(), QMessageBox::Ok, parent);
    // The name is shown as it is, never read as markup. The box wraps long
    // text to about half the screen's width; the name may take half its
    // height before it has to be shortened.
    box.setTextFormat(Qt::PlainText);
    const QRect screen = parent->screen()->availableGeometry();
    const QFontMetrics metrics = box.fontMetrics();
    const int lines = qMax(1, screen.height() / 2 / metrics.lineSpacing());
    box.setText(text.arg(fittedName(name, metrics, screen.width() / 2, lines)));
    box.exec();
}

} // namespace

void Vell::Hello_Message()
{
    if (const std::optional<QString> name = playerDisplayName())
        showNamedBox(this, tr("Greeting Message!"), tr("Hello %1\n\n How are you?\n \n Let's Start Playing  Game!!"), *name);
}

void Vell::Bye_Message()
{
    if (const std::optional<QString> name = playerDisplayName())
        showNamedBox(this, tr("Good bye Message!"), tr("Good Bye %1\n\n See you again!!"), *name);
}

void Vell::closeEvent(QCloseEvent* event)
{
    Bye_Message();
    event->accept();
    // Once closed, the table plays on for nobody: a match in progress stops
    // here, even while the rules window keeps the program running.
    m_runner.abandon();
}
