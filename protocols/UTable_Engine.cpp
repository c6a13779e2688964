// The table engine: grids built from a description, the showing's clearing and loading, the data
// check that stops at the first failure, and the file written whole from the cells.
#include "protocols/UTable_Engine.h"

#include "grid/NovaColumnGrid.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <memory>

namespace {

constexpr int kTitleHeight = 22;
constexpr int kNumberWidth = 40;

bool isColumnGrid(const TGridDesc &d) { return d.kind == TGridKind::ColumnGrid; }
bool isBox(const TColumnDesc &c) { return c.editor == edDataCheckBox; }
bool boxObject(const TGridDesc &d, int col)
{
    return !isColumnGrid(d) && col < int(d.columns.size()) && isBox(d.columns[size_t(col)]);
}

const QString kYes = QStringLiteral("Y");
const QString kNo = QStringLiteral("N");

void setBox(TNovaStringGrid &g, int col, int row, bool state)
{
    if (!g.SetCheckBoxState(col, row, state)) g.AddCheckBox(col, row, state, false);
}

void setCell(const TGridDesc &d, TNovaStringGrid &g, int col, int row, const QString &text, bool tickUnlessN)
{
    if (boxObject(d, col))
        setBox(g, col, row, tickUnlessN ? text != kNo : text == kYes);
    else
        g.SetCells(col, row, text);
}

QStringList positionItems(const TColumnDesc &c)
{
    QStringList items;
    items.reserve(c.positions + 1);
    if (!c.positionsFirst.isEmpty()) items << c.positionsFirst;
    for (int i = 0; i < c.positions; ++i) items << QString::number(i);
    return items;
}

// A string grid keeps read-only state and alignment per cell: every table row of such a column gets them.
void setCellProperties(const TGridDesc &d, TNovaStringGrid &g)
{
    if (isColumnGrid(d)) return;
    for (int c = 1; c < int(d.columns.size()); ++c) {
        const TColumnDesc &col = d.columns[size_t(c)];
        if (!col.readOnly && col.alignment == taLeftJustify) continue;
        for (int r = 1; r < g.RowCount(); ++r) {
            TCellProperties *p = g.GetCellProperties(c, r);
            if (col.readOnly) p->SetReadOnly(true);
            if (col.alignment != taLeftJustify) p->SetAlignment(col.alignment);
        }
    }
}

// The first child element of parent with that name (a null node when none).
platform::XmlNode childElement(platform::XmlNode parent, const QByteArray &name)
{
    for (platform::XmlNode c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && std::strcmp(c.name(), name.constData()) == 0) return c;
    return {};
}

std::vector<platform::XmlNode> childElements(platform::XmlNode parent)
{
    std::vector<platform::XmlNode> out;
    for (platform::XmlNode c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) out.push_back(c);
    return out;
}

QString fileFailure(const platform::XmlFile &xml, int line, const QString &cause)
{
    platform::XmlError e;
    e.kind = platform::XmlError::NotWellFormed;
    e.file = xml.fileName();
    e.line = line;
    e.cause = cause;
    return e.message();
}

// Nothing may overwrite an unreadable file before it is kept beside itself.
QString keepBadFile(const QString &path, const QString &reason)
{
    const QString kept = path + QStringLiteral(".bad");
    QFile::remove(kept);
    if (!QFile::copy(path, kept)) return reason;
    return reason + QStringLiteral("\nThe file was kept as \"%1\".").arg(QFileInfo(kept).fileName());
}

// The attribute values of one row element by column (null where the row has none). Rows are written
// in column order, so the next column is tried first.
class RowValues {
public:
    explicit RowValues(const TGridDesc &d)
    {
        for (const TColumnDesc &c : d.columns) m_names.push_back(c.attribute.toUtf8());
        m_values.resize(m_names.size());
    }
    void read(platform::XmlNode row)
    {
        std::fill(m_values.begin(), m_values.end(), nullptr);
        size_t next = 1;
        for (platform::XmlAttr a = row.first_attribute(); a; a = a.next_attribute()) {
            const size_t c = find(a.name(), next);
            if (c == 0) continue;
            m_values[c] = a.value();
            next = c + 1;
        }
    }
    const char *value(size_t col) const { return m_values[col]; }

private:
    size_t find(const char *name, size_t guess) const
    {
        if (guess < m_names.size() && !m_names[guess].isEmpty() && std::strcmp(name, m_names[guess].constData()) == 0)
            return guess;
        for (size_t c = 1; c < m_names.size(); ++c)
            if (!m_names[c].isEmpty() && std::strcmp(name, m_names[c].constData()) == 0) return c;
        return 0;
    }
    std::vector<QByteArray> m_names;
    std::vector<const char *> m_values;
};

// Shown grids paint once after many cells were written, not cell by cell.
class HeldPainting {
public:
    explicit HeldPainting(const TTableGrids &grids) : m_grids(grids)
    {
        for (TNovaStringGrid *g : m_grids) g->BeginUpdate();
    }
    ~HeldPainting()
    {
        for (TNovaStringGrid *g : m_grids) g->EndUpdate();
    }
    HeldPainting(const HeldPainting &) = delete;
    HeldPainting &operator=(const HeldPainting &) = delete;

private:
    const TTableGrids &m_grids;
};

bool enabled(const TGridDesc &d, TNovaStringGrid &g, int row)
{
    if (d.enableColumn < 0 || d.enable == TEnableRule::None) return true;
    const QString cell = Table_Cell(d, g, d.enableColumn, row);
    switch (d.enable) {
    case TEnableRule::Trimmed: return Trim_Text(cell) == kYes;
    case TEnableRule::TrimmedUpper: return Trim_Text(cell).toUpper() == kYes;
    case TEnableRule::Upper: return cell.toUpper() == kYes;
    case TEnableRule::CheckBox: {
        bool state = false;
        return g.GetCheckBoxState(d.enableColumn, row, state) && state;
    }
    case TEnableRule::None: break;
    }
    return true;
}

} // namespace

