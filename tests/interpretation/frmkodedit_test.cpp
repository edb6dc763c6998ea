#include "chart/interpretation/frmkodedit.h"
#include "platform/textfile.h"
#include "tests/support/scriptedprompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace velorin;
using velorin::test::ScriptedPrompts;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void clickRow(frmKodedit& w, int index) {
    QTreeWidgetItem* row = w.LV->topLevelItem(index);
    w.LV->scrollToItem(row);
    const QRect r = w.LV->visualItemRect(row);
    QTest::mouseClick(w.LV->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class FrmKodeditTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir.isValid());
        path = dir.filePath("cod.dat");
        QVERIFY(writeDefaultCodeTable(path));
        setPrompts(&ui);
    }
    void cleanup() {
        setPrompts(nullptr);
        ui = ScriptedPrompts();
    }

    void defaultTableShowsEveryRowUnassigned() {
        frmKodedit w(path);
        QCOMPARE(w.windowTitle(), QString::fromUtf8("Kód szerkesztő"));
        QCOMPARE(w.LV->topLevelItemCount(), int(defaultCodeEntries().size()));
        QCOMPARE(w.LV->headerItem()->text(0), QString::fromUtf8("Kód"));
        QCOMPARE(w.LV->headerItem()->text(2), QString::fromUtf8("Hozzárendelt file"));
        QCOMPARE(w.LV->columnWidth(1), 3500 / 15);
        for (int i = 0; i < w.LV->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = w.LV->topLevelItem(i);
            QCOMPARE(frmKodedit::rowIcon(row), CodeIcon::None);
            QCOMPARE(row->text(2), kNoFileAssigned);
        }
        QCOMPARE(w.LV->topLevelItem(2)->text(1), QString::fromUtf8("MERKUR retrográd - férfi."));
    }

    void choosingAFileChangesOnlyItsLine() {
        const QByteArray before = fileBytes(path);
        const QString chosen = dir.filePath(QString::fromUtf8("nap_kos ő.txt"));
        ui.files = {chosen};
        frmKodedit w(path);
        w.show();
        clickRow(w, 18);
        QCOMPARE(w.L1->text(), QString("F_NAPKOK"));
        QCOMPARE(w.Label1->text(), QString::fromUtf8("F_NAPKOK (NAP a Kosban (kevert) - férfi.)"));
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QCOMPARE(ui.fileDialogs.size(), qsizetype(1));
        QCOMPARE(ui.fileDialogs[0].filter, QString("Text (*.txt);;All (*.*)"));
        QCOMPARE(w.Text9->text(), chosen);
        QCOMPARE(frmKodedit::rowIcon(w.LV->topLevelItem(18)), CodeIcon::Assigned);
        QCOMPARE(w.L3->text(), chosen);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(!w.isVisible());

        QList<QByteArray> oldLines = before.split('\n');
        QList<QByteArray> newLines = fileBytes(path).split('\n');
        QCOMPARE(newLines.size(), oldLines.size());
        for (int i = 0; i < oldLines.size(); ++i)
            if (i != 18)
                QCOMPARE(newLines[i], oldLines[i]);
        QCOMPARE(newLines[18], "\"F_NAPKOK\",\"NAP a Kosban (kevert) - f\xE9rfi.\",\"" +
                                   toCp1250(chosen) + "\"\r");
    }

    void aDeletedFileShowsScissorsUntilCleared() {
        const QString gone = dir.filePath("gone.txt");
        std::vector<CodeEntry> entries;
        QVERIFY(readCodeFile(path, entries));
        entries[18].file = gone;
        entries[19].file = dir.filePath("cod.dat"); // exists
        QVERIFY(saveCodeFile(path, entries));

        frmKodedit w(path);
        w.show();
        QCOMPARE(frmKodedit::rowIcon(w.LV->topLevelItem(18)), CodeIcon::Missing);
        QCOMPARE(frmKodedit::rowIcon(w.LV->topLevelItem(19)), CodeIcon::Assigned);
        QCOMPARE(w.LV->topLevelItem(18)->text(2), gone);
        clickRow(w, 18);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QCOMPARE(frmKodedit::rowIcon(w.LV->topLevelItem(18)), CodeIcon::None);
        QCOMPARE(w.LV->topLevelItem(18)->text(2), kNoFileAssigned);
    }

    void rowButtonsNeedASelectionAndACancelChangesNothing() {
        frmKodedit w(path);
        w.show();
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        QVERIFY(ui.fileDialogs.empty());
        clickRow(w, 5);
        QTest::mouseClick(w.Command2, Qt::LeftButton); // the fake answers "cancelled"
        QCOMPARE(ui.fileDialogs.size(), qsizetype(1));
        QCOMPARE(frmKodedit::rowIcon(w.LV->topLevelItem(5)), CodeIcon::None);
        QCOMPARE(w.Text9->text(), QString());
    }

    void closingByTheFrameLeavesTheFileAlone() {
        const QByteArray before = fileBytes(path);
        ui.files = {dir.filePath("x.txt")};
        frmKodedit w(path);
        w.show();
        clickRow(w, 0);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QVERIFY(w.close());
        QCOMPARE(fileBytes(path), before);
    }

    void anUnreadableTableCannotBeSavedOverTheRealOne() {
        frmKodedit w(dir.filePath("nincs/cod.dat"));
        QCOMPARE(ui.messages.size(), qsizetype(1));
        QCOMPARE(w.LV->topLevelItemCount(), 0);
        QVERIFY(!w.Command1->isEnabled());
    }

private:
    QTemporaryDir dir;
    QString path;
    ScriptedPrompts ui;
};

QTEST_MAIN(FrmKodeditTest)
#include "frmkodedit_test.moc"
