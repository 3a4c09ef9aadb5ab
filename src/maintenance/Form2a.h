#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>
#include <functional>

class App;
struct SystemSettings;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Environment settings: the system title, the title colour, the main window's background
// and the two progress switches. Each change is stored in the system row at once; whoever
// listens to the stored settings (the main window) shows it.
class Form2a : public QDialog {
    Q_OBJECT
public:
    explicit Form2a(App& app);

private slots:
    void Form_Load();
    // 色選定 (title colour)
    void Command1_Click();
    // 色選定 (background colour)
    void Command2_Click();
    // 終了
    void Command3_Click();
    // 設定 (title)
    void Command4_Click();
    // ヘルプ
    void Command5_Click();
    // 表示する (reading progress)
    void Check1_Click();
    // 表示する (printing progress)
    void Check2_Click();

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;

    // Stores one settings cell of the system row; on an engine error the cache keeps its
    // earlier value and false is returned.
    bool store(const std::function<void(SystemSettings&)>& change);
    void showTitleColour(const QColor& c);
    void showBackColour(const QColor& c);
    void showSwitches();

    App& app_;
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
