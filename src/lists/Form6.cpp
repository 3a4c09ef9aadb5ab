#include "lists/Form6.h"

#include "platform/widgets/NamedControls.h"
#include "printing/Form6ps.h"
#include "printing/ReportPrinter.h"

#include "core/FieldDisplay.h"
#include "lists/Form6k.h"
#include "lists/Form6s.h"
#include "common/ListHeaders.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "records/Form8.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

RecordListWindow::Wording wording()
{
    RecordListWindow::Wording w;
    w.windowName = QStringLiteral("種目別サブ明細");
    w.mf1 = QStringLiteral("ファイル(&F)");
    w.mf10 = QStringLiteral("(サブ明細レコード)");
    w.mf140 = QStringLiteral("ActiveWindow(種目別サブ明細画面)");
    w.mf141 = QStringLiteral("UserData(種目別サブ明細画面のユーザー・データ部)");
    w.mf16 = QStringLiteral("印　刷　(&P)");
    w.mf18 = QStringLiteral("閉じる(&C)          ");
    w.me1 = QStringLiteral("編集（&Ｅ）");
    w.mv1 = QStringLiteral("表示（&Ｖ）");
    w.mv11 = QStringLiteral("登録ＮＯ表示(&B)      ");
    w.mk1 = QStringLiteral("検索（&K）");
    w.ms1 = QStringLiteral("ソート(&S)");
    w.mh1 = QStringLiteral("ヘルプ（&Ｈ）");
    return w;
}

constexpr int kDetailTop = 1920;

}  // namespace

Form6::Form6(App& app, const ListRequest& shown)
    : RecordListWindow(app, shown.category, wording(), kDetailTop), shown_(shown)
{
    setObjectName(QStringLiteral("Form6"));

    Label7 = NamedControls::label(client_, "Label7", QStringLiteral("(メイン・レコード)"), 120, 480, 3000, 300);
    // The main record's list starts right under the tool bar: the heading stands on the line
    // of its caption.
    setGeometryTwips(*Label1, 3240, 450, 7000, 330);
    ListView2 =
        NamedControls::make<ReportListView>(client_, "ListView2", 120, 780, 14655 + app.layout().listExtraWidth, 660);
    // The list is one row high: a scroll bar would cover the row on a screen too narrow for
    // every column (the arrow keys still move along it).
    ListView2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Label5 = NamedControls::label(client_, "Label5", QStringLiteral("登録ＮＯ："), 120, 1530, 1000, 300);
    Text2 = NamedControls::make<QLineEdit>(client_, "Text2", 1150, 1500, 1300, 315);
    Text2->setReadOnly(true);
    Label6 = NamedControls::label(client_, "Label6", QStringLiteral("サブＮＯ："), 2700, 1530, 1000, 300);
    setGeometryTwips(*Text3, 3750, 1500, 1000, 315);
    Label8 = NamedControls::label(client_, "Label8", QStringLiteral("(サブ・レコード)"), 120, 2400, 3000, 300);

    Form_Load();
}

void Form6::Timer1_Timer()
{
    fields_ = FieldDisplay::inUse(category().subFields, category().subFieldCount);
    const int m = static_cast<int>(fields_.size());
    buildDetail(fields_, 2325 + DetailPanel::kRowPitch * m, 7050 - DetailPanel::kRowPitch * m);
    setTopTwips(*Label8, 2085 + DetailPanel::kRowPitch * m);

    showWhat(shown_.mode == ListRequest::OneFound ? Showing::OneFound : Showing::SubRecords);
    SubListViewHD();
    SubListViewSet();
    if (ListView1->rowCount() > 0) {
        ListView1->setSelectedIndex(0);
        showRowQuietly(0);
        Text2->setText(ListView1->text(0, m));
        Text3->setText(ListView1->text(0, m + 1));
    } else {
        Text2->setText(QString::number(shown_.registrationNo));
    }
    ListView2List();
    showPosition();
    showCodeNames();
    Label1->setText(category().name + QStringLiteral(" (サブ明細)"));
    // The first 印刷 of each opening asks for its settings.
    app_.printSettings.subColumnCount = 0;
    ListView1->setFocus();
    update();
}

