#include "records/Form9.h"

#include "core/AllFilesSearch.h"
#include "core/App.h"
#include "common/ScreenPrint.h"
#include "common/ShowUntilDone.h"
#include "csv/CsvExport.h"
#include "core/FieldDisplay.h"
#include "common/ListHeaders.h"
#include "core/Opener.h"
#include "common/RecordReader.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "records/Form9k.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

namespace {

constexpr int kWindowHeight = 10500;
constexpr int kListLeft = 120;
constexpr int kListWidth = 14655;
constexpr int kRecordTop = 1020;
// The found record's list holds its header, its one row and a horizontal scroll bar.
constexpr int kRecordHeight = 960;
constexpr int kHitsTop = 2340;
constexpr int kHitsHeight = 6820;

QLineEdit* keyBox(QWidget* parent, const char* name, int left, int width)
{
    auto* t = NamedControls::make<QLineEdit>(parent, name, left, 570, width, 315);
    t->setReadOnly(true);
    return t;
}

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

// The columns of the found record: its fields under their trimmed names, then the keys.
// Text columns share what the fixed-width columns leave of 13815 twips, at most 5295 each;
// a text first column gets 3500 when its share is smaller.
ListHeaders::Rules recordRules(bool sub)
{
    ListHeaders::Rules r;
    r.freeWidth = 13815;
    r.keyCaptions = {QStringLiteral("登録ＮＯ")};
    if (sub) r.keyCaptions << QStringLiteral("サブＮＯ");
    r.shareCap = 5295;
    r.firstTextMinimum = 3500;
    r.codeWidth = 1300;
    r.numberWidth = 1700;
    r.dateWidth = 1500;
    r.keyWidth = 1300;
    return r;
}

// A key box's number; nullopt when it holds none.
std::optional<qint64> keyIn(const QLineEdit* box)
{
    bool ok = false;
    const qint64 n = text::Trim(box->text()).toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

}  // namespace

Form9::Form9(App& app, OpenedFrom from)
    : app_(app),
      client_(new QWidget),
      from_(from)
{
    setObjectName(QStringLiteral("Form9"));
    installHelpKey(*this, app_.ui());
    NamedControls::setClient(*this, client_);

    StatusBar1 = NamedControls::statusBar(*this);

    Label1 = NamedControls::scaledHeading(client_, "Label1", QStringLiteral("全ファイルより検索"), 240, 100, 6000, 360, 1.3);

    Label4 = NamedControls::label(client_, "Label4", QStringLiteral("種目区分："), 240, 600, 1100, 300);
    Label5 = NamedControls::label(client_, "Label5", QString(), 1350, 600, 4100, 300);
    Label8 = NamedControls::label(client_, "Label8", QStringLiteral("ファイル名"), 5600, 600, 1000, 300);
    Text2 = keyBox(client_, "Text2", 6650, 1800);
    Label6 = NamedControls::label(client_, "Label6", QStringLiteral("登録ＮＯ"), 8700, 600, 900, 300);
    Text3 = keyBox(client_, "Text3", 9650, 1200);
    Label7 = NamedControls::label(client_, "Label7", QStringLiteral("サブＮＯ"), 11100, 600, 900, 300);
    Text4 = keyBox(client_, "Text4", 12050, 1200);
    connect(Text2, &QLineEdit::textChanged, this, &Form9::Text2_Change);

    ListView2 =
        NamedControls::make<ReportListView>(client_, "ListView2", kListLeft, kRecordTop, kListWidth, kRecordHeight);
    connect(ListView2, &ReportListView::lostFocus, this, &Form9::ListView2_LostFocus);

    Label2 = NamedControls::label(client_, "Label2", QStringLiteral("検索結果"), kListLeft, kHitsTop - 300, 2000, 300);
    ListView1 = NamedControls::make<ReportListView>(client_, "ListView1", kListLeft, kHitsTop, kListWidth, kHitsHeight);
    connect(ListView1, &ReportListView::itemClicked, this, &Form9::ListView1_ItemClick);
    connect(ListView1, &ReportListView::columnClicked, this, &Form9::ListView1_ColumnClick);

    buildMenus();
    Form_Load();
}

void Form9::buildMenus()
{
    QMenuBar* bar = menuBar();
    mf1 = bar->addMenu(QStringLiteral(" ファイル  "));
    mf1->setObjectName(QStringLiteral("mf1"));
    mf10 = item(mf1, "mf10", QStringLiteral("(明細レコード)"));
    mf10->setEnabled(false);
    mf11 = item(mf1, "mf11", QStringLiteral("   編 集"));
    // 編集 waits for a search to be made.
    mf11->setEnabled(false);
    mf1->addSeparator();
    mf12 = item(mf1, "mf12", QStringLiteral("画面印刷(ActiveWindow)"));
    PrintJob::addMenuItems(*mf1, QStringLiteral("mf12"), [this](PrintJob::Destination where) {
        ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1, where);
    });
    CsvExport::addTo(*mf1, nullptr, app_, *this, *ListView1, StatusBar1);
    mf1->addSeparator();
    mf13 = item(mf1, "mf13", QStringLiteral("閉じる"));

