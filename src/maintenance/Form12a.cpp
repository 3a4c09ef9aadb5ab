#include "maintenance/Form12a.h"

#include "core/App.h"
#include "core/FileCopy.h"
#include "core/Maintenance.h"
#include "maintenance/FolderBrowser.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

namespace {

const QString kFolderError = QStringLiteral("新規フォルダー作成でエラーが発生しました");

// A name the file system takes as one new folder inside the current one.
bool isPlainFolderName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar ch : name)
        if (ch == QLatin1Char('/') || ch.unicode() < 0x20 || ch.unicode() == 0x7f || ch.category() == QChar::Other_Control)
            return false;
    return true;
}

}  // namespace

Form12a::Form12a(App& app) : app_(app)
{
    setObjectName(QStringLiteral("Form12a"));
    installHelpKey(*this, app_.ui());
    setFixedSize(text::twipsToPixels(8400), text::twipsToPixels(6600));

    Label1 = NamedControls::heading(this, "Label1", QStringLiteral("データベース・バックアップ"), 240, 120, 6000, 400);
    Label2 = NamedControls::label(this, "Label2",
                                  QStringLiteral("データベース(Tanzo.mdb)のバックアップ先フォルダーを指定して下さい"), 240, 640,
                                  7900, 300);

    browser_ = new FolderBrowser(app_, this, {});
    Drive1 = browser_->Drive1;
    Dir1 = browser_->Dir1;
    File1 = browser_->File1;
    setGeometryTwips(*Drive1, 240, 1080, 3900, 330);
    setGeometryTwips(*Dir1, 240, 1500, 3900, 3900);
    setGeometryTwips(*File1, 4300, 1080, 3860, 4320);

    Command1 = NamedControls::button(this, "Command1", QStringLiteral("新規フォルダー作成"), 240, 5600, 1900);
    Command2 = NamedControls::button(this, "Command2", QStringLiteral("バックアップ実行"), 2300, 5600, 1900);
    Command3 = NamedControls::button(this, "Command3", QStringLiteral("戻る"), 4700, 5600, 1500);
    Command5 = NamedControls::button(this, "Command5", QStringLiteral("ヘルプ"), 6400, 5600, 1500);

    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Command1, &QPushButton::clicked, this, &Form12a::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form12a::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form12a::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &Form12a::Command5_Click);

    Form_Load();
}

void Form12a::Form_Load() { setWindowTitle(app_.cache.caption(QStringLiteral("データベース・バックアップ"))); }

void Form12a::Drive1_Change() { browser_->driveChanged(); }

void Form12a::Command1_Click()
{
    Ui& ui = app_.ui();
    const QString here = browser_->path();
    const auto answer = ui.inputBox(QStringLiteral("新規作成のフォルダー名を入力して下さい。\r\n作成されるパス名は") + here +
                                        QStringLiteral(" です。"),
                                    QStringLiteral("新規作成フォルダー名入力"), QString());
    if (!answer || answer->isEmpty()) return;

    const QString name = text::Trim(*answer);
    if (!isPlainFolderName(name) || !QDir().mkdir(filecopy::join(here, name))) {
        ui.msgBox(kFolderError, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return;
    }
    browser_->refresh();
    ui.msgBox(QStringLiteral("新規フォルダーは作成されました"), Ui::Buttons::Ok, Ui::Icon::Information, QStringLiteral("終了"));
}

void Form12a::Command2_Click()
{
    Ui& ui = app_.ui();
    const QString folder = browser_->path();
    if (ui.msgBox(QStringLiteral("バックアップ先フォルダーは  パス名：") + folder + QStringLiteral(" です。"),
                  Ui::Buttons::OkCancel, Ui::Icon::Question,
                  QStringLiteral("バックアップ先フォルダー確認")) != Ui::Answer::Ok)
        return;

    // A copy already in the folder is replaced only by a complete new one.
    const QString failure = Maintenance::backup(app_.databasePath(), folder);
    if (!failure.isEmpty()) {
        ui.msgBox(QStringLiteral("バックアップコピーでエラーが発生しました") + QStringLiteral("\r\n") + failure, Ui::Buttons::Ok,
                  Ui::Icon::Critical, QStringLiteral("Error"));
        return;
    }
    browser_->refresh();
    ui.msgBox(QStringLiteral("バックアップは終了しました"), Ui::Buttons::Ok, Ui::Icon::Information, QStringLiteral("終了"));
}

void Form12a::Command3_Click() { close(); }

void Form12a::Command5_Click() { app_.ui().sendHelpKey(*this); }
