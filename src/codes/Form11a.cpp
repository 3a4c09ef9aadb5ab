#include "codes/Form11a.h"

#include "core/App.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/NamedControls.h"

#include <QComboBox>
#include <QPushButton>

Form11a::Form11a(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form11a"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(7200), text::twipsToPixels(6400));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("コード表"), 300, 150, 4000, 450);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("コード・テーブル名"), 300, 800, 1900, 300);
    Combo1 = NamedControls::make<QComboBox>(this, "Combo1", 2200, 740, 3800, 380);
    Combo1->setPlaceholderText(QStringLiteral("コード・テーブル名を選択して下さい"));

    DBGrid1 = NamedControls::make<DataGrid>(this, "DBGrid1", 300, 1300, 6600, 4200);

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("戻る"), 4800, 5700, 1000, 500);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("ヘルプ"), 5900, 5700, 1000, 500);

    connect(Combo1, &QComboBox::activated, this, &Form11a::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form11a::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form11a::Command2_Click);

    Form_Load();
}

void Form11a::Form_Load()
{
    setWindowTitle(app_.cache.caption(QStringLiteral("コード表")));
    slot_ = -1;
    Data1.clear();
    DBGrid1->setColumns({});
    DBGrid1->setRows({});
    Combo1->clear();
    Combo1->setEnabled(true);
    if (app_.cache.row(ConfigCache::kSystemRow).subFieldCount != 0) {
        for (int k = 1; k <= 8; ++k) Combo1->addItem(text::Trim(app_.cache.codeTableNameOf(k)));
        Combo1->setCurrentIndex(-1);
    } else {
        app_.ui().msgBox(QStringLiteral("コード・テーブルが作成未済みです。"), Ui::Buttons::Ok, Ui::Icon::Critical,
                         QStringLiteral("Error"));
    }
}

void Form11a::Combo1_Click(int index)
{
    if (slot_ >= 0 || index < 0 || index >= Combo1->count()) return;
    if (text::isBlank(app_.cache.codeTableNameOf(index + 1))) {
        // A free slot of the register: nothing to show, and the list stays open.
        Combo1->setCurrentIndex(-1);
        return;
    }
    Combo1->setCurrentIndex(index);
    Combo1->setEnabled(false);  // another table needs the window to be opened again
    slot_ = index;
    Data1.databaseName = app_.databasePath();
    Data1.recordSource = app_.cache.codeTableName(index);
    const bool read = app_.guard([&] { Data1.Refresh(); });
    QStringList columns = Data1.columns();
    if (!read || columns.isEmpty()) columns = {QStringLiteral("コード"), Combo1->itemText(index)};
    DBGrid1->setColumns(columns);
    DBGrid1->setRows(Data1.rows());
}

void Form11a::Command1_Click() { close(); }

void Form11a::Command2_Click() { app_.ui().sendHelpKey(*this); }
