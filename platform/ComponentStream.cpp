#include "platform/ComponentStream.h"

#include "platform/TextFile.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

enum : unsigned char {
    vaNull = 0x00, vaList = 0x01, vaInt8 = 0x02, vaInt16 = 0x03, vaInt32 = 0x04, vaExtended = 0x05,
    vaString = 0x06, vaIdent = 0x07, vaFalse = 0x08, vaTrue = 0x09, vaBinary = 0x0A, vaSet = 0x0B,
    vaLString = 0x0C, vaNil = 0x0D, vaCollection = 0x0E, vaWString = 0x12, vaInt64 = 0x13, vaUTF8String = 0x14
};

// Nesting of lists in collections; deeper streams are refused rather than recursed into.
constexpr int MaxDepth = 16;

void putShort(QByteArray &out, const QByteArray &s)
{
    if (s.size() > 255) throw std::length_error("name longer than 255 bytes");
    out.append(char(s.size()));
    out.append(s);
}

void putLE(QByteArray &out, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

void putInt(QByteArray &out, qint64 v)
{
    if (v >= -128 && v <= 127) {
        out.append(char(vaInt8));
        putLE(out, quint64(v), 1);
    } else if (v >= -32768 && v <= 32767) {
        out.append(char(vaInt16));
        putLE(out, quint64(v), 2);
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
        out.append(char(vaInt32));
        putLE(out, quint64(v), 4);
    } else {
        out.append(char(vaInt64));
        putLE(out, quint64(v), 8);
    }
}

void putText(QByteArray &out, const QString &t)
{
    const QByteArray utf8 = t.toUtf8();
    // Unpaired surrogates have no UTF-8 form: such a text goes as 16-bit units.
    if (!t.isEmpty() && (utf8.size() >= 2 * t.size() || !t.isValidUtf16())) {
        out.append(char(vaWString));
        putLE(out, quint64(t.size()), 4);
        for (QChar c : t) putLE(out, c.unicode(), 2);
    } else if (utf8.size() != t.size()) { // a character of 128 or above
        out.append(char(vaUTF8String));
        putLE(out, quint64(utf8.size()), 4);
        out.append(utf8);
    } else if (utf8.size() < 256) {
        out.append(char(vaString));
        out.append(char(utf8.size()));
        out.append(utf8);
    } else {
        out.append(char(vaLString));
        putLE(out, quint64(utf8.size()), 4);
        out.append(utf8);
    }
}

void putProperties(QByteArray &out, const std::vector<StreamProperty> &props);

void putValue(QByteArray &out, const StreamValue &v)
{
    switch (v.kind) {
    case StreamValue::Int: putInt(out, v.integer); break;
    case StreamValue::Float: {
        out.append(char(vaExtended));
        unsigned char b[10];
        doubleToExtended(v.real, b);
        out.append(reinterpret_cast<const char *>(b), 10);
        break;
    }
    case StreamValue::Text: putText(out, v.text); break;
    case StreamValue::Ident:
        out.append(char(vaIdent));
        putShort(out, v.text.toLatin1());
        break;
    case StreamValue::Bool: out.append(char(v.boolean ? vaTrue : vaFalse)); break;
    case StreamValue::Binary:
        out.append(char(vaBinary));
        putLE(out, quint64(v.bytes.size()), 4);
        out.append(v.bytes);
        break;
    case StreamValue::Set:
        out.append(char(vaSet));
        for (const QString &s : v.items) putShort(out, s.toLatin1());
        out.append(char(0));
        break;
    case StreamValue::List:
        out.append(char(vaList));
        for (const QString &s : v.items) {
            if (s.isEmpty()) { // an empty line still takes its place
                out.append(char(vaString));
                out.append(char(0));
            } else {
                putText(out, s);
            }
        }
        out.append(char(vaNull));
        break;
    case StreamValue::Nil: out.append(char(vaNil)); break;
    case StreamValue::Collection:
        out.append(char(vaCollection));
        for (const auto &item : v.elements) {
            out.append(char(vaList));
            putProperties(out, item);
        }
        out.append(char(vaNull));
        break;
    }
}

void putProperties(QByteArray &out, const std::vector<StreamProperty> &props)
{
    for (const StreamProperty &p : props) {
        putShort(out, p.name);
        putValue(out, p.value);
    }
    out.append(char(0));
}

// Reads from a byte range; every read checks what is left.
class Cursor {
public:
    Cursor(const QByteArray &d, qsizetype p) : data(d), pos(p) {}
    const QByteArray &data;
    qsizetype pos;
    QString error;

    bool fail(const QString &why)
    {
        if (error.isEmpty()) error = why + QStringLiteral(" at byte %1").arg(pos);
        return false;
    }
    qsizetype left() const { return data.size() - pos; }
    bool byte(unsigned char &b)
    {
        if (left() < 1) return fail(QStringLiteral("stream ends inside a record"));
        b = static_cast<unsigned char>(data[pos++]);
        return true;
    }
    bool le(quint64 &v, int bytes)
    {
        if (left() < bytes) return fail(QStringLiteral("stream ends inside a record"));
        v = 0;
        for (int i = 0; i < bytes; ++i) v |= quint64(static_cast<unsigned char>(data[pos + i])) << (8 * i);
        pos += bytes;
        return true;
    }
    bool raw(QByteArray &out, quint64 n)
    {
        if (quint64(left()) < n) return fail(QStringLiteral("length past the end of the stream"));
        out = data.mid(pos, qsizetype(n));
        pos += qsizetype(n);
        return true;
    }
    bool shortString(QByteArray &s)
    {
        unsigned char n;
        return byte(n) && raw(s, n);
    }
    bool length32(quint64 &n)
    {
        if (!le(n, 4)) return false;
        if (n > quint64(left())) return fail(QStringLiteral("length past the end of the stream"));
        return true;
    }

    bool text(unsigned char type, QString &out)
    {
        QByteArray b;
        quint64 n = 0;
        switch (type) {
        case vaString:
            if (!shortString(b)) return false;
            out = decodeCodePage(b, TextEncoding::Ansi);
            return true;
        case vaLString:
            if (!length32(n) || !raw(b, n)) return false;
            out = decodeCodePage(b, TextEncoding::Ansi);
            return true;
        case vaUTF8String:
            if (!length32(n) || !raw(b, n)) return false;
            out = QString::fromUtf8(b);
            return true;
        case vaWString: {
            if (!le(n, 4)) return false;
            if (n > quint64(left()) / 2) return fail(QStringLiteral("length past the end of the stream"));
            out.resize(qsizetype(n));
            for (quint64 i = 0; i < n; ++i) {
                quint64 u;
                le(u, 2);
                out[qsizetype(i)] = QChar(char16_t(u));
            }
            return true;
        }
        default:
            return fail(QStringLiteral("value type %1 is no text").arg(type));
        }
    }

    bool value(StreamValue &v, int depth)
    {
        if (depth > MaxDepth) return fail(QStringLiteral("lists nested too deeply"));
        unsigned char t;
        if (!byte(t)) return false;
        quint64 u = 0;
        switch (t) {
        case vaInt8:
            if (!le(u, 1)) return false;
            v = StreamValue::ofInt(qint8(u));
            return true;
        case vaInt16:
            if (!le(u, 2)) return false;
            v = StreamValue::ofInt(qint16(u));
            return true;
        case vaInt32:
            if (!le(u, 4)) return false;
            v = StreamValue::ofInt(qint32(u));
            return true;
        case vaInt64:
            if (!le(u, 8)) return false;
            v = StreamValue::ofInt(qint64(u));
            return true;
        case vaExtended: {
            if (left() < 10) return fail(QStringLiteral("stream ends inside a record"));
            unsigned char b[10];
            std::memcpy(b, data.constData() + pos, 10);
            pos += 10;
            v = StreamValue::ofFloat(extendedToDouble(b));
            return true;
        }
        case vaString: case vaLString: case vaUTF8String: case vaWString:
            v = StreamValue::ofText(QString());
            return text(t, v.text);
        case vaIdent: {
            QByteArray s;
            if (!shortString(s)) return false;
            v = StreamValue::ofIdent(QString::fromLatin1(s));
            return true;
        }
        case vaFalse: v = StreamValue::ofBool(false); return true;
        case vaTrue: v = StreamValue::ofBool(true); return true;
        case vaBinary: {
            v = StreamValue::ofBinary(QByteArray());
            return length32(u) && raw(v.bytes, u);
        }
        case vaSet: {
            v = StreamValue::ofSet({});
            for (;;) {
                QByteArray s;
                if (!shortString(s)) return false;
                if (s.isEmpty()) return true;
                v.items.append(QString::fromLatin1(s));
            }
        }
        case vaList: {
            v = StreamValue::ofList({});
            for (;;) {
                unsigned char it;
                if (!byte(it)) return false;
                if (it == vaNull) return true;
                QString s;
                if (!text(it, s)) return false;
                v.items.append(s);
            }
        }
        case vaNil: v = StreamValue(); return true;
        case vaCollection: {
            v = StreamValue();
            v.kind = StreamValue::Collection;
            for (;;) {
                unsigned char it;
                if (!byte(it)) return false;
                if (it == vaNull) return true;
                if (it != vaList) { // an order value may precede the item
                    --pos;
                    StreamValue order;
                    if (!value(order, depth + 1) || order.kind != StreamValue::Int) return fail(QStringLiteral("bad collection item"));
                    if (!byte(it) || it != vaList) return fail(QStringLiteral("bad collection item"));
                }
                std::vector<StreamProperty> props;
                if (!properties(props, depth + 1)) return false;
                v.elements.push_back(std::move(props));
            }
        }
        default:
            return fail(QStringLiteral("unknown value type %1").arg(t));
        }
    }

    bool properties(std::vector<StreamProperty> &props, int depth)
    {
        for (;;) {
            QByteArray name;
            if (!shortString(name)) return false;
            if (name.isEmpty()) return true;
            StreamValue v;
            if (!value(v, depth)) return false;
            props.push_back({name, std::move(v)});
        }
    }
};

} // namespace

