#pragma once
// The one engine of the protocol table windows. A window is a table description (its file, its
// grids and their columns, its checks) plus a few hooks; loading, the first-error data check and
// saving exist only here and work on the grids' cells alone, so they run on grids never shown.
//
// The table file: no declaration; the root element (its name written, never checked on reading);
// one group element per grid (or the rows right under the root, or under one enclosing element);
// one "row" element per table row with one attribute per saved column, values the cell texts as
// they stand; after the root, the version comment.
//
// Rows of a grid: row 0 holds the titles, column 0 the row numbers; table rows are 1 .. RowCount-1.
// Check-box columns hold "Y"/"N": as text in a column grid, as a check box cell object in a string
// grid (whose state is read and written as "Y"/"N").
#include "grid/base/GridTypes.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <pugixml.hpp>
#include <vector>

class QWidget;
class TNovaStringGrid;
namespace platform {
class XmlFile;
}

using TTableGrids = std::vector<TNovaStringGrid *>;

// What loading does with a column's attribute.
enum class TLoadKind {
    Optional,  // missing: the cell keeps its cleared value
    Defaulted, // missing: the cell gets `value`
    Required,  // missing: loading stops there with an error; the rows read so far stay
    Forced,    // every loaded row gets `value`, whatever the file holds
    NotRead,   // the attribute is never read; the cell keeps its cleared value
};

struct TColumnDesc {
    QString attribute;          // the row element's attribute; empty: neither saved nor read (Forced aside)
    int header = 0;             // text slot of the title; 0: `title` stays
    QString title;              // the title when there is no slot (also the title before texts apply)
    int hint = 0;               // text slot of the title's hint; 0: none
    int width = 64;
    TEditorType editor = edNormal; // edDataCheckBox: a "Y"/"N" check box
    QStringList items;          // the list of a combo column
    int positions = 0;          // > 0: the list is rebuilt at each showing: positionsFirst, then "0" .. positions-1
    QString positionsFirst;     // an item before the positions ("None"), empty for none
    bool hidden = false;        // hidden at each showing
    bool readOnly = false;      // a column grid's column, or each table cell of a string grid's column
    TAlignment alignment = taLeftJustify; // string grids: the table cells' alignment (a check box's place)
    int maxLength = 0;          // most characters the cell editor takes; 0: no limit
    TLoadKind load = TLoadKind::Optional;
    QString value;              // the default (Defaulted) or the value set (Forced)
    bool trimOnLoad = false;    // the attribute's value is trimmed before it goes into the cell
    bool tickUnlessN = false;   // check box cell objects: ticked unless "N" (else only for "Y")
    // The cell's text from the attribute's value (after trimming); the row's earlier columns are loaded.
    std::function<QString(const QString &value, TNovaStringGrid &grid, int row)> loadText;
    // The value written in place of the cell text.
    std::function<QString(TNovaStringGrid &grid, int row)> saveText;
};

// One cell row as the checks read it.
class TRowCells {
public:
    // boxObjects: the grid's check boxes are cell objects (a string grid of the tables).
    TRowCells(TNovaStringGrid &grid, int row, bool boxObjects) : m_grid(grid), m_row(row), m_boxes(boxObjects) {}
    int row() const { return m_row; }
    TNovaStringGrid &grid() const { return m_grid; }
    QString text(int col) const;        // as it stands; a check box cell object as "Y"/"N"
    QString trimmed(int col) const;
    QString upper(int col) const;       // trimmed, upper case
    bool empty(int col) const { return trimmed(col).isEmpty(); }
    int number(int col, int def = -1) const; // StrToIntDef of the text as it stands

private:
    TNovaStringGrid &m_grid;
    int m_row;
    bool m_boxes;
};

// The first failing check: the message is, joined without separators, the row prefix and the row
// number (when withRow), the slot's text and the suffix.
struct TCheckFault {
    int slot = 0;          // 0: passed
    QString suffix;        // a limit, a further text
    bool withRow = true;
    int row = 0;           // set by the engine for a row check
    explicit operator bool() const { return slot != 0; }
};

using TRowRule = std::function<TCheckFault(const TRowCells &)>;

