#pragma once
// Building blocks the channel table window's files share: cell colours, column layouts of its grids
// and the guard that keeps the grids' events quiet while the window fills them.
#include "grid/NovaColumnGrid.h"
#include "shell/ULanguage.h"

#include <QStringList>
#include <initializer_list>
#include <span>

namespace setaccess {

// Cell colours (0x00BBGGRR).
inline constexpr TColor kColScaling = 0xFEFAE0;  // gradient and offset, event columns
inline constexpr TColor kColPlace = 0xF4D6FC;    // positions and start bits
inline constexpr TColor kColName = 0xA8FFA8;
inline constexpr TColor kColInType = 0xFFD5D5;
inline constexpr TColor kColEnable = 0xB0D8FF;
// The variable grid's two colour sets, alternating per variable: editable and shown columns.
inline constexpr TColor kVarEditFirst = 0xFFFFB9, kVarEditSecond = 0xCEE7FF;
inline constexpr TColor kVarShowFirst = 0xBBFFBB, kVarShowSecond = 0xCCFFFF;

inline constexpr int kVarColumns = 23;
inline constexpr int kVarBoxColumns[] = {0, 15, 16, 17};
inline bool isVarEditable(int col) { return col == 0 || (col >= 12 && col <= 21); }

struct ColumnSpec {
    int width;
    TEditorType editor;
    bool readOnly;
    TColor color = clNone;  // clNone: the grid's colour
    QStringList items = {};
    TAlignment alignment = taLeftJustify;
};

inline QStringList bitItems() { return {"0", "1", "2", "3", "4", "5", "6", "7"}; }

// A column grid of the window: no fixed column, one title row 22 pixels high, editing allowed.
TNovaColumnGrid *newColumnGrid(QWidget *parent, const QString &name, std::initializer_list<ColumnSpec> columns);
// Room a title needs in the grid's title row.
int titleWidth(const TNovaStringGrid *grid, const QString &title);
// Column titles from the text table, one slot per column.
void setHeaders(TNovaColumnGrid *grid, std::span<const int> titles);
// Widens text columns to the texts they show, up to a limit, so names from an IODD are not cut;
// a column never becomes narrower than it is.
void fitColumns(TNovaStringGrid *grid, std::initializer_list<int> columns, int maxWidth);

// Sets the flag while the window fills its controls; restores it at the end of the scope or on release.
class ShowingGuard {
public:
    explicit ShowingGuard(bool &flag) : m_flag(flag), m_old(flag) { flag = true; }
    ~ShowingGuard() { release(); }
    void release() { m_flag = m_old; }
    ShowingGuard(const ShowingGuard &) = delete;
    ShowingGuard &operator=(const ShowingGuard &) = delete;

private:
    bool &m_flag;
    bool m_old;
};

} // namespace setaccess
