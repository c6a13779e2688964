#pragma once
// The track bar drop-down: a drop-down edit for one whole number within a range. Its pop-up holds a
// track bar; moving the bar writes the number into the edit, a number typed into the edit moves the
// bar. With the editor off (the default) the number also steps with Up and Down and follows the
// mouse dragged over the edit, one step per PageSize pixels.
#include "dropdown/NovaDropDown.h"

#include <QPointer>
#include <QSlider>

class TNovaTrackBarDropDown : public TNovaCustomDropDown {
public:
    explicit TNovaTrackBarDropDown(QWidget *AOwner = nullptr);
    ~TNovaTrackBarDropDown() override;

    // Each setter stores the value, hands it to the track bar and takes back what the bar made of
    // it: the bar keeps its range consistent and its position inside the range.
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    // The bar's page step, and the pixels of one drag step over the edit.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    // The bar's tick distance, and the step of Up and Down.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);

    QSlider *TrackBar() const { return FTrackBar; }

    // After every move of the bar, once the edit shows the new number.
    editorkit::NotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // The text changed: the position follows a whole number (any other text keeps it).
    void Change() override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    // The press that starts a drag opens the pop-up, which then takes the mouse: the drag goes on
    // over it.
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void TrackChange();
    void TakeBack();
    void DragTo(int X);

    QPointer<QSlider> FTrackBar; // a child of the pop-up window
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};
