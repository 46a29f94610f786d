// SPDX-License-Identifier: MIT
// The table's background colour: one of nine, chosen from the menu, kept in
// the run's settings.
#include "vell.h"

#include "core/contrast.h"
#include "core/logging.h"
#include "core/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

struct TableColour {
    const char* action;
    const char* text;
    Qt::GlobalColor colour;
};

// Indexed by colour code.
constexpr TableColour kColours[] = {
    {"Back_color_green_Action", QT_TRANSLATE_NOOP("Vell", "Back Color green default"), Qt::green},
    {"Back_color_white_Action", QT_TRANSLATE_NOOP("Vell", "Back Color white"), Qt::white},
    {"Back_color_red_Action", QT_TRANSLATE_NOOP("Vell", "Back Color red"), Qt::red},
    {"Back_color_blue_Action", QT_TRANSLATE_NOOP("Vell", "Back Color blue"), Qt::blue},
    {"Back_color_cyan_Action", QT_TRANSLATE_NOOP("Vell", "Back Color cyan"), Qt::cyan},
    {"Back_color_magenta_Action", QT_TRANSLATE_NOOP("Vell", "Back Color magents"), Qt::magenta},
    {"Back_color_yellow_Action", QT_TRANSLATE_NOOP("Vell", "Back Color yellow"), Qt::yellow},
    {"Back_color_gray_Action", QT_TRANSLATE_NOOP("Vell", "Back Color gray"), Qt::gray},
    {"Back_color_lightGray_Action", QT_TRANSLATE_NOOP("Vell", "Back Color lightGray"), Qt::lightGray},
};
constexpr int kColourCount = int(std::size(kColours));

} // namespace

// One checkable action a colour, in a group that keeps exactly one checked.
void Vell::createColourActions()
{
    m_colourActions = new QActionGroup(this);
    for (int code = 0; code < kColourCount; ++code) {
        auto* action = new QAction(tr(kColours[code].text), m_colourActions);
        action->setObjectName(QLatin1String(kColours[code].action));
        action->setCheckable(true);
        action->setChecked(code == m_settings.Back_color_no);
        connect(action, &QAction::triggered, this, [this, code] { selectBackColor(code); });
    }
}

void Vell::selectBackColor(int code)
{
    m_settings.Back_color_no = code;
    applyTableTextColour();
    repaint();
    m_colourActions->actions().at(code)->setChecked(true);
}

// The texts on the table are read against the table, not against the
// desktop's window colour: a dark theme's white text would vanish on the
// lighter tables. Buttons, menus and dialogs keep the desktop's colours.
void Vell::applyTableTextColour()
{
    const int code = m_settings.Back_color_no;
    if (code < 0 || code >= kColourCount)
        return;
    const QColor text = QColor::fromRgb(contrast::textColourOn(QColor(kColours[code].colour).rgb()));
    for (QLabel* label : {Score_Label, Message_Label, Result_Label1, Result_Label2}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
}

void Vell::paintEvent(QPaintEvent*)
{
    Change_Back_Color(m_settings.Back_color_no);
    if (!m_painted) {
        m_painted = true;
        qCDebug(lcVell) << "first paint";
        QTimer::singleShot(0, this, &Vell::showGameIcon);
    }
}

void Vell::Change_Back_Color(int n)
{
    if (n < 0 || n >= kColourCount)
        return;
    QPainter painter(this);
    painter.setBrush(QBrush(kColours[n].colour, Qt::SolidPattern));
    painter.drawRect(0, 0, width(), height());
}
