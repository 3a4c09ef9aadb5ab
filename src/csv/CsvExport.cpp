#include "csv/CsvExport.h"

#include "core/App.h"
#include "core/ConfigCache.h"
#include "csv/CsvProgress.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QWidget>

namespace {

const QString kTitle = QStringLiteral("CSVファイルに出力");
const QString kWord = QStringLiteral("CSV出力中");

// The proposed file name: the window's own name (after "Tanzo - ").
QString proposedName(const QWidget& window)
{
    QString name = window.windowTitle();
    const qsizetype dash = name.lastIndexOf(QStringLiteral(" - "));
    if (dash >= 0) name = name.mid(dash + 3);
    name = name.trimmed();
    for (const QChar bad : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')}) name.replace(bad, QLatin1Char('_'));
    if (name.isEmpty()) name = QStringLiteral("一覧");
    return name + QStringLiteral(".csv");
}

// The message naming the cells Shift-JIS cannot hold (rows counted from the first row under
// the headings), at most five of them.
QString unencodableMessage(const CsvFile::Table& table, const std::vector<CsvFile::Unencodable>& bad)
{
    QString text = QStringLiteral("Shift-JIS で表せない文字があります。\r\n");
    const size_t shown = std::min<size_t>(bad.size(), 5);
    for (size_t i = 0; i < shown; ++i) {
        const auto& b = bad[i];
        text += QStringLiteral("\r\n　%1 行目「%2」：%3").arg(b.row).arg(table[0].value(b.column), b.value.left(40));
    }
    if (bad.size() > shown) text += QStringLiteral("\r\n　ほか %1 か所").arg(bad.size() - shown);
    text += QStringLiteral("\r\n\r\nUTF-8 (BOM付き) で出力しますか？\r\n「いいえ」を選ぶと何も出力しません。");
    return text;
}

}  // namespace

const QString CsvExport::kCaption = QStringLiteral("CSVファイルに出力(&E)...");

QAction* CsvExport::addTo(QMenu& menu, QAction* before, App& app, QWidget& window, ReportListView& list, StatusBar3* status)
{
    auto* action = new QAction(kCaption, &menu);
    action->setObjectName(QStringLiteral("mfcsv"));
    menu.insertAction(before, action);
    QObject::connect(action, &QAction::triggered, &window, [&app, &window, &list, status] { run(app, window, list, status); });
    return action;
}

CsvFile::Table CsvExport::table(const ReportListView& list, CsvFile::Encoding encoding)
{
    std::vector<int> columns;
    QStringList headings;
    for (int c = 0; c < list.columnCount(); ++c) {
        if (list.columnWidthTwips(c) <= 0) continue;  // a column the window hides
        columns.push_back(c);
        headings << CsvFile::guardFormula(list.columnCaption(c).trimmed());
    }
    CsvFile::Table out;
    out.reserve(list.rowCount() + 1);
    out << headings;
    const bool yenAsBackslash = encoding == CsvFile::Encoding::Cp932;
    for (int r = 0; r < list.rowCount(); ++r) {
        QStringList row;
        row.reserve(static_cast<qsizetype>(columns.size()));
        for (int c : columns) {
            if (!list.isValueColumn(c)) {
                row << CsvFile::guardFormula(list.text(r, c));
                continue;
            }
            QString value = list.value(r, c);
            if (yenAsBackslash) value.replace(text::kYen, QLatin1Char('\\'));
            row << value;
        }
        out << row;
    }
    return out;
}

void CsvExport::run(App& app, QWidget& window, const ReportListView& list, StatusBar3* status)
{
    Ui& ui = app.ui();
    const auto path = ui.chooseSaveFile(
        kTitle, app.recentFolders.proposed(RecentFolders::Kind::Csv, QDir::homePath(), proposedName(window)),
        QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*)"));
    if (!path) return;
    app.recentFolders.chose(RecentFolders::Kind::Csv, *path);
    const Ui::Answer choice = ui.msgBox(QStringLiteral("CSVファイルの文字コードを選んで下さい。\r\n\r\n「はい」　：UTF-8 (BOM付き)\r\n「いいえ」：Shift-JIS"),
                                        Ui::Buttons::YesNoCancel, Ui::Icon::Question, kTitle);
    if (choice == Ui::Answer::Cancel) return;
    CsvFile::Encoding encoding = choice == Ui::Answer::Yes ? CsvFile::Encoding::Utf8 : CsvFile::Encoding::Cp932;

    CsvFile::Table rows;
    QString text;
    auto gather = [&] {
        CsvProgress progress(status, kWord, app.cache.readProgressOn());
        rows = table(list, encoding);
        // Gathering the records is half the work, formatting them the other half.
        const qint64 total = 2 * static_cast<qint64>(rows.size());
        progress.step(rows.size(), total);
        text.clear();
        text.reserve(rows.size() * 64);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            text += CsvFile::formatRecord(rows[r]);
            if ((r & 255) == 0) progress.step(rows.size() + r, total);
        }
        progress.step(total, total);
    };
    gather();
    if (encoding == CsvFile::Encoding::Cp932) {
        const auto bad = CsvFile::unencodable(rows);
        if (!bad.empty()) {
            if (ui.msgBox(unencodableMessage(rows, bad), Ui::Buttons::YesNo, Ui::Icon::Exclamation, kTitle) != Ui::Answer::Yes)
                return;
            encoding = CsvFile::Encoding::Utf8;
            gather();
        }
    }
    const auto bytes = CsvFile::encode(text, encoding);
    QSaveFile file(*path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        ui.msgBox(QStringLiteral("CSVファイル「%1」に書き込めません。\r\n保存先のフォルダーと空き容量を確認して下さい。").arg(QDir::toNativeSeparators(*path)),
                  Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
        return;
    }
    ui.msgBox(QStringLiteral("CSVファイルに出力しました。\r\n%1 件　%2")
                  .arg(rows.size() - 1)
                  .arg(QDir::toNativeSeparators(*path)),
              Ui::Buttons::Ok, Ui::Icon::Information, kTitle);
}
