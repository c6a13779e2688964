#pragma once
// The platform's string grid: a scrolling table of cell texts with one object slot per cell,
// fixed rows and columns, per-column widths and per-row heights, a current cell and a
// selection, an in-place text editor, and virtual hooks for drawing, selection, scrolling,
// keys, mouse and wheel. The grid library's base grid derives from it.
//
// The cell store is independent of RowCount/ColCount: cells written outside the counts are
// kept (and read back), cells never written read "". Rows are kept in a sparse table, so only
// rows that hold something cost memory, whatever their index; rows are packed compactly, so a
// grid of 10^6 x 20 short texts stays small.
#include "platform/GridDefs.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class TStringGrid;

// True when w, or a widget inside it, is the focus widget of its window, also while that window is
// not the active one (a dialog shown over it). A cell editor hidden in that state would pass the
// focus on along the window's tab chain, to whatever comes next (a dialog's OK button): its grid
// takes the focus back instead.
bool holdsWindowFocus(const QWidget *w);

// Cell texts and object slots. Any row from 0 to INT_MAX can be written; a row costs memory only
// while it holds a text or an object. Texts are kept per row as packed UTF-16 code units. Columns
// from MaxCols on are refused like negative ones (the grid keeps its column count below it).
class TGridCellStore {
public:
    static constexpr int MaxCols = 1 << 16;

    TGridCellStore();
    ~TGridCellStore();
    TGridCellStore(const TGridCellStore &other);
    TGridCellStore &operator=(const TGridCellStore &other);
    TGridCellStore(TGridCellStore &&other) noexcept;
    TGridCellStore &operator=(TGridCellStore &&other) noexcept;

    QString Text(int col, int row) const;
    // The same into out, reusing its buffer: no allocation per cell when reading many.
    void TextInto(int col, int row, QString &out) const;
    // The same appended to out: many cells read into one buffer, one allocation for them all.
    void AppendText(int col, int row, std::u16string &out) const;
    // The stored bytes of a cell whose text is plain ASCII (they are then its characters; a missing
    // cell is empty), valid until the row changes. False where the text holds other characters.
    bool AsciiView(int col, int row, std::string_view &out) const;
    // Cell (c1, r1) and cell (c2, r2) exchange texts and objects; nothing is freed.
    void ExchangeCells(int c1, int r1, int c2, int r2);
    bool IsEmpty(int col, int row) const;
    void SetText(int col, int row, const QString &text);
    TObject *Object(int col, int row) const;
    void SetObject(int col, int row, TObject *obj);
    bool HasObjects() const { return m_objectCount > 0; }
    bool RowHasObjects(int row) const;

    // Rows up to the last one that holds something (INT_MAX when row INT_MAX does); walk the rows
    // that hold something with NextRow rather than counting up to this.
    int RowSpan() const { return m_lastRow == INT_MAX ? INT_MAX : m_lastRow + 1; }
    int LastRow() const { return m_lastRow; }    // -1 when the store is empty
    int NextRow(int from) const;                 // first row >= from that holds something, or -1
    int NextObjectCol(int row, int from) const;  // first column >= from with an object, or -1
    int CellsInRow(int row) const;               // cells up to the last non-empty one
    QStringList RowTexts(int row) const;

    // A whole row as the store keeps it (texts packed, object slots beside them), moved out and
    // back without decoding: hiding and showing rows move many rows this way.
    struct PackedRow {
        std::string packed;
        std::vector<TObject *> objects; // empty while the row has no object
        bool empty() const { return packed.empty() && objects.empty(); }
        int CellCount() const;          // cells up to the last non-empty text or object
        QStringList Texts() const;      // up to the last non-empty text
        // Steps over the cell at Pos (from 0): Units are its packed code units, which are the
        // text's own characters when every byte is below 0x80. False past the last cell.
        // Inline: exports walk every cell of every row through it.
        bool NextCell(std::size_t &Pos, std::string_view &Units) const
        {
            if (Pos >= packed.size())
                return false;
            std::size_t n = static_cast<unsigned char>(packed[Pos]);
            if (n < 0x80)
                ++Pos; // lengths below 128 take one byte
            else
                n = LongLength(Pos);
            n = std::min(n, packed.size() - Pos);
            Units = std::string_view(packed.data() + Pos, n);
            Pos += n;
            return true;
        }

    private:
        std::size_t LongLength(std::size_t &Pos) const;
    };
    // A row's packed form to read in place, or null when the row holds nothing.
    const PackedRow *PeekRow(int row) const { return find(row); }
    // Takes a row out, leaving it empty; the objects go with it (nothing is freed).
    PackedRow TakeRow(int row);
    // Makes a row hold exactly Data (what it held before is dropped, its objects are not freed).
    void PutRow(int row, PackedRow &&data);

    void MoveRow(int from, int to);   // the row moves, rows between shift by one
    void MoveCol(int from, int to);
    void ExchangeRows(int a, int b);
    void Clear();
    std::size_t MemoryBytes() const;

private:
    using RowData = PackedRow;
    // Three levels: a list of blocks of 2^21 rows, each block a table of leaves of 2^10 rows.
    static constexpr int kLeafBits = 10;
    static constexpr int kBlockBits = 11;
    struct Leaf {
        RowData rows[1 << kLeafBits];
        int used = 0; // rows holding something
    };
    struct Block {
        std::unique_ptr<Leaf> leaves[1 << kBlockBits];
        int used = 0; // leaves present
    };

