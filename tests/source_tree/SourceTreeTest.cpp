#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <map>
#include <vector>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif

// Every message box, input box and common dialog goes through the Ui service: no other
// folder may open one itself.
TEST(SourceTree, DialogsOpenOnlyInsideTheUiService)
{
    const QString src = QStringLiteral(TANZO_SOURCE_DIR) + QStringLiteral("/src");
    const QRegularExpression direct(QStringLiteral(
        R"((QMessageBox|QInputDialog|QColorDialog|QFontDialog|QFileDialog|QPrintDialog)\s*(::|\b\w+\s*[\(\{;])|\.exec\s*\(\s*\)|->exec\s*\(\s*\))"));
    // The pattern knows a dialog when it sees one.
    for (const char* sample : {"QMessageBox::warning(this, t, m);", "QFileDialog dlg(this);", "dlg.exec();",
                               "QInputDialog::getText(w, a, b);", "box->exec( );"})
        EXPECT_TRUE(direct.match(QString::fromLatin1(sample)).hasMatch()) << sample;
    for (const char* sample : {"menu.exec(pos);", "return QApplication::exec();", "ui.msgBox(text, b, i, t);"})
        EXPECT_FALSE(direct.match(QString::fromLatin1(sample)).hasMatch()) << sample;

    QStringList offenders;
    int files = 0;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        if (path.contains(QStringLiteral("/src/platform/ui/"))) continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        int lineNo = 0;
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            ++lineNo;
            if (direct.match(line).hasMatch()) offenders << QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(line.trimmed());
        }
    }
    EXPECT_GT(files, 10);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char('\n')).toStdString();
}

namespace {

// The events a window's handler is named after: "<control>_<event>", as Command1_Click,
// mf11_Click, Form_Load, Timer1_Timer, ListView1_ItemClick, Toolbar1_ButtonClick.
const QString kEvents = QStringLiteral(
    "(?:Click|DblClick|ButtonClick|ItemClick|ColumnClick|Load|Unload|QueryUnload|Activate|Deactivate|Resize|Paint|"
    "Timer|Change|KeyPress|KeyDown|KeyUp|GotFocus|LostFocus|MouseDown|MouseUp|MouseMove|Scroll|Validate|"
    "ValidationError)");

// A call of a handler, or a pointer to one: "w.Command1_Click()", "f->mf11_Click(0)",
// "Form_Load()", "&Form2c::Command1_Click".
const QRegularExpression& handlerUse()
{
    static const QRegularExpression re(QStringLiteral(R"(\b[A-Za-z][A-Za-z0-9]*_%1\s*\(|&\s*\w+::[A-Za-z][A-Za-z0-9]*_%1\b)")
                                           .arg(kEvents));
    return re;
}

// The code of a line without its string literals and its comment.
QString codeOf(const QString& line)
{
    static const QRegularExpression strings(QStringLiteral(R"("(?:[^"\\]|\\.)*")"));
    QString code = line;
    code.replace(strings, QStringLiteral("\"\""));
    const qsizetype comment = code.indexOf(QStringLiteral("//"));
    return comment < 0 ? code : code.left(comment);
}

// "line: text" of each handler used in the text.
QStringList handlerUses(const QString& text)
{
    QStringList found;
    int lineNo = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        ++lineNo;
        if (handlerUse().match(codeOf(line)).hasMatch()) found << QStringLiteral("%1: %2").arg(lineNo).arg(line.trimmed());
    }
    return found;
}

// "line: text (access)" of each handler declared in a header outside a private or protected
// slots section. A class starts private, a struct public, each access label changes it, and
// the enclosing class's access holds again after a nested one.
QStringList exposedHandlers(const QString& header)
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*(?:virtual\s+)?(?!return\b)[\w:<>]+\s+[A-Za-z][A-Za-z0-9]*_%1\s*\()").arg(kEvents));
    static const QRegularExpression label(
        QStringLiteral(R"(^\s*(public|protected|private|signals|Q_SIGNALS)\s*(slots|Q_SLOTS)?\s*:(?!:))"));
    static const QRegularExpression classStart(QStringLiteral(R"(^\s*(class|struct)\s+\w+[^;]*$)"));
    struct Scope {
        int depth;
        QString outerAccess;
    };
    std::vector<Scope> scopes;
    QStringList found;
    QString access;
    int depth = 0;
    int lineNo = 0;
    for (const QString& line : header.split(QLatin1Char('\n'))) {
        ++lineNo;
        const QString code = codeOf(line);
        if (const auto m = classStart.match(code); m.hasMatch()) {
            scopes.push_back({depth, access});
            access = m.captured(1) == QLatin1String("class") ? QStringLiteral("private") : QStringLiteral("public");
        }
        if (const auto m = label.match(code); m.hasMatch())
            access = m.captured(1) + (m.captured(2).isEmpty() ? QString() : QStringLiteral(" slots"));
        if (declaration.match(code).hasMatch() && access != QLatin1String("private slots") &&
            access != QLatin1String("protected slots"))
            found << QStringLiteral("%1: %2 (%3)").arg(lineNo).arg(line.trimmed(), access);
        depth += static_cast<int>(code.count(QLatin1Char('{')) - code.count(QLatin1Char('}')));
        while (code.contains(QLatin1Char('}')) && !scopes.empty() && depth <= scopes.back().depth) {
            access = scopes.back().outerAccess;
            scopes.pop_back();
        }
    }
    return found;
}

// Every file under a folder of the tree with one of the suffixes, read whole.
std::map<QString, QString> filesUnder(const QString& folder, const QStringList& patterns)
{
    std::map<QString, QString> files;
    QDirIterator it(QStringLiteral(TANZO_SOURCE_DIR) + QLatin1Char('/') + folder, patterns, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) files[path] = QString::fromUtf8(f.readAll());
    }
    return files;
}

}  // namespace

