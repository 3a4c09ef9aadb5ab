#include "csv/CsvImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

CsvImportDialog::CsvImportDialog(QWidget* parent, const QString& path, const QByteArray& bytes, const RecordImport& import)
    : QDialog(parent), bytes_(bytes), import_(import)
{
    setObjectName(QStringLiteral("CsvImportDialog"));
    setWindowTitle(QStringLiteral("CSVファイルから取込"));
    auto* layout = new QVBoxLayout(this);
    auto* file = new QLabel(QStringLiteral("ファイル：%1").arg(QDir::toNativeSeparators(path)), this);
    file->setObjectName(QStringLiteral("FileLabel"));
    layout->addWidget(file);

    auto* encodingLabel = new QLabel(QStringLiteral("文字コード(&E)："), this);
    encoding_ = new QComboBox(this);
    encoding_->setObjectName(QStringLiteral("Encoding"));
    encoding_->addItem(QStringLiteral("UTF-8"), int(CsvFile::Encoding::Utf8));
    encoding_->addItem(QStringLiteral("Shift-JIS"), int(CsvFile::Encoding::Cp932));
    encoding_->setCurrentIndex(CsvFile::detect(bytes_) == CsvFile::Encoding::Utf8 ? 0 : 1);
    encodingLabel->setBuddy(encoding_);
    layout->addWidget(encodingLabel);
    layout->addWidget(encoding_);

    preview_ = new QTableWidget(this);
    preview_->setObjectName(QStringLiteral("Preview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setAccessibleName(QStringLiteral("先頭の行"));
    layout->addWidget(preview_, 1);

    columns_ = new QLabel(this);
    columns_->setObjectName(QStringLiteral("Columns"));
    columns_->setWordWrap(true);
    columns_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(columns_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("取込(&I)"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OkButton"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(encoding_, &QComboBox::currentIndexChanged, this, &CsvImportDialog::read);
    read();
    resize(760, 460);
}

void CsvImportDialog::read()
{
    table_.clear();
    mapping_ = {};
    preview_->clear();
    preview_->setRowCount(0);
    preview_->setColumnCount(0);
    const auto encoding = static_cast<CsvFile::Encoding>(encoding_->currentData().toInt());
    const std::optional<QString> text = CsvFile::decode(bytes_, encoding);
    if (!text) {
        columns_->setText(QStringLiteral("この文字コードでは読めない文字があります。文字コードを選び直して下さい。"));
        ok_->setEnabled(false);
        return;
    }
    CsvFile::Parsed parsed = CsvFile::parse(*text);
    if (!parsed.error.isEmpty()) {
        columns_->setText(QStringLiteral("%1 行目から後が読めません。%2").arg(parsed.errorLine).arg(parsed.error));
        ok_->setEnabled(false);
        return;
    }
    table_ = std::move(parsed.rows);
    // A text the export guarded against formulas comes back as it was stored.
    for (QStringList& record : table_)
        for (QString& cell : record) cell = CsvFile::unguardFormula(cell);
    if (table_.isEmpty()) {
        columns_->setText(QStringLiteral("ファイルにデータがありません。"));
        ok_->setEnabled(false);
        return;
    }
    const QStringList& headings = table_[0];
    preview_->setColumnCount(int(headings.size()));
    preview_->setHorizontalHeaderLabels(headings);
    const int shown = int(std::min<qsizetype>(table_.size() - 1, kPreviewRows));
    preview_->setRowCount(shown);
    for (int r = 0; r < shown; ++r)
        for (int c = 0; c < table_[r + 1].size() && c < headings.size(); ++c)
            preview_->setItem(r, c, new QTableWidgetItem(table_[r + 1][c]));
    // Each column as wide as its heading and the rows shown (a long text up to a third of the
    // dialog), on one line each, so a name is not broken in two.
    preview_->setWordWrap(false);
    preview_->resizeColumnsToContents();
    for (int c = 0; c < preview_->columnCount(); ++c)
        preview_->setColumnWidth(c, std::min(preview_->columnWidth(c), kWidestColumn));

    mapping_ = import_.map(headings);
    QStringList taken, missing;
    const auto& fields = import_.fields();
    for (size_t k = 0; k < fields.size(); ++k) {
        const int c = mapping_.columnOfField[k];
        if (c < 0) missing << fields[k].name;
        else taken << QStringLiteral("%1 ← 「%2」").arg(fields[k].name, headings[c]);
    }
    QString summary = QStringLiteral("取り込む項目：%1").arg(taken.isEmpty() ? QStringLiteral("なし") : taken.join(QStringLiteral("、")));
    if (!missing.isEmpty()) summary += QStringLiteral("\n列のない項目（空のまま）：%1").arg(missing.join(QStringLiteral("、")));
    if (!mapping_.unmapped.isEmpty())
        summary += QStringLiteral("\n取り込まない列：%1").arg(mapping_.unmapped.join(QStringLiteral("、")));
    summary += QStringLiteral("\n%1 件").arg(table_.size() - 1);
    columns_->setText(summary);
    ok_->setEnabled(!taken.isEmpty());
}
