#include "app/Form1.h"

#include "codes/Form2e.h"
#include "common/SettingsWatch.h"
#include "codes/Form2f.h"
#include "codes/Form2ga.h"
#include "core/App.h"
#include "core/ColourSetting.h"
#include "core/FirstStart.h"
#include "core/ManagementSchema.h"
#include "lists/Form10.h"
#include "lists/Form5.h"
#include "maintenance/Form12a.h"
#include "maintenance/Form12b.h"
#include "maintenance/Form2a.h"
#include "maintenance/Form2h.h"
#include "maintenance/Formv.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "records/Form5kf.h"
#include "records/Form9.h"
#include "reports/Form13a.h"
#include "reports/Form13b.h"
#include "reports/Form13c.h"
#include "schema/Form2b.h"
#include "schema/Form2c.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace {

// Twips of the main window's layout, converted at 96 DPI.
int px(int twips) { return text::twipsToPixels(twips); }


// The usual point size, or a smaller one at which the text fits the width in pixels:
// a long title or category name stays whole instead of being cut off.
void fitFont(QWidget* w, const QString& text, double usualPoints, int width)
{
    QFont f = w->font();
    double points = usualPoints;
    f.setPointSizeF(points);
    while (points > 8 && QFontMetrics(f).horizontalAdvance(text) > width) {
        points -= 0.5;
        f.setPointSizeF(points);
    }
    w->setFont(f);
}

constexpr double kTitlePoints = 36;
constexpr double kButtonPoints = 18;

QAction* addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

Form1::~Form1() = default;

Form1::Form1(App& app) : app_(app), opener_(app)
{
    setObjectName(QStringLiteral("Form1"));
    installHelpKey(*this, app_.ui());
    setWindowTitle(QStringLiteral("在庫管理 Tanzo"));
    buildWindow();
    buildMenus();
}

