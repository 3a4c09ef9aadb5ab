#include "lists/RecordListWindow.h"

#include "core/App.h"
#include "common/ScreenPrint.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "lists/FindDialog.h"
#include "lists/NamedMenus.h"
#include "lists/ColumnSortMenu.h"
#include "lists/SortDialog.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kWindowHeight = 10500;
constexpr int kListLeft = 120;
constexpr int kListWidth = 14655;

}  // namespace

QString RecordListWindow::showingText(Showing s)
{
    switch (s) {
    case Showing::AllRecords: return QStringLiteral("種目別の全てのレコードを表示");
    case Showing::SearchResults: return QStringLiteral("種目別に検索したレコードを表示");
    case Showing::OneFound: return QStringLiteral("全ファイルより検索したレコードの内、１件を表示");
    case Showing::SubRecords: return QStringLiteral("サブ明細のレコードを表示");
    case Showing::SortedByColumn: return QStringLiteral("クリックした項目列でソートした結果を表示");
    }
    return QString();
}

QString RecordListWindow::positionText(int index, int count)
{
    return QStringLiteral("レコード順／総数　　%1 / %2").arg(index).arg(count);
}

RecordListWindow::RecordListWindow(App& app, int category, const Wording& wording, int detailTop)
    : app_(app), category_(std::clamp(category, 0, 5)), client_(new QWidget), detail(client_, detailTop), wording_(wording)
{
    installHelpKey(*this, app_.ui());
    NamedControls::setClient(*this, client_);

    StatusBar1 = NamedControls::statusBar(*this);

    ListView1 = NamedControls::make<ReportListView>(client_, "ListView1", kListLeft, 1800, kListWidth, 7455);
    connect(ListView1, &ReportListView::itemClicked, this, &RecordListWindow::ListView1_ItemClick);
    connect(ListView1, &ReportListView::columnClicked, this, &RecordListWindow::ListView1_ColumnClick);
    new ColumnSortMenu(app_.ui(), *ListView1, [this](int column) { ListView1_ColumnClick(column); });

    // The heading stands just below the tool bar, which lies over the top of the client area.
    Label1 = NamedControls::scaledHeading(client_, "Label1", QString(), 240, 480, 7000, 360, 1.3);

    Text3 = new QLineEdit(client_);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setReadOnly(true);

    Picture1 = new QLabel(client_);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();

    buildMenus(wording);
    buildToolbar();
}

void RecordListWindow::buildMenus(const Wording& w)
{
    // The bar shows the menus' titles at once; a menu makes its entries when it first opens.
    QMenuBar* bar = menuBar();
    mf1 = NamedMenus::menu(bar, "mf1", w.mf1);
    me1 = NamedMenus::menu(bar, "me1", w.me1);
    mv1 = NamedMenus::menu(bar, "mv1", w.mv1);
    mk1 = NamedMenus::menu(bar, "mk1", w.mk1);
    ms1 = NamedMenus::menu(bar, "ms1", w.ms1);
    mh1 = NamedMenus::barItem(bar, "mh1", w.mh1);
    connect(mh1, &QAction::triggered, this, &RecordListWindow::mh1_Click);
    NamedMenus::fillOnFirstOpen(*mf1, [this] { fillFileMenu(); });
    NamedMenus::fillOnFirstOpen(*me1, [this] { fillEditMenu(); });
    NamedMenus::fillOnFirstOpen(*mv1, [this] { fillViewMenu(); });
    NamedMenus::fillOnFirstOpen(*mk1, [this] {
        mk11 = NamedMenus::item(mk1, "mk11", QStringLiteral("検索条件(&F)"));
        connect(mk11, &QAction::triggered, this, &RecordListWindow::mk11_Click);
    });
    NamedMenus::fillOnFirstOpen(*ms1, [this] {
        ms11 = NamedMenus::item(ms1, "ms11", QStringLiteral("ソート条件(&G)"));
        connect(ms11, &QAction::triggered, this, &RecordListWindow::ms11_Click);
    });
}

