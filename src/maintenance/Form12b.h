#pragma once
#include <QDialog>

class App;
class FolderBrowser;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

// Database restore: puts a chosen backup copy Tanzo.mdb in place of the database file (on a
// server, its tables in place of the server's), then ends the program so that the next start
// reads the restored database.
class Form12b : public QDialog {
    Q_OBJECT
public:
    explicit Form12b(App& app);

private slots:
    void Form_Load();
    void Drive1_Change();
    // 復元作業実行
    void Command1_Click();
    // 戻る
    void Command2_Click();
    // ヘルプ
    void Command3_Click();

public:
    FolderBrowser& browser() { return *browser_; }

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeView* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void refuse(const QString& text);

    App& app_;
    FolderBrowser* browser_ = nullptr;
};
