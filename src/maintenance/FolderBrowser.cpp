#include "maintenance/FolderBrowser.h"

#include "core/App.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"

#include <QComboBox>
#include <QScrollBar>
#include <QTimer>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>

FolderBrowser::FolderBrowser(App& app, QWidget* parent, const QStringList& nameFilters)
    : QObject(parent), app_(app), filters_(nameFilters)
{
    Drive1 = new QComboBox(parent);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->addItems(driveRoots());

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QStringLiteral("/"));

    Dir1 = new QTreeView(parent);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) Dir1->hideColumn(c);
    Dir1->header()->hide();
    Dir1->setRootIndex(model_->index(QStringLiteral("/")));

    File1 = new QListWidget(parent);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    NamedControls::setAccessibleName(*Drive1, QStringLiteral("ドライブ"));
    NamedControls::setAccessibleName(*Dir1, QStringLiteral("フォルダー"));
    NamedControls::setAccessibleName(*File1, QStringLiteral("ファイル"));

    // The folders are read and sorted in the background, and rows read later move the folder
    // out of view: the tree follows it until the person scrolls.
    auto follow = [this] {
        if (!following_ || scrollPending_) return;
        scrollPending_ = true;
        QTimer::singleShot(0, this, [this] {
            scrollPending_ = false;
            showCurrent();
        });
    };
    connect(model_, &QFileSystemModel::layoutChanged, this, follow);
    connect(model_, &QFileSystemModel::rowsInserted, this, follow);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { following_ = false; });
    Dir1->installEventFilter(this);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!moving_ && current.isValid()) setPath(model_->filePath(current));
    });

    setPath(QDir::currentPath());
}

QStringList FolderBrowser::driveRoots()
{
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid()) roots << v.rootPath();
    roots.removeDuplicates();
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
    return roots;
}

void FolderBrowser::setPath(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    path_ = clean;
    {
        moving_ = true;
        const QModelIndex at = model_->index(clean);
        if (at.isValid()) {
            Dir1->setCurrentIndex(at);
            Dir1->scrollTo(at);
            Dir1->expand(at);
        }
        moving_ = false;
    }
    selectDriveOf(clean);
    listFiles();
}

bool FolderBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Dir1 && (event->type() == QEvent::Show || event->type() == QEvent::Resize)) showCurrent();
    return false;
}

void FolderBrowser::showCurrent()
{
    const QModelIndex at = model_->index(path_);
    if (at.isValid() && Dir1->currentIndex() == at) Dir1->scrollTo(at);
}

void FolderBrowser::selectDriveOf(const QString& folder)
{
    // The drive list shows the volume the folder lies on.
    const QString root = QStorageInfo(folder).rootPath();
    const int i = Drive1->findText(root);
    if (i >= 0) {
        const QSignalBlocker quiet(Drive1);
        Drive1->setCurrentIndex(i);
        driveIndex_ = i;
    }
}

void FolderBrowser::driveChanged()
{
    const QString root = Drive1->currentText();
    const QStorageInfo volume(root);
    if (!QFileInfo(root).isDir() || !QFileInfo(root).isReadable() || !volume.isValid() || !volume.isReady()) {
        app_.ui().msgBox(QStringLiteral("ドライブ %1 を使用できません。装置の準備ができているか確認して下さい。").arg(root),
                         Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        const QSignalBlocker quiet(Drive1);
        Drive1->setCurrentIndex(driveIndex_);
        return;
    }
    driveIndex_ = Drive1->currentIndex();
    setPath(root);
}

void FolderBrowser::refresh()
{
    // The model watches the folders it has read; reading the path again shows a new folder.
    setPath(path_);
}

void FolderBrowser::listFiles()
{
    File1->clear();
    QDir dir(path_);
    File1->addItems(dir.entryList(filters_, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QString FolderBrowser::fileName() const
{
    const auto chosen = File1->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}