void RecordListWindow::fillFileMenu()
{
    const Wording& w = wording_;
    mf10 = NamedMenus::item(mf1, "mf10", w.mf10);
    mf10->setEnabled(false);
    mf11 = NamedMenus::item(mf1, "mf11", QStringLiteral("     新規作成(&N)"));
    mf12 = NamedMenus::item(mf1, "mf12", QStringLiteral("     変　更(&U)"));
    mf13 = NamedMenus::item(mf1, "mf13", QStringLiteral("     削　除(&D)"));
    mf1->addSeparator();
    mf14 = NamedMenus::submenu(mf1, "mf14", QStringLiteral("画面印刷"));
    mf140 = NamedMenus::item(mf14, "mf140", w.mf140);
    mf141 = NamedMenus::item(mf14, "mf141", w.mf141);
    mf142 = NamedMenus::item(mf14, "mf142", QStringLiteral("EntireScreen(画面全体)"));
    mf14->addSeparator();
    // The same three captures into the print preview or a PDF file.
    auto capture = [this](ScreenPrint::Capture what) {
        return [this, what](PrintJob::Destination where) { screenPrint(what, where); };
    };
    PrintJob::addSubmenus(*mf14, QStringLiteral("mf14"),
                          {{w.mf140, QStringLiteral("mf140"), capture(ScreenPrint::Capture::ActiveWindow)},
                           {w.mf141, QStringLiteral("mf141"), capture(ScreenPrint::Capture::UserData)},
                           {mf142->text(), QStringLiteral("mf142"), capture(ScreenPrint::Capture::EntireScreen)}});
    mf15 = NamedMenus::item(mf1, "mf15", QStringLiteral("印刷設定(&F)"));
    mf16 = NamedMenus::item(mf1, "mf16", w.mf16);
    const PrintJob::MenuItems report =
        PrintJob::addMenuItems(*mf1, QStringLiteral("mf16"), [this](PrintJob::Destination where) { printReport(where); });
    mf16v = report.preview;
    mf16d = report.pdf;
    CsvExport::addTo(*mf1, nullptr, app_, *this, *ListView1, StatusBar1);
    mf17 = NamedMenus::item(mf1, "mf17", CsvImport::kCaption);
    mf1->addSeparator();
    mf18 = NamedMenus::item(mf1, "mf18", w.mf18);
    mf19 = NamedMenus::item(mf1, "mf19", QStringLiteral("終了(&X)"));

    connect(mf11, &QAction::triggered, this, &RecordListWindow::mf11_Click);
    connect(mf12, &QAction::triggered, this, &RecordListWindow::mf12_Click);
    connect(mf13, &QAction::triggered, this, &RecordListWindow::mf13_Click);
    connect(mf140, &QAction::triggered, this, &RecordListWindow::mf140_Click);
    connect(mf141, &QAction::triggered, this, &RecordListWindow::mf141_Click);
    connect(mf142, &QAction::triggered, this, &RecordListWindow::mf142_Click);
    connect(mf15, &QAction::triggered, this, &RecordListWindow::mf15_Click);
    connect(mf16, &QAction::triggered, this, &RecordListWindow::mf16_Click);
    connect(mf17, &QAction::triggered, this, &RecordListWindow::mf17_Click);
    connect(mf18, &QAction::triggered, this, &RecordListWindow::mf18_Click);
    connect(mf19, &QAction::triggered, this, &RecordListWindow::mf19_Click);
}

void RecordListWindow::fillEditMenu()
{
    me11 = NamedMenus::item(me1, "me11", QStringLiteral("コピー(&C)"));
    me14 = NamedMenus::item(me1, "me14", QStringLiteral("元に戻す(&R)"));
    connect(me11, &QAction::triggered, this, &RecordListWindow::me11_Click);
    connect(me14, &QAction::triggered, this, &RecordListWindow::me14_Click);
}

void RecordListWindow::fillViewMenu()
{
    mv11 = NamedMenus::item(mv1, "mv11", wording_.mv11);
    mv11->setCheckable(true);
    mv11->setChecked(true);
    mv12 = NamedMenus::item(mv1, "mv12", QStringLiteral("ツールバー非表示"));
    mv12->setCheckable(true);
    mv12->setChecked(Toolbar1->isHidden());
    connect(mv11, &QAction::toggled, this, &RecordListWindow::mv11_Click);
    connect(mv12, &QAction::toggled, this, &RecordListWindow::mv12_Click);
}

void RecordListWindow::buildToolbar()
{
    // The tool bar is the top band of the client area, and the tops of the controls count
    // from the top of that area: the bar lies over them, as the status bar lies under them.
    Toolbar1 = new QToolBar(client_);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Each button does what its menu item does.
    using Handler = void (RecordListWindow::*)();
    const std::pair<QString, Handler> buttons[] = {
        {QStringLiteral("新規作成"), &RecordListWindow::mf11_Click},
        {QStringLiteral("変更"), &RecordListWindow::mf12_Click},
        {QStringLiteral("削除"), &RecordListWindow::mf13_Click},
        {QStringLiteral("画面印刷"), &RecordListWindow::mf140_Click},
        {QStringLiteral("印刷設定"), &RecordListWindow::mf15_Click},
        {QStringLiteral("印刷"), &RecordListWindow::mf16_Click},
        {QStringLiteral("検索"), &RecordListWindow::mk11_Click},
        {QStringLiteral("ソート"), &RecordListWindow::ms11_Click},
        {QStringLiteral("ヘルプ"), &RecordListWindow::mh1_Click},
    };
    for (const auto& [key, handler] : buttons) {
        QAction* b = Toolbar1->addAction(key);
        b->setObjectName(QStringLiteral("Toolbar1_") + key);
        connect(b, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        toolbarHandlers_[key] = handler;
        toolbarButtons_[key] = b;
        if (key == QLatin1String("削除") || key == QLatin1String("印刷") || key == QLatin1String("ソート"))
            Toolbar1->addSeparator();
    }
    Toolbar1->setGeometry(0, 0, width(), Toolbar1->sizeHint().height());
    Toolbar1->raise();
}

void RecordListWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Toolbar1->resize(width(), Toolbar1->sizeHint().height());
}