    mk1 = bar->addAction(QStringLiteral("検索条件  "));
    mk1->setObjectName(QStringLiteral("mk1"));

    mv1 = bar->addMenu(QStringLiteral("表 示  "));
    mv1->setObjectName(QStringLiteral("mv1"));
    mv11 = item(mv1, "mv11", QStringLiteral("ファイル名＆登録ＮＯ表示"));
    mv11->setCheckable(true);
    mv11->setChecked(true);

    mh1 = bar->addAction(QStringLiteral("　ヘルプ"));
    mh1->setObjectName(QStringLiteral("mh1"));

    connect(mf11, &QAction::triggered, this, &Form9::mf11_Click);
    connect(mf12, &QAction::triggered, this, &Form9::mf12_Click);
    connect(mf13, &QAction::triggered, this, &Form9::mf13_Click);
    connect(mk1, &QAction::triggered, this, &Form9::mk1_Click);
    connect(mv11, &QAction::toggled, this, &Form9::mv11_Click);
    connect(mh1, &QAction::triggered, this, &Form9::mh1_Click);
}

void Form9::run(App& app, OpenedFrom from) { showUntilDone<Form9>(app, from); }

void Form9::Form_Load()
{
    const ConfigCache& c = app_.cache;
    setWindowTitle(c.caption(QStringLiteral("全ファイル検索")));
    const ScreenLayout& layout = app_.layout();
    setGeometryTwips(*this, layout.listWindowLeft, layout.listWindowTop, layout.listWindowWidth, kWindowHeight);
    setWidthTwips(*ListView1, kListWidth + app_.layout().listExtraWidth);
    setWidthTwips(*ListView2, kListWidth + app_.layout().listExtraWidth);
    // The menu and status bars lie outside the client area, so the window grows by what
    // they take beyond the height of the client area.
    const int bars = menuBar()->sizeHint().height() + StatusBar1->sizeHint().height();
    resize(width(), std::max(twipsToPixelsY(*this, kWindowHeight), bars + twipsToPixelsY(*this, kHitsTop + kHitsHeight + 60)));
    // The search waits for the first tick, so the window is on the screen before the
    // condition dialog opens.
    app_.ui().defer(100, [w = QPointer<Form9>(this)] {
        if (w) w->Timer1_Timer();
    });
}

