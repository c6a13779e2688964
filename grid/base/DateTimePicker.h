#pragma once
// Labelled picker for a date, a time or both; for both it places a time-only companion
// picker inside its right part. The grid's date-and-time in-place editor derives from it.
#include <QFont>
#include <QLabel>
#include <QPointer>
#include <memory>

#include "grid/base/ComboEditor.h"
#include "grid/base/DatePicker.h"

enum TNovaDateTimeKind : quint8 { dkDate, dkTime, dkDateTime };

class TNovaDateTimePicker : public TCustomDateTimePicker, public TLabelledControl {
public:
    explicit TNovaDateTimePicker(QWidget *parent = nullptr);
    ~TNovaDateTimePicker() override;

    TNovaDateTimeKind Kind() const { return FKind; }
    void SetKind(TNovaDateTimeKind k);
    // Date and time of day; the time comes from the companion when there is one.
    editorkit::TDateTime GetDateTime() const;
    virtual void SetDateTime(editorkit::TDateTime v);
    editorkit::TDateTime Date() const;
    // Replaces the whole days and keeps the time of day.
    void SetDate(editorkit::TDateTime v);
    editorkit::TDateTime Time() const;
    void SetTime(editorkit::TDateTime v);
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString &f);
    void SetBorderStyle(editorkit::TBorderStyle s) override;
    void SetAutoTab(bool v) override;
    bool IsDefaultFrame() const override { return false; }
    void SetPickerColor(editorkit::TColor c);
    void setVisible(bool visible) override;

    // The attached label (TLabelledControl holds its properties).
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    QLabel *PickerLabel() const { return AttachedLabel(); }

    QString Version() const override { return QStringLiteral("1.2.0.0"); }
    quint32 VersionNumber() const override { return 0x01020000; }

    // The companion time picker (none unless the kind is date and time).
    TCustomDateTimePicker *TimePicker() const { return FTimePicker; }
    // Inside the date field that changed last; (-1, -1) for none.
    QPoint ChangedFieldPoint() const { return Fpt; }
    editorkit::EditorTimer *FocusTimer() const { return FFocusTimer.get(); }

    void BeginLoading() { FLoading = true; }
    virtual void Loaded();

    void AdvanceDateField() override;

    editorkit::NotifyEvent OnTimeChange;
    editorkit::NotifyEvent OnClick;
    editorkit::NotifyEvent OnLabelClick;
    editorkit::NotifyEvent OnLabelDblClick;

protected:
    virtual void DoChange();
    virtual void DoClick();
    void RememberBeforeDigit() override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;

    bool eventFilter(QObject *watched, QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void UpdateLabel() override;
    void LabelClicked() override;
    void LabelDblClicked() override;

private:
    void CreateTimePicker();
    void UpdateTimePicker();
    void TimePartEnabledByCheck();

    TNovaDateTimeKind FKind = dkDateTime;
    std::unique_ptr<editorkit::EditorTimer> FFocusTimer;
    QPoint Fpt{-1, -1};
    QString FTimeFormat;
    quint16 Fy = 0, FmDate = 0, Fd = 0;
    bool FFocusLabel = false;
    bool FParentFnt = true;
    bool FIgnoreTimePickerCheck = false;
    bool FFirstRun = true;
    bool FLoading = false;
    bool FUpdating = false;
    QPointer<TCustomDateTimePicker> FTimePicker;
    editorkit::TDateTime FLastDate = 0;
};
