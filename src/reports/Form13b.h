#pragma once
#include "core/UsageCounts.h"
#include "reports/ReportWindow.h"

#include <QStringList>
#include <vector>

class QComboBox;

// コード別利用件数調べ: for the chosen code table, how many values of each field that uses
// it (CODE fields of that table, and TEXT fields linked to it) hold each code, with a last
// row "該当なし" for values that match no code. The code tables are offered in the first
// tick of the timer.
class Form13b : public ReportWindow {
    Q_OBJECT
public:
    explicit Form13b(App& app);

private slots:
    // Opening: caption, then the code-table list in the first tick of the timer.
    void Form_Load();
    void Timer1_Timer();
    // Entry `index` of the list chosen: counts the code usage of its code table.
    void Combo1_Click(int index);
public:
    void ListViewSet();

    // A field that uses the chosen code table, in column order.
    using UsingField = usage::UsingField;

    // Code table number (1..8) of each list entry, in list order.
    const std::vector<int>& listedTables() const { return tables_; }
    // After a choice: the chosen table (0 before one), its codes and names (the extra entry
    // "該当なし" last), the using fields and the counters [entry][using field].
    int chosenTable() const { return chosen_; }
    const QStringList& codes() const { return usage_.codes; }
    const QStringList& names() const { return usage_.names; }
    const std::vector<UsingField>& usingFields() const { return usage_.fields; }
    qint64 counter(int entry, int column) const { return usage_.counts[size_t(entry)][size_t(column)]; }

private:
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo1 = nullptr;

    void clearResult();

    std::vector<int> tables_;
    int chosen_ = 0;
    usage::CodeUsage usage_;
};
