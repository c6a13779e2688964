#pragma once
// Small containers the string grid builds its state on: integer lists (hidden rows, column
// positions, image indexes of a cell), the multi-column sort list with its settings text,
// the list of controls placed in cells, file pictures and a string list read and written
// line by line.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"
#include "platform/GridDefs.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <unordered_set>
#include <vector>

// An index outside a list.
class EListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// List of 32-bit integers that knows the cell (column, row) it belongs to; (-1, -1) for a free
// list. OnChange(Sender, Col, Row) fires on Add, Delete and SetInteger (not on Insert).
class TIntList : public QObject {
public:
    explicit TIntList(int ACol = -1, int ARow = -1, QObject *parent = nullptr);

    void Add(int Value);
    void Insert(int Index, int Value);
    void Delete(int Index);
    void DeleteValue(int Value);
    bool HasValue(int Value) const;
    int IndexOf(int Value) const;
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    int operator[](int Index) const { return GetInteger(Index); }
    int Items(int Index) const { return GetInteger(Index); }
    int Count() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    void Clear() { m_items.clear(); }
    // Plain list moves (no change event).
    void Move(int CurIndex, int NewIndex);
    void Exchange(int Index1, int Index2);
    // Copies the entries (no change event); Col and Row stay.
    void Assign(const TIntList &Source);
    const std::vector<std::int32_t> &Values() const { return m_items; }

    // The entries as decimal numbers joined by ",".
    QString StrValue() const;
    // Clears (no event), then adds every item of a comma text (items separated by commas or
    // blanks, optionally in double quotes) with Add. An item that is not a whole number throws
    // EConvertError; the items before it stay added.
    void SetStrValue(const QString &Value);

    int Col() const { return m_col; }
    int Row() const { return m_row; }

    TImageChangeEvent OnChange;

protected:
    void changed();
    void checkIndex(int Index) const;
    std::vector<std::int32_t> m_items;

private:
    int m_col;
    int m_row;
};

// Sort columns of a multi-column sort: bits 0..30 the column, bit 31 set for descending.
class TSortIndexList : public TIntList {
public:
    explicit TSortIndexList(QObject *parent = nullptr) : TIntList(-1, -1, parent) {}

    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const;        // -1 when the column is not in the list
    void ToggleIndex(int ColumnIndex);           // flips the direction; nothing when absent
    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int Value);
    bool GetSortDirections(int i) const;         // true = ascending
    void SetSortDirections(int i, bool Value);
    // "u2;d5": "u" ascending, "d" descending, then the column; ";" between entries.
    QString SaveToString() const;
    // Clears, then reads the tokens between ";": shorter than 2 characters, or whose column is
    // not a whole number of at least 0, they are skipped; "u" ascending, anything else descending.
    void LoadFromString(const QString &s);
};

// Cells of a disjunct cell selection, in selection order: any column and row the grid can hold
// (no packing of both into one number), each cell at most once.
class TCellCoordList : public QObject {
public:
    explicit TCellCoordList(QObject *parent = nullptr) : QObject(parent) {}

    // False when the cell was listed already.
    bool Add(TGridCoord Cell);
    // False when the cell was not listed.
    bool Remove(TGridCoord Cell);
    bool Contains(TGridCoord Cell) const { return m_index.count(key(Cell)) != 0; }
    int Count() const { return int(m_items.size()); }
    TGridCoord Items(int Index) const; // EListError outside the list
    void Clear();
    // Keeps the cells for which Keep answers true, each moved to where Map puts it.
    template <class F> void Remap(F &&Map)
    {
        std::vector<TGridCoord> old;
        old.swap(m_items);
        m_index.clear();
        for (const TGridCoord &c : old) {
            TGridCoord n = c;
            if (Map(n))
                Add(n);
        }
    }

private:
    static std::uint64_t key(TGridCoord c) { return (std::uint64_t(std::uint32_t(c.Y)) << 32) | std::uint32_t(c.X); }
    std::vector<TGridCoord> m_items;
    std::unordered_set<std::uint64_t> m_index;
};

class TControlItem {
public:
    TControlItem(int X, int Y, QObject *AObject) : m_x(X), m_y(Y), m_object(AObject) {}
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetX(int v) { m_x = v; }
    void SetY(int v) { m_y = v; }
    QObject *Control() const { return m_object.data(); }
    QObject *Object() const { return m_object.data(); }

private:
    int m_x;
    int m_y;
    QPointer<QObject> m_object; // not owned; forgets a control that was destroyed
};

// Controls placed in cells: column, real row and control. Owns its items, not the controls.
class TControlList {
public:
    TControlList() = default;
    TControlList(const TControlList &) = delete;
    TControlList &operator=(const TControlList &) = delete;
    ~TControlList() { Clear(); }

    void AddControl(int X, int Y, QObject *AObject);
    int ControlIndex(int X, int Y) const;        // -1 when no item has that cell
    TControlItem *GetControl(int i) const;
    // True when some item's control is the given window (a widget is its own handle here).
    bool HasHandle(const QWidget *Handle) const;
    void RemoveControl(int i);
    void Clear();
    int Count() const { return int(m_items.size()); }

private:
    std::vector<std::unique_ptr<TControlItem>> m_items;
};

// A cell picture referenced by file name, read from the file each time it is drawn.
class TFilePicture {
public:
    QString Filename() const { return m_filename; }
    // Stores the name and measures the picture; false (size 0 x 0) when the file cannot be
    // read as a picture.
    bool SetFilename(const QString &Value);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Draws the file stretched into r; nothing (false) without a name or when the file cannot
    // be read, so painting never fails on a missing picture.
    bool DrawPicture(TCanvas &Canvas, const TRect &r) const;
    void Assign(const TFilePicture &Source);

private:
    QString m_filename;
    int m_width = 0;
    int m_height = 0;
};

// A string list read like a text file (Reset, ReadLn, Eof) and written line by line
// (Write, WriteLn).
class TFileStringList : public QStringList {
public:
    void Reset();
    bool Eof() const { return fp >= size(); }
    // The line at the read position; advances. EListError past the last line.
    void ReadLn(QString &s);
    void Write(const QString &s) { cache += s; }
    void WriteLn(const QString &s);

    // Whole-file load and save. Loading detects a UTF-8 or UTF-16 byte-order mark, else reads
    // UTF-8 when the bytes are valid UTF-8 and Windows-1252 otherwise; lines end at CR LF, LF
    // or CR. Saving writes UTF-8 lines ended by CR LF, atomically. Both report failure.
    bool LoadFromFile(const QString &FileName, QString *error = nullptr);
    bool SaveToFile(const QString &FileName, QString *error = nullptr) const;
    // The same on bytes.
    void SetTextBytes(const QByteArray &bytes);
    QByteArray TextBytes() const;

private:
    qsizetype fp = 0;
    QString cache;
};
