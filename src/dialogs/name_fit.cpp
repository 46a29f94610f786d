// SPDX-License-Identifier: MIT
#include "dialogs/name_fit.h"

#include <QFontMetrics>
#include <QRect>

QString fittedName(const QString& name, const QFontMetrics& metrics, int width, int lines)
{
    // Word wrap breaks only between words: a word wider than the room
    // makes the whole wider than the room.
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, name);
    if (wrapped.width() <= width && wrapped.height() <= lines * metrics.lineSpacing())
        return name;
    return metrics.elidedText(name, Qt::ElideMiddle, width);
}
