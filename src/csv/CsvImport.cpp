#include "csv/CsvImport.h"

#include "core/App.h"
#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "core/RecordImport.h"
#include "csv/CsvImportDialog.h"
#include "csv/CsvProgress.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"

#include <QDialog>
#include <QDir>

namespace {

const QString kTitle = QStringLiteral("CSVファイルから取込");
const QString kWord = QStringLiteral("CSV取込中");
constexpr int kRefusalsShown = 20;

QString refusalMessage(const std::vector<RecordImport::Refusal>& refused)
{
    QString text = QStringLiteral("取り込めない行があります。何も取り込んでいません。\r\n");
    const size_t shown = std::min<size_t>(refused.size(), kRefusalsShown);
    for (size_t i = 0; i < shown; ++i) {
        const RecordImport::Refusal& r = refused[i];
        text += r.field.isEmpty() ? QStringLiteral("\r\n　%1 行目：%2").arg(r.row).arg(r.reason)
                                  : QStringLiteral("\r\n　%1 行目「%2」：%3").arg(r.row).arg(r.field, r.reason);
    }
    if (refused.size() > shown) text += QStringLiteral("\r\n　ほか %1 か所").arg(refused.size() - shown);
    return text;
}

}  // namespace

const QString CsvImport::kCaption = QStringLiteral("CSVファイルから取込(&I)...");

bool CsvImport::run(App& app, QWidget& window, int category, bool sub, StatusBar3* status)
{
    Ui& ui = app.ui();
    const auto path = ui.chooseOpenFile(kTitle, app.recentFolders.folder(RecentFolders::Kind::Csv, QDir::homePath()),
                                        QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*)"));
    if (!path) return false;
    app.recentFolders.chose(RecentFolders::Kind::Csv, *path);
    CsvFile::Read read;
    {
        CsvProgress progress(status, kWord, app.cache.readProgressOn());
        read = CsvFile::readFile(*path, CsvFile::kMaxReadBytes, [&](qint64 d, qint64 t) { progress.step(d, t); });
    }
    const QString file = QStringLiteral("CSVファイル「%1」").arg(QDir::toNativeSeparators(*path));
    switch (read.fault) {
    case CsvFile::ReadFault::None: break;
    case CsvFile::ReadFault::NotRegular:
        ui.msgBox(file + QStringLiteral("は通常のファイルではないため、取り込めません。"), Ui::Buttons::Ok, Ui::Icon::Exclamation, kTitle);
        return false;
    case CsvFile::ReadFault::TooLarge:
        ui.msgBox(file + QStringLiteral("は %1 MB を超えるため、取り込めません。").arg(CsvFile::kMaxReadBytes / (1024 * 1024)),
                  Ui::Buttons::Ok, Ui::Icon::Exclamation, kTitle);
        return false;
    case CsvFile::ReadFault::Unreadable:
        ui.msgBox(file + QStringLiteral("を読めません。"), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return false;
    }
    const RecordImport import(app.cache, category, sub);
    CsvImportDialog dialog(&window, *path, read.bytes, import);
    installHelpKey(dialog, ui);
    ui.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || dialog.table().isEmpty()) return false;
    if (sub && dialog.mapping().registrationColumn < 0) {
        ui.msgBox(QStringLiteral("%1 の列がありません。サブ明細は登録ＮＯの列で明細レコードに結び付けます。").arg(schema::kRegistrationNoColumn),
                  Ui::Buttons::Ok, Ui::Icon::Exclamation, kTitle);
        return false;
    }

    RecordImport::Result result;
    const bool done = app.guard([&] {
        CsvProgress progress(status, kWord, app.cache.readProgressOn());
        result = import.run(dialog.table(), dialog.mapping(), [&](qint64 d, qint64 t) { progress.step(d, t); });
    });
    if (!done) return false;
    if (!result.refused.empty()) {
        ui.msgBox(refusalMessage(result.refused), Ui::Buttons::Ok, Ui::Icon::Exclamation, kTitle);
        return false;
    }
    ui.msgBox(QStringLiteral("CSVファイルから取り込みました。\r\n%1 件").arg(result.stored), Ui::Buttons::Ok,
              Ui::Icon::Information, kTitle);
    return result.stored > 0;
}