// A test acts on a window as a person does, through its controls, so the wiring is tested
// with the handler: no test (nor the bench) calls a handler or takes a pointer to one.
TEST(SourceTree, NoTestCallsAHandler)
{
    // The check finds each way a test could reach a handler, and not the ways a person acts.
    const QString sample = QStringLiteral(
        "w.Command1_Click();\n"
        "f->mf11_Click(0);\n"
        "EXPECT_THROW(w.Form_Load(), ProgramEnded);\n"
        "static_cast<Form5&>(w).Timer1_Timer();\n"
        "press(f, &Form2c::Command1_Click);\n"
        "w.Toolbar1_ButtonClick(\"ヘルプ\");\n"
        "f.Label4_MouseDown(1, Qt::RightButton);\n"
        "w.ListView2_LostFocus ();\n"
        "child<QPushButton>(w, \"Command1_0\")->click();\n"
        "child<QAction>(w, \"mf11\")->trigger();  // runs mf11_Click()\n"
        "person::clickRow(child<ReportListView>(w, \"ListView1\"), 1);\n"
        "ui.msgBox(\"Command1_Click()\", b, i, t);\n");
    EXPECT_EQ(handlerUses(sample), QStringList({"1: w.Command1_Click();", "2: f->mf11_Click(0);",
                                                "3: EXPECT_THROW(w.Form_Load(), ProgramEnded);",
                                                "4: static_cast<Form5&>(w).Timer1_Timer();",
                                                "5: press(f, &Form2c::Command1_Click);",
                                                "6: w.Toolbar1_ButtonClick(\"ヘルプ\");",
                                                "7: f.Label4_MouseDown(1, Qt::RightButton);",
                                                "8: w.ListView2_LostFocus ();"}));

    // The bench drives the windows as the tests do.
    auto files = filesUnder(QStringLiteral("tests"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")});
    EXPECT_GT(files.size(), 50u);
    files.merge(filesUnder(QStringLiteral("bench"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}));
    QStringList offenders;
    for (const auto& [path, text] : files)
        for (const QString& use : handlerUses(text)) offenders << path + QLatin1Char(':') + use;
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char('\n')).toStdString();
}

// The handlers of every window are its private slots (protected where a twin's constructor
// runs the shared body's): only the window's own controls reach them.
TEST(SourceTree, EveryHandlerIsAPrivateOrProtectedSlot)
{
    const QString sample = QStringLiteral(
        "class Form9 : public QMainWindow {\n"
        "    Q_OBJECT\n"
        "public:\n"
        "    void Command1_Click();\n"
        "    void SubListViewHD();\n"
        "private slots:\n"
        "    void Command2_Click();  // help\n"
        "    struct Wording {\n"
        "        QString windowName;\n"
        "    };\n"
        "    void ListView1_ItemClick(int row);\n"
        "protected slots:\n"
        "    void Form_Load();\n"
        "public slots:\n"
        "    virtual void Timer1_Timer() = 0;\n"
        "protected:\n"
        "    bool Text1_Change(int i);\n"
        "};\n"
        "struct Twin {\n"
        "    void mf11_Click();\n"
        "};\n");
    EXPECT_EQ(exposedHandlers(sample), QStringList({"4: void Command1_Click(); (public)",
                                                    "15: virtual void Timer1_Timer() = 0; (public slots)",
                                                    "17: bool Text1_Change(int i); (protected)",
                                                    "20: void mf11_Click(); (public)"}));

    const auto headers = filesUnder(QStringLiteral("src"), {QStringLiteral("*.h")});
    int handlers = 0;
    QStringList offenders;
    for (const auto& [path, text] : headers) {
        handlers += static_cast<int>(handlerUses(text).size());
        for (const QString& d : exposedHandlers(text)) offenders << path + QLatin1Char(':') + d;
    }
    EXPECT_GT(handlers, 150);  // the check saw the windows' handlers
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char('\n')).toStdString();
}
