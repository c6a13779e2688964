#pragma once
// Pictures made on the fly for graphic tests.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

// A PNG of one colour and the given size.
inline QByteArray pngOfSize(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}
