#include "maintenance/Form12b.h"

#include "core/App.h"
#include "core/Maintenance.h"
#include "maintenance/FolderBrowser.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

namespace {

const QString kUnchanged = QStringLiteral("現在のデータベースは変更されていません。");

}  // namespace

Form12b::Form12b(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form12b"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(8400), text::twipsToPixels(7400));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("データベース復元"), 240, 120, 6000, 400);
    Label2 = NamedControls::label(this, "Label2", QStringLiteral("復元するデータベースのファイルを指定して下さい。"), 240, 640,
                                  5000);
    Label3 = NamedControls::label(this, "Label3", QStringLiteral("ファイル名は Tanzo.mdb です。"), 5400, 640, 2800);

    browser_ = new FolderBrowser(app_, this, {QStringLiteral("*.mdb")});
    Drive1 = browser_->Drive1;
    Dir1 = browser_->Dir1;
    File1 = browser_->File1;
    setGeometryTwips(*Drive1, 240, 1080, 3900, 330);
    setGeometryTwips(*Dir1, 240, 1500, 3900, 3900);
    Label4 = NamedControls::label(this, "Label4", QStringLiteral("*.mdb ファイルのみ表示"), 4300, 1080, 3860, 330);
    setGeometryTwips(*File1, 4300, 1500, 3860, 3900);

    Label5 = NamedControls::label(this, "Label5",
                                  QStringLiteral("復元作業終了後、システムを一旦終了します。\nシステムを再度起動して下さい。"), 240,
                                  5600, 7900, 600);
    Command1 = NamedControls::button(this, "Command1", QStringLiteral("復元作業実行"), 240, 6500, 1900);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("戻る"), 4700, 6500, 1500);
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("ヘルプ"), 6400, 6500, 1500);

    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Command1, &QPushButton::clicked, this, &Form12b::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form12b::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form12b::Command3_Click);

    Form_Load();
}

void Form12b::Form_Load() { setWindowTitle(app_.cache.caption(QStringLiteral("データベース復元"))); }

void Form12b::Drive1_Change() { browser_->driveChanged(); }

void Form12b::refuse(const QString& text)
{
    app_.ui().msgBox(text, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
}

void Form12b::Command1_Click()
{
    Ui& ui = app_.ui();
    auto confirm = [&ui](const QString& source) {
        return ui.msgBox(QStringLiteral("復元元データベース名は：") + source + QStringLiteral(" です。"), Ui::Buttons::OkCancel,
                         Ui::Icon::Question, QStringLiteral("復元元データベース確認")) == Ui::Answer::Ok;
    };
    using Outcome = Maintenance::Restore::Outcome;
    const Maintenance::Restore done = Maintenance::restore(browser_->path(), browser_->fileName(), app_.databasePath(), confirm);
    switch (done.outcome) {
    case Outcome::NotConfirmed: return;
    case Outcome::WrongName: refuse(QStringLiteral("データベース名(Tanzo.mdb)が相違しています。") + done.detail); return;
    case Outcome::InUse:
        refuse(QStringLiteral("指定されたファイルは現在使用中のデータベースです。バックアップのファイルを指定して下さい。"));
        return;
    case Outcome::NotRestorable:
        refuse(QStringLiteral("指定されたファイルは在庫管理Tanzo のデータベースではないか、壊れているため、復元できません。") +
               kUnchanged + QStringLiteral("\r\n") + done.detail);
        return;
    case Outcome::Failed:
        refuse(QStringLiteral("データベースの復元に失敗しました。") + kUnchanged + QStringLiteral("\r\n") + done.detail);
        return;
    case Outcome::Restored: break;
    }
    ui.msgBox(QStringLiteral("復元作業は終了しました"), Ui::Buttons::Ok, Ui::Icon::Information, QStringLiteral("終了"));
    ui.endProgram();
}

void Form12b::Command2_Click() { close(); }

void Form12b::Command3_Click() { app_.ui().sendHelpKey(*this); }