    const RowData *find(int row) const
    {
        if (row < 0 || row > m_lastRow)
            return nullptr;
        const Block *b = m_blocks[std::size_t(row >> (kLeafBits + kBlockBits))].get();
        if (!b)
            return nullptr;
        const Leaf *l = b->leaves[(row >> kLeafBits) & ((1 << kBlockBits) - 1)].get();
        return l ? &l->rows[row & ((1 << kLeafBits) - 1)] : nullptr;
    }
    RowData &rowFor(int row);            // creates the row's leaf; call settle(row, ...) after a change
    void settle(int row, bool wasEmpty); // books a row that became empty or non-empty
    RowData take(int row);               // moves a row's contents out, leaving it empty
    void put(int row, RowData &&data);   // fills an empty row
    int prevRow(int from) const;         // last row <= from that holds something, or -1

    std::vector<std::unique_ptr<Block>> m_blocks;
    // The last leaf that emptied, kept for the next one needed: rows moving through the store in
    // a pass (hiding, showing, removing many rows) empty one leaf as they fill the next.
    std::unique_ptr<Leaf> m_spareLeaf;
    int m_lastRow = -1;
    long long m_objectCount = 0;
    // Where the last SetText left off: cell m_hintCol of row m_hintRow starts at byte m_hintPos of
    // the row, so that a row filled from left to right is not walked again for every cell. Every
    // other change of a row goes through rowFor, which forgets it.
    int m_hintRow = -1;
    int m_hintCol = 0;
    std::size_t m_hintPos = 0;
};

// The in-place text editor of the grid: a masked one-line edit that writes its text into the
// cell as it changes and hands navigation keys (Escape, Enter, Up, Down, Page Up/Down, Tab) back
// to its grid. Descendants override the hooks below.
class TInplaceEdit : public QLineEdit {
public:
    explicit TInplaceEdit(TStringGrid *grid);
    TStringGrid *Grid() const { return m_grid; }
    int EditCol = -1;
    int EditRow = -1;

    // Loads the current cell's edit text, length limit and mask.
    virtual void UpdateContents();
    // Places the editor over the current cell.
    virtual void BoundsChanged();
    // Key hooks: clearing the key (0, or a null character) drops it.
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyUp(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar &key);
    // The text was changed by the user: writes it into the cell.
    virtual void Change();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    TStringGrid *m_grid;
};

class TStringGrid : public QAbstractScrollArea {
public:
    explicit TStringGrid(QWidget *parent = nullptr);
    ~TStringGrid() override;

    // ---- cells -------------------------------------------------------------------------------
    QString GetCell(int col, int row) const { return m_store.Text(col, row); }
    void SetCell(int col, int row, const QString &text); // stores and repaints the cell
    TObject *GetObject(int col, int row) const { return m_store.Object(col, row); }
    void SetObject(int col, int row, TObject *obj) { m_store.SetObject(col, row, obj); }
    TGridCellStore &Store() { return m_store; }
    const TGridCellStore &Store() const { return m_store; }

