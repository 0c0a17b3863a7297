#include "platform/qt/qt_processes.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QStringList>
#include <QTimer>
#include <QWidget>

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

ProcessOutcome QtProcesses::RunAndWait(const std::string& program, const std::vector<std::string>& args,
                                      const std::string& folder, const std::string& waitText) {
    ProcessOutcome outcome;
    QProcess process;
    Prepare(process, program, args, folder);
    process.start();
    if (!process.waitForStarted(-1)) return outcome;
    outcome.Started = true;

    ++waiting_;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError) {
        if (process.state() == QProcess::NotRunning) loop.quit();
    });
    // Modal to the window the user worked in: the others keep painting, none
    // takes a command until the program has ended or is cancelled.
    QWidget* owner = QApplication::activeWindow();
    QProgressDialog progress(QString::fromStdString(waitText), QProgressDialog::tr("Cancel"), 0, 0, owner);
    progress.setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    progress.setObjectName(QStringLiteral("ProcessProgress"));
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, &process, [&outcome, &process] {
        outcome.Cancelled = true;
        process.kill();
    });
    // A program that ends at once shows no window.
    QTimer showLater;
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &progress, [&progress] { progress.show(); });
    showLater.start(250);
    // The hourglass would hide that Cancel can be clicked.
    const bool hourglass = QApplication::overrideCursor() != nullptr;
    if (hourglass) QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    if (process.state() != QProcess::NotRunning) loop.exec();
    if (hourglass) QApplication::restoreOverrideCursor();
    showLater.stop();
    progress.hide();
    --waiting_;

    outcome.Crashed = !outcome.Cancelled && process.exitStatus() == QProcess::CrashExit;
    outcome.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return outcome;
}

bool QtProcesses::StartHidden(const std::string& program, const std::vector<std::string>& args,
                              const std::string& folder) {
    QProcess process;
    Prepare(process, program, args, folder);
    return process.startDetached();
}

}  // namespace velm