QAction* RecordListWindow::toolbarButton(const QString& key) const
{
    const auto it = toolbarButtons_.find(key);
    return it == toolbarButtons_.end() ? nullptr : it->second;
}

void RecordListWindow::screenPrint(ScreenPrint::Capture what, PrintJob::Destination where)
{
    ScreenPrint::run(app_, *this, what, StatusBar1, where);
}

void RecordListWindow::mf140_Click() { screenPrint(ScreenPrint::Capture::ActiveWindow, PrintJob::Destination::Printer); }
void RecordListWindow::mf141_Click() { screenPrint(ScreenPrint::Capture::UserData, PrintJob::Destination::Printer); }
void RecordListWindow::mf142_Click() { screenPrint(ScreenPrint::Capture::EntireScreen, PrintJob::Destination::Printer); }

void RecordListWindow::mf15_Click() { openPrintSettings(); }
void RecordListWindow::mf16_Click() { printReport(PrintJob::Destination::Printer); }

void RecordListWindow::Toolbar1_ButtonClick(const QString& key)
{
    const auto it = toolbarHandlers_.find(key);
    if (it != toolbarHandlers_.end()) (this->*(it->second))();
}

void RecordListWindow::Form_Load()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(wording_.windowName));
    const ScreenLayout& layout = app_.layout();
    setGeometryTwips(*this, layout.listWindowLeft, layout.listWindowTop, layout.listWindowWidth, kWindowHeight);
    setWidthTwips(*ListView1, kListWidth + app_.layout().listExtraWidth);
    // The reading waits for the first tick, so the window is on the screen while it reads.
    app_.ui().defer(100, [w = QPointer<RecordListWindow>(this)] {
        if (w) w->Timer1_Timer();
    });
}

const CategoryDefinition& RecordListWindow::category() const { return app_.cache.row(category_); }

void RecordListWindow::buildDetail(const std::vector<FieldDefinition>& fields, int listTop, int listHeight)
{
    detail.build(fields, [this](int i) { Text1_Change(i); });
    setGeometryTwips(*ListView1, leftTwips(*ListView1), listTop, widthTwips(*ListView1), listHeight);
    // The menu and status bars lie outside the client area, so the window grows by what they
    // take beyond the height of the client area.
    const int bars = barsHeight();
    const int needed = bars + twipsToPixelsY(*this, listTop + listHeight + 60);
    resize(width(), std::max(twipsToPixelsY(*this, kWindowHeight), needed));
}

int RecordListWindow::barsHeight() const
{
    // Every list window's bars hold one line of text in the program's fonts: their height is
    // measured by the first window and taken again by the next ones while the fonts stay.
    struct Measured {
        QFont menuFont, statusFont;
        int height = -1;
    };
    static Measured measured;
    const QFont menuFont = menuBar()->font();
    const QFont statusFont = StatusBar1->font();
    if (measured.height < 0 || measured.menuFont != menuFont || measured.statusFont != statusFont)
        measured = {menuFont, statusFont, menuBar()->sizeHint().height() + StatusBar1->sizeHint().height()};
    return measured.height;
}

int RecordListWindow::readList(ReportListView& list, const RecordReader::Request& request, bool progress)
{
    return RecordReader::readShown(app_, list, request, progress ? StatusBar1 : nullptr);
}

void RecordListWindow::showRowQuietly(int row)
{
    std::vector<QSignalBlocker> quiet;
    for (QLineEdit* t : detail.Text1) quiet.emplace_back(t);
    detail.showRow(*ListView1, row);
}

void RecordListWindow::showCodeNames()
{
    for (int i = 0; i < detail.count(); ++i)
        if (detail.isCodeField(i)) SubCodeSet(i);
}

void RecordListWindow::Text1_Change(int i)
{
    if (detail.isCodeField(i)) SubCodeSet(i);
}

void RecordListWindow::SubCodeSet(int i)
{
    app_.guard([&] { detail.showCodeName(app_, i); });
}

