#pragma once
// Component-stream records ("TPF0"): a class name, an empty component name, a list of named
// property values and an empty list of owned components. The grid's binary stream, its cell
// carriers and the column stream are sequences of such records.
//
// The reader takes untrusted bytes: every length is checked against what is left, nesting is
// bounded, and a record that is not whole is refused as a whole (nothing half-read comes out).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace platform {

struct StreamProperty;

// One property value. Texts keep their text; the writer picks the narrowest encoding.
struct StreamValue {
    enum Kind : std::uint8_t { Int, Float, Text, Ident, Bool, Binary, Set, List, Nil, Collection };
    Kind kind = Nil;
    qint64 integer = 0;
    double real = 0;
    bool boolean = false;
    QString text;                   // Text, Ident
    QByteArray bytes;               // Binary
    QStringList items;              // Set (names), List (texts)
    std::vector<std::vector<StreamProperty>> elements; // Collection: one property list per item

    static StreamValue ofInt(qint64 v);
    static StreamValue ofFloat(double v);
    static StreamValue ofText(const QString &v);
    static StreamValue ofIdent(const QString &v);
    static StreamValue ofBool(bool v);
    static StreamValue ofBinary(const QByteArray &v);
    static StreamValue ofSet(const QStringList &v);
    static StreamValue ofList(const QStringList &v);
};

struct StreamProperty {
    QByteArray name; // "Parent.Child" for a nested object's property
    StreamValue value;
};

inline StreamValue StreamValue::ofInt(qint64 v) { StreamValue s; s.kind = Int; s.integer = v; return s; }
inline StreamValue StreamValue::ofFloat(double v) { StreamValue s; s.kind = Float; s.real = v; return s; }
inline StreamValue StreamValue::ofText(const QString &v) { StreamValue s; s.kind = Text; s.text = v; return s; }
inline StreamValue StreamValue::ofIdent(const QString &v) { StreamValue s; s.kind = Ident; s.text = v; return s; }
inline StreamValue StreamValue::ofBool(bool v) { StreamValue s; s.kind = Bool; s.boolean = v; return s; }
inline StreamValue StreamValue::ofBinary(const QByteArray &v) { StreamValue s; s.kind = Binary; s.bytes = v; return s; }
inline StreamValue StreamValue::ofSet(const QStringList &v) { StreamValue s; s.kind = Set; s.items = v; return s; }
inline StreamValue StreamValue::ofList(const QStringList &v) { StreamValue s; s.kind = List; s.items = v; return s; }

struct StreamRecord {
    QByteArray className;
    QByteArray name;
    std::vector<StreamProperty> properties;

    void add(const char *prop, StreamValue v) { properties.push_back({QByteArray(prop), std::move(v)}); }
    // The first property of that name, or null.
    const StreamValue *find(const char *prop) const;
};

// Appends the record's bytes to out. Class, component and property names longer than 255
// bytes cannot be carried: std::length_error.
void writeRecord(const StreamRecord &record, QByteArray &out);
QByteArray encodeRecord(const StreamRecord &record);

// Reads one record starting at pos. True: record filled and pos past it. False: pos unchanged
// and *error (when given) says why the bytes are no whole record.
bool readRecord(const QByteArray &data, qsizetype &pos, StreamRecord &record, QString *error = nullptr);

// The 80-bit extended float of a double and back (little-endian, 10 bytes).
void doubleToExtended(double v, unsigned char out[10]);
double extendedToDouble(const unsigned char in[10]);

} // namespace platform