// ---- rows and rules ----------------------------------------------------------------------------------

QString TRowCells::text(int col) const
{
    if (m_boxes) {
        bool state = false;
        if (m_grid.GetCheckBoxState(col, m_row, state)) return state ? kYes : kNo;
    }
    return m_grid.Cells(col, m_row);
}

QString TRowCells::trimmed(int col) const { return Trim_Text(text(col)); }
QString TRowCells::upper(int col) const { return trimmed(col).toUpper(); }
int TRowCells::number(int col, int def) const { return StrToIntDef(text(col), def); }

TRowRule Rule_Range(int col, int lo, int hi, int slot, const QString &suffix)
{
    return [=](const TRowCells &r) {
        const int v = r.number(col);
        return v < lo || v > hi ? TCheckFault{slot, suffix} : TCheckFault{};
    };
}

TRowRule Rule_Not_Empty(int col, int slot)
{
    return [=](const TRowCells &r) { return r.empty(col) ? TCheckFault{slot} : TCheckFault{}; };
}

TTableDesc Table_Description(const QString *path, const char *root, const char *version, int base, int clientWidth,
                             int rowPrefix, int deleteQuestion)
{
    TTableDesc t;
    t.path = path;
    t.root = QLatin1String(root);
    t.version = QLatin1String(version);
    t.textBase = base;
    t.clientWidth = clientWidth;
    t.buttonCaptions = Table_Button_Captions(base);
    t.buttonHints = Table_Button_Hints(base + 8);
    t.rowPrefix = rowPrefix;
    t.deleteQuestion = deleteQuestion;
    return t;
}

std::array<int, 6> Table_Button_Captions(int base)
{
    return {base + 2, base + 3, base + 4, base + 5, base + 6, base + 7};
}

std::array<int, 6> Table_Button_Hints(int first)
{
    return {first, first + 1, first + 2, first + 3, first + 4, first + 5};
}

TColumnDesc Table_Number_Column(int header)
{
    TColumnDesc c;
    c.header = header;
    c.width = kNumberWidth;
    return c;
}

TColumnDesc Table_Column(const char *attribute, int header, int hint, int width, TLoadKind load)
{
    TColumnDesc c;
    c.attribute = QString::fromLatin1(attribute);
    c.header = header;
    c.hint = hint;
    c.width = width;
    c.load = load;
    return c;
}

TColumnDesc Table_Check_Column(const char *attribute, int header, int hint, int width, TLoadKind load, const char *value)
{
    TColumnDesc c = Table_Column(attribute, header, hint, width, load);
    c.editor = edDataCheckBox;
    c.value = QString::fromLatin1(value);
    return c;
}

TColumnDesc Table_List_Column(const char *attribute, int header, int hint, int width, const QStringList &items,
                              TLoadKind load)
{
    TColumnDesc c = Table_Column(attribute, header, hint, width, load);
    c.editor = edComboList;
    c.items = items;
    return c;
}

QString Table_Cell(const TGridDesc &desc, TNovaStringGrid &grid, int col, int row)
{
    if (boxObject(desc, col)) {
        bool state = false;
        if (grid.GetCheckBoxState(col, row, state)) return state ? kYes : kNo;
    }
    return grid.Cells(col, row);
}

