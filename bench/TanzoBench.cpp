// tanzo-bench: times the program's own code paths on generated databases of 10 000 and
// 100 000 records, each beside a bare read of the same rows in C through the SQLite API
// (every column stepped as text, nothing kept) or the same writes in plain SQLite. A path
// and its bare work run in interleaved pairs after a warm-up pair (PairTimer); the line
// gives both medians in ms and the median of the per-pair ratios with its quartiles:
// "name: ours_ms bare_ms | ratio median (q1 – q3) | rows N | pairs P". Every path must read
// the rows it should: one that reads none (or a wrong count) fails the run with a non-zero
// exit. `--json` prints one JSON document instead, for scripts.
// `--large` adds the main list of 1 000 000 records (not run by CTest); `--only-sub`,
// `--only-memory`, `--only-startup` and `--only-main` (the paths on 10 000 and 100 000 records)
// run one part alone, `csv_import` the import alone;
// `--profile <name>` runs one path for ten seconds, for a profiler.
// `startup_100000` is a start of the built program on 6 categories and 100 000 records to
// its main window's first paint, on the clock; `startup_100000_cpu` the processor time the
// program took to it. `--server <conninfo>` adds the list and add paths on a
// PostgreSQL server beside the same paths on a file, in pairs on the clock ("server_name:
// file_ms server_ms ratio (q1 – q3) | rows N"); `--only-server` runs that part alone.

#include "BenchData.h"
#include "BenchReport.h"
#include "PairTimer.h"
#include "Find.h"
#include "PgSession.h"
#include "EditorEntry.h"
#include "ServerBench.h"
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "core/App.h"
#include "core/FieldDisplay.h"
#include "core/FirstStart.h"
#include "core/RecordImport.h"
#include "common/RecordReader.h"
#include "core/RecordStore.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/db/Database.h"
#include "platform/text/CsvFile.h"
#include "platform/ui/ProgramFont.h"
#include "platform/widgets/KeyboardAids.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/SharedIconStyle.h"
#include "platform/widgets/ReportListModel.h"
#include "platform/widgets/ReportListView.h"
#include "records/Form7.h"
#include "records/Form9.h"
#include "records/Form9k.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <memory>
#include <stdexcept>
#include <sqlite3.h>
#include <unistd.h>

