#pragma once

// Runs one of the project's command-line tools and keeps what it said.

#include <QProcess>
#include <QStringList>

struct ToolResult
{
    int exitCode = -1; // -1 when the tool crashed or did not finish
    QByteArray out;
    QByteArray err;
};

inline ToolResult runToolProgram(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
