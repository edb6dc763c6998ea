#include "chart/interpretation/frmselect.h"
#include "chart/interpretation/interpretationcommands.h"
#include "platform/folders.h"
#include "tests/support/scriptedprompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velorin;

namespace {

// Answers the next modal frmSelect as soon as it is shown.
void answerDialogWith(bool ok) {
    QTimer::singleShot(0, [ok] {
        auto* dlg = qobject_cast<frmSelect*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        (ok ? dlg->Command1 : dlg->Command2)->click();
    });
}

} // namespace

class FrmSelectTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheFirstOptionAndTheRepair() {
        frmSelect dlg;
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Elemző szöveg generálása - beállitások"));
        QVERIFY(dlg.Option1->isChecked());
        QVERIFY(dlg.Check1->isChecked());
        QVERIFY(!dlg.Option2->isChecked());
        QVERIFY(!dlg.Option3->isChecked());
        QCOMPARE(dlg.Command2->text(), QString::fromUtf8("MÉGSEM"));
    }

    void okGivesTheModeOfTheOptions_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("repair");
        QTest::addColumn<int>("mode");
        QTest::newRow("doc with repair") << 1 << true << 2;
        QTest::newRow("doc without repair") << 1 << false << 1;
        QTest::newRow("txt ignores the box") << 2 << true << 3;
        QTest::newRow("rich text ignores the box") << 3 << false << 4;
    }
    void okGivesTheModeOfTheOptions() {
        QFETCH(int, option);
        QFETCH(bool, repair);
        QFETCH(int, mode);
        frmSelect dlg;
        dlg.show();
        QRadioButton* options[] = {dlg.Option1, dlg.Option2, dlg.Option3};
        options[option - 1]->setChecked(true);
        dlg.Check1->setChecked(repair);
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QCOMPARE(int(dlg.mode()), mode);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
    }

    void everyOtherWayOutCancels() {
        frmSelect byButton;
        byButton.show();
        QTest::mouseClick(byButton.Command2, Qt::LeftButton);
        QCOMPARE(byButton.mode(), GenerationMode::None);
        QVERIFY(!byButton.isVisible());

        frmSelect byFrame;
        byFrame.show();
        byFrame.Option2->setChecked(true);
        QVERIFY(byFrame.close());
        QCOMPARE(byFrame.mode(), GenerationMode::None);

        frmSelect byEscape;
        byEscape.show();
        QTest::keyClick(&byEscape, Qt::Key_Escape);
        QCOMPARE(byEscape.mode(), GenerationMode::None);
    }

    void theCommandGeneratesAndOpensEachNewDocument() {
        QTemporaryDir dir;
        setDataRootOverride(dir.path() + "/");
        QDir().mkpath(textFolder());
        velorin::test::ScriptedPrompts ui;
        velorin::test::FakeShell shell;
        setPrompts(&ui);
        setShellOpener(&shell);
        CodeTable table;
        table.assign(defaultCodeEntries());
        GenerationRequest request;
        request.codes = {"ELOSZO0", "ELOSZO"};
        request.name = "Anna";
        int prepared = 0;
        const auto prepare = [&] { ++prepared; };

        answerDialogWith(false);
        GenerationResult r = runGenerateInterpretation(nullptr, table, request, prepare);
        QCOMPARE(r.status, GenerationResult::Status::Cancelled);
        QCOMPARE(prepared, 0);
        QVERIFY(QDir(textFolder()).isEmpty());

        for (const char* name : {"Anna.doc", "Anna(2).doc"}) {
            answerDialogWith(true);
            r = runGenerateInterpretation(nullptr, table, request, prepare);
            QCOMPARE(r.status, GenerationResult::Status::Written);
            QCOMPARE(r.path, textFolder() + name);
        }
        QCOMPARE(prepared, 2);
        QCOMPARE(shell.opened,
                 QStringList({textFolder() + "Anna.doc", textFolder() + "Anna(2).doc"}));
        QVERIFY(ui.messages.isEmpty());

        // Nothing on the machine opens the document: the user learns where it is.
        shell.succeeds = false;
        answerDialogWith(true);
        r = runGenerateInterpretation(nullptr, table, request, prepare);
        QCOMPARE(r.path, textFolder() + "Anna(3).doc");
        QCOMPARE(ui.messages.size(), qsizetype(1));
        QVERIFY(ui.messages[0].text.endsWith(r.path));

        setPrompts(nullptr);
        setShellOpener(nullptr);
        setDataRootOverride(QString());
    }
};

QTEST_MAIN(FrmSelectTest)
#include "frmselect_test.moc"
