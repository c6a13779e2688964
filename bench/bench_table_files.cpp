// Loads, checks and saves protocol table files through the table engine, next to plain pugixml
// peers: a parse that walks every attribute into a QString, and a build of the same attributes
// written with platform::writeFileAtomic. Prints the ratios (targets: load at most 3x, save with the
// data check at most 3x), the fastest of five runs on both sides.
//
// A case is a description, its grids' rows filled once, and the file saved from them; add a table by
// adding a case to cases().
#include "grid/NovaGrid.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "protocols/UTable_Engine.h"
#include "protocols/UTables.h"
#include "shell/ULanguage.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct BenchCase {
    const char *name;
    std::function<TTableDesc()> describe;
    // Fills every row to be saved (rows beyond are left cleared).
    std::function<void(const TTableDesc &, const TTableGrids &)> fill;
    // What the window computes from the loaded rows (timed with the load); none when empty.
    std::function<void(const TTableGrids &)> recompute;
};

// The test table: one grid of 10^4 rows and thirteen columns in the shape of a Modbus read table.
constexpr int kRows = 10000;

TColumnDesc column(const char *attribute, TEditorType editor = edNormal)
{
    TColumnDesc c;
    c.attribute = QString::fromLatin1(attribute);
    c.editor = editor;
    c.load = TLoadKind::Required;
    return c;
}

TTableDesc oneGridTable()
{
    TTableDesc t;
    t.root = QStringLiteral("Bench_Table");
    t.version = QStringLiteral("SW_VERSION = 1.000");
    t.rowPrefix = 1668;
    TGridDesc g;
    g.name = QStringLiteral("NCG_Bench");
    g.group = QStringLiteral("Rows");
    g.rows = kRows;
    g.keyColumn = 2;
    g.enableColumn = 1;
    g.enable = TEnableRule::Trimmed;
    g.columns = {TColumnDesc{}, column("Enable", edDataCheckBox), column("Slave_ID"), column("Type", edComboList),
                 column("Address"), column("NPoint"), column("PollTime"), column("MaxError"),
                 column("Position", edComboList), column("Bit", edComboList), column("Swap", edDataCheckBox),
                 column("SwapWord", edDataCheckBox), column("Mnemonic")};
    g.columns[8].positions = 1500;
    g.rules = {Rule_Range(2, 1, 247, 1669), Rule_Not_Empty(3, 1670), Rule_Range(4, 0, 65535, 1671),
               Rule_Range(5, 1, 125, 1672), Rule_Range(6, 1000, 100000000, 1673), Rule_Range(7, 0, 100000000, 1674),
               Rule_Range(8, 0, 1499, 1675)};
    t.grids = {g};
    return t;
}

void fillOneGrid(const TTableDesc &, const TTableGrids &grids)
{
    TNovaStringGrid &g = *grids[0];
    for (int r = 1; r <= kRows; ++r) {
        const QStringList cells{QStringLiteral("Y"), QString::number(r % 247 + 1), QStringLiteral("Holding Register"),
                                QString::number(r * 3 % 65536), QString::number(r % 125 + 1), QStringLiteral("1000"),
                                QString::number(r % 10), QString::number(r % 1250), QString::number(r % 8),
                                r % 2 ? QStringLiteral("Y") : QStringLiteral("N"), QStringLiteral("N"),
                                QStringLiteral("Rule %1 & \"quoted\"").arg(r)};
        for (int c = 0; c < cells.size(); ++c) g.SetCells(c + 1, r, cells.at(c));
    }
}

// The EtherCAT slave's two tables, every row of both filled, with their positions and groups computed.
TEtherCAT_Slave_State g_ecatState;
const std::vector<TGroup> kEcatGroups{{QStringLiteral("G1"), 100}, {QStringLiteral("G2"), 100}, {QStringLiteral("G3"), 56}};

void fillEtherCAT(const TTableDesc &, const TTableGrids &grids)
{
    const QStringList &types = EtherCAT_Var_Types();
    for (TNovaStringGrid *g : grids) {
        const bool toMaster = g == grids.front();
        for (int r = 1; r <= kEtherCATRows; ++r) {
            const QString type = types.at(r % types.size());
            VarSetLength(*g, type, r);
            g->SetCells(kEtherCATTypeCol, r, type);
            g->SetCells(kEtherCATNameCol, r, QStringLiteral("Var %1 & \"x\"").arg(r));
            if (toMaster) g->SetCells(kEtherCATInitValueCol, r, type == QLatin1String("Array") ? QStringLiteral("0A1b") : QString());
            g->SetCells(g->AllColCount() - 1, r, QStringLiteral("m%1").arg(r));
        }
    }
}

