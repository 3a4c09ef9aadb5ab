#include "lists/Form10.h"

#include "codes/Form11a.h"
#include "core/App.h"
#include "common/ScreenPrint.h"
#include "core/FieldDisplay.h"
#include "csv/CsvExport.h"
#include "lists/ColumnSortMenu.h"
#include "lists/Form10k.h"
#include "lists/Form10s.h"
#include "common/ListHeaders.h"
#include "lists/NamedMenus.h"
#include "common/RecordReader.h"
#include "lists/SearchMatcher.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "records/Form5kf.h"
#include "records/Form9.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

constexpr int kWindowHeight = 10500;
constexpr int kListLeft = 120;
constexpr int kListWidth = 14655;
constexpr int kMainListTop = 900;
constexpr int kMainListHeight = 4500;
constexpr int kSubListTop = 5820;
constexpr int kSubListHeight = 3780;

const QString kPlaceholderDigits[6] = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"),
                                    QStringLiteral("４"), QStringLiteral("５"), QStringLiteral("６")};

}  // namespace

QString Form10::positionText(int index, int count)
{
    return QStringLiteral("メイン明細レコード順／総数 　　%1 / %2").arg(index).arg(count);
}

Form10::Form10(App& app) : app_(app), client_(new QWidget)
{
    setObjectName(QStringLiteral("Form10"));
    installHelpKey(*this, app_.ui());
    NamedControls::setClient(*this, client_);

    StatusBar1 = NamedControls::statusBar(*this);

    Label1 = NamedControls::scaledHeading(client_, "Label1", QStringLiteral("照　会"), 240, 100, 2000, 360, 1.3);
    Label2 = NamedControls::label(client_, "Label2", QStringLiteral("種目区分："), 2600, 160, 1100, 300);
    Label3 = NamedControls::label(client_, "Label3", QString(), 3700, 160, 3200, 300);
    Label4 = NamedControls::label(client_, "Label4", QStringLiteral("登録ＮＯ："), 7200, 160, 1100, 300);
    Label5 = NamedControls::label(client_, "Label5", QString(), 8300, 160, 1500, 300);

    Label6 = NamedControls::label(client_, "Label6", QStringLiteral("メイン明細"), kListLeft, kMainListTop - 300, 3000, 300);
    ListView1 =
        NamedControls::make<ReportListView>(client_, "ListView1", kListLeft, kMainListTop, kListWidth, kMainListHeight);
    Label7 = NamedControls::label(client_, "Label7", QStringLiteral("サブ明細"), kListLeft, kSubListTop - 300, 3000, 300);
    ListView2 =
        NamedControls::make<ReportListView>(client_, "ListView2", kListLeft, kSubListTop, kListWidth, kSubListHeight);
    connect(ListView1, &ReportListView::itemClicked, this, &Form10::ListView1_ItemClick);
    connect(ListView1, &ReportListView::columnClicked, this, &Form10::ListView1_ColumnClick);
    new ColumnSortMenu(app_.ui(), *ListView1, [this](int column) { ListView1_ColumnClick(column); });
    connect(ListView2, &ReportListView::lostFocus, this, &Form10::ListView2_LostFocus);

    // The note stands over the lists until a category is opened.
    Text2 = NamedControls::note(client_, "Text2",
                                {QStringLiteral("メニュー「ファイル」の"),
                                 QStringLiteral("　「開く」または「検索して開く」から種目ファイルを開いてください。"),
                                 QStringLiteral("　または「全ファイルより検索」から全種目ファイルより検索が出来ます。"),
                                 QStringLiteral("　　「開く」 ： 選択した種目の全てのレコードを表示します。"),
                                 QStringLiteral("　　「検索して開く」 ： 選択した種目の検索条件が表示されるので、条件を入力する。"),
                                 QStringLiteral("　　「全ファイルより検索」 ： 検索条件が表示されるので、条件を入力する。"),
                                 QStringLiteral("　　　　　　　　　　　　　　　検索条件に該当するレコードが表示される。")},
                                1200, 1500, 11400, 2100);
    Text2->raise();

    Picture1 = new QLabel(client_);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();

    buildMenus();
    Form_Load();
}

