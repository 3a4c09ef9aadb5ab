#pragma once
#include "reports/ReportWindow.h"

#include <QStringList>
#include <vector>

class Database;
class QComboBox;

// コード別利用件数調べ: for the chosen code table, how many values of each field that uses
// it (CODE fields of that table, and TEXT fields linked to it) hold each code, with a last
// row "該当なし" for values that match no code. The code tables are offered in the first
// tick of the timer.
class Form13b : public ReportWindow {
    Q_OBJECT
public:
    explicit Form13b(App& app);

    // Opening: caption, then the code-table list in the first tick of the timer.
    void Form_Load();
    void Timer1_Timer();
    // Entry `index` of the list chosen: counts the code usage of its code table.
    void Combo1_Click(int index);
    // Counts the using fields of one category's main (sub) file in one walk of the file.
    void MainDataSet(Database& db, int category);
    void SubDataSet(Database& db, int category);
    void ListViewSet();

    // A field that uses the chosen code table, in column order.
    struct UsingField {
        int category = 0;
        bool sub = false;
        int field = 0;         // ordinal of the field in its file
        bool linkedText = false;  // a TEXT field linked to the table (else a CODE field)
        QString header;        // category name + "(MAIN)" or "(SUB)" + field name
    };

    // Code table number (1..8) of each list entry, in list order.
    const std::vector<int>& listedTables() const { return tables_; }
    // After a choice: the chosen table (0 before one), its codes and names (the extra entry
    // "該当なし" last), the using fields and the counters [entry][using field].
    int chosenTable() const { return chosen_; }
    const QStringList& codes() const { return codes_; }
    const QStringList& names() const { return names_; }
    const std::vector<UsingField>& usingFields() const { return fields_; }
    qint64 counter(int entry, int column) const { return counts_[size_t(entry)][size_t(column)]; }

    // Whether a field of this type word uses code table k.
    static bool usesTable(const QString& typeWord, int k);

    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo1 = nullptr;

private:
    void DataSet(Database& db, int category, bool sub);
    void clearResult();

    std::vector<int> tables_;
    int chosen_ = 0;
    QStringList codes_;
    QStringList names_;
    std::vector<UsingField> fields_;
    std::vector<std::vector<qint64>> counts_;
};
