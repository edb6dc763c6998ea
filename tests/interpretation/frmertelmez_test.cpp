#include "chart/interpretation/frmertelmez.h"
#include "interpretation/rtf.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "tests/support/scriptedprompts.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest>

using namespace velorin;
using velorin::test::FakeShell;
using velorin::test::ScriptedPrompts;

namespace {

const QString kQuestion = QString::fromUtf8("A dokumentum módositva volt. Menti a változásokat?");

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// Kept on the stack in the tests, so the window must not delete itself.
struct Editor : frmErtelmez {
    Editor() {
        setAttribute(Qt::WA_DeleteOnClose, false);
        show();
    }
};

} // namespace

class FrmErtelmezTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir.isValid());
        setProgramFolderOverride(dir.path() + "/");
        setPrompts(&ui);
        setShellOpener(&shell);
    }
    void cleanup() {
        setPrompts(nullptr);
        setShellOpener(nullptr);
        setProgramFolderOverride(QString());
        ui = ScriptedPrompts();
        shell = FakeShell();
    }

    void startsAsANewTranslucentDocument() {
        Editor w;
        QCOMPARE(w.windowTitle(), QString("Uj"));
        QVERIFY(!w.isModified());
        QCOMPARE(qRound(w.windowOpacity() * 255), 180);
        w.setTranslucency(256);
        w.setTranslucency(-1);
        QCOMPARE(qRound(w.windowOpacity() * 255), 180);
        w.setTranslucency(255);
        QCOMPARE(w.windowOpacity(), 1.0);

        QStringList captions;
        for (QAction* top : w.menuBar()->actions()) {
            if (top->menu())
                for (QAction* a : top->menu()->actions())
                    captions << a->objectName();
            else
                captions << top->objectName();
        }
        QCOMPARE(captions,
                 QStringList({"mnuUj", "mnuMegnyit", "mnuMentes", "mnuMaskepp", "mnuWord",
                              "mnuNyomtatas", "mnuBold", "mnuItalic", "mnuUnderline", "mnuKilep"}));
        QVERIFY2(w.close(), "an untouched document closes without a question");
        QVERIFY(ui.questions.isEmpty());
    }

    void saveOnANewDocumentIsSaveAsAndACancelStillClearsTheFlag() {
        Editor w;
        QTest::keyClicks(w.RC, "text");
        QVERIFY(w.isModified());
        w.mnuMentes->trigger(); // the fake's save dialog answers "cancelled"
        QCOMPARE(ui.fileDialogs.size(), qsizetype(1));
        QCOMPARE(ui.fileDialogs[0].title, QString::fromUtf8("Értelmezés mentése"));
        QCOMPARE(ui.fileDialogs[0].startFolder, dir.path() + "/radix");
        QCOMPARE(w.windowTitle(), QString("Uj"));
        QVERIFY(!w.isModified());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
        QVERIFY(w.close());
        QVERIFY(ui.questions.isEmpty());
    }

    void theEndingDecidesRichOrPlainText() {
        Editor w;
        w.RC->insertPlainText(QString::fromUtf8("Kő {x}"));
        const QString rtfPath = dir.filePath("a.RTF");
        ui.files = {rtfPath};
        w.mnuMaskepp->trigger();
        QCOMPARE(w.windowTitle(), rtfPath);
        QVERIFY(!w.isModified());
        const QByteArray rtf = fileBytes(rtfPath);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.endsWith("}\r\n\r\n"));
        QCOMPARE(rtfToPlainText(rtf), QString::fromUtf8("Kő {x}"));

        const QString docPath = dir.filePath("b.doc");
        ui.files = {docPath};
        w.mnuMaskepp->trigger();
        QCOMPARE(fileBytes(docPath), toCp1250(QString::fromUtf8("Kő {x}\r\n")));
    }

    void openSetsTheCaptionAndSaveWritesBack() {
        const QString path = dir.filePath("passage.txt");
        writeFile(path, toCp1250(QString::fromUtf8("első sor\r\nmásodik\r\n")));
        Editor w;
        ui.files = {path};
        w.mnuMegnyit->trigger();
        QCOMPARE(ui.fileDialogs[0].title, QString::fromUtf8("Értelmezés megnyitása"));
        QCOMPARE(ui.fileDialogs[0].filter, QString::fromUtf8("Támogatott filek (*.txt *.rtf)"));
        QCOMPARE(w.windowTitle(), path);
        QCOMPARE(w.RC->toPlainText(), QString::fromUtf8("első sor\nmásodik"));
        QVERIFY2(w.isModified(), "an opened document counts as changed");

        w.RC->moveCursor(QTextCursor::End);
        QTest::keyClicks(w.RC, "!");
        w.mnuMentes->trigger();
        QCOMPARE(ui.fileDialogs.size(), qsizetype(1)); // no dialog for a named document
        QCOMPARE(fileBytes(path), toCp1250(QString::fromUtf8("első sor\r\nmásodik!\r\n")));
        QVERIFY(!w.isModified());
    }

    void openKeepsTheFormattingOfRichText() {
        const QString path = dir.filePath("p.rtf");
        writeFile(path, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a{\\b b}c}");
        Editor w;
        ui.files = {path};
        w.mnuMegnyit->trigger();
        QCOMPARE(w.RC->toPlainText(), QString("abc"));
        QTextCursor c(w.RC->document());
        c.setPosition(2);
        QVERIFY(c.charFormat().fontWeight() >= QFont::Bold);
    }

    void unsavedChangesAreAskedAbout() {
        Editor w;
        QTest::keyClicks(w.RC, "keep me");
        ui.answers = {Answer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(w.RC->toPlainText(), QString("keep me"));
        QCOMPARE(ui.questions, QStringList{kQuestion});

        ui.answers = {Answer::Cancel};
        w.mnuMegnyit->trigger();
        QVERIFY2(ui.fileDialogs.empty(), "Cancel stops before the file dialog");
        ui.answers = {Answer::Cancel};
        w.mnuUj->trigger();
        QCOMPARE(w.RC->toPlainText(), QString("keep me"));

        ui.answers = {Answer::No};
        w.mnuUj->trigger();
        QCOMPARE(w.RC->toPlainText(), QString());
        QVERIFY2(w.isModified(), "a cleared document counts as changed");

        const QString path = dir.filePath("yes.txt");
        ui.answers = {Answer::Yes};
        ui.files = {path};
        w.mnuKilep->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(fileBytes(path), QByteArray("\r\n"));
    }

    void aFailedWriteKeepsTheChangesAndTheWindow() {
        Editor w;
        QTest::keyClicks(w.RC, "precious");
        ui.files = {dir.filePath("no/such/folder/x.txt")};
        w.mnuMaskepp->trigger();
        QCOMPARE(ui.messages.size(), qsizetype(1));
        QCOMPARE(w.windowTitle(), QString("Uj"));
        QVERIFY(w.isModified());

        ui.answers = {Answer::Yes};
        ui.files = {dir.filePath("no/such/folder/y.txt")};
        QVERIFY(!w.close());
        QCOMPARE(w.RC->toPlainText(), QString("precious"));
    }

    void stylesToggleAndAMixedSelectionReadsAsUnset() {
        Editor w;
        QTest::keyClicks(w.RC, "abcd");
        QTextCursor c = w.RC->textCursor();
        c.setPosition(0);
        c.setPosition(2, QTextCursor::KeepAnchor);
        w.RC->setTextCursor(c);
        w.mnuBold->trigger(); // "ab" bold
        c.setPosition(0);
        c.setPosition(4, QTextCursor::KeepAnchor);
        w.RC->setTextCursor(c);
        w.mnuBold->trigger(); // mixed: everything bold
        for (int p = 1; p <= 4; ++p) {
            QTextCursor at(w.RC->document());
            at.setPosition(p);
            QVERIFY(at.charFormat().fontWeight() >= QFont::Bold);
        }
        w.mnuBold->trigger(); // all bold: everything plain
        QTextCursor at(w.RC->document());
        at.setPosition(1);
        QVERIFY(at.charFormat().fontWeight() < QFont::Bold);
        w.mnuItalic->trigger();
        w.mnuUnderline->trigger();
        at.setPosition(3);
        QVERIFY(at.charFormat().fontItalic());
        QVERIFY(at.charFormat().fontUnderline());
    }

    void printTakesTheSelectionOrTheWholeText() {
        Editor w;
        QStringList printed;
        w.setPrinter([&](QTextDocument& d) { printed << d.toPlainText(); });
        QTest::keyClicks(w.RC, "hello world");
        w.mnuNyomtatas->trigger();
        QTextCursor c = w.RC->textCursor();
        c.setPosition(6);
        c.setPosition(11, QTextCursor::KeepAnchor);
        w.RC->setTextCursor(c);
        w.mnuNyomtatas->trigger();
        QCOMPARE(printed, QStringList({"hello world", "world"}));
    }

    void saveAsAndOpenHandsTheFileToTheShell() {
        Editor w;
        QTest::keyClicks(w.RC, "x");
        w.mnuWord->trigger(); // cancelled: nothing to open
        QVERIFY(shell.opened.isEmpty());
        const QString path = dir.filePath("w.rtf");
        ui.files = {path};
        w.mnuWord->trigger();
        QCOMPARE(shell.opened, QStringList{path});
        QVERIFY(QFile::exists(path));
    }

private:
    QTemporaryDir dir;
    ScriptedPrompts ui;
    FakeShell shell;
};

QTEST_MAIN(FrmErtelmezTest)
#include "frmertelmez_test.moc"