namespace {

int failures = 0;
// What the bare reads saw, so the reading of each column cannot be left out.
volatile size_t bareBytes = 0;

void check(const char* name, long long rows, long long expected)
{
    const bool ok = expected >= 0 ? rows == expected : rows > 0;
    if (!ok) {
        std::printf("FAIL %s: read %lld rows, expected %s%lld\n", name, rows, expected >= 0 ? "" : "more than ", std::max(expected, 0LL));
        ++failures;
    }
}

sqlite3* openRaw(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    return db;
}

// The bare read: opens the file, steps the statement and reads every column of every taken
// row as text, keeping nothing. Returns the rows taken.
long long bareRead(const QString& path, const char* sql, const std::function<bool(sqlite3_stmt*)>& take = nullptr,
                   const std::function<void(sqlite3_stmt*)>& bind = nullptr)
{
    sqlite3* db = openRaw(path);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    if (bind) bind(s);
    long long taken = 0;
    size_t bytes = 0;
    const int columns = sqlite3_column_count(s);
    while (sqlite3_step(s) == SQLITE_ROW) {
        if (take && !take(s)) continue;
        for (int c = 0; c < columns; ++c)
            if (sqlite3_column_text(s, c)) bytes += static_cast<size_t>(sqlite3_column_bytes(s, c));
        ++taken;
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    bareBytes = bareBytes + bytes;
    return taken;
}

void exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// The conditions of a text search in field k.
SearchConditions textSearch(int k, const QString& text, int caseMode)
{
    SearchConditions c;
    c.typeWord = QStringLiteral("TEXT");
    c.fieldIndex = k;
    c.text = text;
    c.caseMode = caseMode;
    return c;
}

void showList(App& app, qint16 mode, const std::function<void(Form5&)>& withOpen = nullptr,
              const SearchConditions& search = {})
{
    ListRequest shown;
    shown.mode = mode;
    shown.search = search;
    Form5 w(app, shown);
    if (withOpen) withOpen(w);
}

long long openList(App& app, qint16 mode, const SearchConditions& search = {})
{
    long long rows = 0;
    showList(app, mode, [&](Form5& w) { rows = child<ReportListView>(w, "ListView1")->rowCount(); }, search);
    return rows;
}

void setProgress(App& app, bool on)
{
    SystemSettings s = app.cache.systemSettings();
    s.readProgress = on;
    app.cache.setSystemSettings(s);
}

// The program directory of one run with category 1 defined and its main file filled; with a
// server location, the records are in that (empty) server database instead of the file.
struct BenchDb {
    TempProgramDir dir;
    ScriptedUi ui;
    App app{dir.path(), ui};
    explicit BenchDb(int rows, const QString& server = QString())
        : dir(server.isEmpty())
    {
        if (!server.isEmpty()) {
            FirstStart::createDatabase(server);
            app.useDatabase(server);
        }
        {
            Database db = app.openDatabase();
            Recordset t = db.openTable(QStringLiteral("管理テーブル"));
            app.cache.LoadConfigCache(t);
        }
        benchdata::defineCategory(app);
        benchdata::fillMain(app, rows);
    }
    QString path() const { return app.databasePath(); }
};

// New records typed into one editor and stored one by one, each with its raised number.
void addThroughEditor(App& app, int count)
{
    Form7 ed(app, 0);
    ed.prepare(EditorMode::New, {}, QString());
    for (int i = 0; i < count; ++i) {
        typeBenchRecord(ed, i);
        child<QPushButton>(ed, "Command1")->click();
    }
}

long long kib(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(static_cast<int>(std::strlen(field))).trimmed().split(' ').front().toLongLong();
    return -1;
}

// Bytes the table takes in the file, from the engine's page statistics.
long long tableBytes(const QString& path, const char* table)
{
    sqlite3* db = openRaw(path);
    sqlite3_stmt* s = nullptr;
    long long bytes = -1;
    if (sqlite3_prepare_v2(db, "SELECT sum(pgsize) FROM dbstat WHERE name = ?1", -1, &s, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(s, 1, table, -1, SQLITE_STATIC);
        if (sqlite3_step(s) == SQLITE_ROW) bytes = sqlite3_column_int64(s, 0);
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return bytes;
}

// `--profile <name>`: the named path alone, run for ten seconds without its bare work, for a
// profiler (perf record -g tanzo-bench --only-sub --profile sub_list_window_100_of_1000000).
QByteArray profiled;

// One path beside its bare read, in interleaved pairs; expected -1 means "some rows". The
// reads and the import are timed on the thread's processor time, the writes that sync each
// record on the clock.
void pairs(const QByteArray& name, const bench::PairRun& ours, const bench::PairRun& bare, long long expected,
           bench::Clock clock = bench::Clock::Cpu)
{
    if (!profiled.isEmpty()) {
        bench::Stopwatch w;
        QElapsedTimer t;
        t.start();
        if (name == profiled)
            for (int i = 0; i < 300 || t.elapsed() < 10000; ++i) ours(w);
        return;
    }
    bench::BenchReport::instance().path(name, bench::PairTimer::run(ours, bare, clock), expected);
}

void pairsWhole(const QByteArray& name, const std::function<long long()>& ours, const std::function<long long()>& bare,
                long long expected)
{
    pairs(name, [&](bench::Stopwatch&) { return ours(); }, [&](bench::Stopwatch&) { return bare(); }, expected);
}

long long countWhere(const QString& path, const char* sql, int key)
{
    sqlite3* db = openRaw(path);
    sqlite3_stmt* c = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &c, nullptr);
    sqlite3_bind_int(c, 1, key);
    sqlite3_step(c);
    const long long n = sqlite3_column_int64(c, 0);
    sqlite3_finalize(c);
    sqlite3_close(db);
    return n;
}

void mainFile(int rows)
{
    BenchDb b(rows);
    App& app = b.app;
    const QString path = b.path();
    const QByteArray suffix = QByteArray::number(rows);
    const char* all = "SELECT * FROM SHUMOKU1";

    auto bareAll = [&] { return bareRead(path, all); };
    setProgress(app, false);
    pairsWhole("list_open_progress_off_" + suffix, [&] { return openList(app, 0); }, bareAll, rows);
    setProgress(app, true);
    pairsWhole("list_open_progress_on_" + suffix, [&] { return openList(app, 0); }, bareAll, rows);

    // The search-and-open list: a text found in one record in ten.
    setProgress(app, false);
    const SearchConditions sought = textSearch(1, QStringLiteral("演奏者1"), 0);
    const QByteArray needle = sought.text.toUtf8();
    auto found = [&](sqlite3_stmt* s) { return std::strstr(reinterpret_cast<const char*>(sqlite3_column_text(s, 1)), needle.constData()) != nullptr; };
    pairsWhole("search_list_" + suffix, [&] { return openList(app, 1, sought); }, [&] { return bareRead(path, all, found); }, -1);

    // 1 000 new records through the editor, each stored with its raised number; the bare
    // write is one transaction per record, the row and the counter. The counts after each
    // run are not timed.
    const char* countNew = "SELECT count(*) FROM SHUMOKU1 WHERE 登録ＮＯ > ?1";
    int bareNext = 10000000;
    pairs(
        "editor_add_1000_into_" + suffix,
        [&](bench::Stopwatch& w) {
            const long long before = countWhere(path, countNew, rows);
            w.time([&] { addThroughEditor(app, 1000); });
            return countWhere(path, countNew, rows) - before;
        },
        [&](bench::Stopwatch& w) {
            long long added = 0;
            const long long counterBefore = countWhere(path, "SELECT 登録NO FROM 管理テーブル WHERE rowid = ?1", 1);
            bareNext = 10000000;
            w.time([&] {
                sqlite3* db = openRaw(path);
                sqlite3_stmt* s = nullptr;
                sqlite3_stmt* counter = nullptr;
                sqlite3_prepare_v2(db, "INSERT INTO SHUMOKU1 VALUES (?1,'作者',?2,15000000,'2024-05-01','007','備考',3,?3)", -1, &s, nullptr);
                sqlite3_prepare_v2(db, "UPDATE 管理テーブル SET 登録NO = ?1 WHERE rowid = 1", -1, &counter, nullptr);
                for (int i = 0; i < 1000; ++i) {
                    const int key = ++bareNext;
                    exec(db, "BEGIN");
                    const QByteArray name = QStringLiteral("基準%1").arg(i).toUtf8();
                    sqlite3_bind_text(s, 1, name.constData(), name.size(), SQLITE_TRANSIENT);
                    sqlite3_bind_int(s, 2, i);
                    sqlite3_bind_int(s, 3, key);
                    if (sqlite3_step(s) == SQLITE_DONE) ++added;
                    sqlite3_reset(s);
                    sqlite3_bind_int(counter, 1, key);
                    sqlite3_step(counter);
                    sqlite3_reset(counter);
                    exec(db, "COMMIT");
                }
                sqlite3_finalize(s);
                sqlite3_finalize(counter);
                sqlite3_close(db);
            });
            // The rows and the counter go back to what the editor left.
            sqlite3* db = openRaw(path);
            exec(db, "DELETE FROM SHUMOKU1 WHERE 登録ＮＯ > 10000000");
            const QByteArray restore = "UPDATE 管理テーブル SET 登録NO = " + QByteArray::number(counterBefore) + " WHERE rowid = 1";
            exec(db, restore.constData());
            sqlite3_close(db);
            return added;
        },
        1000, bench::Clock::Wall);

    if (rows < 100000) return;

    // Change and delete of one record through the record store, beside the same statement
    // on the primary key in its own transaction.
    RecordStore store(app.cache);
    const QStringList changed = {QStringLiteral("変更"), QStringLiteral("作者"), QStringLiteral("1"), QStringLiteral("2"),
                                 QStringLiteral("2024/01/02"), QStringLiteral("001"), QStringLiteral("備考"), QStringLiteral("4")};
    const char* changedCount = "SELECT count(*) FROM SHUMOKU1 WHERE 登録ＮＯ = ?1 AND 品名 = '変更'";
    const char* keyCount = "SELECT count(*) FROM SHUMOKU1 WHERE 登録ＮＯ = ?1";
    int next = 40000;
    auto bareWrite = [&](bench::Stopwatch& w, const char* sql, int key) {
        long long n = 0;
        w.time([&] {
            sqlite3* db = openRaw(path);
            sqlite3_stmt* s = nullptr;
            exec(db, "BEGIN");
            sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
            sqlite3_bind_int(s, 1, key);
            sqlite3_step(s);
            sqlite3_finalize(s);
            exec(db, "COMMIT");
            n = sqlite3_changes(db);
            sqlite3_close(db);
        });
        return n;
    };
    pairs(
        "change_one_of_" + suffix,
        [&](bench::Stopwatch& w) {
            const int key = ++next;
            w.time([&] { store.changeMain(0, key, changed); });
            return countWhere(path, changedCount, key);
        },
        [&](bench::Stopwatch& w) {
            return bareWrite(w,
                             "UPDATE SHUMOKU1 SET 品名='変更', 作者='作者', 数量=1, 金額=20000, 購入日='2024-01-02', 区分='001', 備考='備考', "
                             "棚=4 WHERE 登録ＮＯ = ?1",
                             ++next);
        },
        1, bench::Clock::Wall);
    pairs(
        "delete_one_of_" + suffix,
        [&](bench::Stopwatch& w) {
            const int key = ++next;
            const long long had = countWhere(path, keyCount, key);
            w.time([&] { store.removeMain(0, key); });
            return had - countWhere(path, keyCount, key);
        },
        [&](bench::Stopwatch& w) { return bareWrite(w, "DELETE FROM SHUMOKU1 WHERE 登録ＮＯ = ?1", ++next); }, 1, bench::Clock::Wall);

    // The all-files search over the main and the sub file: a text in one record in ten.
    const int focus = 50000;
    benchdata::fillSub(app, 100000, focus, 1000);
    auto* scripted = static_cast<ScriptedUi*>(&app.ui());
    const QByteArray text = QStringLiteral("演奏者1").toUtf8();
    auto anyColumn = [&](sqlite3_stmt* s) {
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            if (sqlite3_column_type(s, c) == SQLITE_TEXT && std::strstr(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), text.constData()))
                return true;
        return false;
    };
    pairsWhole(
        "all_files_search_200000",
        [&] {
            scripted->onShow(QStringLiteral("Form9k"), [](QWidget& w) {
                auto& k = dynamic_cast<Form9k&>(w);
                k.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("演奏者1"));
                child<QPushButton>(k, "Command1")->click();
            });
            Form9 w(app);
            return static_cast<long long>(w.hitCount());
        },
        [&] { return bareRead(path, all, anyColumn) + bareRead(path, "SELECT * FROM SHUMOKU1SUB", anyColumn); }, -1);
}

// One record's 100 sub rows in a sub file of 1 000 000: the reading into a list's rows, and
// the main-and-sub list window around it (its two list views, tool bar and detail boxes).
void subRows()
{
    BenchDb b(1000);
    App& app = b.app;
    const QString path = b.path();
    const int focus = 2000;  // above the numbers the other sub rows are spread over
    const int mine = 100;
    benchdata::fillSub(app, 1000000, focus, mine);
    const char* keyed = "SELECT * FROM SHUMOKU1SUB WHERE 登録ＮＯ = ?1";
    auto bindFocus = [&](sqlite3_stmt* s) { sqlite3_bind_int(s, 1, focus); };
    const std::vector<FieldDefinition> fields = {{QStringLiteral("曲名"), QStringLiteral("TEXT")},
                                                 {QStringLiteral("時間"), QStringLiteral("LONG")},
                                                 {QStringLiteral("録音日"), QStringLiteral("DATE")}};
    auto bare = [&] { return bareRead(path, keyed, nullptr, bindFocus); };
    pairsWhole(
        "sub_rows_100_of_1000000",
        [&] {
            Database db = app.openDatabase();
            ReportListModel rows;
            RecordReader().read(db, {QStringLiteral("SHUMOKU1SUB"), fields, 2, {}, QString(), RecordReader::subRowsOf(focus)}, rows);
            return static_cast<long long>(rows.itemCount());
        },
        bare, mine);
    ListRequest subsOf;
    subsOf.registrationNo = focus;
    pairsWhole(
        "sub_list_window_100_of_1000000",
        [&] {
            Form6 w(app, subsOf);
            return static_cast<long long>(child<ReportListView>(w, "ListView1")->rowCount());
        },
        bare, mine);
}

// Peak memory with the list of 100 000 records open, beside the table's bytes in the file.
void memory()
{
    BenchDb b(100000);
    setProgress(b.app, false);
    const long long table = tableBytes(b.path(), "SHUMOKU1");
    // The same window shown once with no rows, so what the first window of a run loads
    // (styles, fonts) is not counted as the list's.
    long long none = -1;
    showList(
        b.app, 1,
        [&](Form5& w) {
            none = child<ReportListView>(w, "ListView1")->rowCount();
            w.show();
            QApplication::processEvents();
        },
        textSearch(1, QStringLiteral("どこにもない"), 1));
    if (none != 0) bench::BenchReport::instance().fail("memory_empty_list", none, 0);
    // The peak starts again from what the process holds now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    clear.close();
    const long long before = kib("VmRSS:");
    long long shown = 0;
    showList(b.app, 0, [&](Form5& w) {
        shown = child<ReportListView>(w, "ListView1")->rowCount();
        w.show();
        QApplication::processEvents();
    });
    const long long peak = kib("VmHWM:");
    if (shown != 100000) bench::BenchReport::instance().fail("memory_list_open_100000", shown, 100000);
    const double grown = static_cast<double>(peak - before) * 1024.0;
    bench::BenchReport::instance().memory("memory_list_open_100000", peak, grown / 1e6, static_cast<double>(table) / 1e6);
}

void largeList()
{
    BenchDb b(1000000);
    setProgress(b.app, false);
    pairsWhole(
        "list_open_1000000", [&] { return openList(b.app, 0); }, [&] { return bareRead(b.path(), "SELECT * FROM SHUMOKU1"); },
        1000000);
}

// 100 000 rows of a CSV file (read, checked and stored) beside the same rows inserted by plain
// SQLite in one transaction.
void csvImport()
{
    constexpr int kRows = 100000;
    TempProgramDir plainDir, importDir;
    ScriptedUi ui;
    App plain(plainDir.path(), ui), into(importDir.path(), ui);
    for (App* app : {&plain, &into}) {
        Database db = Database::open(app->databasePath());
        Recordset t = db.openTable(QStringLiteral("管理テーブル"));
        app->cache.LoadConfigCache(t);
        benchdata::defineCategory(*app);
    }
    benchdata::fillMain(plain, kRows);

    // The rows as a list shows them, headings first.
    const std::vector<FieldDefinition> fields = FieldDisplay::inUse(plain.cache.row(0).mainFields, plain.cache.row(0).mainFieldCount);
    CsvFile::Table table;
    QStringList headings;
    for (const FieldDefinition& f : fields) headings << f.name;
    table << headings;
    {
        Database db = Database::open(plain.databasePath());
        for (Recordset rs = db.openTable(QStringLiteral("SHUMOKU1")); !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (int k = 0; k < int(fields.size()); ++k) row << FieldDisplay::listText(rs.field(k), fields[size_t(k)].typeWord);
            table << row;
        }
    }
    const QByteArray bytes = *CsvFile::encode(CsvFile::format(table), CsvFile::Encoding::Utf8);

    // Each run into empty files; the emptying is not timed.
    auto empty = [](App& app) { Database::open(app.databasePath()).execute(QStringLiteral("DELETE FROM SHUMOKU1")); };
    pairs(
        "csv_import_100000",
        [&](bench::Stopwatch& w) {
            empty(into);
            long long stored = 0;
            w.time([&] {
                const CsvFile::Parsed parsed = CsvFile::parse(*CsvFile::decode(bytes, CsvFile::detect(bytes)));
                const RecordImport import(into.cache, 0, false);
                stored = import.run(parsed.rows, import.map(parsed.rows[0])).stored;
            });
            return stored;
        },
        [&](bench::Stopwatch& w) {
            empty(plain);
            w.time([&] { benchdata::fillMain(plain, kRows); });
            return static_cast<long long>(kRows);
        },
        kRows);
}

// A start of the built program to its main window's first paint, on a database of six
// categories and 100 000 records: the program is copied into the data's folder and started
// there with TANZO_TIME_FIRST_PAINT set, which makes it print a line at its first paint and
// end. Timed from the process start to that line; one start first that is not counted.
void startup()
{
    BenchDb b(100000);
    benchdata::defineMoreCategories(b.app);
    const QString program = b.dir.path() + QStringLiteral("/tanzo");
    if (!QFile::copy(QStringLiteral(TANZO_PROGRAM), program)) {
        bench::BenchReport::instance().fail("startup_100000 (the program could not be copied)", 0, 1);
        return;
    }
    Database::closeShared();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TANZO_TIME_FIRST_PAINT"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::vector<double> times, cpuTimes;
    int painted = 0;
    for (int i = 0; i <= bench::PairTimer::kPairs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(b.dir.path());
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        QByteArray out;
        double ms = -1;
        while (p.waitForReadyRead(10000)) {
            out += p.readAllStandardOutput();
            if (out.contains("first paint")) {
                ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
                break;
            }
        }
        p.waitForFinished(10000);
        if (ms < 0) continue;
        ++painted;
        // "first paint <ms> ms cpu <ms> ms": the processor time the program took to its paint.
        const QList<QByteArray> words = out.mid(out.indexOf("first paint")).trimmed().split(' ');
        if (i > 0) {
            times.push_back(ms);
            cpuTimes.push_back(words.size() >= 6 ? words[5].toDouble() : 0.0);
        }
    }
    if (painted != bench::PairTimer::kPairs + 1) {
        bench::BenchReport::instance().fail("startup_100000 (starts that painted)", painted, bench::PairTimer::kPairs + 1);
        return;
    }
    bench::BenchReport::instance().single("startup_100000", bench::quantile(times, 0.5), bench::quantile(times, 0.25),
                                          bench::quantile(times, 0.75), static_cast<int>(times.size()));
    bench::BenchReport::instance().single("startup_100000_cpu", bench::quantile(cpuTimes, 0.5), bench::quantile(cpuTimes, 0.25),
                                          bench::quantile(cpuTimes, 0.75), static_cast<int>(cpuTimes.size()));
}

// Databases the bench makes on a server (tanzo_bench_<pid>_<n>) through the connection
// string it was given; they are dropped at the end.
class ServerDatabases {
public:
    explicit ServerDatabases(QString admin) : admin_(std::move(admin)) {}
    ~ServerDatabases()
    {
        Database::closeShared();
        for (const QString& name : made_) run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    }
    ServerDatabases(const ServerDatabases&) = delete;
    ServerDatabases& operator=(const ServerDatabases&) = delete;

