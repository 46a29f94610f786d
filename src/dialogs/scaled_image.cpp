// SPDX-License-Identifier: MIT
#include "dialogs/scaled_image.h"

#include "core/card_size.h"
#include "core/logging.h"
#include "core/asset_paths.h"

namespace {

QImage imageAt(const QString& path, const ImageReader& read)
{
    const std::optional<QByteArray> bytes = read(path);
    return bytes ? QImage::fromData(*bytes) : QImage();
}

} // namespace

QImage imageForScale(const QString& path, qreal screenScale, const ImageReader& read)
{
    // A hundredth below: a screen scale computed as 1.2499 still takes 1.25.
    const qreal scale = card_size::drawnScaleFor(screenScale - 0.01);
    if (scale > 1) {
        QImage sharp = imageAt(assets::scaledImagePath(path, scale), read);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(scale);
            return sharp;
        }
    }
    const QImage image = imageAt(path, read);
    if (image.isNull())
        qCDebug(lcVell) << "no image" << path;
    return image;
}
