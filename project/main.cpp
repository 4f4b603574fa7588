// SPDX-License-Identifier: MIT

// qavmaker: the editor. With a project file it starts with that project loaded, as if it
// had been chosen with "Load MFC File".
#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

#include "filestore.h"
#include "frmMain.h"
#include "frmMain_window.h"
#include "pathrules.h"

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
            "Composes missions for the QAV autopilot of the Orbiter space-flight simulator. "
            "Given a project file (.mfc), starts with it loaded, as \"Load MFC File\" would."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("A project file to load at start."),
                                 QStringLiteral("[PROJECT.mfc]"));
}

bool asksForText(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (arg == "--")
            return false;
        if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-?" || arg == "-v"
            || arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    Platform::prepareProcess();
    Platform::dropProgramFolder(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qavmaker"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    // Help and version need no display.
    if (asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.process(Platform::decodeArguments(argc, argv));
        return 0;
    }

    QApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    const bool parsed = parser.parse(Platform::decodeArguments(argc, argv));
    if (!parsed || parser.positionalArguments().size() > 1) {
        const QString error =
                parsed ? QStringLiteral("only one project file at a time") : parser.errorText();
        std::fprintf(stderr, "qavmaker: %s\nTry 'qavmaker --help'.\n",
                     Platform::printableName(error).toUtf8().constData());
        return 2;
    }

    frmMain form(missionModel());
    frmMainWindow window(form, {}, {}, frmMainWindow::Pages::OthersOnceShown);
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.loadProject(parser.positionalArguments().constFirst());
    return app.exec();
}
