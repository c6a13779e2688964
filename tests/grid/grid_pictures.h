#pragma once
// Pictures made on the fly for graphic tests.
#include <QBuffer>
#include <QByteArray>
#include <QImage>

// The image as PNG bytes.
inline QByteArray pngOfImage(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

// A PNG of one colour and the given size.
inline QByteArray pngOfSize(int w, int h, QRgb colour = qRgb(0, 0, 255))
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return pngOfImage(img);
}
