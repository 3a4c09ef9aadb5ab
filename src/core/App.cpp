#include "core/App.h"

#include "platform/db/Database.h"
#include "platform/print/RecordingPrinter.h"
#include "platform/ui/Ui.h"

#include <QDir>

App::App(const QString& programDir, Ui& ui)
    : programDir_(programDir), ui_(ui), ownPrinter_(std::make_unique<RecordingPrinter>()), printer_(ownPrinter_.get())
{
    cache.databasePath = databasePath();
    cache.fillTableNames();
}

App::App(const QString& programDir, Ui& ui, Printer& printer) : programDir_(programDir), ui_(ui), printer_(&printer)
{
    cache.databasePath = databasePath();
    cache.fillTableNames();
}

App::~App() = default;

QString App::databasePath() const { return QDir(programDir_).filePath(QStringLiteral("Tanzo.mdb")); }

Database App::openDatabase() const { return Database::open(databasePath()); }

void App::showDbError(const DbError& e)
{
    ui_.msgBox(e.message(), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
}

void App::showPrinterError(const PrinterError& e)
{
    printer_->killDoc();
    if (e.code() == PrinterError::kInvalidSetting) {
        ui_.msgBox(QStringLiteral("使用中のプリンターのドライバーでは、プログラム側からの\r\n印刷設定変更が認めてくれません。\r\nそのため、プリンターのプロパティにて、「フチなし印刷」の\r\nチェックをはずして､用紙の設定を行ってください。"),
                   Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("注意メッセージ"));
        return;
    }
    if (e.code() == PrinterError::kDeviceError) {
        // No printer to print on is the machine's state, not a fault of the program: the
        // person is told and the program goes on.
        ui_.msgBox(QStringLiteral("印刷できるプリンターが見つかりません。プリンターの接続と設定を確認して下さい。"),
                   Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("注意メッセージ"));
        return;
    }
    ui_.msgBox(QStringLiteral("予期しないエラーが発生しましたので強制終了します。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("エラー発生"));
    ui_.endProgram();
}
