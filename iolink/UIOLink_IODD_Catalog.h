#pragma once
// The IODD catalog: the IODD files of IODD_Catalog_Dir with their vendor and device names. The user
// adds files to it and chooses one; the channel table opens it modally and, on OK, takes the file
// name of the current row.
#include "shell/TFrameWindow.h"

#include <QStringList>

class TNovaStringGrid;

class TFIOLink_IODD_Catalog : public TFrameWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 400;

    explicit TFIOLink_IODD_Catalog(QWidget *parent = nullptr);
    ~TFIOLink_IODD_Catalog() override;

    void Set_Lang() override;
    // Title row and one empty row, then the files of the catalog.
    void FormShow();
    // One row per IODD file of the catalog (sorted by name); an empty catalog leaves the grid as it is.
    void Read_Catalog();
    // Asks for a file and copies it into the catalog (asking first when that name exists), then
    // lists the catalog again.
    void Btn_Add_IODDClick();
    // OK and a double click close with the current row; a row whose file could not be read shows
    // the reader's message instead and the window stays open.
    void Btn_OKClick() override;
    void NSG_IODD_CatDblClickCell(QObject *Sender, int ARow, int ACol);

    // The file name of the current row, relative to IODD_Catalog_Dir ("" for an empty catalog).
    QString Selected_File() const;

    TNovaStringGrid *NSG_IODD_Cat = nullptr;
    TLbButton *Btn_Add_IODD = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void Choose();
    void Fit_Columns();
    QStringList m_rowErrors;  // the reader's message per listed row (index = row), "" when it read
};

inline TFIOLink_IODD_Catalog *FIOLink_IODD_Catalog = nullptr;