void recomputeEtherCAT(const TTableGrids &grids)
{
    const TEtherCAT_Direction dirs[] = {TEtherCAT_Direction::SlaveToMaster, TEtherCAT_Direction::MasterToSlave};
    for (size_t i = 0; i < 2; ++i) {
        Show_Group(*grids[i], dirs[i], kEcatGroups);
        Calc_Position_Bit(*grids[i], dirs[i]);
    }
}

// The largest real table: MQTT, 1024 publish and 1024 subscribe rows, every column filled with values
// the data check accepts, so the check walks every row.
TTableDesc mqttTable()
{
    static TMQTT_Set_Topic_State state;
    return MQTT_Set_Topic_Table(state);
}

void fillMqtt(const TTableDesc &, const TTableGrids &grids)
{
    for (size_t k = 0; k < grids.size(); ++k) {
        TNovaStringGrid &g = *grids[k];
        const bool publish = k == 0;
        for (int r = 1; r <= kMQTTTableRows; ++r) {
            const QString position = QString::number(r % kMQTTBytes);
            const QStringList cells =
                publish ? QStringList{QStringLiteral("plant/line%1/value").arg(r), "Y", "1", "Int", "4", position, "10.0.0.1",
                                      "in", "{\"v\": $VALUE$}", "Y", "N", "Y", "1000", "5", "N", "N",
                                      QStringLiteral("Value %1 & \"quoted\"").arg(r)}
                        : QStringList{QStringLiteral("plant/line%1/set").arg(r), "N", "2", "Float", "4", position, "10.0.0.2",
                                      "502", "TCP", "in", "$VALUE$", "N", "N", QStringLiteral("Set %1 <m>").arg(r)};
            for (int c = 0; c < cells.size(); ++c) g.SetCells(c + 1, r, cells.at(c));
        }
    }
}

// The BACnet object tables at their full 2000 + 2000 rows (the showing would set the count).
TBACnet_Slave_State g_bacnet;

TTableDesc bacnetTable()
{
    TTableDesc t = BACnet_Slave_Table(g_bacnet);
    for (TGridDesc &g : t.grids) g.rows = kBACnetRows;
    return t;
}

void fillBACnet(const TTableDesc &, const TTableGrids &grids)
{
    for (size_t i = 0; i < grids.size(); ++i) {
        TNovaStringGrid &g = *grids[i];
        const QString type = i == 0 ? QStringLiteral("Analog Input") : QStringLiteral("Analog Out");
        for (int r = 1; r <= kBACnetRows; ++r) {
            const QStringList cells{type, QString::number(r % 237), QString::number(r % 1437), QString::number(r % 8),
                                    QStringLiteral("4"), r % 2 ? QStringLiteral("Y") : QStringLiteral("N"),
                                    QStringLiteral("N"), QStringLiteral("Object %1 & \"quoted\"").arg(r)};
            for (int c = 0; c < cells.size(); ++c) g.SetCells(c + 1, r, cells.at(c));
        }
    }
}

std::vector<BenchCase> cases()
{
    return {{"one grid, 10^4 rows", oneGridTable, fillOneGrid, {}},
            {"EtherCAT slave, 256 + 256 rows with layout", [] { return EtherCAT_Slave_Table(g_ecatState); }, fillEtherCAT,
             recomputeEtherCAT},
            {"MQTT, 1024 + 1024 rows", mqttTable, fillMqtt, {}},
            {"BACnet, 2000 + 2000 rows", bacnetTable, fillBACnet, {}}};
}

// ---- the plain peers ------------------------------------------------------------------------------------

// Parses the file and walks every attribute of every element into a QString.
qsizetype plainParse(const QString &path)
{
    QByteArray bytes;
    platform::readFile(path, bytes);
    pugi::xml_document doc;
    doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    qsizetype chars = 0;
    std::function<void(pugi::xml_node)> walk = [&](pugi::xml_node n) {
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) chars += QString::fromUtf8(a.value()).size();
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) walk(c);
    };
    walk(doc);
    return chars;
}

// The attributes of a saved file, element by element, ready for a plain build.
struct Shape {
    struct Element {
        QByteArray name;
        int depth;
        std::vector<std::pair<QByteArray, QString>> attributes;
    };
    std::vector<Element> elements;
    QByteArray comment;
};

Shape shapeOf(const QString &path)
{
    pugi::xml_document doc;
    platform::readXmlFile(doc, path);
    Shape s;
    std::function<void(pugi::xml_node, int)> walk = [&](pugi::xml_node n, int depth) {
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
            if (c.type() == pugi::node_comment) {
                s.comment = c.value();
                continue;
            }
            Shape::Element e{c.name(), depth, {}};
            for (pugi::xml_attribute a = c.first_attribute(); a; a = a.next_attribute())
                e.attributes.emplace_back(a.name(), QString::fromUtf8(a.value()));
            s.elements.push_back(std::move(e));
            walk(c, depth + 1);
        }
    };
    walk(doc, 0);
    return s;
}

