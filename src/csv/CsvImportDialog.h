#pragma once
#include "core/RecordImport.h"
#include "platform/text/CsvFile.h"

#include <QByteArray>
#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The look at a file before it is taken in: its encoding (told from its bytes, and changeable),
// its first records, and which column goes to which field and which columns no field takes.
// "取込" is enabled when the file reads whole in the encoding.
class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 10;
    static constexpr int kWidestColumn = 250;  // pixels: a third of the dialog

    CsvImportDialog(QWidget* parent, const QString& path, const QByteArray& bytes, const RecordImport& import);

    // The records of the file in the chosen encoding, the headings first, a text guarded
    // against formulas without its apostrophe; empty when it does not read.
    const CsvFile::Table& table() const { return table_; }
    const RecordImport::Mapping& mapping() const { return mapping_; }

private:
    void read();

    QByteArray bytes_;
    const RecordImport& import_;
    CsvFile::Table table_;
    RecordImport::Mapping mapping_;
    QComboBox* encoding_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QLabel* columns_ = nullptr;
    QPushButton* ok_ = nullptr;
};
