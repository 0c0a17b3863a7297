#include "platform/qt/qt_processes.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace velm {

namespace {

QString ProgramPath(const std::string& program, const std::string& folder) {
    const QString name = QString::fromStdString(program);
    if (name.contains(QLatin1Char('/')) || folder.empty()) return name;
    const QFileInfo local(QDir(QString::fromStdString(folder)), name);
    return local.isFile() && local.isExecutable() ? local.absoluteFilePath() : name;
}

// The program, its arguments and folder; its output goes nowhere.
void Prepare(QProcess& process, const std::string& program, const std::vector<std::string>& args,
             const std::string& folder) {
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    process.setProgram(ProgramPath(program, folder));
    process.setArguments(list);
    if (!folder.empty()) process.setWorkingDirectory(QString::fromStdString(folder));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

}  // namespace

bool QtProcesses::RunAndWait(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder) {
    QProcess process;
    Prepare(process, program, args, folder);

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError) {
        if (process.state() == QProcess::NotRunning) loop.quit();
    });
    process.start();
    if (!process.waitForStarted(-1)) return false;
    // The windows keep repainting while the program runs.
    if (process.state() != QProcess::NotRunning) loop.exec();
    return true;
}

bool QtProcesses::StartHidden(const std::string& program, const std::vector<std::string>& args,
                              const std::string& folder) {
    QProcess process;
    Prepare(process, program, args, folder);
    return process.startDetached();
}

}  // namespace velm