void Form10::buildMenus()
{
    QMenuBar* bar = menuBar();
    mf1 = NamedMenus::menu(bar, "mf1", QStringLiteral("ファイル(&F)      "));
    mfo1 = NamedMenus::submenu(mf1, "mfo1", QStringLiteral("開く&(O)      "));
    mff1 = NamedMenus::submenu(mf1, "mff1", QStringLiteral("検索して開く(&F)   "));
    for (int k = 0; k < 6; ++k) {
        const QString placeholder = QStringLiteral("     ") + kPlaceholderDigits[k];
        QAction* open = mfo1->addAction(placeholder);
        open->setObjectName(QStringLiteral("mf10_%1").arg(k));
        connect(open, &QAction::triggered, this, [this, k] { mf10_Click(k); });
        mf10.push_back(open);
        QAction* search = mff1->addAction(placeholder);
        search->setObjectName(QStringLiteral("mf11_%1").arg(k));
        connect(search, &QAction::triggered, this, [this, k] { mf11_Click(k); });
        mf11.push_back(search);
    }
    mff2 = NamedMenus::item(mf1, "mff2", QStringLiteral("全ファイルより検索(&K)"));
    mf1->addSeparator();
    mf15 = NamedMenus::item(mf1, "mf15", QStringLiteral("画面印刷(ActiveWindow)"));
    PrintJob::addMenuItems(*mf1, QStringLiteral("mf15"), [this](PrintJob::Destination where) {
        ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1, where);
    });
    CsvExport::addTo(*mf1, nullptr, app_, *this, *ListView1, StatusBar1);
    mf1->addSeparator();
    mf12 = NamedMenus::item(mf1, "mf12", QStringLiteral("閉じる(&C)"));
    mf13 = NamedMenus::item(mf1, "mf13", QStringLiteral("終了(&X)"));

    mt1 = NamedMenus::barItem(bar, "mt1", QStringLiteral("コード検索(&T)   "));
    mk1 = NamedMenus::menu(bar, "mk1", QStringLiteral("検索(&K)    "));
    mk11 = NamedMenus::item(mk1, "mk11", QStringLiteral("検索条件(&F)     "));
    ms1 = NamedMenus::menu(bar, "ms1", QStringLiteral("ソート(&S)  "));
    ms11 = NamedMenus::item(ms1, "ms11", QStringLiteral("ソート条件(&G)　　"));
    mh1 = NamedMenus::barItem(bar, "mh1", QStringLiteral("ヘルプ(&H)"));

    connect(mff2, &QAction::triggered, this, &Form10::mff2_Click);
    connect(mf15, &QAction::triggered, this, &Form10::mf15_Click);
    connect(mf12, &QAction::triggered, this, &Form10::mf12_Click);
    connect(mf13, &QAction::triggered, this, &Form10::mf13_Click);
    connect(mt1, &QAction::triggered, this, &Form10::mt1_Click);
    connect(mk11, &QAction::triggered, this, &Form10::mk11_Click);
    connect(ms11, &QAction::triggered, this, &Form10::ms11_Click);
    connect(mh1, &QAction::triggered, this, &Form10::mh1_Click);
}

void Form10::Form_Load()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("照会")));
    const ScreenLayout& layout = app_.layout();
    setGeometryTwips(*this, layout.listWindowLeft, layout.listWindowTop, layout.listWindowWidth, kWindowHeight);
    setWidthTwips(*ListView1, kListWidth + app_.layout().listExtraWidth);
    setWidthTwips(*ListView2, kListWidth + app_.layout().listExtraWidth);
    // The menu and status bars lie outside the client area, so the window grows by what
    // they take beyond the height of the client area.
    const int bars = menuBar()->sizeHint().height() + StatusBar1->sizeHint().height();
    resize(width(), std::max(twipsToPixelsY(*this, kWindowHeight),
                             bars + twipsToPixelsY(*this, kSubListTop + kSubListHeight + 60)));
    Menuopen();
    Menukensaku();
    update();
}

void Form10::Menuopen()
{
    for (int k = 0; k < 6; ++k) {
        const CategoryDefinition& row = app_.cache.row(k);
        const bool open = row.named == 1 && row.mainCreated != 0;
        // An entry that cannot be opened keeps its first caption.
        if (open) mf10[size_t(k)]->setText(row.name + QStringLiteral("　     "));
        mf10[size_t(k)]->setEnabled(open);
    }
}

void Form10::Menukensaku()
{
    for (int k = 0; k < 6; ++k) {
        const CategoryDefinition& row = app_.cache.row(k);
        const bool open = row.named == 1 && row.mainCreated != 0;
        if (open) mf11[size_t(k)]->setText(row.name + QStringLiteral("　(検索)  "));
        mf11[size_t(k)]->setEnabled(open);
    }
}

const CategoryDefinition& Form10::category() const { return app_.cache.row(category_); }

