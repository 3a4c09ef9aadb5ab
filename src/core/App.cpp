#include "core/App.h"

#include "platform/db/Database.h"
#include "platform/print/RecordingPrinter.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

App::App(const QString& programDir, Ui& ui)
    : places(ProgramPlaces::beside(programDir)), programDir_(programDir), ui_(ui), ownPrinter_(std::make_unique<RecordingPrinter>()),
      printer_(ownPrinter_.get())
{
    cache.setDatabasePath(QDir(programDir).filePath(QStringLiteral("Tanzo.mdb")));
}

App::App(const QString& programDir, Ui& ui, Printer& printer)
    : places(ProgramPlaces::beside(programDir)), programDir_(programDir), ui_(ui), printer_(&printer)
{
    cache.setDatabasePath(QDir(programDir).filePath(QStringLiteral("Tanzo.mdb")));
}

App::~App() = default;

void App::useDatabase(const QString& location) { cache.setDatabasePath(location); }

QString App::chooseDatabase(ProgramPlaces& places, const QStringList& arguments, QString* problem)
{
    problem->clear();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString value;
        if (a == QLatin1String("--database")) {
            if (i + 1 >= arguments.size()) {
                *problem = QStringLiteral("--database の後に、データベース サーバーへの接続文字列を指定して下さい。");
                return QString();
            }
            value = arguments[i + 1];
        } else if (a.startsWith(QLatin1String("--database="))) {
            value = a.mid(11);
        } else {
            continue;
        }
        if (value.trimmed().isEmpty()) {
            *problem = QStringLiteral("--database の後に、データベース サーバーへの接続文字列を指定して下さい。");
            return QString();
        }
        places.connectionFile.clear();
        return Database::serverLocation(value.trimmed());
    }
    const QString connFile = places.connectionFile;
    if (!connFile.isEmpty()) {
        QFile f(connFile);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            *problem = QStringLiteral("接続ファイル「%1」を読めません。(%2)").arg(connFile, f.errorString());
            return QString();
        }
        // The first line that is neither blank nor a remark (#) is the connection string.
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const QString t = line.trimmed();
            if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        // A password others can read is no secret: refused, as libpq refuses its own
        // password file then.
        if (Database::holdsPassword(t) && (f.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))) {
            *problem = QStringLiteral("接続ファイル「%1」にはパスワードが書かれていますが、他のユーザーも読めるようになっています。"
                                      "「chmod 600 %1」で所有者だけが読めるようにするか、パスワードを ~/.pgpass に移して下さい。")
                           .arg(connFile);
            return QString();
        }
        return Database::serverLocation(t);
        }
        *problem = QStringLiteral("接続ファイル「%1」にデータベース サーバーへの接続文字列がありません。").arg(connFile);
        return QString();
    }
    return places.databaseFile();
}

Opener& App::opener() const
{
    if (!opener_) throw std::logic_error("no window opener is installed");
    return *opener_;
}

Database App::openDatabase() const { return Database::open(databasePath()); }

bool App::noticeChangesElsewhere(bool* failed)
{
    if (failed) *failed = false;
    if (!Database::isServerLocation(cache.databasePath())) return false;
    bool reloaded = false;
    if (!guard([&] {
            Database db = openDatabase();
            reloaded = cache.reloadIfChanged(db);
        })) {
        if (failed) *failed = true;
        return false;
    }
    if (reloaded)
        ui_.msgBox(QStringLiteral("他の端末で設定が変更されたため、設定を読み直しました。"), Ui::Buttons::Ok, Ui::Icon::Information,
                   QStringLiteral("在庫管理"));
    return reloaded;
}

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
