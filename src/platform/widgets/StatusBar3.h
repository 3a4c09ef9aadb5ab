#pragma once
// Status bar with three text panels, numbered 1 to 3: panel 1 takes the free width,
// panel 2 holds a position text, panel 3 is wide enough for a progress text
// ("ファイル読込中　" followed by 25 cells).

#include <QStatusBar>
#include <QString>

class QLabel;

class StatusBar3 : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar3(QWidget* parent = nullptr);

    // i = 1..3; other numbers are ignored (and read as "").
    QString panelText(int i) const;
    void setPanelText(int i, const QString& text);
    QLabel* panel(int i) const;

private:
    QLabel* m_panels[3];
};
