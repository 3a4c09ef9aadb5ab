#pragma once
#include <QDialog>

class App;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// System initialisation: drops every category file and code table and returns the
// management table to its first-installation state, all in one transaction.
class Form2h : public QDialog {
    Q_OBJECT
public:
    explicit Form2h(App& app);

private slots:
    void Form_Load();
    // 初期値化
    void Command1_Click();
    // ヘルプ
    void Command2_Click();

public:
    // True once the system has been initialised.
    bool initialised() const { return initialised_; }


signals:
    // The system is in its first state: the main window shows the first title and colours,
    // and captions its six buttons " 1" .. " 6", disabled.
    void systemInitialised();

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    App& app_;
    bool initialised_ = false;
};
