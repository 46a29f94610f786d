// SPDX-License-Identifier: MIT
// The screen reader's voice: a hidden notification that says each event.
#include "app/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStatusBar>

namespace {

// The announcer's accessible role: a notification, which readers speak as
// it appears, whatever has the focus.
QAccessibleInterface* announcerInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("Announcer") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* window)
    : m_bar(new QStatusBar(window))
{
    // Before anything asks for the announcer's accessible interface, which
    // is made once and keeps its role.
    static const bool installed = [] {
        QAccessible::installFactory(announcerInterface);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("announcer"));
    m_bar->setObjectName(QStringLiteral("announcements"));
    m_bar->setSizeGripEnabled(false);
    m_bar->addPermanentWidget(this, 1);
    m_bar->hide();
}

void Announcer::announce(const QString& text)
{
    setText(text);
    setAccessibleName(text);
    // Readers speak a notification when it is shown: each announcement is
    // shown anew, the same words too.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