    // The location of a new empty database, or empty when the server refused it.
    QString create()
    {
        const QString name = QStringLiteral("tanzo_bench_%1_%2").arg(getpid()).arg(made_.size() + 1);
        if (!run(QStringLiteral("CREATE DATABASE %1").arg(name))) return QString();
        made_ << name;
        return Database::serverLocation(PgSession::withKeyword(admin_, QStringLiteral("dbname"), name));
    }

private:
    bool run(const QString& sql) const
    {
        try {
            PgSession(admin_).execute(sql);
            return true;
        } catch (const std::runtime_error& e) {
            std::printf("FAIL server: %s\n", e.what());
            return false;
        }
    }

    QString admin_;
    QStringList made_;
};

// The time of the part of one run that the path itself takes; its checks around stay untimed.
// One path on the file and on the server, in interleaved pairs on the clock (the server's
// work is another process's); expected -1 means "as many as the file's, and some".
void compare(const QByteArray& name, const bench::PairResult& r, long long expected)
{
    check((name + " (file)").constData(), r.bareRows, expected);
    check(name.constData(), r.oursRows, expected >= 0 ? expected : std::max(r.bareRows, 0LL));
    std::printf("%s: %.2f %.2f %.2f (%.2f – %.2f) | rows %lld\n", name.constData(), r.bareMs, r.oursMs, r.ratio, r.ratioLow,
                r.ratioHigh, r.oursRows);
    std::fflush(stdout);
}

long long mainRowsWhere(App& app, std::vector<Recordset::Equals> where)
{
    Database db = app.openDatabase();
    long long n = 0;
    for (Recordset rs = db.openWhere(QStringLiteral("SHUMOKU1"), std::move(where)); !rs.eof(); rs.moveNext()) ++n;
    return n;
}

long long mainRowCount(App& app) { return app.openDatabase().openTable(QStringLiteral("SHUMOKU1")).recordCount(); }

// The main list, the search list, the editor's adding and the store's change and delete on
// 100 000 records, in a file and in a database on the server, in interleaved pairs after one
// pair that is not counted (it opens the connection).
void serverComparison(const QString& admin)
{
    constexpr int kRows = 100000;
    ServerDatabases server(admin);
    const QString location = server.create();
    if (location.isEmpty()) {
        ++failures;
        return;
    }
    {
        BenchDb file(kRows), onServer(kRows, location);
        auto both = [&](const QByteArray& name, long long expected, const std::function<long long(App&, bench::Stopwatch&)>& path) {
            compare(name,
                    bench::PairTimer::run([&](bench::Stopwatch& w) { return path(onServer.app, w); },
                                          [&](bench::Stopwatch& w) { return path(file.app, w); }, bench::Clock::Wall),
                    expected);
        };
        const SearchConditions sought = textSearch(1, QStringLiteral("演奏者1"), 0);
        auto timedList = [&sought](qint16 mode) {
            return [mode, &sought](App& app, bench::Stopwatch& w) {
                long long n = 0;
                w.time([&] { n = openList(app, mode, sought); });
                return n;
            };
        };
        for (App* app : {&file.app, &onServer.app}) setProgress(*app, false);
        both("server_list_open_100000", kRows, timedList(0));
        both("server_search_list_100000", -1, timedList(1));
        both("server_editor_add_1000_into_100000", 1000, [](App& app, bench::Stopwatch& w) {
            const long long before = mainRowCount(app);
            w.time([&] { addThroughEditor(app, 1000); });
            return mainRowCount(app) - before;
        });

        RecordStore stores[2] = {RecordStore(file.app.cache), RecordStore(onServer.app.cache)};
        auto storeOf = [&](App& app) -> RecordStore& { return &app == &file.app ? stores[0] : stores[1]; };
        const QStringList changed = {QStringLiteral("変更"), QStringLiteral("作者"), QStringLiteral("1"), QStringLiteral("2"),
                                     QStringLiteral("2024/01/02"), QStringLiteral("001"), QStringLiteral("備考"), QStringLiteral("4")};
        auto keyed = [](int key) { return Recordset::Equals{QStringLiteral("登録ＮＯ"), Value::integer(key)}; };
        int nextKey[2] = {40000, 40000};
        auto next = [&](App& app) { return ++nextKey[&app == &file.app ? 0 : 1]; };
        both("server_change_one_of_100000", 1, [&](App& app, bench::Stopwatch& w) {
            const int key = next(app);
            w.time([&] { storeOf(app).changeMain(0, key, changed); });
            return mainRowsWhere(app, {keyed(key), {QStringLiteral("品名"), Value::text(QStringLiteral("変更"))}});
        });
        both("server_delete_one_of_100000", 1, [&](App& app, bench::Stopwatch& w) {
            const int key = next(app);
            const long long had = mainRowsWhere(app, {keyed(key)});
            w.time([&] { storeOf(app).removeMain(0, key); });
            return had - mainRowsWhere(app, {keyed(key)});
        });
    }
}

// The heap keeps what is freed instead of giving the top of it back to the system. Otherwise
// a bare read (open, read, close) gives its page cache back at every close and takes it again
// at the next open, page by page: its time then depended on what earlier paths had left on
// the heap — the same read took 0.35 ms in one run and 0.73 ms in another. The peak memory
// line is taken before this.
void keepFreedMemory() { mallopt(M_TRIM_THRESHOLD, 1 << 30); }

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    // The windows are made as the program makes them: its keyboard aids, its style and its font.
    installKeyboardAids(qapp);
    SharedIconStyle::install(qapp);
    QApplication::setFont(programFont());
    const QStringList args = QApplication::arguments();
    const bool onlySub = args.contains(QStringLiteral("--only-sub"));
    const bool onlyMemory = args.contains(QStringLiteral("--only-memory"));
    // `--server <conninfo>` or `--server=<conninfo>`: a cluster the bench may create databases on.
    QString server;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--server") && i + 1 < args.size())
            server = args[i + 1];
        else if (args[i].startsWith(QLatin1String("--server=")))
            server = args[i].mid(9);
    }
    const bool onlyServer = args.contains(QStringLiteral("--only-server"));
    if ((onlyServer || args.contains(QStringLiteral("--server"))) && server.isEmpty()) {
        std::printf("--server needs a connection string, e.g. --server \"host=127.0.0.1 port=5432 user=postgres\"\n");
        return 2;
    }
    bench::BenchReport& out = bench::BenchReport::instance();
    out.setJson(args.contains(QStringLiteral("--json")));
    if (const qsizetype at = args.indexOf(QStringLiteral("--profile")); at > 0 && at + 1 < args.size()) profiled = args[at + 1].toUtf8();
    // `csv_import` times the import alone.
    const bool importOnly = args.contains(QStringLiteral("csv_import"));
    const bool onlyStartup = args.contains(QStringLiteral("--only-startup"));
    const bool onlyMain = args.contains(QStringLiteral("--only-main"));
    const bool whole = !importOnly && !onlyStartup && !onlyMain && !onlyServer;
    // The peak memory comes first, on the heap as the program has it.
    if (whole && !onlySub) memory();
    keepFreedMemory();
    if (importOnly) {
        csvImport();
    } else if (onlyStartup) {
        startup();
    } else if (onlyMain) {
        for (int rows : {10000, 100000}) mainFile(rows);
    } else if (whole && !onlyMemory) {
        if (!onlySub) {
            startup();
            for (int rows : {10000, 100000}) mainFile(rows);
        }
        subRows();
        if (!onlySub) csvImport();
    }
    if (args.contains(QStringLiteral("--large"))) largeList();
    if (!server.isEmpty()) {
        serverComparison(server);
        serverRoundTrips(server);
    }
    if (failures) std::printf("%d path(s) read the wrong rows\n", failures);
    return out.finish() || failures ? 1 : 0;
}
