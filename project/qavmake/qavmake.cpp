// SPDX-License-Identifier: MIT

// qavmake: makes the mission files of project files with the editor's form and no window.
// Each project is loaded into a freshly started form exactly as "Load MFC File" does,
// checked and written exactly as "Make Mission" does; settings.dat and the project files
// are left alone.
// Every failure is one line on standard error, "qavmake: PROJECT: reason".
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "INIMod.h"
#include "ansitext.h"
#include "filestore.h"
#include "frmMain.h"
#include "installation.h"
#include "messages.h"
#include "orbiternames.h"
#include "pathrules.h"

namespace {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

class Output
{
public:
    // Writes to standard output; a failure is reported once, and fails the run.
    bool write(const QByteArray &bytes)
    {
        if (m_failed)
            return false;
        if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout)
                    != std::size_t(bytes.size())
            || std::fflush(stdout) != 0) {
            const QByteArray reason = Platform::systemDescription(errno).toUtf8();
            m_failed = true;
            std::fprintf(stderr, "qavmake: standard output: %s\n", reason.constData());
        }
        return !m_failed;
    }
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

void printError(const QString &line)
{
    const QByteArray bytes = (QStringLiteral("qavmake: ") + line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

struct Options
{
    QString out; // empty: where each project says
    bool entry = false;
    bool check = false;
    bool force = false;  // an import may replace a project file
    bool strict = false; // a warning of --check fails the run
};

class Run
{
public:
    // The projects of the run are known from the start, so that no mission replaces one.
    Run(const Options &options, const QStringList &projects, Output &output)
        : m_options(options), m_output(output)
    {
        for (const QString &project : projects) {
            if (const QByteArray identity = Platform::fileIdentity(project); !identity.isEmpty())
                m_projects.insert(identity, project);
        }
    }

    void make(const QString &project);
    void import(const QString &mission);
    bool failed() const { return m_failed || (m_options.strict && m_warned); }

private:
    void fail(const QString &project, const QString &reason)
    {
        printError(Platform::printableName(project) + QStringLiteral(": ") + reason);
        m_failed = true;
    }
    void failAt(const QString &file, const MissionOddity &where)
    {
        printError(QStringLiteral("%1:%2: %3")
                           .arg(Platform::printableName(file))
                           .arg(where.line)
                           .arg(where.what));
        m_failed = true;
    }

    void warn(const QString &line)
    {
        printError(line);
        m_warned = true;
    }
    // With --check, the names the simulator's installation does not know. Each installation
    // is read once, when a project first needs it.
    void checkNames(const QString &file, const frmMain &form)
    {
        const QString directory = form.text(Form::id("txtDirectory"));
        // Without a Directory there is nothing to look above.
        if (!m_options.check || directory.isEmpty())
            return;
        auto known = m_installations.find(directory);
        if (known == m_installations.end()) {
            known = m_installations.insert(directory, readInstallation(directory));
            if (!known->found())
                warn(Platform::printableName(file) + QStringLiteral(": ")
                     + Messages::noInstallationLine(directory, known->reason));
            for (const QString &skipped : std::as_const(known->skipped))
                warn(skipped);
        }
        if (!known->found())
            return;
        for (const QString &line : unknownNames(*known, form))
            warn(Platform::printableName(file) + QStringLiteral(": ") + line);
    }

    const Options &m_options;
    Output &m_output;
    QHash<QString, OrbiterInstallation> m_installations; // by the Directory that found each
    bool m_warned = false;
    QHash<QByteArray, QString> m_projects; // the project files of this run
    // What this run wrote, or with --check would write, and for which file: by where each
    // name leads, and by the version of each file made, which other names may lead to too.
    // Never by a file replaced: once it is gone, the system may give its number to another
    // writer's file.
    QHash<QByteArray, QString> m_places;
    QHash<QByteArray, QString> m_made;
    // A folder that is not there yet (mfc with --check) is told by its name.
    static QByteArray placeOf(const QString &path)
    {
        const QByteArray place = Platform::placeIdentity(path);
        return !place.isEmpty()
                ? place
                : "name:" + QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toUtf8();
    }
    const QString *madeBefore(const QString &path) const
    {
        if (const auto first = m_places.constFind(placeOf(path)); first != m_places.cend())
            return &first.value();
        const QByteArray version = Platform::fileVersion(path);
        const auto first = version.isEmpty() ? m_made.cend() : m_made.constFind(version);
        return first != m_made.cend() ? &first.value() : nullptr;
    }
    void made(const QString &path, const QByteArray &version, const QString &source)
    {
        m_places.insert(placeOf(path), source);
        if (!version.isEmpty())
            m_made.insert(version, source);
    }
    bool m_failed = false;
};

void Run::make(const QString &project)
{
    MissionModel model;
    frmMain editor(model, defaultDirectory);
    QString error;
    if (!editor.loadProjectFile(project, &error))
        return fail(project, error);
    checkNames(project, editor);
    const bool elsewhere = !m_options.out.isEmpty();
    const MissionProblem problem = editor.missionProblem(elsewhere ? frmMain::Directory::NotNeeded
                                                                   : frmMain::Directory::Needed);
    if (problem.kind != MissionProblem::None)
        return fail(project, Messages::problemLine(problem));
    if (elsewhere && !Platform::isPlainFileName(editor.fileName())) {
        return fail(project,
                    QStringLiteral("with --out, FileName must be a plain file name, not \"%1\"")
                            .arg(Platform::printableName(editor.fileName())));
    }
    const QString path =
            elsewhere ? missionPath(m_options.out, editor.fileName()) : model.MissionPath;
    if (Platform::sameFile(path, project))
        return fail(project, Messages::missionIsTheProjectLine(path));
    const QByteArray identity = Platform::fileIdentity(path);
    if (const auto other = m_projects.constFind(identity);
        !identity.isEmpty() && other != m_projects.cend())
        return fail(project, Messages::missionIsAProjectLine(path, other.value()));
    if (const QString *first = madeBefore(path)) {
        return fail(project,
                    m_options.check ? Messages::missionNamedTwiceLine(path, *first)
                                    : Messages::missionWrittenBeforeLine(path, *first));
    }

    QByteArray version;
    if (!m_options.check) {
        WriteFailure failure;
        if (!WriteMissionFile(path, model, editor.omissions(), &failure, &version))
            return fail(project, Messages::writeFailedLine(failure));
    }
    made(path, version, project);
    if (m_options.entry) {
        m_output.write(
                Platform::encodeAnsi(editor.missionListEntryText() + QStringLiteral("\r\n")));
    }
}

// The project that makes the mission again, written as "mfc/NAME.mfc" or into the --out
// folder, NAME being the mission file's.
void Run::import(const QString &mission)
{
    QByteArray bytes;
    Platform::FileError readFailure;
    if (!Platform::readRegularFile(mission, ProjectFileLimit, &bytes, &readFailure)) {
        return fail(mission,
                    readFailure.kind == Platform::FileError::TooLarge
                            ? QStringLiteral("too large to be a mission file")
                            : readFailure.reason);
    }
    QList<FieldAssignment> assignments;
    QList<MissionOddity> oddities;
    MissionOddity error;
    if (!readMission(bytes, &assignments, &oddities, &error))
        return error.line > 0 ? failAt(mission, error) : fail(mission, error.what);
    // A mission may be as large as a project; keep one copy of its text at a time.
    bytes = QByteArray();

    const QFileInfo file(mission);
    const QString name = file.fileName().endsWith(QStringLiteral(".qav"), Qt::CaseInsensitive)
            ? file.fileName().chopped(4)
            : file.completeBaseName();
    MissionModel model;
    frmMain form(model, defaultDirectory);
    for (const FieldAssignment &assignment : std::as_const(assignments))
        form.apply(assignment);
    assignments = {};
    form.setText(Form::id("txtDirectory"), QDir::toNativeSeparators(file.absolutePath()));
    form.setText(Form::id("txtFileName"), name);
    for (const MissionOddity &oddity : std::as_const(oddities))
        failAt(mission, oddity);
    if (const MissionProblem problem = form.missionProblem(frmMain::Directory::NotNeeded);
        problem.kind != MissionProblem::None)
        return fail(mission, Messages::problemLine(problem));

    const bool elsewhere = !m_options.out.isEmpty();
    const QString path = elsewhere
            ? Platform::joinPath({m_options.out, name + QStringLiteral(".mfc")})
            : projectFilePath(name);
    if (const QString *first = madeBefore(path)) {
        return fail(mission,
                    m_options.check ? Messages::projectNamedTwiceLine(path, *first)
                                    : Messages::projectWrittenBeforeLine(path, *first));
    }
    if (Platform::pathExists(path) && !m_options.force)
        return fail(mission, Messages::projectExistsLine(path));
    // A project the program would refuse to load is none.
    // The --out folder is the user's to make; mfc is the program's.
    const PreparedProject project{path, updatedProject({}, form.projectEntries()),
                                  elsewhere ? QString() : QString::fromLatin1(ProjectFolder)};
    if (project.bytes.size() > ProjectFileLimit)
        return fail(mission, QStringLiteral("the project would be too large to be a project file"));
    if (m_options.check)
        return made(path, {}, mission);
    WriteFailure failure;
    QByteArray version;
    if (!SaveProject(project, &failure, &version))
        return fail(mission, Messages::writeFailedLine(failure));
    made(path, version, mission);
}

} // namespace

int main(int argc, char *argv[])
{
    Platform::prepareProcess();
    Platform::dropProgramFolder(argc, argv);
    // Taken before Qt sees them, as the system gave them.
    const QStringList arguments = Platform::decodeArguments(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qavmake"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    Output output;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Makes the mission file (.qav) of each project file (.mfc), as \"Make Mission\" "
            "in the editor would, at the place the project's Directory and FileName give. With "
            "--import, makes the project file of each mission file instead."));
    const QCommandLineOption outOption(
            QStringLiteral("out"), QStringLiteral("Write the mission files into <dir> instead."),
            QStringLiteral("dir"));
    const QCommandLineOption entryOption(
            QStringLiteral("entry"),
            QStringLiteral("Print the entry for \"missions.lst\" of each mission written."));
    const QCommandLineOption checkOption(
            QStringLiteral("check"),
            QStringLiteral("Only check the projects, and the names they use against the "
                           "simulator's installation above their Directory; write nothing."));
    const QCommandLineOption strictOption(
            QStringLiteral("strict"),
            QStringLiteral("With --check, fail when a name is not in the simulator's "
                           "installation (a warning otherwise)."));
    const QCommandLineOption importOption(
            QStringLiteral("import"),
            QStringLiteral("Turn mission files into the project files that make them again, "
                           "as mfc/NAME.mfc below the working folder, or into <dir> with --out."));
    const QCommandLineOption forceOption(
            QStringLiteral("force"),
            QStringLiteral("With --import, replace a project file that exists."));
    parser.addOptions(
            {outOption, entryOption, checkOption, strictOption, importOption, forceOption});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Project files, or mission files with --import."),
                                 QStringLiteral("PROJECT.mfc... | --import MISSION.qav..."));

    const auto usageError = [](const QString &message) {
        printError(message + QStringLiteral("\nTry 'qavmake --help'."));
        return UsageError;
    };
    if (!parser.parse(arguments))
        return usageError(Platform::printableName(parser.errorText()));
    // Qt lists --help-all with --help; the program takes no options of Qt's to add to it.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return output.write(parser.helpText().toUtf8()) ? Success : Failure;
    if (parser.isSet(version)) {
        const QString line =
                QStringLiteral("qavmake %1\n").arg(QCoreApplication::applicationVersion());
        return output.write(line.toUtf8()) ? Success : Failure;
    }
    const QStringList projects = parser.positionalArguments();
    if (projects.isEmpty())
        return usageError(QStringLiteral("no project file given"));
    const Options options{parser.value(outOption), parser.isSet(entryOption),
                          parser.isSet(checkOption), parser.isSet(forceOption),
                          parser.isSet(strictOption)};
    if (parser.isSet(outOption) && options.out.isEmpty())
        return usageError(QStringLiteral("--out needs a folder"));
    if (options.strict && !options.check)
        return usageError(QStringLiteral("--strict goes with --check"));

    if (parser.isSet(importOption)) {
        Run run(options, {}, output);
        for (const QString &mission : projects)
            run.import(mission);
        return run.failed() || output.failed() ? Failure : Success;
    }
    Run run(options, projects, output);
    for (const QString &project : projects)
        run.make(project);
    return run.failed() || output.failed() ? Failure : Success;
}
