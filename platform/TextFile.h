#pragma once
// Text files as the program reads them: UTF-8 or UTF-16 (either byte order) when the file starts
// with a byte-order mark, otherwise an 8-bit code page: the Windows ANSI code page
// (Windows-1252), or the OEM code page (IBM850) where a caller asks for it. The one place
// where texts become bytes and back.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <memory>
#include <string_view>

class QStringEncoder;

namespace platform {

enum class TextEncoding { Ansi, Oem, Utf8Bom, Utf16LeBom };

QString decodeText(const QByteArray &data);
// A byte-order mark selects the encoding, else the 8-bit code page of fallback (Ansi or Oem).
QString decodeText(const QByteArray &data, TextEncoding fallback);
// Bytes of an 8-bit code page (Ansi or Oem) as they are: no byte-order mark is looked for.
QString decodeCodePage(const QByteArray &data, TextEncoding enc);
// The character each byte of an 8-bit code page (Ansi or Oem) stands for: a text in pieces is
// decoded through it as decodeCodePage decodes the whole.
std::array<char16_t, 256> codePageChars(TextEncoding enc);
// The bytes of text in enc, with the byte-order mark of the Unicode encodings. Characters an
// 8-bit code page lacks become "?".
QByteArray encodeText(const QString &text, TextEncoding enc);
// Builds the bytes of a text piece by piece: the pieces' bytes are those encodeText gives for
// the whole text (the byte-order mark comes first), without holding the whole text at once.
class TextEncoder {
public:
    explicit TextEncoder(TextEncoding enc);
    ~TextEncoder();
    void reserve(qsizetype bytes) { m_bytes.reserve(bytes); }
    void append(QStringView text);
    void append(QChar ch) { append(QStringView(&ch, 1)); }
    // Printable ASCII, tab, CR and LF only: the same bytes in every 8-bit encoding here.
    void appendAscii(std::string_view text);
    const QByteArray &bytes();
    // The bytes of the characters encoded so far, to write out while the text goes on;
    // dropReady forgets them and keeps the buffer. A held half of a pair stays held.
    QByteArrayView ready() const { return m_bytes; }
    void dropReady() { m_bytes.resize(0); }

private:
    TextEncoding m_enc;
    QByteArray m_bytes;
    std::unique_ptr<QStringEncoder> m_codec;
    bool m_held = false; // the first half of a surrogate pair is held back
    QChar m_pending;
};

// The lines of a text: each ends at CR, LF or CR LF; a break at the very end opens no line.
QStringList splitTextLines(const QString &text);
// False (with *error) when the file cannot be opened.
bool readTextFile(const QString &path, QString &text, QString *error = nullptr);
bool readTextFile(const QString &path, TextEncoding fallback, QString &text, QString *error = nullptr);

} // namespace platform