// The check fails with slot when the column, read as a number (-1 for any other text), lies outside lo .. hi.
TRowRule Rule_Range(int col, int lo, int hi, int slot, const QString &suffix = QString());
// The check fails with slot when the column is empty after trimming.
TRowRule Rule_Not_Empty(int col, int slot);

// Which rows the data check looks at.
enum class TEnableRule {
    None,         // every row
    Trimmed,      // the Enable cell, trimmed, is "Y"
    TrimmedUpper, // trimmed and in upper case "Y"
    Upper,        // untrimmed, in upper case "Y"
    CheckBox,     // the Enable check box cell object is ticked
};

enum class TGridKind { ColumnGrid, StringGrid };

struct TGridDesc {
    QString name;               // object name of the grid
    QString sheet;              // object name of its tab sheet (windows of two grids)
    int tabCaption = 0;         // text slot of the tab sheet's caption
    QString group;              // group element; empty: the rows stand right under the root (or enclosing element)
    TGridKind kind = TGridKind::ColumnGrid;
    int rows = 0;               // table rows set at each showing; 0: the window's preparation sets them
    int keyColumn = 1;
    bool keyTrimmed = true;     // a key cell of blanks only is empty (false: only the empty text is)
    int saveKeyColumn = -1;     // the written table ends at the first row whose cell here is empty; -1: keyColumn
    bool checkAllRows = false;  // the check skips rows with an empty key instead of ending there
    int enableColumn = -1;      // -1: none ("Y" on clearing and inserting goes there)
    TEnableRule enable = TEnableRule::None;
    bool clickSelectsRow = true; // a click on column 0 selects the row
    bool columnHints = true;    // the title cells show the hint list
    bool *copied = nullptr;     // the grid's copy flag
    QStringList *hints = nullptr; // the grid's hint list: entry c-1 for column c
    std::vector<TColumnDesc> columns; // column 0 (the row number) first
    std::vector<TRowRule> rules;      // the checks of a row, in order
    std::function<TCheckFault()> afterRows; // after the grid's last checked row (totals)
    // After each loaded row, with its element (values no attribute treatment covers).
    std::function<void(TNovaStringGrid &grid, int row, const pugi::xml_node &element)> rowLoaded;
};

struct TTableDesc {
    const QString *path = nullptr; // the run-time path variable of the file
    QString root;
    QString enclosing;          // an element holding the groups; empty: the groups stand under the root
    QString version;            // the comment after the root
    int textBase = 0;           // caption base+0, L_SW_Desc base+1
    int clientWidth = 800;
    int clientHeight = 337;
    // Slots of the captions and hints of Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow,
    // Btn_PasteRow; 0 keeps the caption, or shows no hint.
    std::array<int, 6> buttonCaptions{};
    std::array<int, 6> buttonHints{};
    int rowPrefix = 0;          // "Error row "
    int deleteQuestion = 0;     // followed by the row number ("%d" in the text takes it instead)
    bool keepCopyFlags = false; // a showing leaves the copy flags as they are
    bool keepSheet = false;     // a showing leaves the active tab sheet (else the first becomes active)
    std::vector<TGridDesc> grids; // in the order of loading, checking and saving
    // Showing, first step (values from "ParGen.xml", columns, row counts); false stops the showing
    // with *error shown and the grids as they were. True with *error set goes on and reports it.
    std::function<bool(const TTableGrids &grids, QString &error)> prepare;
    // After loading (whether or not a file was there).
    std::function<void(const TTableGrids &grids)> loaded;
    std::function<void()> beforeCheck;   // resets what the checks count
    std::function<TCheckFault()> afterCheck; // after every grid passed
};

// A table of the text block from base: caption base+0, L_SW_Desc base+1, the six buttons' captions
// base+2 .. base+7 and hints base+8 .. base+13.
TTableDesc Table_Description(const QString *path, const char *root, const char *version, int base, int clientWidth,
                             int rowPrefix, int deleteQuestion);
// The usual six captions and hints: base+2 .. base+7, and hint slots first .. first+5.
std::array<int, 6> Table_Button_Captions(int base);
std::array<int, 6> Table_Button_Hints(int first);

