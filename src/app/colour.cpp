// SPDX-License-Identifier: MIT
// The table's background colour: one of nine, chosen from the menu, kept in
// memory for the run only.
#include "vell.h"

#include "core/contrast.h"
#include "core/logging.h"
#include "core/settings.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

struct TableColour {
    Qt::GlobalColor colour;
    QAction* Vell::*action;
    void (Vell::*slot)();
};

// Indexed by colour code.
const TableColour kColours[] = {
    {Qt::green, &Vell::Back_color_green_Action, &Vell::Option_Back_color_green_selected},
    {Qt::white, &Vell::Back_color_white_Action, &Vell::Option_Back_color_white_selected},
    {Qt::red, &Vell::Back_color_red_Action, &Vell::Option_Back_color_red_selected},
    {Qt::blue, &Vell::Back_color_blue_Action, &Vell::Option_Back_color_blue_selected},
    {Qt::cyan, &Vell::Back_color_cyan_Action, &Vell::Option_Back_color_cyan_selected},
    {Qt::magenta, &Vell::Back_color_magenta_Action, &Vell::Option_Back_color_magenta_selected},
    {Qt::yellow, &Vell::Back_color_yellow_Action, &Vell::Option_Back_color_yellow_selected},
    {Qt::gray, &Vell::Back_color_gray_Action, &Vell::Option_Back_color_gray_selected},
    {Qt::lightGray, &Vell::Back_color_lightGray_Action, &Vell::Option_Back_color_lightGray_selected},
};
constexpr int kColourCount = int(std::size(kColours));

} // namespace

void Vell::connectColourActions()
{
    for (const TableColour& c : kColours)
        connect(this->*c.action, &QAction::triggered, this, c.slot);
}

void Vell::selectBackColor(int code)
{
    Back_color_no = code;
    applyTableTextColour();
    repaint();
    for (int other = 0; other < kColourCount; ++other)
        (this->*kColours[other].action)->setChecked(other == code);
}

// The texts on the table are read against the table, not against the
// desktop's window colour: a dark theme's white text would vanish on the
// lighter tables. Buttons, menus and dialogs keep the desktop's colours.
void Vell::applyTableTextColour()
{
    if (Back_color_no < 0 || Back_color_no >= kColourCount)
        return;
    const QColor table(kColours[Back_color_no].colour);
    const QColor text = QColor::fromRgb(contrast::textColourOn(table.rgb()));
    for (QLabel* label : {Score_Label, Message_Label, Result_Label1, Result_Label2}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
}

void Vell::Option_Back_color_green_selected() { selectBackColor(0); }
void Vell::Option_Back_color_white_selected() { selectBackColor(1); }
void Vell::Option_Back_color_red_selected() { selectBackColor(2); }
void Vell::Option_Back_color_blue_selected() { selectBackColor(3); }
void Vell::Option_Back_color_cyan_selected() { selectBackColor(4); }
void Vell::Option_Back_color_magenta_selected() { selectBackColor(5); }
void Vell::Option_Back_color_yellow_selected() { selectBackColor(6); }
void Vell::Option_Back_color_gray_selected() { selectBackColor(7); }
void Vell::Option_Back_color_lightGray_selected() { selectBackColor(8); }

void Vell::paintEvent(QPaintEvent*)
{
    Change_Back_Color(Back_color_no);
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
