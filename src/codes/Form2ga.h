#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>

class App;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Code-table usage registration, first step: the category (one with a main file) and the
// file kind whose text fields are to be linked to code tables. The second step, Form2gb,
// opens over this window on the chosen file.
class Form2ga : public QDialog {
    Q_OBJECT
public:
    explicit Form2ga(App& app);

private slots:
    // Caption, the categories that have a main file, and the file kinds; called by the
    // constructor.
    void Form_Load();
    void Command1_Click();  // ヘルプ
    // ファイル選定: hands the category and kind over and opens Form2gb when that file exists.
    void Command2_Click();
    void Command3_Click();  // 戻る

public:
    // The explanation in Text1, line by line.
    static QStringList explanation();

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    App& app_;
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
