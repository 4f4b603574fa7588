// SPDX-License-Identifier: MIT

// Times one "Make Mission" (mission file, settings.dat and project file) into a temporary
// folder, many times over, and prints the median. Not a test: run it by hand.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

#include "errorreport.h"
#include "frmMain.h"

namespace {

class SilentReport final : public ErrorReport
{
public:
    void report(QWidget *, const QString &, const QString &text) override { failures << text; }
    QStringList failures;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500;

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkdir(QStringLiteral("missions"));

    MissionModel model;
    auto report = std::make_unique<SilentReport>();
    SilentReport *failures = report.get();
    frmMain window(model, {}, std::move(report));
    for (QLineEdit *box : window.findChildren<QLineEdit *>())
        box->setText(box->objectName() + QStringLiteral(" value"));
    window.findChild<QLineEdit *>(QStringLiteral("txtDirectory"))->setText(QStringLiteral("missions"));
    window.findChild<QLineEdit *>(QStringLiteral("txtFileName"))->setText(QStringLiteral("bench"));
    auto *make = window.findChild<QPushButton *>(QStringLiteral("cmdMakeMission"));

    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        make->click();
        nanoseconds.push_back(timer.nsecsElapsed());
    }
    if (!failures->failures.isEmpty()) {
        QTextStream(stderr) << "Make Mission failed: " << failures->failures.first() << '\n';
        return 1;
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    QTextStream(stdout) << "Make Mission, " << runs << " runs: median "
                        << nanoseconds[nanoseconds.size() / 2] / 1000.0 << " us, min "
                        << nanoseconds.front() / 1000.0 << " us, max "
                        << nanoseconds.back() / 1000.0 << " us\n";
    return 0;
}
