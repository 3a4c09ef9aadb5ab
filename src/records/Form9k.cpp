#include "records/Form9k.h"

#include "core/App.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/Twips.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    setGeometryTwips(*l, left, top, width, 330);
    return l;
}

}  // namespace

Form9k::Form9k(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form9k"));
    setModal(true);

    Label1 = label(this, "Label1", QStringLiteral("全ファイルより検索"), 240, 120, 6000);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1->setFont(heading);
    Label3 = label(this, "Label3", QStringLiteral("全種目ファイル(メイン・サブ)のＴＥＸＴ型(文字)項目を対象に検索します。"), 240, 600,
                   8400);
    Label2 = label(this, "Label2", QStringLiteral("検索文字"), 240, 1170, 1000);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    setGeometryTwips(*Text1, 1300, 1130, 5400, 330);

    Check1 = new QCheckBox(QStringLiteral("大/小文字、全角/半角、カナ/ひらがなを区別する"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    setGeometryTwips(*Check1, 1300, 1590, 6600, 330);
    connect(Check1, &QCheckBox::clicked, this, [this](bool on) { Check1_Click(on ? 1 : 0); });

    Command1 = new QPushButton(QStringLiteral("検索"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    setGeometryTwips(*Command1, 1300, 2190, 1400, 450);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form9k::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("ヘルプ"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    setGeometryTwips(*Command2, 2900, 2190, 1400, 450);
    Command2->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, &Form9k::Command2_Click);

    resize(twipsToPixelsX(*this, 8900), twipsToPixelsY(*this, 3000));
    Form_Load();
}

void Form9k::Form_Load()
{
    setWindowTitle(app_.cache.caption(QStringLiteral("検索条件(全ファイル)")));
    // Until a text is accepted the search counts as cancelled, also when the window is
    // closed from its frame.
    app_.cache.allFilesDialogOpen = 1;
    Text1->setFocus();
}

void Form9k::Check1_Click(int value) { app_.cache.searchCaseMode = static_cast<qint16>(value); }

void Form9k::Command1_Click()
{
    // Any typed character counts, a lone space too: it finds the blank text fields.
    const QString typed = Text1->text();
    if (typed.isEmpty()) {
        app_.ui().msgBox(QStringLiteral("検索文字が入力されていません"), Ui::Buttons::Ok, Ui::Icon::None, QStringLiteral("ERROR"));
        Text1->setFocus();
        return;
    }
    ConfigCache& c = app_.cache;
    c.searchText = typed;
    c.searchCaseMode = Check1->isChecked() ? 1 : 0;
    c.allFilesDialogOpen = 0;
    accept();
}

void Form9k::Command2_Click() { app_.ui().sendHelpKey(*this); }

void Form9k::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        Command2_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}
