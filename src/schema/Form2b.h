#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>
#include <vector>

class App;
class QLabel;
class QLineEdit;
class QPushButton;

// Category naming: the names of the six categories shown on the main window's buttons.
class Form2b : public QDialog {
    Q_OBJECT
public:
    explicit Form2b(App& app);

private slots:
    // Shows the stored names as they are, blanks included.
    void Form_Load();
    // Applies the six names and writes back those that changed, then closes. A category whose
    // main file exists cannot lose its name: such a press is refused and changes nothing; so is
    // one made after another desk stored settings, and the stored names are shown then.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

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
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    std::vector<QLineEdit*> Text1;  // 0..5: categories 1..6
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    App& app_;
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
