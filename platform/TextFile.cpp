#include "platform/TextFile.h"

#include "platform/Files.h"

#include <QStringDecoder>

namespace platform {

QString decodeText(const QByteArray &data)
{
    if (data.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(data.mid(3));
    if (data.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringConverter::Utf16LE);
        return dec.decode(data.mid(2));
    }
    if (data.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringConverter::Utf16BE);
        return dec.decode(data.mid(2));
    }
    QStringDecoder dec("windows-1252");
    if (!dec.isValid()) return QString::fromLatin1(data);
    return dec.decode(data);
}

bool readTextFile(const QString &path, QString &text, QString *error)
{
    QByteArray data;
    if (!readFile(path, data, error)) return false;
    text = decodeText(data);
    return true;
}

} // namespace platform
