#include "platform/TextFile.h"

#include "platform/Files.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {
const char *codePage(TextEncoding enc) { return enc == TextEncoding::Oem ? "IBM850" : "windows-1252"; }
} // namespace

QString decodeText(const QByteArray &data) { return decodeText(data, TextEncoding::Ansi); }

QString decodeText(const QByteArray &data, TextEncoding fallback)
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
    return decodeCodePage(data, fallback);
}

QString decodeCodePage(const QByteArray &data, TextEncoding enc)
{
    QStringDecoder dec(codePage(enc));
    if (!dec.isValid()) return QString::fromLatin1(data);
    return dec.decode(data);
}

QByteArray encodeText(const QString &text, TextEncoding enc)
{
    switch (enc) {
    case TextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextEncoding::Utf16LeBom: {
        QStringEncoder e(QStringConverter::Utf16LE);
        return QByteArray("\xFF\xFE") + QByteArray(e.encode(text));
    }
    default: {
        QStringEncoder e(codePage(enc), QStringConverter::Flag::Default);
        if (!e.isValid()) return text.toLatin1();
        return e.encode(text);
    }
    }
}

QStringList splitTextLines(const QString &text)
{
    QStringList lines;
    const QChar *s = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c != u'\r' && c != u'\n') continue;
        lines.append(QString(s + start, i - start));
        if (c == u'\r' && i + 1 < n && s[i + 1].unicode() == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(QString(s + start, n - start));
    return lines;
}

bool readTextFile(const QString &path, QString &text, QString *error)
{
    return readTextFile(path, TextEncoding::Ansi, text, error);
}

bool readTextFile(const QString &path, TextEncoding fallback, QString &text, QString *error)
{
    QByteArray data;
    if (!readFile(path, data, error)) return false;
    text = decodeText(data, fallback);
    return true;
}

} // namespace platform
