#include "lists/Form5.h"

#include "platform/widgets/NamedControls.h"
#include "printing/Form5ps.h"
#include "printing/ReportPrinter.h"

#include "core/FieldDisplay.h"
#include "lists/Form5k.h"
#include "lists/Form5s.h"
#include "lists/Form6.h"
#include "common/ListHeaders.h"
#include "lists/SearchMatcher.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "core/RecordStore.h"
#include "records/Form7.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

RecordListWindow::Wording wording()
{
    RecordListWindow::Wording w;
    w.windowName = QStringLiteral("種目別メイン明細");
    w.mf1 = QStringLiteral("ファイル(&F)  ");
    w.mf10 = QStringLiteral("(明細レコード)");
    w.mf140 = QStringLiteral("ActiveWindow(種目別明細画面)");
    w.mf141 = QStringLiteral("UserData(種目別明細画面のユーザー・データ部)");
    w.mf16 = QStringLiteral("印刷(&P)...");
    w.mf18 = QStringLiteral("閉じる(&C)       ");
    w.me1 = QStringLiteral("編集(&E)  ");
    w.mv1 = QStringLiteral("表示(&V)  ");
    w.mv11 = QStringLiteral("登録ＮＯ表示(&B)");
    w.mk1 = QStringLiteral("検索(&K)  ");
    w.ms1 = QStringLiteral("ソート(&S)  ");
    w.mh1 = QStringLiteral("ヘルプ(&H)");
    return w;
}

constexpr int kDetailTop = 1170;

}  // namespace

Form5::Form5(App& app, const ListRequest& shown)
    : RecordListWindow(app, shown.category, wording(), kDetailTop), shown_(shown)
{
    setObjectName(QStringLiteral("Form5"));

    Label5 = NamedControls::label(client_, "Label5", QStringLiteral("登録ＮＯ"), 9000, 690, 1000, 300);
    setGeometryTwips(*Text3, 10000, 660, 1300, 315);

    Command1 = NamedControls::make<QPushButton>(client_, "Command1", 11700, 600, 2700, 450);
    Command1->hide();
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Text3, &QLineEdit::textChanged, this, &Form5::Text3_Change);
    connect(ListView1, &ReportListView::lostFocus, this, &Form5::ListView1_LostFocus);

    Form_Load();
}

void Form5::Timer1_Timer()
{
    fields_ = FieldDisplay::inUse(category().mainFields, category().mainFieldCount);
    const int n = static_cast<int>(fields_.size());
    buildDetail(fields_, 1485 + DetailPanel::kRowPitch * n, 7770 - DetailPanel::kRowPitch * n);

    SubListViewHD();
    switch (shown_.mode) {
    case ListRequest::SearchResults:
        showWhat(Showing::SearchResults);
        SubListViewKensaku();
        if (ListView1->rowCount() == 0)
            app_.ui().msgBox(QStringLiteral("検索の結果、該当のレコードが見つかりませんでした。"), Ui::Buttons::Ok,
                             Ui::Icon::Information, QStringLiteral("検索結果"));
        break;
    case ListRequest::OneFound:
        showWhat(Showing::OneFound);
        SubListViewOne();
        break;
    default:
        showWhat(Showing::AllRecords);
        SubListViewSet();
        break;
    }

    {
        // The shown record's sub records are counted once, below, not on every box change.
        const QSignalBlocker quiet(Text3);
        if (ListView1->rowCount() > 0) {
            ListView1->setSelectedIndex(0);
            showRowQuietly(0);
            Text3->setText(ListView1->text(0, n));
            showPosition();
        }
    }
    showCodeNames();
    Label1->setText(category().name + QStringLiteral(" (明細)"));
    NamedControls::setAccessibleName(*ListView1, Label1->text());
    // The first 印刷 of each opening asks for its settings.
    app_.printSettings.mainColumnCount = 0;
    Text3_Change();
    if (text::isBlank(Text3->text()) && shown_.mode == ListRequest::AllRecords)
        app_.ui().msgBox(QStringLiteral("次画面の「編集」-「新規作成」より明細レコードを登録して下さい。"), Ui::Buttons::Ok,
                         Ui::Icon::None, QStringLiteral("お知らせ"));
    update();
}

RecordReader::Request Form5::request(RecordReader::RowFilter filter, const QString& nullText) const
{
    return {category().mainTableName, fields_, 1, std::move(filter), nullText};
}