bool Form10::mainFileReady(int k)
{
    if (k < 0 || k > 5) return false;
    if (app_.cache.row(k).mainCreated != 0) return true;
    app_.ui().msgBox(QStringLiteral("ファイル設定が未済です。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
    return false;
}

void Form10::chooseCategory(int k)
{
    const ConfigCache& c = app_.cache;
    category_ = k;
    Label3->setText(c.row(k).name);
    fields_ = FieldDisplay::inUse(c.row(k).mainFields, c.row(k).mainFieldCount);
}

void Form10::clearMainList()
{
    ListView1->clearItems();
    ListView1->clearColumns();
    // The columns are new: the rows stand in table order until a column is clicked.
    ListView1->setSorted(false);
}

void Form10::mf10_Click(int k)
{
    if (!mainFileReady(k)) return;
    StatusBar1->setPanelText(1, QStringLiteral("種目別に全てのレコードを表示"));
    StatusBar1->repaint();
    chooseCategory(k);
    Text2->hide();
    clearMainList();
    SubListViewHD();
    SubListViewSet();
    showFirstRow();
    update();
}

void Form10::mf11_Click(int k)
{
    if (!mainFileReady(k)) return;
    StatusBar1->setPanelText(1, QStringLiteral("種目別に検索したレコードを表示"));
    StatusBar1->repaint();
    chooseCategory(k);
    const std::optional<SearchConditions> search = Form5kf::ask(app_, k);
    if (!search) {
        // The chosen category stays open, with no rows.
        clearMainList();
        ListView2->clearItems();
        ListView2->clearColumns();
        setLabel5(QString());
        StatusBar1->setPanelText(2, QString());
        return;
    }
    Text2->hide();
    clearMainList();
    SubListViewHD();
    search_ = *search;
    SubListViewKensaku();
    showFirstRow();
    update();
}

void Form10::showFirstRow()
{
    if (ListView1->rowCount() > 0) ListView1->setSelectedIndex(0);
    // Cleared first, so the sub list is read again also when the number stays the same.
    setLabel5(QString());
    Txt1Label5Set();
    // An empty list has no position: the one of the list shown before goes.
    if (ListView1->rowCount() == 0) StatusBar1->setPanelText(2, QString());
}

void Form10::SubListViewHD() { ListHeaders::build(*ListView1, fields_, ListHeaders::inquiryMainList()); }

void Form10::SubListViewSet()
{
    RecordReader::readShown(app_, *ListView1, {category().mainTableName, fields_, 1, {}, QString()}, StatusBar1);
}

void Form10::SubListViewKensaku()
{
    RecordReader::readShown(app_, *ListView1, SearchMatcher(search_).reading({category().mainTableName, fields_, 1, {}, QString()}),
                            StatusBar1);
}

void Form10::showPosition()
{
    const int row = ListView1->selectedIndex();
    if (row >= 0) StatusBar1->setPanelText(2, positionText(row + 1, ListView1->rowCount()));
}

void Form10::Txt1Label5Set()
{
    const int row = ListView1->selectedIndex();
    if (ListView1->rowCount() == 0 || row < 0) return;
    setLabel5(ListView1->text(row, static_cast<int>(fields_.size())));
    showPosition();
}

void Form10::setLabel5(const QString& text)
{
    if (Label5->text() == text) return;
    Label5->setText(text);
    Label5_Change();
}

void Form10::Label5_Change()
{
    ListView2->clearItems();
    ListView2->clearColumns();
    if (text::isBlank(Label5->text()) || category().subCreated != 1) return;
    ListView2List();
    showPosition();
    ListView1->update();
}

void Form10::ListView2List()
{
    const CategoryDefinition& row = category();
    const std::vector<FieldDefinition> subFields = FieldDisplay::inUse(row.subFields, row.subFieldCount);
    ListHeaders::build(*ListView2, subFields, ListHeaders::subList());
    // No progress while the sub file is read.
    const int keyColumn = static_cast<int>(subFields.size());
    const qint64 key = FieldDisplay::wholeNumber(Label5->text());
    RecordReader::readShown(app_, *ListView2, {row.subTableName, subFields, 2, RecordReader::keyFilter(keyColumn, key), QString(), RecordReader::subRowsOf(key)},
                            nullptr);
}

void Form10::ListView1_ItemClick(int row)
{
    if (row < 0 || row >= ListView1->rowCount()) return;
    if (ListView1->selectedIndex() != row) ListView1->setSelectedIndex(row);
    // A click on the row already shown reads its sub records again.
    setLabel5(QString());
    Txt1Label5Set();
    ListView1->setFocus();
    ListView1->update();
}

void Form10::ListView1_ColumnClick(int column)
{
    if (ListView1->rowCount() == 0) return;
    SortDialog::sortByColumn(*ListView1, column);
    showPosition();
}

void Form10::ListView2_LostFocus() { ListView2->setSelectedIndex(-1); }

void Form10::listReordered()
{
    showPosition();
    StatusBar1->repaint();
}

void Form10::listRowFound()
{
    setLabel5(QString());
    Txt1Label5Set();
}

void Form10::mff2_Click()
{
    // The all-files search opened from here offers no editing of its hits.
    Form9::run(app_, Form9::OpenedFrom::InquiryBrowser);
}

void Form10::mf15_Click() { ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1); }

void Form10::mf12_Click() { close(); }

void Form10::mf13_Click() { app_.ui().endProgram(); }

void Form10::mt1_Click()
{
    Form11a viewer(app_);
    app_.ui().showModal(viewer);
}

void Form10::mk11_Click()
{
    Form10k dialog(app_, *this);
    app_.ui().showModal(dialog);
    update();
}

void Form10::ms11_Click()
{
    Form10s dialog(app_, *this);
    app_.ui().showModal(dialog);
}

void Form10::mh1_Click() { app_.ui().sendHelpKey(*this); }
