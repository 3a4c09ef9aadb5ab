#include "ListFixture.h"
#include "Find.h"
#include "Tools.h"
#include "lists/Form5.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/widgets/ReportListView.h"
#include "printing/Form5ps.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>
#include <grp.h>
#include <unistd.h>

namespace {

// A print service of the test's own: cupsd listening on a socket in a temporary folder (no
// network), with its configuration, spool and logs there too, and a cups-pdf queue as the
// default printer that writes each job as a PDF into the folder. Stopped when it goes.
class LocalPrintQueue {
public:
    LocalPrintQueue()
        : instance_(QStringLiteral("tanzotest%1").arg(QCoreApplication::applicationPid())),
          pdfConfig_(QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(instance_))
    {
    }
    ~LocalPrintQueue() { stop(); }

    QString socket() const { return dir_.filePath(QStringLiteral("cups.sock")); }
    QString outDir() const { return dir_.filePath(QStringLiteral("out")); }
    QString log() const
    {
        QFile f(dir_.filePath(QStringLiteral("error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().right(3000)) : QString();
    }

    // Empty when the service runs with the queue as default; otherwise what went wrong.
    QString start()
    {
        if (!dir_.isValid()) return QStringLiteral("no temporary folder");
        const QString d = dir_.path();
        // The filters run as lp: the folder must let them through.
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                     QFile::ReadOther | QFile::ExeOther);
        for (const char* sub : {"spool", "cache", "state", "tmp", "out", "pdfspool"}) QDir(d).mkdir(QString::fromLatin1(sub));
        QFile::setPermissions(dir_.filePath(QStringLiteral("tmp")), QFileDevice::Permissions(0x7777));
        if (const group* lp = getgrnam("lp")) {
            if (chown(QFile::encodeName(dir_.filePath(QStringLiteral("spool"))).constData(), 0, lp->gr_gid) != 0)
                return QStringLiteral("cannot hand the spool to lp");
        }
        QFile::setPermissions(dir_.filePath(QStringLiteral("spool")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup);

        write(QStringLiteral("cups-files.conf"),
              QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\nTempDir %1/tmp\n"
                             "ErrorLog %1/error_log\nAccessLog %1/access_log\nPageLog %1/page_log\nPrintcap %1/printcap\n"
                             "User lp\nGroup lp\nSystemGroup root\n")
                  .arg(d));
        write(QStringLiteral("cupsd.conf"),
              QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\nBrowsing Off\nDefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(socket()));
        // cups-pdf reads its settings for a queue of device cups-pdf:/NAME from this file only.
        QFile conf(pdfConfig_);
        if (!conf.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write ") + pdfConfig_;
        conf.write(QStringLiteral("Out %1\nAnonDirName %1\nSpool %2/pdfspool\nLog %2\nGrp root\n").arg(outDir(), d).toUtf8());
        conf.close();

        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        cupsd_.start(QStringLiteral("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), dir_.filePath(QStringLiteral("cupsd.conf")),
                                               QStringLiteral("-s"), dir_.filePath(QStringLiteral("cups-files.conf"))});
        if (!cupsd_.waitForStarted(10000)) return QStringLiteral("cupsd does not start: ") + cupsd_.errorString();
        const QDeadlineTimer deadline(20000);
        while (!QFileInfo::exists(socket())) {
            if (deadline.hasExpired() || cupsd_.state() == QProcess::NotRunning)
                return QStringLiteral("cupsd does not listen: ") + QString::fromUtf8(cupsd_.readAll()) + log();
            QThread::msleep(50);
        }
        QString out;
        if (!tool(QStringLiteral("lpadmin"),
                  {QStringLiteral("-p"), QStringLiteral("tanzo"), QStringLiteral("-E"), QStringLiteral("-v"),
                   QStringLiteral("cups-pdf:/") + instance_, QStringLiteral("-P"),
                   QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"), QStringLiteral("-o"),
                   QStringLiteral("pdftops-renderer-default=pdftocairo")},
                  &out) ||
            !tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("tanzo")}, &out))
            return QStringLiteral("lpadmin: ") + out;
        return QString();
    }

    // The PDFs written so far, oldest first.
    QStringList pdfs() const
    {
        QStringList out;
        for (const QFileInfo& f : QDir(outDir()).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed))
            out << f.filePath();
        return out;
    }

    // Waits until the queue has no job left and count PDFs are there, for at most two minutes;
    // the newest one, or "" when they do not come.
    QString waitForPdf(int count)
    {
        const QDeadlineTimer deadline(120000);
        while (!deadline.hasExpired()) {
            QString jobs;
            if (pdfs().size() >= count && tool(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &jobs) && jobs.trimmed().isEmpty())
                return pdfs().constLast();
            QThread::msleep(200);
        }
        return QString();
    }

    void stop()
    {
        if (cupsd_.state() != QProcess::NotRunning) {
            cupsd_.terminate();
            if (!cupsd_.waitForFinished(15000)) {
                cupsd_.kill();
                cupsd_.waitForFinished(5000);
            }
        }
        QFile::remove(pdfConfig_);
    }

private:
    void write(const QString& name, const QString& text)
    {
        QFile f(dir_.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
    }
    bool tool(const QString& program, const QStringList& args, QString* output) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socket());
        const ToolRun r = runTool(program, args, env, 30000);
        *output = r.output;
        return r.ok;
    }

    QTemporaryDir dir_;
    QString instance_;
    QString pdfConfig_;
    QProcess cupsd_;
};

