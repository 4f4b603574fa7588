// SPDX-License-Identifier: MIT

// qavmake: makes the mission files of project files without showing the editor. Each project
// is loaded into a fresh editor state exactly as "Load MFC File" does, checked and written
// exactly as "Make Mission" does; settings.dat and the project files are left alone.
#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

#include "ansitext.h"
#include "frmMain.h"
#include "messages.h"
#include "pathrules.h"

namespace {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

// Batch runs have no one to answer a dialog or read a message box.
class NoDialog final : public LoadDialog
{
public:
    bool showOpen(QWidget *) override { return false; }
};

class NoReport final : public ErrorReport
{
public:
    void report(QWidget *, const QString &, const QString &) override { }
};

QString oneLine(const QString &message) { return message.simplified(); }

void quietQt(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

int main(int argc, char *argv[])
{
    // No display needed: the editor's state is built but never shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qavmake"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Makes the mission file (.qav) of each project file (.mfc), as \"Make Mission\" "
            "in the editor would, at the place the project's Directory and FileName give."));
    const QCommandLineOption outOption(
            QStringLiteral("out"), QStringLiteral("Write the mission files into <dir> instead."),
            QStringLiteral("dir"));
    const QCommandLineOption entryOption(QStringLiteral("entry"),
                                         QStringLiteral("Print each project's entry for "
                                                        "\"missions.lst\" to standard output."));
    const QCommandLineOption checkOption(QStringLiteral("check"),
                                         QStringLiteral("Only check the projects; write nothing."));
    parser.addOptions({outOption, entryOption, checkOption});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("projects"), QStringLiteral("Project files."),
                                 QStringLiteral("PROJECT.mfc..."));

    if (!parser.parse(QApplication::arguments())) {
        err << "qavmake: " << parser.errorText() << "\nTry 'qavmake --help'.\n";
        return UsageError;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return Success;
    }
    if (parser.isSet(version)) {
        out << "qavmake " << QApplication::applicationVersion() << '\n';
        return Success;
    }
    const QStringList projects = parser.positionalArguments();
    if (projects.isEmpty()) {
        err << "qavmake: no project file given\nTry 'qavmake --help'.\n";
        return UsageError;
    }

    int result = Success;
    const auto fail = [&](const QString &project, const QString &reason) {
        err << "qavmake: " << project << ": " << oneLine(reason) << '\n';
        err.flush();
        result = Failure;
    };
    for (const QString &project : projects) {
        MissionModel model;
        frmMain editor(model, std::make_unique<NoDialog>(), std::make_unique<NoReport>());
        QString error;
        if (!editor.loadProjectFile(project, &error)) {
            fail(project, Messages::readFailed(project, error));
            continue;
        }
        if (const QString problem = editor.missionProblem(); !problem.isEmpty()) {
            fail(project, problem);
            continue;
        }
        if (parser.isSet(entryOption)) {
            out.flush();
            const QByteArray entry =
                    Platform::encodeAnsi(editor.missionListEntryText() + QStringLiteral("\r\n"));
            std::fwrite(entry.constData(), 1, std::size_t(entry.size()), stdout);
            std::fflush(stdout);
        }
        if (parser.isSet(checkOption))
            continue;
        const QString path = parser.isSet(outOption)
                ? missionPath(parser.value(outOption), editor.fileName())
                : model.MissionPath;
        WriteFailure failure;
        if (!writeMission(path, model, editor.omissions(), &failure))
            fail(project, Messages::writeFailed(failure));
    }
    return result;
}
