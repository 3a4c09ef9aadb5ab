#include "csv/CsvImport.h"

#include "core/App.h"
#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "core/RecordImport.h"
#include "csv/CsvImportDialog.h"
#include "csv/CsvProgress.h"
#include "platform/ui/Ui.h"

#include <QDialog>
#include <QDir>
#include <QFile>

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
    const auto path = ui.chooseOpenFile(kTitle, QDir::homePath(), QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*)"));
    if (!path) return false;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui.msgBox(QStringLiteral("CSVファイル「%1」を読めません。").arg(QDir::toNativeSeparators(*path)), Ui::Buttons::Ok,
                  Ui::Icon::Critical, QStringLiteral("Error"));
        return false;
    }
    const RecordImport import(app.cache, category, sub);
    CsvImportDialog dialog(&window, *path, file.readAll(), import);
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
