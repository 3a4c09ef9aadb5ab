#pragma once
#include <QDialog>

class App;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The condition of the all-files search: one text and whether case, width and kana count.
// While it is open, and after it was left without a search, the cache's all-files dialog
// flag is 1; it turns 0 when a search text was accepted.
class Form9k : public QDialog {
    Q_OBJECT
public:
    explicit Form9k(App& app);

private slots:
    void Form_Load();
    void Check1_Click(int value);
    void Command1_Click();  // 検索
    void Command2_Click();  // help

private:
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    App& app_;
};
