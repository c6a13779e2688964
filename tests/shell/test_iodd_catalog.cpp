// The IODD catalog window: listing the catalog folder, adding a file, choosing one.
#include "grid/NovaGrid.h"
#include "iolink/ChannelFixture.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "platform/FileChooser.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QLabel>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

class Catalog : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TFIOLink_IODD_Catalog> w;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Init_Program_Dirs(dir.path());
        QFile::copy(testsupport::dataDir() + "/channels/stadef/IODD-StandardDefinitions1.1.xml",
                    IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml");
        Load_Default_Texts();
        w = std::make_unique<TFIOLink_IODD_Catalog>();
    }
    void TearDown() override { platform::setFileChooser({}); }
    TNovaStringGrid &grid() { return *w->NSG_IODD_Cat; }
    QStringList row(int r) { return {grid().Cells(0, r), grid().Cells(1, r), grid().Cells(2, r)}; }
    void put(const QString &name, const QByteArray &bytes) { writeFile(IODD_Catalog_Dir + "/" + name, bytes); }
    static QByteArray device(const QString &vendor, const QString &deviceName)
    {
        return makeIodd(IoddRecipe{}).replace("Test Vendor", vendor.toUtf8()).replace("Test Device", deviceName.toUtf8());
    }
};

TEST_F(Catalog, EmptyFolderShowsTheTitleRowAndOneEmptyRow)
{
    const QStringList titles{"Vendor", "Device Name", "FileName"};
    w->show();
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(grid().ColCount(), 3);
    EXPECT_EQ(row(0), titles);
    EXPECT_EQ(row(1), (QStringList{"", "", ""}));

    // A listing that shrinks back to nothing leaves no old rows behind.
    put("a.xml", device("Maker", "Sensor"));
    w->FormShow();
    EXPECT_EQ(row(1), (QStringList{"Maker", "Sensor", "a.xml"}));
    QFile::remove(IODD_Catalog_Dir + "/a.xml");
    w->FormShow();
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(row(1), (QStringList{"", "", ""}));
    EXPECT_EQ(row(0), titles);

    // OK on the empty row closes with an empty name: the caller assigns nothing.
    w->Btn_OK->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(w->Selected_File(), "");
}

TEST_F(Catalog, ListsVendorDeviceAndFileOfEveryRealIodd)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QString corpus = testsupport::sharedIoddDir();
    IOLink_StaDef_Dir = corpus + "/standard/";
    SW_Code = "CF41520";
    // Sorted by name; an IODD without a device name shows an empty cell.
    const struct { const char *file, *vendor, *device; } cases[] = {
        {"Balluff-BNI_IOL-727-S51-P012-20220211-IODD1.1.xml", "Balluff", "BNI IOL-727-S51-P012"},
        {"IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml", "IO-Link Community", "Complex Process Data Device"},
        {"S15C-IU.xml", "Banner Engineering Corporation", "S15C"},
        {"STEGO-SmartSensor-CSS014-08-20190726-IODD1.1.xml", "STEGO Elektrotechnik GmbH", "CSS 014"},
        {"Siemens-SIRIUS-3SU1-4DI4DQ-20160602-IODD1.0.1.xml", "Siemens AG", ""},
        {"ifm-000174-20150804-IODD1.1.xml", "ifm electronic gmbh", "O5D100/O5D102/O5D150/O5D152"},
    };
    for (const auto &c : cases) ASSERT_TRUE(QFile::copy(corpus + "/devices/" + c.file, IODD_Catalog_Dir + "/" + c.file));
    w->show();
    ASSERT_EQ(grid().RowCount(), int(std::size(cases)) + 1);
    const QFontMetrics fm(grid().font());
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const auto &c = cases[i];
        EXPECT_EQ(row(i + 1), (QStringList{c.vendor, c.device, c.file})) << c.file;
        // Every name fits its column.
        for (int col = 0; col < 3; ++col)
            EXPECT_LT(fm.horizontalAdvance(grid().Cells(col, i + 1)), grid().ColWidths(col)) << c.file << " column " << col;
    }
    EXPECT_EQ(w->L_SW_Code->text(), "CF41520");
    QTest::qWait(20);
    w->grab().save(QDir::tempPath() + "/iodd_catalog.png");
}

