// SPDX-License-Identifier: MIT

// The yardstick for the editor's start-up: the least a Qt Widgets program does to show a
// window of the same size. With "--label" it also shows one line of text, which is enough
// to make Qt read the fonts and connect to the accessibility service, as any window with
// text does.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(674, 544);
    if (QApplication::arguments().contains(QStringLiteral("--label")))
        new QLabel(QStringLiteral("Minimal"), &window);
    window.show();
    return app.exec();
}
