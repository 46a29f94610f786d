// SPDX-License-Identifier: MIT
#include "dialogs/named_box.h"

#include "dialogs/name_fit.h"
#include "dialogs/placement.h"

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

} // namespace

void showNamedBox(QWidget* window, const QString& title, const QString& text, const QString& name)
{
    NamedBox box(QMessageBox::Information, title, QString(), QMessageBox::Ok, window);
    // The box wraps long text to about half the screen's width; the name
    // may take half its height before it has to be shortened.
    box.setTextFormat(Qt::PlainText);
    const QRect screen = window->screen()->availableGeometry();
    const QFontMetrics metrics = box.fontMetrics();
    const int lines = qMax(1, screen.height() / 2 / metrics.lineSpacing());
    box.setText(text.arg(fittedName(name, metrics, screen.width() / 2, lines)));
    box.exec();
}