// Builds the same attributes from QStrings and writes them whole.
void plainBuild(const Shape &s, const QString &path)
{
    pugi::xml_document doc;
    std::vector<pugi::xml_node> parents{doc};
    for (const Shape::Element &e : s.elements) {
        parents.resize(size_t(e.depth) + 1);
        pugi::xml_node n = parents.back().append_child(e.name.constData());
        for (const auto &[name, value] : e.attributes) n.append_attribute(name.constData()).set_value(value.toUtf8().constData());
        parents.push_back(n);
    }
    doc.append_child(pugi::node_comment).set_value(s.comment.constData());
    platform::writeFileAtomic(path, platform::xmlBytes(doc, pugi::format_raw | pugi::format_no_declaration, ""));
}

// The fastest of five runs: the disk's share of a write (sync and rename) swings from run to run,
// and both sides of a ratio are taken the same way.
template <typename F, typename Setup = void (*)()>
double bestMs(F run, Setup setup = [] {})
{
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        setup();
        const auto t0 = std::chrono::steady_clock::now();
        run();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

struct Prepared {
    TTableDesc desc;
    std::vector<std::unique_ptr<TNovaStringGrid>> owned;
    TTableGrids grids;
    QString file;
};

std::unique_ptr<Prepared> prepare(const BenchCase &c, const QString &file)
{
    auto p = std::make_unique<Prepared>();
    p->desc = c.describe();
    for (const TGridDesc &d : p->desc.grids) {
        p->owned.emplace_back(Table_Make_Grid(d));
        p->grids.push_back(p->owned.back().get());
    }
    p->file = file;
    Table_Clear(p->desc, p->grids);
    c.fill(p->desc, p->grids);
    if (c.recompute) c.recompute(p->grids);
    pugi::xml_document doc;
    Table_Save(p->desc, p->grids, doc, file);
    return p;
}

QTemporaryDir *g_dir = nullptr;
std::unique_ptr<Prepared> g_bench;

void BM_TableLoad(benchmark::State &state)
{
    for (auto _ : state) {
        Table_Clear(g_bench->desc, g_bench->grids);
        benchmark::DoNotOptimize(Table_Load(g_bench->desc, g_bench->grids, g_bench->file).status);
    }
}
void BM_TableCheckSave(benchmark::State &state)
{
    pugi::xml_document doc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Table_Check(g_bench->desc, g_bench->grids).slot);
        Table_Save(g_bench->desc, g_bench->grids, doc, g_dir->filePath(QStringLiteral("bm.xml")));
    }
}
BENCHMARK(BM_TableLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TableCheckSave)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Load_Default_Texts();
    QTemporaryDir dir;
    g_dir = &dir;
    const std::vector<BenchCase> all = cases();
    g_bench = prepare(all.front(), dir.filePath(QStringLiteral("bench.xml")));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    for (size_t i = 0; i < all.size(); ++i) {
        const BenchCase &c = all[i];
        std::unique_ptr<Prepared> p = prepare(c, dir.filePath(QStringLiteral("case%1.xml").arg(i)));
        const Shape shape = shapeOf(p->file);
        std::printf("%s: %.1f MB, %zu elements\n", c.name, double(QFileInfo(p->file).size()) / 1e6, shape.elements.size());
        pugi::xml_document doc;
        const QString saved = dir.filePath(QStringLiteral("saved%1.xml").arg(i));
        const QString plain = dir.filePath(QStringLiteral("plain%1.xml").arg(i));
        const double parse = bestMs([&] { benchmark::DoNotOptimize(plainParse(p->file)); });
        // The showing clears the rows, then loads the file into them: the load is timed on cleared grids.
        const double clear = bestMs([&] { Table_Clear(p->desc, p->grids); });
        const double load = bestMs(
            [&] {
                Table_Load(p->desc, p->grids, p->file);
                if (c.recompute) c.recompute(p->grids);
            },
            [&] { Table_Clear(p->desc, p->grids); });
        const double build = bestMs([&] { plainBuild(shape, plain); });
        const double save = bestMs([&] {
            Table_Check(p->desc, p->grids);
            Table_Save(p->desc, p->grids, doc, saved);
        });
        if (c.recompute) {
            const double alone = bestMs([&] { c.recompute(p->grids); });
            std::printf("  (the load includes computing the rows' layout and groups: %.2f ms)\n", alone);
        }
        std::printf("  load: %.1f ms (clearing the rows before it: %.1f ms) vs plain parse %.1f ms: ratio %.2f (target <= 3.0)\n",
                    load, clear, parse, load / parse);
        std::printf("  save (check and save): %.1f ms vs plain build and write %.1f ms: ratio %.2f (target <= 3.0)\n", save,
                    build, save / build);
    }
    g_bench.reset();
    benchmark::Shutdown();
    return 0;
}