// ---- describing columns ------------------------------------------------------------------------

// Column 0: the row number, titled by slot header.
TColumnDesc Table_Number_Column(int header);
// A column saved as attribute, titled by slot header, its hint slot hint.
TColumnDesc Table_Column(const char *attribute, int header, int hint, int width, TLoadKind load = TLoadKind::Required);
// A "Y"/"N" check box column; value is what a Defaulted load gives.
TColumnDesc Table_Check_Column(const char *attribute, int header, int hint, int width, TLoadKind load,
                               const char *value = "");
// A column that offers a fixed list.
TColumnDesc Table_List_Column(const char *attribute, int header, int hint, int width, const QStringList &items,
                              TLoadKind load = TLoadKind::Required);

// ---- building ----------------------------------------------------------------------------------

// A grid of the description: columns, widths, editors, lists, check boxes, one title row 22 high,
// the row-number column fixed, titles from the description. Owned by parent (none: the caller).
TNovaStringGrid *Table_Make_Grid(const TGridDesc &desc, QWidget *parent = nullptr);
// Column titles from the text table and each grid's hint list refilled.
void Table_Apply_Texts(const TTableDesc &desc, const TTableGrids &grids);

// ---- the showing ---------------------------------------------------------------------------------

// Every table row numbered, the Enable column "Y" (ticked), every other cell empty (unticked),
// hidden columns included; columns hidden or shown; the position lists rebuilt; in string grids the
// read-only state and the alignment of each column's table cells.
void Table_Clear(const TTableDesc &desc, const TTableGrids &grids);

struct TTableLoad {
    enum Status { Missing, Loaded, Failed };
    Status status = Missing;
    QString error; // Failed: the file's name and line and what is wrong, and where the file was kept
    QString notice; // what the preparation could not read although the showing went on
};

// Loads the file at path into the cleared grids. A file that cannot be read (not well-formed, a
// required attribute missing, more rows than a table holds, no root element first) is copied to
// "<path>.bad" before anything can overwrite it; the grids keep the rows read so far.
TTableLoad Table_Load(const TTableDesc &desc, const TTableGrids &grids, const QString &path);
// The same from a document already read (xml names its file); nothing is kept beside the file.
TTableLoad Table_Load_Document(const TTableDesc &desc, const TTableGrids &grids, const platform::XmlFile &xml);

// The showing's steps: prepare, clear, load, the loaded hook, copy flags cleared. False when the
// preparation stopped it (error set); true otherwise, with the load's result in *load (and what the
// preparation reported while going on in load.notice).
bool Table_Show(const TTableDesc &desc, const TTableGrids &grids, TTableLoad &load, QString &error);

// ---- checking and saving ------------------------------------------------------------------------------

// The data check: the first failing check, or a fault of slot 0 when every row passes.
TCheckFault Table_Check(const TTableDesc &desc, const TTableGrids &grids);
// The message of a fault, from the text table.
QString Table_Fault_Text(const TTableDesc &desc, const TCheckFault &fault);
// The data check of a window over a file as saved, with no window: grids of its own built from desc,
// the showing's preparation, clearing and loading, then the check. The message of the first failure
// (a file that cannot be loaded included), or empty when the rows pass.
QString Table_Check_File(const TTableDesc &desc, const platform::XmlFile &xml);

// Rebuilds doc from the grids (every node removed first).
void Table_Build_Document(const TTableDesc &desc, const TTableGrids &grids, pugi::xml_document &doc);
// Builds doc and replaces the file at path whole; on failure the old file stays and *error says why.
bool Table_Save(const TTableDesc &desc, const TTableGrids &grids, pugi::xml_document &doc, const QString &path,
                QString *error = nullptr);

// A cell's text as the file takes it: in a string grid a check box cell object as "Y"/"N", any other
// cell its text.
QString Table_Cell(const TGridDesc &desc, TNovaStringGrid &grid, int col, int row);
// The row's key cell is empty under the grid's rule.
bool Table_Key_Empty(const TGridDesc &desc, TNovaStringGrid &grid, int row, int col);
