#include "lists/SortDialog.h"

#include "lists/ListDialogTarget.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

SortDialog::SortDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName)
    : ListDialog(app, target, objectName, windowName, QStringLiteral("ソート条件"))
{
    Frame1 = optionGroup("Frame1", QStringLiteral("ソート順序"), "Option1",
                         {QStringLiteral("昇順  (A～Z)"), QStringLiteral("降順　(Z～A)")}, Option1,
                         [this](int i) { Option1_Click(i); }, 240, 600, 2900);

    Text2 = NamedControls::note(this, "Text2",
                                {QStringLiteral("ソートの実施。"),
                                 QStringLiteral("データ一覧表の列見出しにあるデータ項目をクリックする"),
                                 QStringLiteral("ことで、その項目を並べ替えられます。")},
                                3360, 660, 5760, 1140);
    Text1 = NamedControls::note(this, "Text1",
                                {QStringLiteral("並べ替えの順序を指定する。"),
                                 QStringLiteral("　○ 昇順 ： 文字列の照合順序における先頭の項目、または古い日付"),
                                 QStringLiteral("　　　　　　が先になるように並べ替えます。"),
                                 QStringLiteral("　　　　　　数値は文字列として並び替えられます。最初に１桁目の数"),
                                 QStringLiteral("　　　　　　字で並べ替えられ、以降、２桁目、３桁目の数字で副次的"),
                                 QStringLiteral("　　　　　　に並べ替えられます。"),
                                 QStringLiteral("　○ 降順 ： 文字列の照合順序における最後の項目、または新しい日"),
                                 QStringLiteral("　　　　　　付が先になるように並べ替えられます。"),
                                 QStringLiteral("　　　　　　数値は「昇順」と同様に並べ替えられます。"),
                                 QStringLiteral("　●したがって、数値・金額は数の大小ではソート出来ません。")},
                                240, 2040, 8880, 3000);
    setGeometryTwips(*Command1, 7920, 5220, 1200, 420);
    setFixedSize(twipsToPixelsX(*this, 9360), twipsToPixelsY(*this, 5880));

    Form_Load();
}

void SortDialog::sortByColumn(ReportListView& list, int column)
{
    // A list sorted by another column is sorted again by the new key at once.
    const bool keyChanges = list.isSorted() && list.sortKey() != column;
    list.setSortKey(column);
    if (!keyChanges) list.setSorted(true);
}

void SortDialog::Form_Load()
{
    setCaption();
    clearOptions(Option1);
}

void SortDialog::Option1_Click(int i)
{
    if (i != 0 && i != 1) return;
    ReportListView& list = target_.dialogList();
    // A list sorted by a column is sorted again in the new order at once.
    list.setSortOrder(i == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (list.isSorted()) target_.listReordered();
    tell(i == 0 ? QStringLiteral("ソート順序は「昇順」で設定しました。")
                : QStringLiteral("ソート順序は「降順」で設定しました。"),
         Ui::Icon::Information);
    accept();
}
