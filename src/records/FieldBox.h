#pragma once
#include "core/FieldDefinition.h"
#include "records/RecordEditor.h"

#include <QString>

class MaskedEdit;
class QCheckBox;
class QComboBox;
class QLabel;

// One field's row of controls in a record editor (name, type caption, value box, pick list,
// keep-data box) and how the field's type word presents them. The editor owns the widgets;
// this only sets them up.
class FieldBox {
public:
    enum class Kind { Long, Currency, Date, Text, TextRightClick, TextDirect, Code };

    // Widths of the value box in twips.
    static constexpr int kWideWidth = 5295;
    static constexpr int kNumberWidth = 2600;
    static constexpr int kDateWidth = 2000;
    static constexpr int kListWidth = 1000;

    static Kind kindOf(const QString& typeWord);
    // The caption beside the box: "(数値)", "(金額)", "(日付)", "(文字)", "(文字)3C", "CODE3".
    static QString typeCaption(const QString& typeWord);
    // Whether a type caption names a text field ("(文字)..."), and the code table it carries.
    static bool isTextCaption(const QString& caption);
    static int codeTableOfCaption(const QString& caption);

    FieldBox(QLabel* name, QLabel* type, MaskedEdit* box, QComboBox* list, QCheckBox* keep);

    // Presents the field for an opening of the editor; the pick lists are filled by the editor.
    void setUp(const FieldDefinition& def, int codeLength, EditorMode mode);
    // Clears a field that is not kept after a stored new row (lists again filled by the editor).
    void resetForNext();
    // Puts a value handed over by the list into the box; a blank value leaves it empty.
    void setValue(const QString& value);
    // What setValue puts in the box for a value: nothing for a blank, a code cut to its length.
    QString boxTextOf(const QString& value) const;

    // The pick list: filled and shown with a prompt, or closed after a code name was taken.
    void showList(const QStringList& items, const QString& prompt);
    void closeList();
    void setBoxWidth(int twips);

    Kind kind() const { return kind_; }
    int codeTable() const { return codeTable_; }
    int codeLength() const { return codeLength_; }
    const FieldDefinition& definition() const { return def_; }
    MaskedEdit* box() const { return box_; }
    // Width of the value box in twips, as last set.
    int boxWidth() const { return boxWidth_; }

private:
    void setCaption();
    // Mask, format, length and width of the box by the field's kind, the box emptied.
    void shapeBox(const QString& currencyFormat, bool narrowNumber);

    QLabel* name_;
    QLabel* type_;
    MaskedEdit* box_;
    QComboBox* list_;
    QCheckBox* keep_;
    FieldDefinition def_;
    Kind kind_ = Kind::Text;
    int codeTable_ = 0;
    int codeLength_ = 0;
    int boxWidth_ = kWideWidth;
};