    // ---- size and layout ---------------------------------------------------------------------
    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    void SetColCount(int n);
    void SetRowCount(int n);
    int FixedCols() const { return m_fixedCols; }
    int FixedRows() const { return m_fixedRows; }
    void SetFixedCols(int n);
    void SetFixedRows(int n);
    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultColWidth(int w); // resets every column width
    void SetDefaultRowHeight(int h); // resets every row height
    int ColWidths(int col) const;
    int RowHeights(int row) const;
    void SetColWidths(int col, int w);
    void SetRowHeights(int row, int h);
    int GridLineWidth() const { return m_gridLineWidth; }
    void SetGridLineWidth(int w);
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions o);
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void SetDefaultDrawing(bool on);

    // ---- position ----------------------------------------------------------------------------
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void SetCol(int c);
    void SetRow(int r);
    void FocusCell(int c, int r, bool moveAnchor = true); // asks SelectCell first
    TGridRect Selection() const { return m_selection; }
    void SetSelection(const TGridRect &r);
    int LeftCol() const { return m_leftCol; }
    int TopRow() const { return m_topRow; }
    void SetLeftCol(int c);
    void SetTopRow(int r);
    int VisibleColCount() const; // fully visible scrollable columns from LeftCol
    int VisibleRowCount() const;
    TGridState GridState() const { return m_state; }
    // Ends or changes a mouse state from outside (a sizing or selecting drag stops at gsNormal).
    void SetGridState(TGridState s) { m_state = s; }
    // The column or row a sizing drag moves (-1 none), and its size when the drag began.
    int SizingIndex() const { return m_sizingIndex; }
    int SizingStartSize() const { return m_sizingStart; }

    // ---- geometry (client coordinates, right and bottom exclusive) ------------------------------
    QRect CellRect(int col, int row) const; // empty when the cell is out of view
    // The area the grid repaints and places its editor over for a cell (merged cells widen it).
    virtual QRect CellBounds(int col, int row) const { return CellRect(col, row); }
    void MouseToCell(int x, int y, int &col, int &row) const;
    TGridCoord MouseCoord(int x, int y) const;
    int ClientWidth() const;
    int ClientHeight() const;
    int ColPos(int col) const; // left edge of a column in view (fixed or from LeftCol)
    int RowPos(int row) const;
    // Sums of widths or heights (lines included) of columns [from, to) and rows [from, to).
    int ColSpanWidth(int from, int to) const;
    int RowSpanHeight(int from, int to) const;

    // ---- editing -----------------------------------------------------------------------------
    bool EditorMode() const { return m_editorMode; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    TInplaceEdit *InplaceEditor() const { return m_editor; }

    void MoveColRow(bool isColumn, int fromIndex, int toIndex);
    // Scales default sizes, column widths and row heights by m / d (a form scaled for another resolution).
    virtual void ChangeScale(int m, int d);
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateGrid();
    // Runs one paint pass of the whole client area into the painter (off-screen drawing).
    void PaintTo(QPainter &p);

    // ---- events ------------------------------------------------------------------------------
    std::function<void(QObject *Sender, int ACol, int ARow, const QRect &Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(QObject *Sender, int ACol, int ARow, bool &CanSelect)> OnSelectCell;
    std::function<void(QObject *Sender)> OnTopLeftChanged;
    std::function<void(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject *Sender, QChar &Key)> OnKeyPress;
    std::function<void(QObject *Sender, int ACol, int ARow, QString &Value)> OnGetEditText;
    std::function<void(QObject *Sender, int ACol, int ARow, const QString &Value)> OnSetEditText;
    std::function<void(QObject *Sender, bool IsColumn, int FromIndex, int ToIndex)> OnColRowMoved;
    // The control's own mouse events: a press and a release of any button, a click and a double click.
    std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseDown;
    std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;
    std::function<void(QObject *Sender)> OnClick;
    std::function<void(QObject *Sender)> OnDblClick;

    // ---- hooks for descendants ---------------------------------------------------------------
    // The painter of the current paint pass (valid inside Paint and DrawCell).
    QPainter *PaintPainter() const { return m_painter; }
    virtual void Paint(QPainter &p, const QRect &updateRect);
    virtual void DrawCell(int col, int row, const QRect &rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);
    virtual void TopLeftChanged();
    virtual void KeyDown(int &key, Qt::KeyboardModifiers shift);
    virtual void KeyPress(QChar &key);
    virtual bool DoMouseWheelDown(Qt::KeyboardModifiers shift, const QPoint &mousePos);
    virtual bool DoMouseWheelUp(Qt::KeyboardModifiers shift, const QPoint &mousePos);
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Fire OnClick and OnDblClick.
    virtual void Click();
    virtual void DblClick();
    virtual bool CanEditShow();
    virtual QString GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const QString &value);
    virtual QString GetEditMask(int col, int row);
    // The text editor's input mask for the cell (the edit mask, unless a grid keeps its masks in
    // another form).
    virtual QString GetEditInputMask(int col, int row) { return GetEditMask(col, row); }
    virtual int GetEditLimit();
    virtual TInplaceEdit *CreateEditor();
    // Which sizing a press at (x, y) would start: gsColSizing/gsRowSizing with the index, or gsNormal.
    virtual void CalcSizingState(int x, int y, TGridState &state, int &index, int &sizingPos);
    virtual void ColumnMoved(int fromIndex, int toIndex); // base moves the cells and widths
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void Notification(QObject *component, bool removed);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

    void updateScrollBars();
    void clampInView(); // scrolls so that the current cell is in view
    int maxTopRow() const;
    int maxLeftCol() const;
    void moveCurrent(int c, int r, bool moveAnchor, bool show);
    void pressCell(Qt::KeyboardModifiers shift, int x, int y);
    void updateEditor();
    void defaultDrawCell(int col, int row, const QRect &rect, TGridDrawState state);

    TGridCellStore m_store;

private:
    bool invalidationWanted() const;
    friend class TInplaceEdit;
    void editorKey(int key, Qt::KeyboardModifiers shift);

    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedCols = 1;
    int m_fixedRows = 1;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    std::vector<int> m_colWidths; // one per column
    std::vector<int> m_rowHeights; // empty while every row has the default height
    int m_gridLineWidth = 1;
    TGridOptions m_options{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    bool m_defaultDrawing = true;
    int m_col = 1;
    int m_row = 1;
    int m_anchorCol = 1;
    int m_anchorRow = 1;
    TGridRect m_selection{1, 1, 1, 1};
    int m_leftCol = 1;
    int m_topRow = 1;
    TGridState m_state = gsNormal;
    int m_sizingIndex = -1;
    int m_sizingPos = 0;
    int m_sizingStart = 0;
    bool m_editorMode = false;
    TInplaceEdit *m_editor = nullptr;
    QString m_editOriginal;
    QPainter *m_painter = nullptr;
    bool m_syncingScroll = false;
};
