// Adds main records to category 1 of a program directory through the main record editor, as
// a person pressing 新規作成　ＯＫ again and again would, and prints each registration number
// once the editor has stored it. Runs until it is killed.
#include "ScriptedUi.h"
#include "Find.h"
#include "core/App.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    if (argc < 2) return 2;
    ScriptedUi ui;
    App app(QString::fromLocal8Bit(argv[1]), ui);
    {
        Database db = app.openDatabase();
        Recordset table = db.openTable(management::kTable);
        app.cache.LoadConfigCache(table);
    }
    Form7 editor(app, 0);
    editor.prepare(EditorMode::New, {}, QString());
    for (int i = 0;; ++i) {
        const QString number = child<QLineEdit>(editor, "Text2")->text();
        child<MaskedEdit>(editor, "MaskEdBox1_0")->setText(QStringLiteral("品%1").arg(i));
        child<MaskedEdit>(editor, "MaskEdBox1_1")->setText(QString::number(i));
        child<QPushButton>(editor, "Command1")->click();
        if (!ui.messages().empty()) {
            std::printf("error %s\n", ui.lastMessage().toUtf8().constData());
            std::fflush(stdout);
            return 1;
        }
        std::printf("%s\n", number.toUtf8().constData());
        std::fflush(stdout);
    }
}
