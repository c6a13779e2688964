// Paints one full page in the middle of a 10^6 x 10 string grid with its full cell painting (look,
// header gradients, text layout, borders), next to a QTableView over a model with the same texts
// painting the same page, and prints the ratio (target: ours no slower).
#include "grid/NovaGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kColWidth = 64;
constexpr int kRowHeight = 24;

QString cellText(int c, int r)
{
    return QStringLiteral("R%1C%2").arg(r).arg(c);
}

class TextModel : public QAbstractTableModel {
public:
    TextModel()
    {
        m_cells.reserve(size_t(kRows) * kCols);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                m_cells.push_back(cellText(c, r));
    }
    int rowCount(const QModelIndex &) const override { return kRows; }
    int columnCount(const QModelIndex &) const override { return kCols; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        if (role == Qt::DisplayRole)
            return m_cells[size_t(i.row()) * kCols + size_t(i.column())];
        return {};
    }

private:
    std::vector<QString> m_cells;
};

struct Scene {
    std::unique_ptr<TNovaStringGrid> grid;
    std::unique_ptr<TextModel> model;
    std::unique_ptr<QTableView> view;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    Scene()
    {
        grid = std::make_unique<TNovaStringGrid>();
        grid->resize(kWidth, kHeight);
        grid->SetColCount(kCols + 1); // plus the fixed column of row numbers
        grid->SetRowCount(kRows + 1);
        grid->SetDefaultColWidth(kColWidth);
        grid->SetDefaultRowHeight(kRowHeight);
        // Header texts and row numbers, as the table view's headers show them.
        for (int c = 0; c < kCols; ++c)
            grid->SetGridCell(c + 1, 0, QString::number(c + 1));
        for (int r = 0; r < kRows; ++r) {
            grid->SetGridCell(0, r + 1, QString::number(r + 1));
            for (int c = 0; c < kCols; ++c)
                grid->SetGridCell(c + 1, r + 1, cellText(c, r));
        }
        grid->show();
        grid->SetRow(kRows / 2);
        grid->SetTopRow(kRows / 2);

        model = std::make_unique<TextModel>();
        view = std::make_unique<QTableView>();
        view->resize(kWidth, kHeight);
        view->setModel(model.get());
        view->horizontalHeader()->setDefaultSectionSize(kColWidth);
        view->verticalHeader()->setMinimumSectionSize(kRowHeight);
        view->verticalHeader()->setDefaultSectionSize(kRowHeight);
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->show();
        view->setCurrentIndex(model->index(kRows / 2, 0));
        view->scrollTo(model->index(kRows / 2, 0), QAbstractItemView::PositionAtTop);
        QApplication::processEvents();
    }

    void paintOurs()
    {
        grid->viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    }
    void paintTableView()
    {
        view->viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    }
};

Scene *g_scene = nullptr;

void BM_NovaGridPage(benchmark::State &state)
{
    for (auto _ : state)
        g_scene->paintOurs();
    state.counters["rows_in_view"] = g_scene->grid->VisibleRowCount();
}

void BM_QTableViewPage(benchmark::State &state)
{
    for (auto _ : state)
        g_scene->paintTableView();
}

BENCHMARK(BM_NovaGridPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTableViewPage)->Unit(benchmark::kMicrosecond);

double averageMicros(void (Scene::*paint)(), int n)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i)
        (g_scene->*paint)();
    return double(t.nsecsElapsed()) / 1000.0 / n;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QElapsedTimer fill;
    fill.start();
    Scene scene;
    g_scene = &scene;
    std::printf("scene built in %.1f s (both grids filled with %d x %d texts)\n", fill.elapsed() / 1000.0, kRows, kCols);
    std::printf("grid cell store: %.1f MB\n", scene.grid->Store().MemoryBytes() / 1e6);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    const double ours = averageMicros(&Scene::paintOurs, 200);
    const double theirs = averageMicros(&Scene::paintTableView, 200);
    std::printf("one page: grid %.0f us, QTableView %.0f us, ratio grid/QTableView %.2f (target <= 1.00)\n", ours,
                theirs, ours / theirs);
    benchmark::Shutdown();
    return 0;
}