QString output(const QString& program, const QStringList& args) { return runTool(program, args).output; }

// The sheet of a PDF's first page in millimetres, as pdfinfo gives it (rotation applied).
QSizeF sheetMm(const QString& path)
{
    const QString info = output(QStringLiteral("pdfinfo"), {path});
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    const auto rot = QRegularExpression(QStringLiteral("Page rot:\\s+(\\d+)")).match(info);
    if (!size.hasMatch()) return QSizeF();
    QSizeF mm(size.captured(1).toDouble() * 25.4 / 72, size.captured(2).toDouble() * 25.4 / 72);
    if (rot.hasMatch() && rot.captured(1).toInt() % 180 == 90) mm.transpose();
    return mm;
}

// Whether the footer word "Tanzo" runs along the sheet's long side, as a page printed in
// landscape does on its sheet; nullopt when the word is not found.
std::optional<bool> printedAcross(const QString& path)
{
    const QString words = output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const auto m = QRegularExpression(QStringLiteral(
                                          "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">Tanzo</word>"))
                       .match(words);
    if (!m.hasMatch()) return std::nullopt;
    const double w = m.captured(3).toDouble() - m.captured(1).toDouble();
    const double h = m.captured(4).toDouble() - m.captured(2).toDouble();
    const QSizeF sheet = sheetMm(path);
    return (h > w) == (sheet.height() > sheet.width());
}

}  // namespace

// Printing through a real print queue, as the 印刷 menu of the main list does: the A5 CD-case
// list, a B5 landscape and an A4 portrait detail list each come out of the queue on the paper
// and in the orientation the settings chose, although the printer dialog puts the queue's
// own A4 portrait in place each time. The queue writes the sheet a printer would print: a
// landscape page is a sheet of its paper with the print turned a quarter.
TEST(PrintQueue, EveryReportArrivesOnThePaperItsSettingsChose)
{
    LocalPrintQueue queue;
    const QString failed = queue.start();
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    qputenv("CUPS_SERVER", queue.socket().toUtf8());
    // The new queue may take a moment to be offered as the default printer.
    for (QDeadlineTimer ready(10000); QPrinterInfo::defaultPrinterName() != QStringLiteral("tanzo") && !ready.hasExpired();)
        QThread::msleep(100);

    TestApp t;
    CdCategory cd(t);
    Printer printer(std::make_unique<QtPrinterBackend>());
    ASSERT_TRUE(printer.available());
    ASSERT_EQ(printer.backend().device()->printerName(), QStringLiteral("tanzo"));
    App app(t.dir.path(), t.ui, printer);
    app.cache = t.app.cache;
    Form5 w(app);
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 3);

    struct Case {
        int report;  // Option3 index
        QString paper;
        bool landscape;
        QSizeF sheetMm;
    };
    const Case cases[] = {
        {1, QString(), false, QSizeF(148, 210)},
        {0, QStringLiteral("B5"), true, QSizeF(182, 257)},
        {0, QStringLiteral("A4"), false, QSizeF(210, 297)},
    };
    int printed = 0;
    for (const Case& c : cases) {
        t.ui.onShow(QStringLiteral("Form5ps"), [&](QWidget& win) {
            auto& d = dynamic_cast<Form5ps&>(win);
            child<QRadioButton>(d, QStringLiteral("Option3_%1").arg(c.report))->click();
            for (const char* name : {"品名", "枚数"}) {
                child<QListWidget>(d, "List1")->setCurrentItem(child<QListWidget>(d, "List1")->findItems(QString::fromUtf8(name), Qt::MatchExactly).value(0));
                child<QPushButton>(d, "Command1")->click();
            }
            if (!c.paper.isEmpty()) child<QComboBox>(d, "Combo2")->setCurrentText(c.paper);
            (c.landscape ? child<QRadioButton>(d, "Option2") : child<QRadioButton>(d, "Option1"))->click();
            child<QPushButton>(d, "Command4")->click();
        });
        // The dialog hands back the queue's own page, as it does when the person just presses 印刷.
        t.ui.answerPrinter(true, [](Printer& p) {
            p.setPaperSize(paper::A4);
            p.setOrientation(Orientation::Portrait);
        });
        if (printed == 0)
            child<QAction>(w, "mf16")->trigger();  // the first print asks for its settings
        else {
            child<QAction>(w, "mf15")->trigger();  // 印刷設定, then 印刷 with them
            child<QAction>(w, "mf16")->trigger();
        }
        ASSERT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
        ++printed;
        const QString pdf = queue.waitForPdf(printed);
        ASSERT_FALSE(pdf.isEmpty()) << "job " << printed << " did not arrive\n" << queue.log().toStdString();
        const QSizeF sheet = sheetMm(pdf);
        EXPECT_NEAR(sheet.width(), c.sheetMm.width(), 1.0) << "job " << printed;
        EXPECT_NEAR(sheet.height(), c.sheetMm.height(), 1.0) << "job " << printed;
        EXPECT_EQ(printedAcross(pdf), std::optional<bool>(c.landscape)) << "job " << printed;
    }

    // The CD-case settings once more: the same report printed again opens no settings window.
    const int shown = static_cast<int>(t.ui.shownWindows().count(QStringLiteral("Form5ps")));
    t.ui.answerPrinter(true);
    child<QAction>(w, "mf16")->trigger();
    EXPECT_EQ(t.ui.shownWindows().count(QStringLiteral("Form5ps")), shown);
    EXPECT_FALSE(queue.waitForPdf(printed + 1).isEmpty());
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    queue.stop();
}
