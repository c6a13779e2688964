#pragma once
// The filter drop-down of a header cell: its settings, the plain list and the check list that
// pop up under the header, and a borderless window that never takes the activation.
#include "grid/base/GridTypes.h"

#include <QFont>
#include <QImage>
#include <QListWidget>
#include <QObject>
#include <QWidget>
#include <functional>

// Settings of the filter lists (published as the grid's FilterDropDown).
class TFilterDropDown : public QObject {
public:
    explicit TFilterDropDown(QObject *AOwner = nullptr) : QObject(AOwner) {}
    // Copies everything but AutoSize.
    void Assign(const TFilterDropDown &Source);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(bool Value) { FColumnWidth = Value; }
    const QFont &Font() const { return FFont; }
    void SetFont(const QFont &Value) { FFont = Value; }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { FWidth = Value; }
    // Header glyph of a column with a filter list, and while that column's filter is active.
    const QImage &Glyph() const { return FGlyph; }
    void SetGlyph(const QImage &Value);
    const QImage &GlyphActive() const { return FGlyphActive; }
    void SetGlyphActive(const QImage &Value);

    TNotifyEvent OnChange; // a glyph changed

private:
    bool FAutoSize = false;
    TColor FColor = clWindow;
    bool FColumnWidth = false;
    QFont FFont;
    int FHeight = 150;
    int FWidth = 150;
    QImage FGlyph;
    QImage FGlyphActive;
};

using TDropSelectEvent = std::function<void(QObject *Sender, int ItemIndex)>;

// The plain filter list: Enter or a button release hides it and reports the selected entry.
class TDropList : public QListWidget {
public:
    explicit TDropList(QWidget *AParent);
    TDropSelectEvent OnSelect;
    // A press outside closed the list without a choice (Target: the widget pressed).
    std::function<void(QObject *Target)> OnCancel;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
};

// The check-list variant: ticking an entry re-applies the filter at once (index -1) and keeps
// the list open; only a press elsewhere closes it.
class TDropCheckList : public QListWidget {
public:
    explicit TDropCheckList(QWidget *AParent);
    TDropSelectEvent OnSelect;
    std::function<void(QObject *Target)> OnCancel;
    bool Checked(int Index) const;
    void SetChecked(int Index, bool Value);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    bool FFilling = false;
    friend class TNovaStringGrid;
};

// A borderless pop-up window that shows without taking the activation.
class TNoActiveForm : public QWidget {
public:
    explicit TNoActiveForm(QWidget *AOwner = nullptr);
};
