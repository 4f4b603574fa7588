// SPDX-License-Identifier: MIT

#include <QApplication>

#include "frmMain.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QAVMaker"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    frmMain window(missionModel());
    window.show();
    return app.exec();
}
