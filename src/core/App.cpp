#include "core/App.h"

#include "platform/db/Database.h"
#include "platform/print/RecordingPrinter.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <stdexcept>

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

Opener& App::opener() const
{
    if (!opener_) throw std::logic_error("no window opener is installed");
    return *opener_;
}

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
        // No device to print on (or no file to write) is the machine's state, not a fault of
        // the program: the person is told what the device said and the program goes on.
        ui_.msgBox(e.message(), Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("注意メッセージ"));
        return;
    }
    // Anything else: the error's own text; what is stored is safe, the windows stay open.
    ui_.msgBox(QStringLiteral("印刷中にエラーが発生しました。\r\n") + e.message(), Ui::Buttons::Ok, Ui::Icon::Critical,
               QStringLiteral("エラー発生"));
}
