// SPDX-License-Identifier: MIT

#include "testsupport.h"

// The form table as the form applies it: names, option pairs, and what the readouts show when
// the form is created.
class tst_form : public QObject
{
    Q_OBJECT

private slots:
    void everyControlHasANameOfItsOwn()
    {
        QStringList names;
        for (int row = 0; row < Form::RowCount; ++row) {
            const Form::Control &control = Form::Table::Controls[row];
            names << Form::objectName(control);
            QVERIFY2(Form::find(names.last()) == Form::Id{row}, qPrintable(names.last()));
            if (control.caption)
                names << Form::captionObjectName(control);
        }
        QCOMPARE(names.removeDuplicates(), 0);
    }

    void readouts_data()
    {
        columns<QString, QString, QString, QString>({"field", "readout", "atStart", "shown"});
        // clang-format off
        QTest::newRow("wake-up time") << "txtLWakeUp" << "lblLs" << "T - s" << "T - 12s";
        QTest::newRow("ascent end periapsis") << "txtACompleteAt" << "lblPed" << "PeD = M" << "PeD = 12M";
        QTest::newRow("synchronizing reference") << "txtSReference" << "lblD" << "" << "12";
        QTest::newRow("reentry end height") << "txtRCompleteAt" << "lblRCompleteAt" << "H = k" << "H = 12k";
        // clang-format on
    }

    // A readout starts as its field's rule would show an empty text, and follows the field
    // there and back.
    void readouts()
    {
        QFETCH(QString, field);
        QFETCH(QString, readout);
        QFETCH(QString, atStart);
        QFETCH(QString, shown);
        Core core;
        QCOMPARE(core.value(readout), atStart);
        core.edit({field + "=12"});
        QCOMPARE(core.value(readout), shown);
        core.edit({field + '='});
        QCOMPARE(core.value(readout), atStart);
    }
};

QTEST_GUILESS_MAIN(tst_form)
#include "tst_form.moc"
