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

// Qt's own options of the window system and the widgets, which it takes out of the arguments
// as it starts. The program knows them, hidden from its help, so that it can judge its command
// line before anything needs a display: a usage error is its own message, not Qt's abort.
void acceptQtOptions(QCommandLineParser &parser)
{
    static constexpr const char *WithValue[] = {"platform",
                                                "platformpluginpath",
                                                "platformtheme",
                                                "plugin",
                                                "qwindowgeometry",
                                                "geometry",
                                                "qwindowtitle",
                                                "title",
                                                "qwindowicon",
                                                "icon",
                                                "session",
                                                "style",
                                                "stylesheet",
                                                "display",
                                                "name",
                                                "visual"};
    static constexpr const char *Flags[] = {"reverse", "testability", "widgetcount",
                                            "sync",    "qdevel",      "qdebug"};
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : WithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : Flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

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
    // The command line is judged before the window system is reached, which needs a display.
    const QStringList arguments = Platform::decodeArguments(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    acceptQtOptions(parser);
    const bool parsed = parser.parse(arguments);
    if (!parsed || parser.positionalArguments().size() > 1) {
        const QString error =
                parsed ? QStringLiteral("only one project file at a time") : parser.errorText();
        std::fprintf(stderr, "qavmaker: %s\nTry 'qavmaker --help'.\n",
                     Platform::printableName(error).toUtf8().constData());
        return 2;
    }
    if (asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        parser.process(arguments);
        return 0;
    }

    QApplication app(argc, argv);
    frmMain form(missionModel());
    frmMainWindow window(form, {}, {}, frmMainWindow::Pages::OthersOnceShown);
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.loadProject(parser.positionalArguments().constFirst());
    return app.exec();
}
