#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs a command-line tool and waits for it, at most timeoutMs; one that does not finish is
// killed. ok: it finished with exit code 0. output: its standard output (and error, merged).
struct ToolRun {
    bool ok = false;
    QString output;
};

inline ToolRun runTool(const QString& program, const QStringList& args,
                       const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    ToolRun run;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        run.output = program + QStringLiteral(" did not finish");
        return run;
    }
    run.output = QString::fromUtf8(p.readAll());
    run.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return run;
}