const StreamValue *StreamRecord::find(const char *prop) const
{
    for (const StreamProperty &p : properties)
        if (p.name == prop) return &p.value;
    return nullptr;
}

void writeRecord(const StreamRecord &record, QByteArray &out)
{
    out.append("TPF0", 4);
    putShort(out, record.className);
    putShort(out, record.name);
    putProperties(out, record.properties);
    out.append(char(0)); // no owned components
}

QByteArray encodeRecord(const StreamRecord &record)
{
    QByteArray out;
    writeRecord(record, out);
    return out;
}

bool readRecord(const QByteArray &data, qsizetype &pos, StreamRecord &record, QString *error)
{
    Cursor c(data, pos);
    StreamRecord r;
    bool ok = c.left() >= 4 && std::memcmp(data.constData() + pos, "TPF0", 4) == 0;
    if (!ok) c.fail(QStringLiteral("no record signature"));
    else c.pos += 4;
    ok = ok && c.shortString(r.className) && c.shortString(r.name) && c.properties(r.properties, 0);
    unsigned char children = 0;
    if (ok && c.byte(children) && children != 0) ok = c.fail(QStringLiteral("owned components are not carried"));
    if (ok && r.className.isEmpty()) ok = c.fail(QStringLiteral("record without class name"));
    ok = ok && c.error.isEmpty();
    if (!ok) {
        if (error) *error = c.error;
        return false;
    }
    record = std::move(r);
    pos = c.pos;
    return true;
}

