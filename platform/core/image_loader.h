#pragma once
// Pictures read at run time. JPEG (known by its content, whatever the file is called) is
// decoded by libjpeg; GIF, BMP, ICO and PNG by Qt's own image readers.

#include <QImage>
#include <QString>

// An empty image for a missing, unreadable or corrupt file; never an error.
QImage loadImage(const QString& path);