// Names in the chooser and in the catalog, with the answer given when the name exists.
TEST_F(Catalog, AddCopiesTheChosenFileAndAsksBeforeOverwriting)
{
    QTemporaryDir elsewhere;
    const QByteArray fresh = device("New Maker", "New Sensor");
    writeFile(elsewhere.path() + "/dev.xml", fresh);
    put("dev.xml", device("Old Maker", "Old Sensor"));
    put("other.xml", device("Other", "Thing"));
    const QByteArray old = readAll(IODD_Catalog_Dir + "/dev.xml");
    w->show();

    const struct { const char *name; QString chosen; QMessageBox::StandardButton answer; bool asked; QByteArray after; } cases[] = {
        {"answer No", elsewhere.path() + "/dev.xml", QMessageBox::No, true, old},
        {"answer Cancel", elsewhere.path() + "/dev.xml", QMessageBox::Cancel, true, old},
        {"chooser cancelled", "", QMessageBox::NoButton, false, old},
        {"answer Yes", elsewhere.path() + "/dev.xml", QMessageBox::Yes, true, fresh},
    };
    for (const auto &c : cases) {
        platform::FileChoice seen;
        platform::setFileChooser([&](const platform::FileChoice &choice) {
            seen = choice;
            return c.chosen;
        });
        // The listing is read again in every case: a file that appeared meanwhile shows.
        put("later.xml", device("Later", "Device"));
        ModalResponder responder;
        if (c.asked) responder.answerBox(c.answer);
        w->Btn_Add_IODD->click();
        EXPECT_EQ(seen.filter, "IODD File (*.xml)") << c.name;
        EXPECT_EQ(responder.texts(), c.asked ? QStringList{"IODD File already exists in Catalog, Do you want to overwrite file?"} : QStringList{})
            << c.name;
        EXPECT_EQ(readAll(IODD_Catalog_Dir + "/dev.xml"), c.after) << c.name;
        EXPECT_EQ(grid().RowCount(), 4) << c.name;
        EXPECT_EQ(row(3), (QStringList{"Other", "Thing", "other.xml"})) << c.name;
        QFile::remove(IODD_Catalog_Dir + "/later.xml");
    }
    EXPECT_EQ(row(1), (QStringList{"New Maker", "New Sensor", "dev.xml"}));

    // A name the catalog does not hold is copied without a question.
    writeFile(elsewhere.path() + "/added.xml", device("Added", "Sensor"));
    platform::setFileChooser([&](const platform::FileChoice &) { return elsewhere.path() + "/added.xml"; });
    ModalResponder responder;
    w->Btn_Add_IODD->click();
    EXPECT_TRUE(responder.texts().isEmpty());
    EXPECT_EQ(row(1), (QStringList{"Added", "Sensor", "added.xml"}));
    EXPECT_EQ(readAll(IODD_Catalog_Dir + "/added.xml"), readAll(elsewhere.path() + "/added.xml"));
}

TEST_F(Catalog, FailedCopyIsReported)
{
    platform::setFileChooser([&](const platform::FileChoice &) { return dir.path() + "/missing.xml"; });
    w->show();
    ModalResponder responder;
    w->Btn_Add_IODD->click();
    ASSERT_EQ(responder.boxes().size(), 1);
    EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(responder.texts()[0].contains("missing.xml")) << responder.texts()[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(IODD_Catalog_Dir + "/missing.xml"));
}