void Form9::Timer1_Timer()
{
    ConfigCache& c = app_.cache;
    {
        Form9k condition(app_);
        app_.ui().showModal(condition);
        if (!condition.conditions()) {
            StatusBar1->setPanelText(3, QStringLiteral("検索条件の入力がキャンセルされました。"));
            mf11->setEnabled(false);
            return;
        }
        search_ = *condition.conditions();
    }
    mf11->setEnabled(from_ != OpenedFrom::InquiryBrowser);

    fileCount_ = AllFilesSearch::fileCount(c);
    if (fileCount_ == 0) {
        app_.ui().msgBox(QStringLiteral("ファイル設定が未済です。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("ERROR"));
        return;
    }

    StatusBar1->setPanelText(1, QStringLiteral("[検索文字]    ") + search_.text);
    SubListViewHD();
    SubListViewKensaku();
    if (hitCount_ == 0) {
        app_.ui().msgBox(QStringLiteral("検索の結果、該当のレコードが見つかりませんでした。"), Ui::Buttons::Ok, Ui::Icon::Information,
                         QStringLiteral("検索結果"));
        return;
    }
    ListView1->setSelectedIndex(0);
    Txt1234Set();
    showPosition();
    // The hits take the focus, as after a click, so the arrow keys go through them at once.
    ListView1->setFocus();
}

void Form9::SubListViewHD()
{
    ListView1->clearColumns();
    ListView1->addColumn(QStringLiteral("検索した文字列"), app_.layout().listWindowWidth == 17000 ? 6000 : 4000);
    ListView1->addColumn(QStringLiteral("種目名"), 2300);
    ListView1->addColumn(QStringLiteral("項目名"), 2300);
    ListView1->addColumn(QStringLiteral("ファイル名"), 1700);
    ListView1->addColumn(QStringLiteral("登録ＮＯ"), 1300);
    ListView1->addColumn(QStringLiteral("サブＮＯ"), 1300);
    ListView1->setHeadersVisible(true);
}

void Form9::SubListViewKensaku()
{
    const ConfigCache& c = app_.cache;
    std::vector<AllFilesSearch::Hit> hits;
    hitCount_ = 0;
    AllFilesSearch::Progress progress;
    progress.opened = [&] { StatusBar1->setPanelText(3, RecordReader::startText(c.readProgressOn())); };
    progress.fileBegun = [&](int filesBegun) {
        if (!c.readProgressOn()) return;
        StatusBar1->setPanelText(3, RecordReader::progressText(RecordReader::remainingCells(filesBegun, fileCount_)));
        StatusBar1->panel(3)->repaint();
    };
    progress.fileDone = [&] {
        StatusBar1->setPanelText(3, QString());
        StatusBar1->panel(3)->repaint();
    };
    // Whatever happens, the hits found reach the list; a database error is shown and the
    // files read before it keep their hits.
    app_.guard([&] { AllFilesSearch::run(c, search_.text, search_.caseMode, hits, progress); });
    StatusBar1->setPanelText(3, QString());
    hitCount_ = static_cast<int>(hits.size());
    if (hits.empty()) return;
    std::vector<QStringList> rows;
    rows.reserve(hits.size());
    for (AllFilesSearch::Hit& h : hits)
        rows.push_back({std::move(h.text), std::move(h.categoryName), std::move(h.fieldName), std::move(h.table),
                        std::move(h.registrationNo), std::move(h.subNo)});
    ListView1->beginBulk();
    ListView1->addRows(std::move(rows));
    ListView1->endBulk();
}

std::optional<Form9::FileRef> Form9::fileNamed(const QString& table) const
{
    if (table.isEmpty()) return std::nullopt;
    const ConfigCache& c = app_.cache;
    for (int i = 0; i < 6; ++i) {
        if (c.row(i).mainCreated != 0 && c.row(i).mainTableName == table) return FileRef{i, false};
        if (c.row(i).subCreated != 0 && c.row(i).subTableName == table) return FileRef{i, true};
    }
    return std::nullopt;
}

void Form9::showPosition()
{
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    StatusBar1->setPanelText(2, QStringLiteral("検索レコード順／総数　　 %1 / %2").arg(row + 1).arg(hitCount_));
}

void Form9::Txt1234Set()
{
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    Text3->setText(ListView1->text(row, RegistrationNo));
    Text4->setText(ListView1->text(row, SubNo));
    // The record shows when the file name arrives (Text2_Change).
    Text2->setText(ListView1->text(row, FileName));
    showPosition();
}

void Form9::ListView1_ItemClick(int row)
{
    if (row < 0 || row >= ListView1->rowCount()) return;
    if (ListView1->selectedIndex() != row) ListView1->setSelectedIndex(row);
    // Emptied first, so the record is read again also for a hit in the same file.
    Text2->clear();
    Txt1234Set();
    ListView1->setFocus();
    ListView1->update();
}

void Form9::Text2_Change()
{
    ListView2->clearItems();
    if (Text2->text().isEmpty()) return;
    ListView2List();
    showPosition();
}

void Form9::ListView2List()
{
    const std::optional<FileRef> file = fileNamed(Text2->text());
    if (!file) return;
    const CategoryDefinition& row = app_.cache.row(file->category);
    Label5->setText(file->sub ? row.name + QStringLiteral("  ：サブ") : row.name);

    std::vector<FieldDefinition> fields =
        file->sub ? FieldDisplay::inUse(row.subFields, row.subFieldCount) : FieldDisplay::inUse(row.mainFields, row.mainFieldCount);
    for (FieldDefinition& f : fields) f.name = text::Trim(f.name);
    ListHeaders::build(*ListView2, fields, recordRules(file->sub));
    ListView2->clearItems();

    const std::optional<qint64> number = keyIn(Text3);
    const std::optional<qint64> subNo = keyIn(Text4);
    if (!number || (file->sub && !subNo)) return;
    const int keyColumn = static_cast<int>(fields.size());
    const bool sub = file->sub;
    auto filter = [&](const Recordset& rs) {
        if (!RecordReader::keyEquals(rs.field(keyColumn), *number)) return RecordReader::Take::No;
        if (sub && !RecordReader::keyEquals(rs.field(keyColumn + 1), *subNo)) return RecordReader::Take::No;
        return RecordReader::Take::YesAndStop;
    };
    const RecordReader reader;
    app_.guard([&] {
        Database db = app_.openDatabase();
        reader.read(db, {sub ? row.subTableName : row.mainTableName, fields, sub ? 2 : 1, filter, QString()}, *ListView2->listModel());
    });
}

void Form9::ListView1_ColumnClick(int column)
{
    // Ascending by the clicked column's text; the selected hit stays selected.
    if (ListView1->isSorted()) {
        ListView1->setSortKey(column);
    } else {
        ListView1->setSortKey(column);
        ListView1->setSorted(true);
    }
    showPosition();
}

void Form9::ListView2_LostFocus() { ListView2->setSelectedIndex(-1); }

void Form9::mf11_Click()
{
    // Not from the inquiry browser, and only on a hit.
    if (!mf11->isEnabled()) return;
    const std::optional<FileRef> file = fileNamed(Text2->text());
    if (!file) return;
    ListRequest found;
    found.category = static_cast<qint16>(file->category);
    found.mode = ListRequest::OneFound;
    found.registrationNo = static_cast<qint32>(keyIn(Text3).value_or(0));
    if (file->sub) {
        found.subNo = static_cast<qint32>(keyIn(Text4).value_or(0));
        app_.opener().openMainSubList(found);
    } else {
        app_.opener().openMainList(found);
    }
}

void Form9::mf12_Click() { ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1); }

void Form9::mf13_Click() { close(); }

void Form9::mk1_Click()
{
    reopen_ = true;
    close();
}

void Form9::mv11_Click(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label8, Label6, Label7, Text2, Text3, Text4}) w->setVisible(on);
}

void Form9::mh1_Click() { app_.ui().sendHelpKey(*this); }
