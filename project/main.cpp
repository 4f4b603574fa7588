// SPDX-License-Identifier: MIT

#include <QApplication>

#include "filestore.h"
#include "frmMain.h"
#include "frmMain_window.h"

int main(int argc, char *argv[])
{
    Platform::prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QAVMaker"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    frmMain form(missionModel());
    frmMainWindow window(form, {}, {}, frmMainWindow::Pages::OthersOnceShown);
    window.show();
    return app.exec();
}
