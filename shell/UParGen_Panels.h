#pragma once
// Collapsible category panels stacked in a scrollable group, as the communication window uses them.
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QScrollArea>
#include <QString>
#include <QWidget>
#include <vector>

// One category panel: a header (caption and expand/collapse glyph) over a body whose children stand
// at fixed positions. Clicking the header collapses or expands the panel.
class TParGenCategoryPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 24;

    TParGenCategoryPanel(const QString &name, QWidget *parent);

    QWidget *Body() const { return m_body; }
    void Set_Caption(const QString &caption);
    QString Caption() const { return m_caption; }
    // Height of the expanded panel, header included.
    void Set_Panel_Height(int h);
    int Panel_Height() const { return m_panelHeight; }
    // Height the panel takes in the stack now.
    int Shown_Height() const { return m_collapsed ? kHeaderHeight : m_panelHeight; }
    bool Collapsed() const { return m_collapsed; }
    void Set_Collapsed(bool collapsed);
    // Position in the panel order (tab order) of the group.
    int Tab_Order = 0;

signals:
    void Height_Changed();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QWidget *m_body;
    QString m_caption;
    int m_panelHeight = kHeaderHeight;
    bool m_collapsed = false;
};

// The group: a vertical, scrollable stack of the shown panels in the order of their Tab_Order.
class TParGenPanelGroup : public QScrollArea {
    Q_OBJECT
public:
    explicit TParGenPanelGroup(QWidget *parent);

    QWidget *Content() const { return m_content; }
    TParGenCategoryPanel *Add_Panel(const QString &name);
    const std::vector<TParGenCategoryPanel *> &Panels() const { return m_panels; }
    // Shown panels from the top, in stacking order.
    std::vector<TParGenCategoryPanel *> Shown_Panels() const;
    // Places the shown panels one under the other from top 0.
    void Restack();
    // One line of the vertical scroll bar up (negative) or down (positive).
    void Scroll_Lines(int lines);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Place_Panels();
    QWidget *m_content;
    std::vector<TParGenCategoryPanel *> m_panels;
};

// Edit whose length limit binds typing only: a longer text set by the program is kept whole, and
// the user may shorten it, but no key makes a text longer than the limit.
class TParGenEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TParGenEdit(QWidget *parent);
    void Set_Typing_Limit(int limit) { m_limit = limit; }
    int Typing_Limit() const { return m_limit; }

private:
    void edited(const QString &text);
    int m_limit = 0; // 0: none
    QString m_last;
    int m_lastCursor = 0;
    bool m_reverting = false;
};
