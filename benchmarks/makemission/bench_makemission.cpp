// SPDX-License-Identifier: MIT

// Times one "Make Mission" (mission file, settings.dat and project file) into a temporary
// folder, many times over, and prints the median. Not a test: run it by hand.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

#include "frmMain.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500;

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkdir(QStringLiteral("missions"));

    MissionModel model;
    frmMain form(model);
    for (int row = 0; row < Form::RowCount; ++row) {
        if (Form::Table::Controls[row].kind == Form::Kind::TextBox)
            form.setText({row}, Form::objectName(Form::Id{row}) + QStringLiteral(" value"));
    }
    form.setText(Form::id("txtDirectory"), QStringLiteral("missions"));
    form.setText(Form::id("txtFileName"), QStringLiteral("bench"));

    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(std::size_t(runs));
    QString failure;
    for (int i = 0; i < runs && failure.isEmpty(); ++i) {
        QElapsedTimer timer;
        timer.start();
        failure = form.cmdMakeMission_Click();
        nanoseconds.push_back(timer.nsecsElapsed());
    }
    if (!failure.isEmpty()) {
        QTextStream(stderr) << "Make Mission failed: " << failure << '\n';
        return 1;
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    QTextStream(stdout) << "Make Mission, " << runs << " runs: median "
                        << nanoseconds[nanoseconds.size() / 2] / 1000.0 << " us, min "
                        << nanoseconds.front() / 1000.0 << " us, max "
                        << nanoseconds.back() / 1000.0 << " us\n";
    return 0;
}
