#pragma once
// The records of the grid's binary stream: one small carrier per kind of item (the grid's size,
// a cell, its properties, its graphic and the graphic's image or list). Each carrier owns the
// object it carries; its properties are exactly what the stream holds, so their names, types
// and order are the format.
#include "grid/base/Canvas.h"
#include "platform/ComponentStream.h"

#include <QIcon>
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TBaseGrid;
class TCellProperties;
class TCellGraphic;
class THTMLPicture;
class TFilePicture;

// Values as the carriers read and write them: a reader answers false for a value of another type.
namespace carrier_values {
bool toInt(const platform::StreamValue &v, std::int32_t &out); // clamped into 32 bits
bool toBool(const platform::StreamValue &v, bool &out);
bool toText(const platform::StreamValue &v, QString &out);
void addText(platform::StreamRecord &r, const char *name, const QString &t); // only when not empty

inline constexpr const char *FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
// A font style as the set of its members' names, and back (unknown names are left out).
platform::StreamValue fontStyleValue(TFontStyles styles);
bool toFontStyles(const platform::StreamValue &v, TFontStyles &out);

// The identifier of member v (the first member's for a value out of range).
template <std::size_t N>
platform::StreamValue ident(const char *const (&names)[N], int v)
{
    return platform::StreamValue::ofIdent(QString::fromLatin1(v >= 0 && std::size_t(v) < N ? names[v] : names[0]));
}

// The member named by an identifier value (any letter case); false for another value type or
// an unknown name.
template <std::size_t N, typename E>
bool fromIdent(const char *const (&names)[N], const platform::StreamValue &v, E &out)
{
    if (v.kind != platform::StreamValue::Ident)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (v.text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
            out = E(i);
            return true;
        }
    return false;
}
} // namespace carrier_values

// Base of the carriers: the class name that opens its record.
class TGridStreamCarrier {
public:
    virtual ~TGridStreamCarrier() = default;
    virtual const char *ClassName() const = 0;
    platform::StreamRecord ToRecord() const;
    // False when the record is of another class; unknown or ill-typed properties are skipped.
    bool FromRecord(const platform::StreamRecord &record);

protected:
    virtual void WriteProperties(platform::StreamRecord &record) const = 0;
    virtual void ReadProperty(const QByteArray &name, const platform::StreamValue &value) = 0;
};

class TGridPropIO : public TGridStreamCarrier {
public:
    const char *ClassName() const override { return "TGridPropIO"; }
    std::int32_t ColCount = 0;
    std::int32_t RowCount = 0;
    QString ColWidths;
    QString RowHeights;
    bool FullGrid = false;
    std::int32_t ID = 0;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;
};

class TGridCellIO : public TGridStreamCarrier {
public:
    const char *ClassName() const override { return "TGridCellIO"; }
    std::uint16_t Col = 0;
    std::uint16_t Row = 0;
    QString Cell;
    bool HasProp = false;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;
};

class TGridCellPropIO : public TGridStreamCarrier {
public:
    explicit TGridCellPropIO(TBaseGrid *Owner);
    ~TGridCellPropIO() override;
    const char *ClassName() const override { return "TGridCellPropIO"; }
    TCellProperties &CellProperties() { return *FCellProperties; }
    bool HasGraphic = false;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;

private:
    std::unique_ptr<TCellProperties> FCellProperties;
};

class TGridGraphicIO : public TGridStreamCarrier {
public:
    TGridGraphicIO();
    ~TGridGraphicIO() override;
    const char *ClassName() const override { return "TGridGraphicIO"; }
    TCellGraphic &CellGraphic() { return *FCellGraphic; }

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;

private:
    std::unique_ptr<TCellGraphic> FCellGraphic;
};

// Images travel as PNG.
class TGridBMPIO : public TGridStreamCarrier {
public:
    const char *ClassName() const override { return "TGridBMPIO"; }
    QImage Bitmap;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;
};

class TGridIconIO : public TGridStreamCarrier {
public:
    const char *ClassName() const override { return "TGridIconIO"; }
    QIcon Icon;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;
};

// A picture's data: the short name of its class, then its data as it was loaded.
class TGridPicIO : public TGridStreamCarrier {
public:
    TGridPicIO();
    ~TGridPicIO() override;
    const char *ClassName() const override { return "TGridPicIO"; }
    THTMLPicture &Picture() { return *FPicture; }

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;

private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TGridFilePicIO : public TGridStreamCarrier {
public:
    TGridFilePicIO();
    ~TGridFilePicIO() override;
    const char *ClassName() const override { return "TGridFilePicIO"; }
    TFilePicture &Picture() { return *FPicture; }

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;

private:
    std::unique_ptr<TFilePicture> FPicture;
};

class TGridSLIO : public TGridStreamCarrier {
public:
    const char *ClassName() const override { return "TGridSLIO"; }
    QStringList Strings;

protected:
    void WriteProperties(platform::StreamRecord &record) const override;
    void ReadProperty(const QByteArray &name, const platform::StreamValue &value) override;
};

// A binary grid stream read whole: its grid record, the sizes it lists and every cell with the
// records that follow it, as they were read.
struct TGridStreamCell {
    platform::StreamRecord cell, props, graphic, extra;
    bool hasProps = false, hasGraphic = false, hasExtra = false;
};
struct TGridStreamContent {
    TGridPropIO Head;
    std::vector<int> ColWidths, RowHeights;
    std::vector<TGridStreamCell> Cells;
    qsizetype Used = 0; // bytes of the stream read
};
