// Keys of the cells of one sort, private to the sort's own files.
//
// Two ways to compare. The general one reads keys by displayed row, each made on first use and
// kept; it serves every style and every answer of the column format hook. The fast one holds one
// record per sorted position with the sort column's keys made ahead (text, folded text or
// collation key; numbers and dates made once when first needed) and moves the records with the
// partition's swaps, so the partition reads its keys in order. It is used for a comparison only
// while the format hook answers what the records were made for; any other answer takes the general
// way for that pair, so hooks and events are asked, and answered, exactly as before. A grid with no
// format hook at all compares by its settings' style without asking, and its first column's records
// also carry the start of the column that breaks their ties.
#pragma once

#include "grid/NovaGrid.h"

#include "platform/FormatSettings.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TNovaStringGrid::SortKeys {
public:
    SortKeys(TNovaStringGrid &g, bool cache);

    // Counts the comparison, asks the format hook, compares.
    int compareCells(int ACol, int R1, int R2, bool Descending);
    bool ignored(int ACol);

    // One sorted position of the fast path. All zero is a record not made yet.
    struct Rec {
        std::size_t off = 0;       // the text's units in its column's buffer (len of them)
        std::uint64_t head = 0;    // the first four units of the compared text, zero-padded
        int len = 0;
        int row = 0;
        double num = 0;            // the numeric key, once numState is set
        std::uint8_t bits = 0;     // automatic-style bits of the text
        std::uint8_t numState = 0; // 0 not made, 1 converted, 2 failed
        std::uint8_t dtKind = 0;   // 0 not made, else the kind + 1 of the date or time key
        std::uint8_t flags = 0;    // RecFlags
        // The tie column's head, length (at most 255), bits and flags, carried by the first column's
        // records (see carryTies).
        std::uint8_t tieBits = 0;
        std::uint8_t tieFlags = 0;
        std::uint8_t tieLen = 0;
        std::uint64_t tieHead[2] = {0, 0};
    };

    // Records for the rows Left..Right of the first sort column ACol, in row order; false when the
    // column cannot take the fast path at all. The partition moves them with its swaps.
    bool makeFast(int ACol, int Left, int Right, std::vector<Rec> &recs);
    // CompareCells of the two records' rows on the first sort column.
    int compareFast(Rec &a, Rec &b, bool Descending);
    // CompareRows and CompareRowsIndexed for rows of the sorted range, the columns after the first
    // read through records of their own that stay in row order.
    int compareRowsFast(int ACol, int R1, int R2);
    int compareRowsIndexedFast(int Index, int R1, int R2);
    Rec Pivot; // the partition's copy of its pivot record, kept up to date when the keys are made
    // A row compared with itself on the columns after the first, where no hook can answer: every
    // column ties, so only the comparisons are counted. False where a hook may be asked.
    bool selfTie(int ACol);
    bool selfTieIndexed(int Index);
    // Where no hook answers the format, the first column's records also carry the head of the
    // column that breaks their ties (ACol, compared as Descending; Invert for an index entry), so
    // that most ties are decided without reading that column's records by row. Call before the
    // first comparison.
    void carryTies(int ACol, bool Descending, bool Invert);
    // A tie decided by the carried heads: the comparison of the tie column, counted; -1 or 1, or
    // TieEqual where the two cells are the same text (the next column decides), or 0 where the
    // heads cannot decide it (and nothing is counted).
    static constexpr int TieEqual = 2;
    int compareTie(const Rec &a, const Rec &b);