// OK, a double click and Cancel, run modally as the channel table runs the window.
TEST_F(Catalog, OkAndDoubleClickReturnTheChosenFile)
{
    put("a.xml", device("A", "Alpha"));
    put("b.xml", device("B", "Beta"));
    put("c.xml", device("C", "Gamma"));
    const struct { const char *name; int row; std::function<void(TFIOLink_IODD_Catalog *)> act; int result; QString file; } cases[] = {
        {"OK", 2, [](TFIOLink_IODD_Catalog *d) { d->Btn_OK->click(); }, QDialog::Accepted, "b.xml"},
        {"double click on a cell", 3,
         [](TFIOLink_IODD_Catalog *d) { d->NSG_IODD_Cat->OnDblClickCell(d->NSG_IODD_Cat, 3, 1); }, QDialog::Accepted, "c.xml"},
        {"double click on the title row keeps the current row", 1,
         [](TFIOLink_IODD_Catalog *d) { d->NSG_IODD_Cat->OnDblClickCell(d->NSG_IODD_Cat, 0, 2); }, QDialog::Accepted, "a.xml"},
        {"Cancel", 3, [](TFIOLink_IODD_Catalog *d) { d->Btn_Cancel->click(); }, QDialog::Rejected, "c.xml"},
        {"Escape", 3, [](TFIOLink_IODD_Catalog *d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected, "c.xml"},
    };
    for (const auto &c : cases) {
        ModalResponder responder;
        responder.then([&](QWidget *d) {
            auto *cat = qobject_cast<TFIOLink_IODD_Catalog *>(d);
            ASSERT_NE(cat, nullptr);
            cat->NSG_IODD_Cat->SetRow(c.row);
            c.act(cat);
        });
        EXPECT_EQ(w->exec(), c.result) << c.name;
        EXPECT_EQ(w->Selected_File(), c.file) << c.name;
        EXPECT_FALSE(responder.timedOut()) << c.name;
    }
}

// A file the reader refuses is listed under its own name and marked; the files after it still
// show; choosing it shows the reader's message and assigns nothing.
TEST_F(Catalog, UnreadableIoddIsListedMarkedAndCannotBeChosen)
{
    put("a.xml", device("A", "Alpha"));
    put("b.xml", "<IODevice><ProfileBody>");
    put("c.xml", device("C", "Gamma"));
    w->show();
    ASSERT_EQ(grid().RowCount(), 4);
    EXPECT_EQ(row(1), (QStringList{"A", "Alpha", "a.xml"}));
    EXPECT_EQ(row(2), (QStringList{"(unreadable IODD)", "", "b.xml"}));
    EXPECT_EQ(row(3), (QStringList{"C", "Gamma", "c.xml"}));
    w->hide();  // shown modally below, as the channel table shows it

    // Each step runs from the event loop, so that the message box it raises is answered in turn.
    auto step = [](std::function<void(TFIOLink_IODD_Catalog *)> f) {
        return [f](QWidget *d) {
            auto *cat = qobject_cast<TFIOLink_IODD_Catalog *>(d);
            ASSERT_NE(cat, nullptr);
            QTimer::singleShot(0, cat, [f, cat] { f(cat); });
        };
    };
    ModalResponder responder;
    responder.then(step([](TFIOLink_IODD_Catalog *cat) {
        cat->NSG_IODD_Cat->SetRow(2);
        cat->Btn_OK->click();  // the reader's message; the window stays open
    }));
    responder.answerBox(QMessageBox::Ok);
    responder.then(step([](TFIOLink_IODD_Catalog *cat) {
        cat->NSG_IODD_Cat->OnDblClickCell(cat->NSG_IODD_Cat, 2, 0);  // the same
    }));
    responder.answerBox(QMessageBox::Ok);
    responder.then(step([](TFIOLink_IODD_Catalog *cat) {
        cat->NSG_IODD_Cat->SetRow(3);
        cat->Btn_OK->click();
    }));
    EXPECT_EQ(w->exec(), QDialog::Accepted);
    EXPECT_EQ(w->Selected_File(), "c.xml");
    ASSERT_EQ(responder.boxes().size(), 2);
    for (const auto &box : responder.boxes()) {
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_TRUE(box.text.startsWith(IODD_Catalog_Dir + "/b.xml")) << box.text.toStdString();
    }

    // The language file's text marks the row.
    Lang_Texts[1312] = "(nicht lesbar)";
    w->FormShow();
    EXPECT_EQ(grid().Cells(0, 2), "(nicht lesbar)");
}

} // namespace
