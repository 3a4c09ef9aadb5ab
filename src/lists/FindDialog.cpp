#include "lists/FindDialog.h"

#include "core/App.h"
#include "lists/ListDialogTarget.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

QString FindDialog::foundStatus() { return QStringLiteral("項目列で検索した結果を表示(フォーカス)"); }

FindDialog::FindDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName,
                       const QString& statusText)
    : ListDialog(app, target, objectName, windowName, QStringLiteral("検索条件")), statusText_(statusText)
{
    Frame1 = optionGroup("Frame1", QStringLiteral("検索するリスト項目"), "Option1",
                         {QStringLiteral(" 1番目の項目(最左側)"), QStringLiteral(" ２番目以降の項目")}, Option1,
                         [this](int i) { Option1_Click(i); }, 240, 600, 3600);
    Frame2 = optionGroup("Frame2", QStringLiteral("検索で一致する条件"), "Option2",
                         {QStringLiteral(" 検索文字と完全に一致  する文字列を検索する"),
                          QStringLiteral(" 検索文字で始まる文字列  を検索する")},
                         Option2, [this](int i) { Option2_Click(i); }, 240, 2040, 5400);

    Label2 = NamedControls::label(this, "Label2", QStringLiteral("１番目の項目検索のみ"), 5820, 2400, 2100, 600);
    Label2->setWordWrap(true);

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    setGeometryTwips(*Line1, 240, 3540, 7680, 30);

    Text1 = NamedControls::note(this, "Text1",
                                {QStringLiteral("検索条件は次の２通りです。"),
                                 QStringLiteral("　○ １番目の項目(表の１番左側にある項目)"),
                                 QStringLiteral("　　　検索で一致する条件は、次の２通りから選択する。"),
                                 QStringLiteral("　　　● 検索文字と完全に一致する文字列を検索する。"),
                                 QStringLiteral("　　　● 検索文字で始まる文字列を検索する。"),
                                 QStringLiteral("　○ ２番目以降の項目(最後の項目まで)"),
                                 QStringLiteral("　　　検索で一致する条件は、"),
                                 QStringLiteral("　　　検索文字と完全に一致する文字列のみ検索する。")},
                                240, 3660, 7680, 2460);
    setGeometryTwips(*Command1, 6720, 6240, 1200, 420);
    setFixedSize(twipsToPixelsX(*this, 8160), twipsToPixelsY(*this, 6900));

    Form_Load();
}

void FindDialog::Form_Load()
{
    setCaption();
    clearOptions(Option1);
    clearOptions(Option2);
    Frame2->hide();
    for (QRadioButton* o : Option2) o->hide();
}

void FindDialog::Option1_Click(int i)
{
    if (i == 0) {
        // The first column: the match kind is chosen next, and the search runs then.
        Frame1->setEnabled(false);
        Frame2->show();
        for (QRadioButton* o : Option2) o->show();
        // The option that had the focus is disabled now: the keyboard goes on to the match kind.
        Option2.front()->setFocus(Qt::OtherFocusReason);
        update();
    } else if (i == 1) {
        searchPlace_ = LaterColumns;
        askAndSearch();
    }
}

void FindDialog::Option2_Click(int i)
{
    if (i != 0 && i != 1) return;
    searchPlace_ = FirstColumn;
    matchKind_ = i == 0 ? WholeText : LeadingText;
    askAndSearch();
}

void FindDialog::askAndSearch()
{
    const std::optional<QString> typed = app_.ui().inputBox(QStringLiteral("検索文字"), QStringLiteral("検索"), QString());
    // A cancelled input box looks for nothing: the dialog stays as it is.
    if (!typed) return;
    searchText_ = *typed;
    search();
}

void FindDialog::search()
{
    ReportListView& list = target_.dialogList();
    const int row = searchPlace_ == LaterColumns
                        ? list.findItem(searchText_, ReportListView::FindMode::WholeText, true)
                        : list.findItem(searchText_,
                                        matchKind_ == LeadingText ? ReportListView::FindMode::LeadingText
                                                                  : ReportListView::FindMode::WholeText);
    if (row < 0) {
        tell(QStringLiteral("該当するレコードが有りません。"), Ui::Icon::None);
        return;
    }
    list.ensureVisible(row);
    list.setSelectedIndex(row);
    if (!statusText_.isEmpty()) target_.dialogStatusBar().setPanelText(1, statusText_);
    // The window shows the found row, so change and delete act on the row that is selected.
    target_.listRowFound();
    accept();
}
