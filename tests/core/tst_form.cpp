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
        // Only a step that can be left out has a pair of options.
        for (const Form::Control &control : Form::controls())
            QVERIFY(control.kind != Form::Kind::OptionButton || Form::isOptional(control.tab));
        // What assistive tools call a field: its caption, and which box of its row it is.
        QStringList spoken;
        for (const char *name : {"txtLStartAt", "txtLBase(0)", "txtLBase(2)", "txtAHeight(3)"})
            spoken << Form::accessibleName(Core::id(name).control());
        QCOMPARE(spoken, (QStringList{"Start At", "Base (planet)", "Base (port)", "Height 4"}));
    }

    // A readout starts as its field's rule would show an empty text.
    void readoutsStartAsTheyShowAnEmptyField()
    {
        int readouts = 0;
        for (int row = 0; row < Form::RowCount; ++row) {
            if (const std::optional<Form::Id> readout = Form::readoutOf({row})) {
                Core core;
                const QString atStart = core.form.text(*readout);
                core.form.setText({row}, "x");
                QVERIFY(core.form.text(*readout) != atStart);
                core.form.setText({row}, "");
                QCOMPARE(core.form.text(*readout), atStart);
                ++readouts;
            }
        }
        QCOMPARE(readouts, 6);
    }
};

QTEST_GUILESS_MAIN(tst_form)
#include "tst_form.moc"
