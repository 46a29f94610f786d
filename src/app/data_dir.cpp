// SPDX-License-Identifier: MIT
#include "data_dir.h"

QString dataFile(const QString& relativePath)
{
    // Data is read relative to the working directory.
    return relativePath;
}
