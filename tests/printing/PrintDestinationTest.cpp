#include "PrintSettingsFixture.h"
#include "Find.h"
#include "Tools.h"
#include "platform/print/QtPrinterBackend.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace {

struct PrintDestinationTest : PrintSettingsFixture {
    // The main list's report settings accepted: the detail list of タイトル and 価格 on the
    // given paper (the combo's text) and orientation, or the CD-case list.
    void acceptSettings(const QString& paperText, bool landscape, bool cdCase = false)
    {
        t.ui.onShow(QStringLiteral("Form5ps"), [=](QWidget& w) {
            auto& d = static_cast<Form5ps&>(w);
            child<QRadioButton>(d, QStringLiteral("Option3_%1").arg(cdCase ? 1 : 0))->click();
            choose(d, {QStringLiteral("タイトル"), QStringLiteral("価格")});
            child<QComboBox>(d, "Combo2")->setCurrentText(paperText);
            (landscape ? child<QRadioButton>(d, "Option2") : child<QRadioButton>(d, "Option1"))->click();
            child<QPushButton>(d, "Command4")->click();
        });
    }
    // The 印刷設定 menu: the settings window at once.
    void openSettings() { Form5ps::run(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status); }
    int settingsShown() const { return static_cast<int>(t.ui.shownWindows().count(QStringLiteral("Form5ps"))); }
    void addRows(int count)
    {
        std::vector<QStringList> more;
        for (int i = 1; i <= count; ++i)
            more.push_back({QStringLiteral("盤%1").arg(i), QStringLiteral("演者%1").arg(i), QStringLiteral("¥%1").arg(i * 10),
                            QStringLiteral("2024/01/01"), QString::number(i + 3)});
        rows.addRows(more);
    }
    // The printer dialog as a device's own defaults leave it: A4 portrait.
    static void queueDefaults(Printer& p)
    {
        p.setPaperSize(paper::A4);
        p.setOrientation(Orientation::Portrait);
    }
};

QString run(const QString& program, const QStringList& args)
{
    const ToolRun r = runTool(program, args);
    EXPECT_TRUE(r.ok) << program.toStdString() << ": " << r.output.toStdString();
    return r.output;
}

struct Word {
    int page;
    QString text;
    double xMm, yMm;
};

// The words of a PDF with their top-left corners in millimetres from the page's corner.
std::vector<Word> pdfWords(const QString& path)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    std::vector<Word> words;
    int page = 0;
    static const QRegularExpression re(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words.push_back({page, m.captured(3), m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72});
    }
    return words;
}

}  // namespace

// The printer dialog puts the device's own paper in place of the layout's: the paper and
// orientation the settings chose are set again after it, and the next print of the same
// report reuses the settings without asking for them.
TEST_F(PrintDestinationTest, TheSettingsPaperReachesThePrinterAfterItsDialogAndIsReused)
{
    acceptSettings(QStringLiteral("A5"), false, true);
    t.ui.answerPrinter(true, queueDefaults);
    ASSERT_TRUE(printMain());
    t.ui.answerPrinter(true, queueDefaults);
    ASSERT_TRUE(printMain());
    EXPECT_EQ(settingsShown(), 1);
    EXPECT_EQ(t.printer.documentsPrinted(), 2);
    for (const PrintOp& o : t.printer.ops()) {
        EXPECT_EQ(o.paper, paper::A5);
        EXPECT_EQ(o.orientation, Orientation::Portrait);
    }

    // B5 on its side, chosen through the 印刷設定 menu: printed so, and reused.
    t.printer.recorder().clear();
    acceptSettings(QStringLiteral("B5"), true);
    openSettings();
    for (int i = 0; i < 2; ++i) {
        t.ui.answerPrinter(true, queueDefaults);
        ASSERT_TRUE(printMain());
    }
    EXPECT_EQ(settingsShown(), 2);
    EXPECT_EQ(t.printer.documentsPrinted(), 2);
    for (const PrintOp& o : t.printer.ops()) {
        EXPECT_EQ(o.paper, paper::B5);
        EXPECT_EQ(o.orientation, Orientation::Landscape);
    }
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_TRUE(t.ui.messages().empty());
}

// A device that will not take the layout's paper once its dialog is closed: the advice, no
// page printed, and the program goes on.
TEST_F(PrintDestinationTest, ADeviceRefusingThePaperAfterItsDialogGetsTheAdvice)
{
    acceptSettings(QStringLiteral("A5"), false);
    t.ui.answerPrinter(true, [this](Printer& p) {
        t.printer.recorder().refusePaper(paper::A5);
        queueDefaults(p);
    });
    EXPECT_FALSE(printMain());
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_TRUE(t.ui.lastMessage().startsWith(QStringLiteral("使用中のプリンターのドライバーでは、")));
    EXPECT_EQ(t.ui.messages()[0].title, QStringLiteral("注意メッセージ"));
    EXPECT_EQ(t.printer.documentsPrinted(), 0);
    EXPECT_FALSE(t.printer.documentOpen());
    EXPECT_EQ(status.panelText(3), QString());
    EXPECT_FALSE(t.ui.programEnded());
}

