#pragma once
#include <QDialog>

class App;
class FolderBrowser;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

// Database backup: copies Tanzo.mdb (from a server, a new Tanzo.mdb of the server's tables)
// into a folder the person picks, optionally making a new folder first.
class Form12a : public QDialog {
    Q_OBJECT
public:
    explicit Form12a(App& app);

private slots:
    void Form_Load();
    void Drive1_Change();
    // 新規フォルダー作成
    void Command1_Click();
    // バックアップ実行
    void Command2_Click();
    // 戻る
    void Command3_Click();
    // ヘルプ
    void Command5_Click();

public:
    // The folders and files the person picks from.
    FolderBrowser& browser() { return *browser_; }

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeView* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;

    App& app_;
    FolderBrowser* browser_ = nullptr;
};