void Form6::openPrintSettings() { Form6ps::run(app_, categoryIndex(), *ListView1, *ListView2, Label1->text(), StatusBar1); }

void Form6::printReport(PrintJob::Destination where)
{
    ReportPrinter::runSubPrint(app_, categoryIndex(), *this, StatusBar1, *ListView2, *ListView1, [this] { openPrintSettings(); },
                               where);
    update();
}

void Form6::SubListViewHD() { ListHeaders::build(*ListView1, fields_, ListHeaders::subList()); }

void Form6::SubListViewSet()
{
    const qint64 key = shown_.registrationNo;
    const bool oneFound = shown_.mode == ListRequest::OneFound;
    const qint64 chosenSub = shown_.subNo;
    const int keyColumn = static_cast<int>(fields_.size());
    auto filter = [&](const Recordset& rs) {
        if (!RecordReader::keyEquals(rs.field(keyColumn), key)) return RecordReader::Take::No;
        if (oneFound && !RecordReader::keyEquals(rs.field(keyColumn + 1), chosenSub)) return RecordReader::Take::No;
        return RecordReader::Take::Yes;
    };
    readList(*ListView1, {category().subTableName, fields_, 2, filter, QString(), RecordReader::subRowsOf(key)}, true);
}

void Form6::readRows()
{
    SubListViewSet();
}

void Form6::ListView2List()
{
    const CategoryDefinition& row = category();
    const std::vector<FieldDefinition> mainFields = FieldDisplay::inUse(row.mainFields, row.mainFieldCount);
    ListHeaders::build(*ListView2, mainFields, ListHeaders::mainRowList());
    ListView2->clearItems();
    const qint64 key = shown_.registrationNo;
    const int keyColumn = static_cast<int>(mainFields.size());
    readList(*ListView2,
             {row.mainTableName, mainFields, 1, RecordReader::keyFilter(keyColumn, key, RecordReader::Take::YesAndStop),
              QString(), RecordReader::mainRowOf(key)},
             false);
}

void Form6::Text1235Set()
{
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    const int m = static_cast<int>(fields_.size());
    detail.showRow(*ListView1, row);
    Text2->setText(ListView1->text(row, m));
    Text3->setText(ListView1->text(row, m + 1));
    showPosition();
    update();
}

bool Form6::editorPreCheck(EditorMode)
{
    QString problem;
    if (text::isBlank(Text2->text()))
        problem = QStringLiteral("明細レコードが指定されていません。");
    else if (text::isBlank(Text3->text()))
        problem = QStringLiteral("サブ明細レコードが指定されていません。");
    if (problem.isEmpty()) return true;
    app_.ui().msgBox(problem, Ui::Buttons::Ok, Ui::Icon::None, QStringLiteral("Error"));
    return false;
}

void Form6::openEditor(EditorMode mode)
{
    Form8 editor(app_, shown_.category);
    if (editor.prepare(mode, detail.values(), Text2->text(), mode == EditorMode::New ? QString() : Text3->text()))
        runEditor(editor);
}

void Form6::showRegistrationNumber(bool shown)
{
    if (shown) Text2->setEnabled(true);
    Label6->setVisible(shown);
    Text3->setVisible(shown);
}

void Form6::clearShownRecord()
{
    // The main record stays; no sub record is shown any more.
    detail.clear();
    Text3->clear();
    Text2->setText(QString::number(shown_.registrationNo));
}

void Form6::clearLists()
{
    RecordListWindow::clearLists();
    ListView2->clearItems();
    ListView2->clearColumns();
}

std::unique_ptr<SortDialog> Form6::sortDialog() { return std::make_unique<Form6s>(app_, *this); }

std::unique_ptr<FindDialog> Form6::findDialog() { return std::make_unique<Form6k>(app_, *this); }