void Form1::buildWindow()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Form1Client"));
    central->setAutoFillBackground(true);
    setCentralWidget(central);
    setFixedSize(px(8400), px(6700));

    Label2 = new QLabel(QStringLiteral("在庫管理"), central);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont title(QStringLiteral("IPAMincho"));
    title.setPointSizeF(kTitlePoints);
    title.setBold(true);
    Label2->setFont(title);
    Label2->setAutoFillBackground(true);
    Label2->setGeometry(px(600), px(300), px(5200), px(1000));

    Label1 = new QLabel(QStringLiteral("Tanzo"), central);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont product(QStringLiteral("IPAMincho"));
    product.setPointSizeF(13.5);
    product.setBold(true);
    Label1->setFont(product);
    Label1->setAutoFillBackground(true);
    Label1->setGeometry(px(5900), px(750), px(1600), px(450));

    auto line = [central](int l, int t, int w, int h) {
        auto* f = new QFrame(central);
        f->setFrameShape(w > h ? QFrame::HLine : QFrame::VLine);
        f->setFrameShadow(QFrame::Sunken);
        f->setGeometry(px(l), px(t), px(w), px(h));
    };
    line(300, 1450, 7700, 60);

    Label3 = new QLabel(QStringLiteral("種目別に開く"), central);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(px(600), px(1650), px(3000), px(300));

    QFont big(QStringLiteral("IPAGothic"));
    big.setPointSizeF(kButtonPoints);
    const QStringList captions = {QStringLiteral("１"), QStringLiteral("2"), QStringLiteral("3"),
                                  QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(captions[i], central);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setFont(big);
        b->setEnabled(false);
        b->setGeometry(px(600 + (i % 2) * 2500), px(2050 + (i / 2) * 1000), px(2350), px(850));
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command1.push_back(b);
    }

    line(5550, 1650, 60, 4300);
    Label4 = new QLabel(QStringLiteral("検索して開く"), central);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(px(5800), px(1650), px(2300), px(300));

    Command2 = new QPushButton(QStringLiteral("種目別に検索"), central);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(px(5800), px(2050), px(2300), px(600));
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    Command3 = new QPushButton(QStringLiteral("全ファイルより検索"), central);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(px(5800), px(2850), px(2300), px(600));
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    Command9 = new QPushButton(QStringLiteral("終了"), central);
    Command9->setObjectName(QStringLiteral("Command9"));
    Command9->setGeometry(px(5800), px(5200), px(2300), px(600));
    connect(Command9, &QPushButton::clicked, this, &Form1::Command9_Click);
}

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    mf1 = bar->addMenu(QStringLiteral("ファイル(&F)  "));
    mf1->setObjectName(QStringLiteral("mf1"));
    mf1->addSeparator();
    mf12 = addItem(mf1, "mf12", QStringLiteral("ファイル・バックアップ(&B)　　　"));
    mf13 = addItem(mf1, "mf13", QStringLiteral("ファイル復元(&D)"));
    mf1->addSeparator();
    mf17 = addItem(mf1, "mf17", QStringLiteral("終了(&E)"));

    mt1 = bar->addMenu(QStringLiteral("環境設定(&T)   "));
    mt1->setObjectName(QStringLiteral("mt1"));
    mt11 = addItem(mt1, "mt11", QStringLiteral("システム環境設定(&S)"));
    mt12 = addItem(mt1, "mt12", QStringLiteral("種目名設定(&K)"));
    mt13 = addItem(mt1, "mt13", QStringLiteral("ファイル設定(&F)"));
    mt14 = addItem(mt1, "mt14", QStringLiteral("コード・ファイル設定(&G)"));
    mt15 = addItem(mt1, "mt15", QStringLiteral("コード登録(&I)"));
    mt16 = addItem(mt1, "mt16", QStringLiteral("コード・テーブル利用登録"));
    mt1->addSeparator();
    mt17 = addItem(mt1, "mt17", QStringLiteral("システム初期値化"));

    mi1 = bar->addAction(QStringLiteral("簡易照会(&I)  "));
    mi1->setObjectName(QStringLiteral("mi1"));

    mkk = bar->addMenu(QStringLiteral("管理資料(&K)  "));
    mkk->setObjectName(QStringLiteral("mkk"));
    mkk1 = addItem(mkk, "mkk1", QStringLiteral("種目別登録件数調べ"));
    mkk2 = addItem(mkk, "mkk2", QStringLiteral("コード別利用件数調べ"));
    mkk3 = addItem(mkk, "mkk3", QStringLiteral("種目別項目名一覧"));

    mh1 = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    mh1->setObjectName(QStringLiteral("mh1"));
    mh11 = addItem(mh1, "mh11", QStringLiteral("ヘルプ(&H)   "));
    mh12 = addItem(mh1, "mh12", QStringLiteral("バージョン情報(&A)"));

    kenopen = NamedControls::popupMenu(this, QStringLiteral("kenopen"), QStringLiteral("検索して開く"));
    mk1 = addItem(kenopen, "mk1", QStringLiteral("[ 種目を選択して下さい ]  "));
    const QStringList digits = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"),
                                QStringLiteral("４"), QStringLiteral("５"), QStringLiteral("６")};
    for (int i = 0; i < 6; ++i) {
        QAction* a = kenopen->addAction(QStringLiteral("     %1     ").arg(digits[i]));
        a->setObjectName(QStringLiteral("mk11_%1").arg(i));
        a->setEnabled(false);
        mk11.push_back(a);
    }

    connect(mf12, &QAction::triggered, this, &Form1::mf12_Click);
    connect(mf13, &QAction::triggered, this, &Form1::mf13_Click);
    connect(mf17, &QAction::triggered, this, &Form1::mf17_Click);
    connect(mt11, &QAction::triggered, this, &Form1::mt11_Click);
    connect(mt12, &QAction::triggered, this, &Form1::mt12_Click);
    connect(mt13, &QAction::triggered, this, &Form1::mt13_Click);
    connect(mt14, &QAction::triggered, this, &Form1::mt14_Click);
    connect(mt15, &QAction::triggered, this, &Form1::mt15_Click);
    connect(mt16, &QAction::triggered, this, &Form1::mt16_Click);
    connect(mt17, &QAction::triggered, this, &Form1::mt17_Click);
    connect(mi1, &QAction::triggered, this, &Form1::mi1_Click);
    connect(mkk1, &QAction::triggered, this, &Form1::mkk1_Click);
    connect(mkk2, &QAction::triggered, this, &Form1::mkk2_Click);
    connect(mkk3, &QAction::triggered, this, &Form1::mkk3_Click);
    connect(mh11, &QAction::triggered, this, &Form1::mh11_Click);
    connect(mh12, &QAction::triggered, this, &Form1::mh12_Click);

}

