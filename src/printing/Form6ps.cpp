#include "printing/Form6ps.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"
#include "printing/Form6pp.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {

using C = NamedControls;

const QString kTitle = QStringLiteral("ヘッダー・タイトル");
const QString kTitleNote = QStringLiteral("(入力ない場合は種目名とする)");

}  // namespace

Form6ps::Form6ps(App& app, int category, const ReportListView& subRows, const ReportListView& mainRow,
                 const QString& listHeading, StatusBar3* status)
    : PrintSettingsDialog(app, category,
                          Design{"Form6ps", QStringLiteral("印刷設定(サブ)"), QStringLiteral("印 刷 設 定 (サブ明細)"),
                                 QStringLiteral("　種目サブ明細一覧表"), "List3", "Command9"},
                          namesOf(app.cache.row(std::clamp(category, 0, 5)).subFields,
                                  app.cache.row(std::clamp(category, 0, 5)).subFieldCount),
                          subRows, listHeading, status),
      mainRow_(mainRow)
{
    List3 = chosen_;
    Command9 = confirm_;
    connect(Command9, &QPushButton::clicked, this, &Form6ps::Command9_Click);

    // For the CD-case back list, title 1 and title 2 on the right and the main record's values
    // to take them from on the left; the detail list has title 1 alone, where Form5ps has it.
    QWidget* page = titlePage_;
    Label15 = C::label(page, "Label15", QStringLiteral("メイン明細データ"), 360, 240, 2400);
    List2 = C::make<QListWidget>(page, "List2", 360, 540, 2400, 3000);
    Label16 = C::label(page, "Label16", QStringLiteral("←選択"), 2880, 540, 900);
    titleAlone_ = {Label4->geometry(), Label5->geometry(), Text1->geometry()};
    setGeometryTwips(*Label4, 4080, 240, 3300, 255);
    setGeometryTwips(*Label5, 4080, 540, 3300, 255);
    setGeometryTwips(*Text1, 4080, 840, 3300, 330);
    titleBeside_ = {Label4->geometry(), Label5->geometry(), Text1->geometry()};
    Command7 = C::make<QPushButton>(page, "Command7", 2880, 840, 1080, 360);
    Command7->setText(QStringLiteral("挿入 ≫"));
    Label13 = C::label(page, "Label13", QStringLiteral("ヘッダー・タイトル．２"), 4080, 1560, 3300);
    Label14 = C::label(page, "Label14", QStringLiteral("(入力ない場合は項目２のデータとする)"), 4080, 1860, 3300);
    Text3 = C::make<QLineEdit>(page, "Text3", 4080, 2160, 3300, 330);
    Command8 = C::make<QPushButton>(page, "Command8", 2880, 2160, 1080, 360);
    Command8->setText(QStringLiteral("挿入 ≫"));
    C::setAccessibleName(*List2, Label15->text());
    C::setAccessibleName(*Text3, Label13->text());
    // The focus goes from the values on the left to the titles they are inserted into.
    QWidget* before = Text1->previousInFocusChain();
    while (before->focusPolicy() == Qt::NoFocus) before = before->previousInFocusChain();
    C::chainTabs({before, List2, Command7, Text1, Command8, Text3});

    connect(Command7, &QPushButton::clicked, this, &Form6ps::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form6ps::Command8_Click);
    Form_Load();
}

void Form6ps::run(App& app, int category, const ReportListView& subRows, const ReportListView& mainRow,
                  const QString& listHeading, StatusBar3* status)
{
    Form6ps window(app, category, subRows, mainRow, listHeading, status);
    app.ui().showModal(window);
}

void Form6ps::loadOwnControls()
{
    // The values of the main record, as its list shows them.
    List2->clear();
    if (mainRow_.rowCount() > 0) {
        const int n = app_.cache.row(category_).mainFieldCount;
        List2->addItem(text::Trim(mainRow_.text(0, 0)));
        for (int k = 1; k < n; ++k) List2->addItem(text::Trim(mainRow_.text(0, k)));
    }
    showSecondTitle(false);
}

void Form6ps::showSecondTitle(bool shown)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label13, Label14, Label15, Label16, Text3, List2, Command7, Command8})
        w->setVisible(shown);
    Label4->setText(shown ? QStringLiteral("ヘッダー・タイトル．１") : kTitle);
    Label5->setText(shown ? QStringLiteral("(入力ない場合は項目１のデータとする)") : kTitleNote);
    const std::array<QRect, 3>& at = shown ? titleBeside_ : titleAlone_;
    Label4->setGeometry(at[0]);
    Label5->setGeometry(at[1]);
    Text1->setGeometry(at[2]);
}

void Form6ps::reportChosen()
{
    Text1->clear();
    if (work_.reportKind == 2) Text3->clear();
    showSecondTitle(work_.reportKind == 2);
}

void Form6ps::Command7_Click()
{
    if (QListWidgetItem* item = List2->currentItem(); item && item->isSelected()) Text1->setText(item->text());
}

void Form6ps::Command8_Click()
{
    if (QListWidgetItem* item = List2->currentItem(); item && item->isSelected()) Text3->setText(item->text());
}

QString Form6ps::mainValue(int i) const { return i < List2->count() ? text::Trim(List2->item(i)->text()) : QString(); }

void Form6ps::setHeaderTitles(PrintSettings& s)
{
    const QString title1 = text::Trim(Text1->text());
    if (!title1.isEmpty())
        s.headerTitle1 = title1;
    else
        s.headerTitle1 = s.reportKind == 2 ? mainValue(0) : text::Trim(listHeading_);
    const QString title2 = text::Trim(Text3->text());
    if (!title2.isEmpty())
        s.headerTitle2 = title2;
    else
        s.headerTitle2 = s.reportKind == 2 ? mainValue(1) : QString();
}

void Form6ps::showConfirmation()
{
    Form6pp window(app_, work_, fieldNames_, chosenColumns(), rows_);
    app_.ui().showModal(window);
}
