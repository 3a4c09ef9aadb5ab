#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

class App;
class QComboBox;
class QFileSystemModel;
class QListWidget;
class QTreeView;
class QWidget;

// The drive list, folder tree and file list of the backup and restore windows, wired
// together: choosing a drive moves the tree to its root, and moving to a folder lists its
// files. The tree starts at the process's current directory, opened down to it, with the
// folder highlighted and in view.
class FolderBrowser : public QObject {
    Q_OBJECT
public:
    // nameFilters: the files File1 shows, e.g. {"*.mdb"}; empty = every file.
    FolderBrowser(App& app, QWidget* parent, const QStringList& nameFilters);

    // The mounted volumes, "/" first.
    static QStringList driveRoots();

    // The folder the tree is on (Dir1's path).
    const QString& path() const { return path_; }
    // Moves the tree to a folder; the file list follows.
    void setPath(const QString& folder);
    // A drive chosen in the list (the window's Drive1_Change). A drive that cannot be read is reported and the list
    // returns to the drive it was on.
    void driveChanged();
    // Reads the folder and its files again (after a folder was made).
    void refresh();
    // The file chosen in the file list, "" when none is.
    QString fileName() const;

    QComboBox* Drive1 = nullptr;
    QTreeView* Dir1 = nullptr;
    QListWidget* File1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listFiles();
    // Brings the tree's folder into view, once the tree has its size and the folders are read.
    void showCurrent();
    void selectDriveOf(const QString& folder);

    App& app_;
    QStringList filters_;
    QFileSystemModel* model_ = nullptr;
    QString path_;
    int driveIndex_ = -1;
    bool moving_ = false;
    bool following_ = true;
    bool scrollPending_ = false;
};
