// SPDX-License-Identifier: MIT
// Qt's accessibility switched on, as a screen reader that is listening has
// it, which only Qt's private API can do on the offscreen platform: for the
// tests that link Qt's private GUI module.
#pragma once

#include <QAccessible>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace fixture {

inline bool switchOnAccessibility()
{
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (platform)
        platform->setActive(true);
    return QAccessible::isActive();
}

} // namespace fixture