bool Table_Key_Empty(const TGridDesc &desc, TNovaStringGrid &grid, int row, int col)
{
    const QString key = grid.Cells(col, row);
    return desc.keyTrimmed ? Trim_Text(key).isEmpty() : key.isEmpty();
}

// ---- building ------------------------------------------------------------------------------------------

TNovaStringGrid *Table_Make_Grid(const TGridDesc &desc, QWidget *parent)
{
    const int cols = int(desc.columns.size());
    TNovaStringGrid *g = nullptr;
    if (isColumnGrid(desc)) {
        auto *cg = new TNovaColumnGrid(parent);
        cg->SetColCount(cols);
        g = cg;
    } else {
        g = new TNovaStringGrid(parent);
        g->SetColCount(cols);
    }
    g->setObjectName(desc.name);
    g->SetRowCount(std::max(desc.rows, 1) + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetFixedRowHeight(kTitleHeight);
    g->SetDefaultRowHeight(kTitleHeight);
    g->SetOptions(g->Options().Include(goEditing).Include(goColSizing));
    for (int c = 0; c < cols; ++c) {
        const TColumnDesc &col = desc.columns[size_t(c)];
        const int width = c == 0 ? kNumberWidth : col.width;
        if (auto *cg = dynamic_cast<TNovaColumnGrid *>(g)) {
            TGridColumnItem *item = cg->Columns()->Items(c);
            item->SetWidth(width);
            item->SetEditor(col.editor);
            item->SetCheckTrue(kYes);
            item->SetCheckFalse(kNo);
            item->SetComboItems(col.items);
            item->SetReadOnly(col.readOnly);
            item->SetEditLength(col.maxLength);
            item->SetHeader(col.title);
        } else {
            g->SetColWidths(c, width);
            g->SetCells(c, 0, col.title);
        }
    }
    setCellProperties(desc, *g);
    if (!isColumnGrid(desc)) {
        // The string grid asks for each cell's editor: the column's kind, and its list for a combo.
        const TGridDesc *d = &desc;
        g->OnGetEditorType = [d, g](QObject *, int ACol, int, TEditorType &AEditor) {
            const int c = g->RealColIndex(ACol);
            if (c <= 0 || c >= int(d->columns.size()) || isBox(d->columns[size_t(c)])) return;
            const TColumnDesc &col = d->columns[size_t(c)];
            AEditor = col.editor;
            if (col.editor == edComboList || col.editor == edComboEdit) {
                g->ClearComboString();
                for (const QString &s : col.positions > 0 ? positionItems(col) : col.items) g->AddComboString(s);
            }
        };
    }
    return g;
}

void Table_Apply_Texts(const TTableDesc &desc, const TTableGrids &grids)
{
    for (size_t i = 0; i < desc.grids.size() && i < grids.size(); ++i) {
        const TGridDesc &d = desc.grids[i];
        TNovaStringGrid *g = grids[i];
        for (int c = 0; c < int(d.columns.size()); ++c) {
            const TColumnDesc &col = d.columns[size_t(c)];
            const QString title = col.header ? LT(col.header) : col.title;
            if (auto *cg = dynamic_cast<TNovaColumnGrid *>(g))
                cg->Columns()->Items(c)->SetHeader(title);
            else
                g->SetCells(c, 0, title);
        }
        if (d.hints) {
            d.hints->clear();
            for (int c = 1; c < int(d.columns.size()); ++c) *d.hints << LT(d.columns[size_t(c)].hint);
        }
    }
}

// ---- the showing -----------------------------------------------------------------------------------------

void Table_Clear(const TTableDesc &desc, const TTableGrids &grids)
{
    const HeldPainting held(grids);
    for (size_t i = 0; i < desc.grids.size() && i < grids.size(); ++i) {
        const TGridDesc &d = desc.grids[i];
        TNovaStringGrid &g = *grids[i];
        const int cols = int(d.columns.size());
        for (int c = cols - 1; c >= 1; --c) {
            if (d.columns[size_t(c)].hidden && !g.IsHiddenColumn(c)) g.HideColumn(c);
            else if (!d.columns[size_t(c)].hidden && g.IsHiddenColumn(c)) g.UnHideColumn(c);
        }
        if (d.rows > 0) g.SetRowCount(d.rows + 1);
        const int rows = g.RowCount();
        const QString none;
        for (int r = 1; r < rows; ++r) {
            // From the last column back: a row's texts are stored packed, and emptying its last
            // cell moves nothing.
            for (int c = cols - 1; c >= 1; --c) {
                const bool on = c == d.enableColumn;
                if (boxObject(d, c)) setBox(g, c, r, on);
                else g.SetCells(c, r, on ? kYes : none);
            }
            g.SetCells(0, r, QString::number(r));
        }
        setCellProperties(d, g);
        if (auto *cg = dynamic_cast<TNovaColumnGrid *>(&g))
            for (int c = 1; c < cols; ++c)
                if (d.columns[size_t(c)].positions > 0) cg->Columns()->Items(c)->SetComboItems(positionItems(d.columns[size_t(c)]));
    }
}

TTableLoad Table_Load(const TTableDesc &desc, const TTableGrids &grids, const QString &path)
{
    TTableLoad result;
    if (!QFileInfo::exists(path)) return result;
    platform::XmlFile xml;
    if (!xml.load(path)) {
        result.status = TTableLoad::Failed;
        result.error = keepBadFile(path, xml.error().message());
        return result;
    }
    result = Table_Load_Document(desc, grids, xml);
    if (result.status == TTableLoad::Failed) result.error = keepBadFile(path, result.error);
    return result;
}

TTableLoad Table_Load_Document(const TTableDesc &desc, const TTableGrids &grids, const platform::XmlFile &xml)
{
    TTableLoad result;
    auto failed = [&](const QString &reason) {
        result.status = TTableLoad::Failed;
        result.error = reason;
        return result;
    };

    // The document's first node is the root, whatever its name.
    const platform::XmlNode root = xml.root().first_child();
    if (root.type() != pugi::node_element)
        return failed(fileFailure(xml, xml.lineOf(root), QStringLiteral("the table's root element must come first")));
    const platform::XmlNode parent = desc.enclosing.isEmpty() ? root : childElement(root, desc.enclosing.toUtf8());

    // Each group's rows, and none beyond a table's rows (checked before a cell changes).
    const size_t n = std::min(desc.grids.size(), grids.size());
    std::vector<std::vector<platform::XmlNode>> rows(n);
    for (size_t i = 0; i < n; ++i) {
        const TGridDesc &d = desc.grids[i];
        const platform::XmlNode group = d.group.isEmpty() ? parent : childElement(parent, d.group.toUtf8());
        if (!group) continue; // a group the file lacks leaves its table cleared
        rows[i] = childElements(group);
        const int capacity = grids[i]->RowCount() - 1;
        if (int(rows[i].size()) > capacity) {
            const QString where = d.group.isEmpty() ? QStringLiteral("the table") : QStringLiteral("\"%1\"").arg(d.group);
            return failed(fileFailure(xml, xml.lineOf(rows[i][size_t(capacity)]),
                                      QStringLiteral("%1 holds more than %2 rows").arg(where).arg(capacity)));
        }
    }

    const HeldPainting held(grids);
    for (size_t i = 0; i < n; ++i) {
        const TGridDesc &d = desc.grids[i];
        TNovaStringGrid &g = *grids[i];
        RowValues values(d);
        for (size_t k = 0; k < rows[i].size(); ++k) {
            const int r = int(k) + 1;
            values.read(rows[i][k]);
            for (size_t c = 1; c < d.columns.size(); ++c) {
                const TColumnDesc &col = d.columns[c];
                QString text;
                if (col.load == TLoadKind::Forced) {
                    text = col.value;
                } else {
                    // A column without an attribute is never read.
                    if (col.load == TLoadKind::NotRead || col.attribute.isEmpty()) continue;
                    const char *v = values.value(c);
                    if (!v) {
                        if (col.load == TLoadKind::Optional) continue;
                        if (col.load == TLoadKind::Required)
                            return failed(fileFailure(xml, xml.lineOf(rows[i][k]),
                                                      QStringLiteral("row %1 of \"%2\" has no attribute \"%3\"")
                                                          .arg(r).arg(d.group.isEmpty() ? desc.root : d.group, col.attribute)));
                        text = col.value;
                    } else {
                        text = QString::fromUtf8(v);
                        if (col.trimOnLoad) text = Trim_Text(text);
                    }
                    if (col.loadText) text = col.loadText(text, g, r);
                }
                setCell(d, g, int(c), r, text, col.tickUnlessN);
            }
            if (d.rowLoaded) d.rowLoaded(g, r, rows[i][k].node());
        }
    }
    result.status = TTableLoad::Loaded;
    return result;
}

bool Table_Show(const TTableDesc &desc, const TTableGrids &grids, TTableLoad &load, QString &error)
{
    QString notice;
    if (desc.prepare && !desc.prepare(grids, notice)) {
        error = notice;
        return false;
    }
    Table_Clear(desc, grids);
    load = desc.path ? Table_Load(desc, grids, *desc.path) : TTableLoad();
    load.notice = notice;
    if (desc.loaded) desc.loaded(grids);
    if (!desc.keepCopyFlags)
        for (const TGridDesc &d : desc.grids)
            if (d.copied) *d.copied = false;
    return true;
}

// ---- checking and saving ------------------------------------------------------------------------------

TCheckFault Table_Check(const TTableDesc &desc, const TTableGrids &grids)
{
    if (desc.beforeCheck) desc.beforeCheck();
    for (size_t i = 0; i < desc.grids.size() && i < grids.size(); ++i) {
        const TGridDesc &d = desc.grids[i];
        TNovaStringGrid &g = *grids[i];
        const bool boxes = !isColumnGrid(d);
        for (int r = 1; r < g.RowCount(); ++r) {
            if (Table_Key_Empty(d, g, r, d.keyColumn)) {
                if (d.checkAllRows) continue;
                break;
            }
            if (!enabled(d, g, r)) continue;
            const TRowCells cells(g, r, boxes);
            for (const TRowRule &rule : d.rules) {
                TCheckFault f = rule(cells);
                if (!f) continue;
                if (f.withRow) f.row = r;
                return f;
            }
        }
        if (d.afterRows)
            if (TCheckFault f = d.afterRows()) return f;
    }
    return desc.afterCheck ? desc.afterCheck() : TCheckFault{};
}

QString Table_Fault_Text(const TTableDesc &desc, const TCheckFault &fault)
{
    QString text;
    if (fault.withRow) text = LT(desc.rowPrefix) + QString::number(fault.row);
    return text + LT(fault.slot) + fault.suffix;
}

QString Table_Check_File(const TTableDesc &desc, const platform::XmlFile &xml)
{
    std::vector<std::unique_ptr<TNovaStringGrid>> owned;
    TTableGrids grids;
    for (const TGridDesc &d : desc.grids) {
        owned.emplace_back(Table_Make_Grid(d));
        grids.push_back(owned.back().get());
    }
    QString error;
    if (desc.prepare && !desc.prepare(grids, error)) return error;
    Table_Clear(desc, grids);
    const TTableLoad load = Table_Load_Document(desc, grids, xml);
    if (load.status == TTableLoad::Failed) return load.error;
    if (desc.loaded) desc.loaded(grids);
    const TCheckFault fault = Table_Check(desc, grids);
    return fault ? Table_Fault_Text(desc, fault) : QString();
}

void Table_Build_Document(const TTableDesc &desc, const TTableGrids &grids, pugi::xml_document &doc)
{
    doc.reset();
    pugi::xml_node root = doc.append_child(desc.root.toUtf8().constData());
    doc.append_child(pugi::node_comment).set_value(desc.version.toUtf8().constData());
    pugi::xml_node parent = desc.enclosing.isEmpty() ? root : root.append_child(desc.enclosing.toUtf8().constData());
    for (size_t i = 0; i < desc.grids.size() && i < grids.size(); ++i) {
        const TGridDesc &d = desc.grids[i];
        TNovaStringGrid &g = *grids[i];
        pugi::xml_node group = d.group.isEmpty() ? parent : parent.append_child(d.group.toUtf8().constData());
        std::vector<QByteArray> names;
        for (const TColumnDesc &c : d.columns) names.push_back(c.attribute.toUtf8());
        const int key = d.saveKeyColumn >= 0 ? d.saveKeyColumn : d.keyColumn;
        for (int r = 1; r < g.RowCount(); ++r) {
            if (Table_Key_Empty(d, g, r, key)) break;
            pugi::xml_node row = group.append_child("row");
            for (size_t c = 1; c < d.columns.size(); ++c) {
                if (names[c].isEmpty()) continue;
                const TColumnDesc &col = d.columns[c];
                const QString value = col.saveText ? col.saveText(g, r) : Table_Cell(d, g, int(c), r);
                row.append_attribute(names[c].constData()).set_value(value.toUtf8().constData());
            }
        }
    }
}

bool Table_Save(const TTableDesc &desc, const TTableGrids &grids, pugi::xml_document &doc, const QString &path,
                QString *error)
{
    Table_Build_Document(desc, grids, doc);
    return platform::saveXmlFile(doc, path, pugi::format_raw | pugi::format_no_declaration, "", error);
}