void Form5::openPrintSettings() { Form5ps::run(app_, categoryIndex(), *ListView1, Label1->text(), StatusBar1); }

void Form5::printReport(PrintJob::Destination where)
{
    ReportPrinter::runMainPrint(app_, categoryIndex(), *this, StatusBar1, *ListView1, [this] { openPrintSettings(); }, where);
    update();
}

void Form5::SubListViewHD() { ListHeaders::build(*ListView1, fields_, ListHeaders::mainList()); }

void Form5::SubListViewSet() { readList(*ListView1, request({}), true); }

void Form5::SubListViewKensaku() { readList(*ListView1, SearchMatcher(shown_.search).reading(request({})), true); }

void Form5::SubListViewOne()
{
    // Every record is read, with the progress, and only the chosen one is taken.
    const int keyColumn = static_cast<int>(fields_.size());
    readList(*ListView1, request(RecordReader::keyFilter(keyColumn, shown_.registrationNo), QStringLiteral(" ")),
             true);
}

void Form5::readRows()
{
    switch (shown_.mode) {
    case ListRequest::SearchResults: SubListViewKensaku(); break;
    case ListRequest::OneFound: SubListViewOne(); break;
    default: SubListViewSet(); break;
    }
}

void Form5::Text123Set()
{
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    detail.showRow(*ListView1, row);
    Text3->setText(ListView1->text(row, static_cast<int>(fields_.size())));
    showPosition();
    ListView1->update();
    update();
}

void Form5::ListView1_LostFocus()
{
    // The detail panel keeps the record; change and delete still act on it.
    ListView1->setSelectedIndex(-1);
}

void Form5::SubRcCk()
{
    const CategoryDefinition& row = category();
    subRecordCount_ = 0;
    if (row.subCreated != 1) return;
    const qint64 key = FieldDisplay::wholeNumber(Text3->text());
    const int keyColumn = row.subFieldCount;
    Database db = app_.openDatabase();
    Recordset rs = db.openWhere(row.subTableName, RecordReader::subRowsOf(key));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (!RecordReader::keyEquals(rs.field(keyColumn), key)) continue;
        ++subRecordCount_;
    }
}

void Form5::Text3_Change()
{
    app_.guard([&] { SubRcCk(); });
    refreshSubRecordButton();
}

void Form5::refreshSubRecordButton()
{
    if (shown_.mode == ListRequest::OneFound) {
        Command1->hide();
    } else if (subRecordCount_ != 0) {
        Command1->setText(QStringLiteral("サブ明細表示(%1)").arg(subRecordCount_));
        Command1->show();
    } else if (!text::isBlank(Text3->text()) && category().subCreated == 1) {
        Command1->setText(QStringLiteral("サブ明細登録"));
        Command1->show();
    } else {
        Command1->hide();
    }
}

void Form5::Command1_Click()
{
    const CategoryDefinition& row = category();
    if (row.subCreated != 1) {
        app_.ui().msgBox(QStringLiteral("ファイル設定が未済です。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return;
    }
    ListRequest subs;
    subs.category = shown_.category;
    subs.registrationNo = static_cast<qint32>(FieldDisplay::wholeNumber(Text3->text()));
    Form6::run(app_, subs);
    // The sub records may have changed: this list is shown afresh.
    requestReopen();
}

bool Form5::editorPreCheck(EditorMode mode)
{
    if (text::isBlank(Text3->text())) {
        app_.ui().msgBox(QStringLiteral("明細レコードが指定されていません。"), Ui::Buttons::Ok, Ui::Icon::None, QStringLiteral("Error"));
        return false;
    }
    if (mode == EditorMode::Delete && subRecordCount_ != 0) {
        app_.ui().msgBox(RecordStore::kHasSubRecords, Ui::Buttons::Ok,
                         Ui::Icon::None, QStringLiteral("Error"));
        return false;
    }
    return true;
}

void Form5::openEditor(EditorMode mode)
{
    Form7 editor(app_, shown_.category);
    if (editor.prepare(mode, detail.values(), Text3->text())) runEditor(editor);
}

void Form5::showRegistrationNumber(bool shown)
{
    Label5->setVisible(shown);
    Text3->setVisible(shown);
}

std::unique_ptr<SortDialog> Form5::sortDialog() { return std::make_unique<Form5s>(app_, *this); }

std::unique_ptr<FindDialog> Form5::findDialog() { return std::make_unique<Form5k>(app_, *this); }