bool Form1::start() { return Form_Load(); }

bool Form1::Form_Load()
{
    const QString path = app_.databasePath();
    const bool server = Database::isServerLocation(path);
    try {
        Database db = FirstStart::open(path);
        Recordset table = db.openTable(management::kTable);
        app_.cache.LoadConfigCache(table);
    } catch (const DbError& e) {
        const QString what = server ? QStringLiteral("データベース「%1」を使用できないため、終了します。\r\n%2").arg(Database::displayName(path), e.message())
                                    : QStringLiteral("データベース ファイル「%1」を使用できないため、終了します。\r\n%2").arg(path, e.message());
        app_.ui().msgBox(what,
                         Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        app_.ui().endProgram();
        return false;
    }

    for (int i = 0; i < 6; ++i) {
        if (app_.cache.row(i).named == 1) {
            setButtonCaption(i, app_.cache.row(i).name);
            Command1[i]->setEnabled(true);
        }
    }
    applySettings();
    Menukensaku();
    watch_ = std::make_unique<SettingsWatch>(app_.cache, [this] { showStored(); });
    app_.ui().clearClipboard();
    Dspsize();
    update();
    return true;
}

void Form1::applySettings()
{
    const ConfigCache& c = app_.cache;
    Label2->setText(c.systemTitle());
    fitFont(Label2, Label2->text(), kTitlePoints, Label2->width());
    QString caption = text::Trim(c.systemTitle()) + QStringLiteral(" Tanzo");
    // On a server the caption also names the database every desk shares.
    if (Database::isServerLocation(c.databasePath())) caption += QStringLiteral(" [%1]").arg(Database::displayName(c.databasePath()));
    setWindowTitle(caption);
    const QColor titleColour = colour::fromSetting(c.titleColourText());
    const QColor back = colour::fromSetting(c.backColourText());
    QPalette p = centralWidget()->palette();
    p.setColor(QPalette::Window, back);
    centralWidget()->setPalette(p);
    QPalette lp1 = Label1->palette();
    lp1.setColor(QPalette::Window, back);
    Label1->setPalette(lp1);
    QPalette lp2 = Label2->palette();
    lp2.setColor(QPalette::Window, back);
    lp2.setColor(QPalette::WindowText, titleColour);
    Label2->setPalette(lp2);
    update();
}

void Form1::Menukensaku()
{
    for (int i = 0; i < 6; ++i) {
        const auto& row = app_.cache.row(i);
        if (row.named == 1 && row.mainCreated != 0) {
            mk11[i]->setText(QStringLiteral("   ") + row.name);
            mk11[i]->setEnabled(true);
        } else {
            mk11[i]->setEnabled(false);
        }
    }
}

void Form1::Dspsize(qint32 W, qint32 H) { app_.setLayout(ScreenLayout::forScreen(W, H)); }

void Form1::Dspsize()
{
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return;
    const double dpi = s->logicalDotsPerInchX();
    const QSize size = s->size();
    Dspsize(text::pixelsToTwips(size.width(), dpi), text::pixelsToTwips(size.height(), dpi));
}

void Form1::showStored()
{
    refreshCategoryButtons();
    applySettings();
    Menukensaku();
}

bool Form1::catchUp()
{
    // Settings read again are shown by the window's own watch, before the message says so.
    bool failed = false;
    app_.noticeChangesElsewhere(&failed);
    return !failed;
}

void Form1::refreshCategoryButtons()
{
    for (int i = 0; i < 6; ++i) {
        const auto& row = app_.cache.row(i);
        if (row.named == 1) {
            setButtonCaption(i, row.name);
            Command1[i]->setEnabled(true);
        } else {
            setButtonCaption(i, QString());
            Command1[i]->setEnabled(false);
        }
    }
    update();
}

void Form1::setButtonCaption(int index, const QString& caption)
{
    QPushButton* b = Command1[index];
    b->setText(caption);
    fitFont(b, caption, kButtonPoints, b->width() - px(240));
}

void Form1::openCategory(int index, qint16 listMode)
{
    if (!catchUp()) return;
    if (app_.cache.row(index).mainCreated == 0) {
        app_.ui().msgBox(QStringLiteral("ファイル設定が未済です。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return;
    }
    ListRequest shown;
    shown.category = static_cast<qint16>(index);
    shown.mode = listMode;
    if (listMode == ListRequest::SearchResults) {
        // The search conditions first; leaving the dialog without a search opens no list.
        const std::optional<SearchConditions> search = Form5kf::ask(app_, index);
        if (!search) return;
        shown.search = *search;
    }
    Form5::run(app_, shown);
}

void Form1::Command1_Click(int index) { openCategory(index, 0); }

void Form1::Command2_Click()
{
    if (!catchUp()) return;
    // A file made since the last opening is offered too.
    Menukensaku();
    QAction* chosen = app_.ui().popupMenu(*kenopen, Command2->mapToGlobal(QPoint(0, Command2->height())));
    for (int i = 0; i < 6; ++i)
        if (chosen == mk11[i]) mk11_Click(i);
}

void Form1::mk11_Click(int index) { openCategory(index, 1); }

void Form1::Command3_Click()
{
    if (!catchUp()) return;
    Form9::run(app_, Form9::OpenedFrom::MainWindow);
}

void Form1::Command9_Click() { app_.ui().endProgram(); }
void Form1::mf17_Click() { app_.ui().endProgram(); }

void Form1::mf12_Click()
{
    if (!catchUp()) return;
    Form12a w(app_);
    app_.ui().showModal(w);
}
void Form1::mf13_Click()
{
    if (!catchUp()) return;
    // A restore ends the program itself once the file is replaced.
    Form12b w(app_);
    app_.ui().showModal(w);
}
void Form1::mt11_Click()
{
    if (!catchUp()) return;
    // The main window follows each setting while the settings window is still open: it
    // listens to the stored settings.
    Form2a w(app_);
    app_.ui().showModal(w);
}
void Form1::mt12_Click()
{
    if (!catchUp()) return;
    Form2b w(app_);
    app_.ui().showModal(w);
    refreshCategoryButtons();
}
void Form1::mt13_Click()
{
    if (!catchUp()) return;
    Form2c w(app_);
    app_.ui().showModal(w);
    update();
}
void Form1::mt14_Click()
{
    if (!catchUp()) return;
    Form2e w(app_);
    app_.ui().showModal(w);
}
void Form1::mt15_Click()
{
    if (!catchUp()) return;
    Form2f w(app_);
    app_.ui().showModal(w);
}
void Form1::mt16_Click()
{
    if (!catchUp()) return;
    Form2ga w(app_);
    app_.ui().showModal(w);
}
void Form1::mt17_Click()
{
    if (!catchUp()) return;
    // The main window shows the first title, colours and buttons before the completion message.
    Form2h w(app_);
    connect(&w, &Form2h::systemInitialised, this, [this] {
        applySettings();
        resetCategoryButtons();
    });
    app_.ui().showModal(w);
}

void Form1::resetCategoryButtons()
{
    // After initialisation each button shows its number with the blank kept for a sign.
    for (int i = 0; i < 6; ++i) {
        setButtonCaption(i, QStringLiteral(" ") + QString::number(i + 1));
        Command1[i]->setEnabled(false);
    }
    update();
}
void Form1::mi1_Click()
{
    if (!catchUp()) return;
    Form10 w(app_);
    app_.ui().showModal(w);
}
void Form1::mkk1_Click()
{
    if (!catchUp()) return;
    ReportWindow::run<Form13a>(app_);
}
void Form1::mkk2_Click()
{
    if (!catchUp()) return;
    ReportWindow::run<Form13b>(app_);
}
void Form1::mkk3_Click()
{
    if (!catchUp()) return;
    ReportWindow::run<Form13c>(app_);
}
void Form1::mh11_Click() { app_.ui().sendHelpKey(*this); }
void Form1::mh12_Click()
{
    Formv w(app_);
    app_.ui().showModal(w);
}

void Form1::closeEvent(QCloseEvent* e)
{
    e->accept();
    app_.ui().endProgram();
}
