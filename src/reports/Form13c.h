#pragma once
#include "reports/ReportWindow.h"

#include <QStringList>
#include <vector>

// 種目別項目名一覧: one row per main or sub file that exists, with its field names and
// their type captions.
class Form13c : public ReportWindow {
    Q_OBJECT
public:
    static constexpr int kFieldColumns = 8;

    explicit Form13c(App& app);

private slots:
    // Opening: caption, the entries, and the list.
    void Form_Load();
public:
    void ListViewSet();

    struct Entry {
        QString label;      // trimmed category name + "：[メイン]" or "：[サブ]"
        QStringList cells;  // field name + "：" + type caption, one per field in use
    };
    const std::vector<Entry>& entries() const { return entries_; }

    // "(数値)", "(金額)", "(日付)", "(CODE3)", "(文字)", or "(文字)3C" for a linked text.
    static QString typeCaption(const QString& typeWord);

private:
    std::vector<Entry> entries_;
};