private:
    enum AutoBits : std::uint8_t {
        abNumber = 1, abDateAt = 2, abDatePos23 = 4, abHasDate = 8, abHasTime = 16, abTimeAt = 32, abKnown = 128
    };
    enum RecFlags : std::uint8_t { rfMade = 1, rfEmpty = 2, rfTypeKnown = 4, rfCheck = 8 };
    enum TextKey : std::uint8_t { tkNone, tkText, tkFolded, tkCollate, tkCollateNoCase };
    enum NumKind { nkNumeric, nkFinancial, nkDate, nkTime, nkDMY, nkMDY, nkImage, nkCheck };
    struct NumSlot {
        int kind;
        QString prefix, suffix;
        std::vector<double> v;
        std::vector<std::int8_t> st; // 0 not made, 1 converted, 2 failed
    };
    struct StrSlot {
        int kind; // 0 upper-cased a-z, 1 stripped markup
        std::vector<QString> v;
        std::vector<char> have;
    };
    struct Column {
        int ignored = -1;
        std::vector<QString> text;
        std::vector<char> haveText;
        std::vector<std::uint8_t> autoBits;
        std::vector<std::int16_t> cellType; // -1 not asked
        std::vector<NumSlot> nums;
        std::vector<StrSlot> strs;
        std::vector<std::optional<QCollatorSortKey>> coll[2]; // case, no case
    };
    // A fast column: what its records were made for, and the storage their keys point into.
    struct Fast {
        int col = -1;
        bool active = false; // records made for the first answer of the format hook
        bool off = false;    // that answer has no fast form
        TSortStyle style = ssAutomatic;
        QString prefix, suffix;
        bool noCase = false; // SortSettings.IgnoreCase when made
        bool bits = false;   // the style reads the automatic-style bits
        TextKey textKey = tkNone;
        int left = 0;
        Rec *recs = nullptr; // the partition's records, or own
        std::size_t count = 0;
        // A later column's records, by row - left: zeroed memory, so that only the pages of rows
        // that tie cost anything; made one by one, then all at once once many rows tie.
        std::unique_ptr<Rec[], void (*)(void *)> own{nullptr, nullptr};
        std::size_t made = 0;
        std::vector<double> dt; // the date or time keys (of kind dtKind), by row - left
        // The texts one after the other (a record holds where its own is), and beside them, at
        // the same places, the same upper-cased a-z when the style compares so.
        std::u16string buf, fold;
        std::vector<std::optional<QCollatorSortKey>> collKeys; // by row - left
    };

    int compareIn(Fast &f, Rec &a, Rec &b, bool Descending);
    Fast *laterColumn(int ACol);
    int compareStyled(int ACol, int R1, int R2, bool Descending, TSortStyle style, const QString &prefix,
                      const QString &suffix);
    void activateFast(Fast &f, TSortStyle style, const QString &prefix, const QString &suffix);
    void fill(Fast &f, Rec &r); // the record's text key, bits and flags
    void fillAll(Fast &f);
    Rec &laterRec(Fast &f, int R);
    static QString textOf(const Fast &f, const Rec &r); // a view of the buffer, valid until the next fill
    bool plainReads(); // reading a text calls no hook
    void appendText(int ACol, int R, std::u16string &out);
    TSortStyle resolveFast(Fast &f, Rec &a, Rec &b, bool &general);
    // The style the automatic and alphanumeric styles take for a pair of cells with these bits (the
    // first no check box); b2 matters only for an automatic first cell that is no number and for an
    // alphanumeric one that is.
    static TSortStyle pairStyle(TSortStyle style, std::uint8_t b1, std::uint8_t b2, bool noCase);
    double fastNum(Fast &f, Rec &r, int kind, bool &ok);
    int blanks(int res, bool e1, bool e2, bool Descending) const;
    static int numKind(TSortStyle style);
    TSortStyle askFormat(int ACol, QString &prefix, QString &suffix);
    // No override or event can answer the format: every column sorts by the settings' style.
    bool formatIdle() const { return BaseGrid && !G.OnGetFormat; }
    TSortStyle settingsStyle() const;
    int compareMade(Fast &f, Rec &a, Rec &b, bool Descending, TSortStyle style, const QString &prefix,
                    const QString &suffix);

    Column &column(int ACol);
    bool inCache(int R) const { return Cache && R >= 0 && R < Rows; }
    QString readText(int ACol, int R);
    const QString &text(int ACol, int R);
    std::uint8_t makeAuto(const QString &t) const;
    std::uint8_t autoBits(int ACol, int R);
    TCellType cellType(int ACol, int R);
    bool makeNum(int kind, const QString &prefix, const QString &suffix, const QString &t0, int ACol, int R,
                 double &v);
    bool num(int kind, const QString &prefix, const QString &suffix, int ACol, int R, double &v);
    const QString &str(int kind, int ACol, int R);
    QCollator &collator(bool noCase);
    int collate(bool noCase, int ACol, int R1, int R2);

    TNovaStringGrid &G;
    const bool BaseGrid; // not a derived grid: no override of the format or cell-type hooks
    const bool Cache;
    const int Rows;
    const platform::FormatSettings Fs;
    const QChar DateSep;
    const QChar TimeSep;
    std::vector<Column> Cols;
    std::optional<QCollator> Collators[2];
    QString Scratch[2];
    int ScratchPos = 0;
    Fast First;
    std::vector<std::unique_ptr<Fast>> Later; // by column
    int FastLeft = 0, FastRight = -1;
    struct Tie {
        int col = -1;
        bool desc = false, invert = false, noCase = false;
        TSortStyle style = ssAutomatic;
        std::u16string text; // the cell being read
    } TieKeys;
    void fillTie(Rec &r);
};
