#pragma once
#include "core/FieldDefinition.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class App;
class QLabel;
class QLineEdit;
class QWidget;
class ReportListView;

// The rows above a record list that show the selected record field by field: for field i
// the caption Label3(i) ("name ："), the type suffix Label4(i), the value Text1(i) (locked)
// and, for a code field, its code name Text4(i) (null for any other field). Element 0 exists
// from the start; the others are made when the fields are known. Rows are 315 twips apart.
class DetailPanel {
public:
    static constexpr int kRowPitch = 315;

    // Makes element 0 at the given top (twips), hidden until build().
    DetailPanel(QWidget* parent, int topTwips);

    std::vector<QLabel*> Label3;
    std::vector<QLabel*> Label4;
    std::vector<QLineEdit*> Text1;
    std::vector<QLineEdit*> Text4;

    // Makes and shows one row per field. `changed(i)` runs when the text of Text1(i) changes.
    void build(const std::vector<FieldDefinition>& fields, std::function<void(int)> changed);
    int count() const { return static_cast<int>(fields_.size()); }
    const FieldDefinition& field(int i) const { return fields_[size_t(i)]; }
    bool isCodeField(int i) const;

    // Text1(i) := the list's cell i of the row, for every field.
    void showRow(const ReportListView& list, int row);
    // Empties every value and code name.
    void clear();
    // The values in field order, as the editors take them.
    QStringList values() const;
    // Looks up the code name of Text1(i) into Text4(i) (code fields only); shows the box.
    void showCodeName(App& app, int i);
    // The selected texts of the value boxes, in order, leaving out empty selections.
    QStringList selections() const;

private:
    void makeElement(int i);
    void makeCodeNameBox(int i);

    QWidget* parent_;
    int top_;
    std::vector<FieldDefinition> fields_;
};
