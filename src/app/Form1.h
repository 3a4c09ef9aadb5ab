#pragma once
#include "app/WindowOpener.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class App;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class SettingsWatch;

// The main window: the six category buttons, the two search buttons and the menus that
// reach every other screen. It is the start-up window and ends the program.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(App& app);
    ~Form1() override;
    // The program starts with the main window: it loads (the database, made on the first
    // start, and the configuration cache). False when the program must end.
    bool start();

private slots:
    // Start-up: opens the database (creating it on the first start), loads the
    // configuration cache and prepares the window. False when the program must end.
    bool Form_Load();

    void Command1_Click(int index);
    void Command2_Click();
    void Command3_Click();
    void Command9_Click();
    void mk11_Click(int index);
    void mf12_Click();
    void mf13_Click();
    void mf17_Click();
    void mt11_Click();
    void mt12_Click();
    void mt13_Click();
    void mt14_Click();
    void mt15_Click();
    void mt16_Click();
    void mt17_Click();
    void mi1_Click();
    void mkk1_Click();
    void mkk2_Click();
    void mkk3_Click();
    void mh11_Click();
    void mh12_Click();

public:
    // Enables the 検索して開く pop-up entries of the categories that have a main file.
    void Menukensaku();
    // Computes the placement of the list and schema windows from a screen size in twips.
    void Dspsize(qint32 screenWidthTwips, qint32 screenHeightTwips);
    void Dspsize();
    // The category buttons after category naming: unnamed ones are emptied and disabled.
    void refreshCategoryButtons();
    // Before each action: settings another desk stored since are read again, with a notice.
    // False when the database could not be asked (its message shown): the action stops.
    bool catchUp();
    // The category buttons after system initialisation: " 1" .. " 6", disabled.
    void resetCategoryButtons();
    // Title and colours of the system row.
    void applySettings();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // Shows the stored settings whenever they are stored or read again, also while another
    // window is open over this one.
    void showStored();
    std::unique_ptr<SettingsWatch> watch_;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    std::vector<QPushButton*> Command1;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command9 = nullptr;
    QMenu* mf1 = nullptr;
    QAction* mf12 = nullptr;
    QAction* mf13 = nullptr;
    QAction* mf17 = nullptr;
    QMenu* mt1 = nullptr;
    QAction* mt11 = nullptr;
    QAction* mt12 = nullptr;
    QAction* mt13 = nullptr;
    QAction* mt14 = nullptr;
    QAction* mt15 = nullptr;
    QAction* mt16 = nullptr;
    QAction* mt17 = nullptr;
    QAction* mi1 = nullptr;
    QMenu* mkk = nullptr;
    QAction* mkk1 = nullptr;
    QAction* mkk2 = nullptr;
    QAction* mkk3 = nullptr;
    QMenu* mh1 = nullptr;
    QAction* mh11 = nullptr;
    QAction* mh12 = nullptr;
    QMenu* kenopen = nullptr;
    QAction* mk1 = nullptr;
    std::vector<QAction*> mk11;

    void buildWindow();
    void buildMenus();
    // A category button's caption, in a smaller type when the name is too long for it.
    void setButtonCaption(int index, const QString& caption);
    // Opens the category's main record list; the search first when searching.
    void openCategory(int index, qint16 listMode);

    App& app_;
    // Lets the windows open each other across folders while the main window is up.
    WindowOpener opener_;
};
