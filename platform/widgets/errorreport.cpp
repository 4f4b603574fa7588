// SPDX-License-Identifier: MIT

#include "errorreport.h"

#include <QMessageBox>

namespace {

// A message box breaks its lines at blanks only, and cuts a longer run (a path, most often)
// at its edge, the middle of it lost. A zero-width space after each character of a long run
// lets the line break anywhere in it, and shows nothing.
QString breakableAnywhere(const QString &text)
{
    constexpr qsizetype LongRun = 16;
    constexpr QChar BreakHere(0x200B);
    QString out;
    out.reserve(text.size() * 2);
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        const QStringView run = QStringView(text).sliced(start, end - start);
        if (run.size() <= LongRun) {
            out += run;
            return;
        }
        for (qsizetype i = 0; i < run.size(); ++i) {
            out += run[i];
            // Between the halves of a surrogate pair no break may go.
            if (!run[i].isHighSurrogate() && i + 1 < run.size())
                out += BreakHere;
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            flush(i);
            out += text[i];
            start = i + 1;
        }
    }
    flush(text.size());
    return out;
}

} // namespace

void MessageBoxErrorReport::report(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, breakableAnywhere(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