void RecordListWindow::showWhat(Showing s) { StatusBar1->setPanelText(1, showingText(s)); }

void RecordListWindow::showPosition()
{
    const int row = ListView1->selectedIndex();
    if (row >= 0) StatusBar1->setPanelText(2, positionText(row + 1, ListView1->rowCount()));
}

void RecordListWindow::ListView1_ItemClick(int row)
{
    if (row < 0 || row >= ListView1->rowCount()) return;
    if (ListView1->selectedIndex() != row) ListView1->setSelectedIndex(row);
    showSelectedRow();
}

void RecordListWindow::ListView1_ColumnClick(int column)
{
    if (ListView1->rowCount() == 0) return;
    showWhat(Showing::SortedByColumn);
    SortDialog::sortByColumn(*ListView1, column);
    showPosition();
    StatusBar1->repaint();
    update();
}

void RecordListWindow::mf11_Click() { handOver(EditorMode::New); }
void RecordListWindow::mf12_Click() { handOver(EditorMode::Change); }
void RecordListWindow::mf13_Click() { handOver(EditorMode::Delete); }

void RecordListWindow::handOver(EditorMode mode)
{
    if (mode != EditorMode::New && !editorPreCheck(mode)) return;
    // The list keeps its place when it reads its rows again: the row the editor stored last,
    // else the record the detail panel shows, else (it was deleted) the row that took its place.
    const int place = ListView1->currentIndex().row();
    storedNumber_.reset();
    app_.guard([&] { openEditor(mode); });
    readAgain(storedNumber_ ? QString::number(*storedNumber_) : Text3->text(), place);
}

void RecordListWindow::runEditor(RecordEditor& editor)
{
    connect(&editor, &RecordEditor::repaintListRequested, this, [this] { update(); });
    app_.ui().showModal(editor);
    storedNumber_ = editor.storedNumber();
}

void RecordListWindow::mf17_Click()
{
    // The list keeps its place among the rows taken in, as it does after the editor.
    const int place = ListView1->currentIndex().row();
    const QString shown = Text3->text();
    if (CsvImport::run(app_, *this, category_, listsSubRecords(), StatusBar1)) readAgain(shown, place);
}

void RecordListWindow::readAgain(const QString& number, int place)
{
    ListView1->clearItems();
    readRows();
    if (ListView1->isSorted()) ListView1->setSorted(true);
    const int count = ListView1->rowCount();
    if (count > 0) {
        const int column = numberColumn();
        place = std::clamp(place, 0, count - 1);
        int row = -1;
        // Where it was first: a record changed in an unsorted list has not moved.
        if (!number.isEmpty() && ListView1->text(place, column) == number) row = place;
        for (int r = 0; r < count && row < 0 && !number.isEmpty(); ++r)
            if (ListView1->text(r, column) == number) row = r;
        if (row < 0) row = place;
        ListView1->setSelectedIndex(row);
        ListView1->ensureVisible(row);
        showSelectedRow();
    } else {
        // No row is left to count: the position of the one shown before goes with it.
        clearShownRecord();
        StatusBar1->setPanelText(2, QString());
    }
    update();
}

void RecordListWindow::clearShownRecord()
{
    detail.clear();
    Text3->clear();
}

void RecordListWindow::clearLists()
{
    ListView1->clearItems();
    ListView1->clearColumns();
}

void RecordListWindow::mf18_Click() { close(); }

void RecordListWindow::mf19_Click() { app_.ui().endProgram(); }

void RecordListWindow::me11_Click()
{
    const QStringList picked = detail.selections();
    if (picked.isEmpty()) return;
    app_.ui().clearClipboard();
    for (const QString& s : picked) app_.ui().setClipboardText(s);
}

void RecordListWindow::me14_Click()
{
    clearLists();
    requestReopen();
}

void RecordListWindow::requestReopen()
{
    reopen_ = true;
    close();
}

void RecordListWindow::mv11_Click(bool on) { showRegistrationNumber(on); }
void RecordListWindow::mv12_Click(bool on) { Toolbar1->setVisible(!on); }
void RecordListWindow::mh1_Click() { app_.ui().sendHelpKey(*this); }

void RecordListWindow::ms11_Click()
{
    const std::unique_ptr<SortDialog> dialog = sortDialog();
    app_.ui().showModal(*dialog);
}

void RecordListWindow::mk11_Click()
{
    const std::unique_ptr<FindDialog> dialog = findDialog();
    app_.ui().showModal(*dialog);
    update();
}

void RecordListWindow::listReordered()
{
    showPosition();
    StatusBar1->repaint();
}

void RecordListWindow::listRowFound() { showSelectedRow(); }