// A detail list of three pages seen in the preview and saved from there as a PDF: the
// preview has the pages the printer prints, the file three pages of B5 with every word where
// the printer puts it.
TEST_F(PrintDestinationTest, PreviewAndPdfShowThePagesThePrinterPrints)
{
    addRows(97);  // 100 rows, 42 a page on B5 portrait in 10 point
    acceptSettings(QStringLiteral("B5"), false);
    t.ui.answerPrinter(true);
    ASSERT_TRUE(printMain());
    ASSERT_EQ(t.printer.pagesPrinted(), 3);

    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("一覧"));  // the suffix is added
    t.ui.answerPreview(Ui::PreviewChoice::SavePdf);
    t.ui.answerText(path);
    ASSERT_TRUE(printMain(PrintJob::Destination::Preview));
    EXPECT_EQ(settingsShown(), 1);
    const auto& calls = t.ui.calls();
    const auto preview = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.kind == QLatin1String("printPreview"); });
    ASSERT_NE(preview, calls.end());
    EXPECT_EQ(preview->text, QStringLiteral("3"));
    const auto save = std::find_if(calls.begin(), calls.end(), [](const auto& c) { return c.kind == QLatin1String("chooseSaveFile"); });
    ASSERT_NE(save, calls.end());
    EXPECT_EQ(save->title, QStringLiteral("PDFファイルに保存"));
    EXPECT_EQ(save->text, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("ＣＤ (明細).pdf")));
    // The preview drew what the printer printed.
    ASSERT_NE(t.ui.lastPreview(), nullptr);
    EXPECT_EQ(t.ui.lastPreview()->texts(), t.printer.texts());

    const QString pdf = path + QStringLiteral(".pdf");
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble() * 25.4 / 72, 182, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble() * 25.4 / 72, 257, 0.5);

    // Every word the printer printed once on its page stands within half a millimetre of where
    // the printer put it (its print area starts 4 mm in on both).
    const std::vector<Word> words = pdfWords(pdf);
    int compared = 0;
    for (int page = 1; page <= 3; ++page) {
        std::map<QString, std::vector<PrintOp>> printed;
        for (const PrintOp& o : t.printer.ops(PrintOp::Kind::Text))
            if (o.page == page && !o.text.trimmed().isEmpty() && !o.text.trimmed().contains(QLatin1Char(' ')))
                printed[o.text.trimmed()].push_back(o);
        for (const auto& [text, ops] : printed) {
            std::vector<Word> found;
            for (const Word& w : words)
                if (w.page == page && w.text == text) found.push_back(w);
            if (ops.size() != 1 || found.size() != 1) continue;
            const PrintOp& o = ops.front();
            RecordingPrinter measure;
            measure.setFont(o.font);
            const QString lead = o.text.left(o.text.indexOf(text));
            EXPECT_NEAR(found[0].xMm, o.x1 + measure.textWidth(lead) + 4, 0.5) << text.toStdString() << " page " << page;
            EXPECT_NEAR(found[0].yMm, o.y1 + 4, 0.5) << text.toStdString() << " page " << page;
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

// No printer installed: the person hears it before any window opens and is offered the
// preview or a PDF; the report is not lost.
TEST_F(PrintDestinationTest, WithNoPrinterThePreviewOrAPdfIsOfferedFirst)
{
    t.printer.recorder().setInstalled(false);
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("out.pdf"));

    t.ui.answer(Ui::Answer::No);  // a PDF
    acceptSettings(QStringLiteral("A4"), false);
    t.ui.answerText(pdf);
    ASSERT_TRUE(printMain());
    ASSERT_GE(t.ui.calls().size(), 3u);
    const auto& first = t.ui.calls()[0];
    EXPECT_EQ(first.kind, QStringLiteral("msgBox"));
    EXPECT_TRUE(first.text.startsWith(QStringLiteral("印刷できるプリンターが見つかりません。")));
    EXPECT_EQ(first.buttons, Ui::Buttons::YesNoCancel);
    EXPECT_EQ(t.ui.calls()[1].text, QStringLiteral("Form5ps"));
    EXPECT_EQ(t.ui.calls()[2].kind, QStringLiteral("chooseSaveFile"));
    EXPECT_FALSE(std::any_of(t.ui.calls().begin(), t.ui.calls().end(),
                             [](const auto& c) { return c.kind == QLatin1String("choosePrinter"); }));
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    // The next PDF is proposed in the folder the last one went to (this one not saved).
    t.ui.clearLog();
    t.ui.answer(Ui::Answer::No);
    t.ui.answerText(std::nullopt);
    EXPECT_FALSE(printMain());
    ASSERT_EQ(t.ui.calls().back().kind, QStringLiteral("chooseSaveFile"));
    EXPECT_EQ(QFileInfo(t.ui.calls().back().text).absolutePath(), tmp.path());

    // The preview, then closed: nothing printed, nothing said.
    t.ui.clearLog();
    t.ui.answer(Ui::Answer::Yes);
    t.ui.answerPreview(Ui::PreviewChoice::Close);
    EXPECT_FALSE(printMain());
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("printPreview"));
    EXPECT_EQ(t.ui.calls().back().text, QStringLiteral("1"));

    // Cancel: no settings window, no dialog.
    t.ui.clearLog();
    t.ui.answer(Ui::Answer::Cancel);
    EXPECT_FALSE(printMain());
    EXPECT_EQ(t.ui.calls().size(), 1u);
    EXPECT_EQ(t.printer.documentsPrinted(), 0);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_EQ(status.panelText(3), QString());
}