void doubleToExtended(double v, unsigned char out[10])
{
    std::memset(out, 0, 10);
    unsigned sign = std::signbit(v) ? 0x8000u : 0u;
    quint64 mant = 0;
    unsigned exp = 0;
    if (std::isnan(v)) {
        exp = 0x7FFF;
        mant = 0xC000000000000000ull;
    } else if (std::isinf(v)) {
        exp = 0x7FFF;
        mant = 0x8000000000000000ull;
    } else if (v != 0) {
        int e = 0;
        const double m = std::frexp(std::fabs(v), &e); // 0.5 <= m < 1
        mant = quint64(std::ldexp(m, 64));             // exact: m has 53 bits
        exp = unsigned(e - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i) out[i] = (mant >> (8 * i)) & 0xFF;
    const unsigned se = sign | exp;
    out[8] = se & 0xFF;
    out[9] = (se >> 8) & 0xFF;
}

double extendedToDouble(const unsigned char in[10])
{
    quint64 mant = 0;
    for (int i = 0; i < 8; ++i) mant |= quint64(in[i]) << (8 * i);
    const unsigned se = unsigned(in[8]) | (unsigned(in[9]) << 8);
    const bool neg = se & 0x8000;
    const int exp = int(se & 0x7FFF);
    double v;
    if (exp == 0x7FFF)
        v = (mant << 1) ? std::nan("") : INFINITY;
    else if (mant == 0)
        v = 0;
    else
        v = std::ldexp(double(mant), exp - 16383 - 63);
    return neg ? -v : v;
}

} // namespace platform
