// The chart program's main window: start-up, settings panel, toolbar, the
// wheel surface and shut-down, offscreen.

#include "tests/support/formharness.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/interpretation/frmertelmez.h"
#include "chart/interpretation/frmselect.h"
#include "chart/shell/frmmain.h"
#include "chart/shell/setuppanel.h"
#include "chart/shell/wheelsurface.h"
#include "engine/sheet.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <memory>

using namespace velorin;
using namespace velorin::test;

class MainWindowTest : public QObject {
    Q_OBJECT
public:
    explicit MainWindowTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    std::unique_ptr<frmMain> m_w;

    template <typename T> T* own(const char* name) {
        return m_w->findChild<T*>(name, Qt::FindDirectChildrenOnly);
    }
    QLineEdit* formBox(const char* name) { return control<QLineEdit>(m_w->adatok(), name); }
    SetupPanel* panel() { return own<SetupPanel>("pSetup"); }
    WheelSurface* surface() { return own<WheelSurface>("wheelSurface"); }
    void start(const QString& chartPath = QString()) {
        m_w = std::make_unique<frmMain>(chartPath);
        m_w->show();
    }
    static QString stored(const char* app, const char* section, const char* key) {
        return SettingsStore::get(app, section, key);
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        setClock([] {
            return QDateTime(QDate(2009, 10, 31), QTime(15, 15), QTimeZone("Europe/Budapest"));
        });
    }
    void cleanup() {
        m_w.reset();
        setPrompts(nullptr);
    }

    void interpretationButtonsOpenTheirWindows() {
        struct RecordingShell : ShellOpener {
            QStringList opened;
            bool open(const QString& path) override {
                opened << path;
                return true;
            }
        } shell;
        setShellOpener(&shell);
        start();
        // Button 11: the mode dialog is answered with plain text; the document
        // is written under the person's name and shown in the main window.
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<frmSelect*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->Option2->setChecked(true);
            dlg->Command1->click();
        });
        own<QToolButton>("PPP_11")->click();
        setShellOpener(nullptr);
        QCOMPARE(shell.opened.size(), 1);
        QVERIFY(shell.opened[0].endsWith("SZOVEG/Ma.txt"));
        QVERIFY(QFileInfo::exists(shell.opened[0]));
        auto* text = own<QTextEdit>("txtErtelmez");
        QVERIFY(text->isVisible());
        QVERIFY(text->toPlainText().contains("NAP"));
        QVERIFY(!own<QTextEdit>("txtAdat")->isVisible());

        // Button 13: a modeless interpretation editor of its own.
        own<QToolButton>("PPP_13")->click();
        auto* editor = m_w->findChild<frmErtelmez*>();
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        editor->close();
    }

    // Button 17 and F12: the report of the chart on the wheel, in the mode
    // picked, written beside the interpretations and opened; a second one
    // never replaces the first.
    void reportButtonWritesAndOpensAPdf() {
        struct RecordingShell : ShellOpener {
            QStringList opened;
            bool open(const QString& path) override {
                opened << path;
                return true;
            }
        } shell;
        setShellOpener(&shell);
        start();
        auto answer = [] {
            QTimer::singleShot(0, [] {
                auto* dlg = qobject_cast<frmSelect*>(QApplication::activeModalWidget());
                QVERIFY(dlg);
                dlg->Option2->setChecked(true);
                dlg->Command1->click();
            });
        };
        answer();
        own<QToolButton>("PPP_17")->click();
        answer();
        QTest::keyClick(m_w.get(), Qt::Key_F12);
        // Cancelled: nothing is written.
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<frmSelect*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->reject();
        });
        QTest::keyClick(m_w.get(), Qt::Key_F12);
        setShellOpener(nullptr);
        QCOMPARE(shell.opened.size(), 2);
        QVERIFY2(shell.opened[0].endsWith("SZOVEG/Ma.pdf"), qPrintable(shell.opened[0]));
        QVERIFY(shell.opened[1] != shell.opened[0]);
        for (const QString& path : shell.opened) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().startsWith("%PDF-"));
        }
        QCOMPARE(QDir(m_env.path("ASTRO_DATA") + "/SZOVEG").entryList({"*.pdf"}).size(), 2);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // The house system: read from the store at start (an unknown letter is
    // Placidus), chosen in the panel, saved by OK and followed by the chart.
    void houseSystemChoiceIsStoredAndFollowed() {
        TestEnvironment::setStored(kSettingsApp, "set", "HAZRENDSZER", "w");
        start();
        auto* list = panel()->findChild<QComboBox*>("cboHouses");
        QVERIFY(list);
        QCOMPARE(list->count(), 10);
        QCOMPARE(list->currentText(), QString("Egész jegyes házak"));
        QCOMPARE(m_w->chart()->houseSystem, 'W');
        QCOMPARE(std::fmod(m_w->chart()->cusps[1], 30.0), 0.0);

        m_w->PPP_Click(10);
        list->setCurrentIndex(list->findData(QChar('K')));
        if (qEnvironmentVariableIsSet("VELORIN_SCREENSHOT"))
            m_w->grab().save(qEnvironmentVariable("VELORIN_SCREENSHOT"));
        QTest::mouseClick(panel()->Command1, Qt::LeftButton);
        QCOMPARE(stored(kSettingsApp, "set", "HAZRENDSZER"), QString("K"));
        QCOMPARE(m_w->state().settings.houseSystem, 'K');
        QCOMPARE(m_w->chart()->requestedHouseSystem, 'K');
        m_w->PPP_Click(5);
        QVERIFY(own<QTextEdit>("txtAdat")->toPlainText().contains("Házrendszer: Koch"));
        m_w.reset();

        TestEnvironment::setStored(kSettingsApp, "set", "HAZRENDSZER", "Z");
        start();
        QCOMPARE(m_w->chart()->houseSystem, 'P');
        QCOMPARE(panel()->findChild<QComboBox*>("cboHouses")->currentText(), QString("Placidus"));
    }

    void firstStartShowsTodaysChart() {
        start();
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(m_w->loaded());
        QVERIFY(m_w->chart());
        QCOMPARE(m_w->windowTitle(), QString("Tarvessa [Ma]"));
        QCOMPARE(own<QLabel>("Label3")->text(), QString("Tarvessa Ver 1.0.0"));
        QCOMPARE(own<QLabel>("Label2")->text(),
                 QString("Ma [2009.10.31 15:15] [19 07 K  47 035 É  (-1)]"));
        QCOMPARE(m_w->codes().mid(0, 2), QStringList({"ELOSZO0", "ELOSZO"}));
        QVERIFY(m_w->codes().size() > 20);
        QVERIFY(m_w->dataSheetText().startsWith(
            "Ma\r\n2009.10.31 15:15\r\n[19:07 - K , 47:035 - É, IZ: -1]\r\n\r\n"));
        QVERIFY(!m_w->state().chartSaved);

        // The empty store: default working values, and the panel shows them.
        const WorkingSettings& ws = m_w->state().settings;
        QCOMPARE(ws.orbs, (std::array<float, 8>{10, 3, 3, 5, 7, 3, 3, 10}));
        QCOMPARE(ws.bandColor, BgrColor(0xE0E0E0));
        QCOMPARE(ws.anticipation, 6.0f);
        QVERIFY(!ws.showAsc && !ws.showFok);
        QCOMPARE(panel()->orbBoxes[0]->text(), QString("10"));
        QCOMPARE(panel()->PCol2[4]->color(), BgrColor(0xE0E0E0));

        // Folders under the data root and beside the program.
        for (const char* sub : {"RADIX", "KEPEK", "HANG", "SZOVEG"})
            QVERIFY2(QFileInfo(m_env.path("ASTRO_DATA") + "/" + sub).isDir(), sub);
        QVERIFY(QFileInfo(m_env.path("home") + "/radix").isDir());
        // The code table is written beside the program and loaded.
        QVERIFY(QFileInfo::exists(m_env.path("home") + "/cod.dat"));
        QCOMPARE(m_w->codeTable().size(), int(defaultCodeEntries().size()));

        // The .ast association for this desktop user.
        const QByteArray desktop = TestEnvironment::readBytes(
            m_env.path("share") + "/applications/velorin-tarvessa.desktop");
        QVERIFY(desktop.contains("MimeType=application/x-velorin-ast;"));
        QVERIFY(desktop.contains(" %f\n"));
        const QByteArray mime =
            TestEnvironment::readBytes(m_env.path("share") + "/mime/packages/velorin-ast.xml");
        QVERIFY(mime.contains("<glob pattern=\"*.ast\"/>"));
        QVERIFY(mime.contains("Velorin Document"));

        // The wheel fills the client area.
        QCOMPARE(surface()->picture().size(), m_w->size());
    }

    void opensWithinASmallScreenWithEveryControlOnIt() {
        // The offscreen screen is 800 x 600, smaller than the window would like.
        start();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QVERIFY(m_w->screen()->availableGeometry().contains(m_w->frameGeometry()));
        QCOMPARE(surface()->picture().size(), m_w->size());
        for (const char* name : {"Label2", "Label3", "lstFelre", "PPP_16"}) {
            auto* w = own<QWidget>(name);
            QVERIFY2(w && m_w->rect().contains(w->geometry()), name);
        }
        // The recorder's buttons stand above the caption in the corner.
        auto* caption = own<QLabel>("Label2");
        bool recorderSeen = false;
        for (QWidget* w : m_w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->inherits("velorin::RecorderControl")) {
                recorderSeen = true;
                QVERIFY(m_w->rect().contains(w->geometry()));
                QVERIFY(w->geometry().bottom() < caption->geometry().top());
            }
        QVERIFY(recorderSeen);
        // No body glyph is painted under the toolbar or past an edge.
        auto* lastButton = own<QToolButton>("PPP_16");
        const QImage wheel = surface()->picture();
        QCOMPARE(surface()->glyphs().size(), size_t(15));
        for (const auto& [index, glyph] : surface()->glyphs()) {
            QVERIFY2(wheel.rect().contains(glyph), qPrintable(QString::number(index)));
            QVERIFY2(glyph.top() > lastButton->geometry().bottom(),
                     qPrintable(QString::number(index)));
        }
    }

    void startsWithTheChartOnTheCommandLine() {
        const QString path = m_env.chartFolder() + "Anna.ast";
        TestEnvironment::writeBytes(
            path, toCp1250("\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"30\",\"19\","
                           "\"5\",\"5\",0,\"\",#TRUE#,\"Nő\"\r\n"));
        start(path);
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_w->windowTitle(), QString("Tarvessa [Anna]"));
        QVERIFY(m_w->state().chartSaved);
        QCOMPARE(m_w->state().currentChartPath, path);
        QCOMPARE(m_w->adatok()->entry().zone, QString("5"));
        QVERIFY(m_w->adatok()->findChild<QRadioButton*>("optWest")->isChecked());
    }

#ifdef VELORIN_CLI_PATH
    // The window and the command line print the same data sheet and codes.
    void sheetAndCodesMatchTheCommandLine() {
        const QString path = m_env.chartFolder() + "Bob.ast";
        TestEnvironment::writeBytes(
            path, toCp1250("\"Bob\",\"1969\",\"7\",\"20\",\"08\",\"17\",\"40\",\"43\","
                           "\"74\",\"0\",\"4\",1,\"első\r\nmásodik \",#FALSE#,\"Férfi\",#FALSE#,"
                           "#TRUE#\r\n"));
        start(path);
        auto run = [&](const char* what) {
            QProcess p;
            p.start(VELORIN_CLI_PATH, {"chart", path, what});
            p.waitForFinished(20000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        QCOMPARE(run("--sheet"), QString(m_w->dataSheetText()).replace("\r\n", "\n") + "\n");
        QCOMPARE(run("--codes"), m_w->codes().join('\n') + '\n');
    }
#endif

    void unreadableCommandLineChartIsReported() {
        start(m_env.chartFolder() + "missing.ast");
        // In Hungarian: which file failed, and that it and the form's present
        // moment are what stays.
        QCOMPARE(m_prompts.messages.size(), 1);
        const QString text = m_prompts.messages.first().text;
        QVERIFY2(text.startsWith("Az asztrógram file nem olvasható: " + m_env.chartFolder() +
                                 "missing.ast"),
                 qPrintable(text));
        QVERIFY2(text.endsWith("A file változatlan maradt; az adatok a jelen időpontot mutatják."),
                 qPrintable(text));
        // The program still starts, with the present moment.
        QVERIFY(m_w->chart());
        QCOMPARE(m_w->windowTitle(), QString("Tarvessa [Ma]"));
        QVERIFY(!m_w->state().chartSaved);
    }

    void storedSettingsAtStart() {
        // "HEF" alone: its anticipation, and the defaults for the group.
        TestEnvironment::setStored(kSettingsApp, "set", "HEF", "4");
        TestEnvironment::setStored(kProgramTitle, "setup", "showfok", "True");
        start();
        QCOMPARE(m_w->state().settings.anticipation, 4.0f);
        QCOMPARE(panel()->Text10->text(), QString("4"));
        QCOMPARE(m_w->state().settings.orbs[0], 10.0f);
        QVERIFY(!m_w->state().settings.showFok); // without "showasc" both stay
        m_w.reset();

        // A group with a colour missing: the load error, then the defaults,
        // and the program starts fully.
        TestEnvironment::setStored(kSettingsApp, "set", "0", "8");
        TestEnvironment::setStored(kProgramTitle, "setup", "showasc", "True");
        for (int n = 0; n < 8; ++n)
            if (n != 3)
                TestEnvironment::setStored(kSettingsApp, "set", QString("aspcolor-%1").arg(n),
                                           "255");
        start();
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages.first().text,
                 QString("A beállítások egyik színe (aspcolor-3) nem olvasható; az orbiszok és a "
                         "színek az alapértelmezettek. A tárolt beállítások változatlanok."));
        QCOMPARE(m_w->state().settings.orbs[0], 10.0f);
        QCOMPARE(m_w->state().settings.aspectColors[0], BgrColor(0));
        QVERIFY(m_w->state().settings.showAsc);
        QVERIFY(m_w->state().settings.showFok);
        QVERIFY(m_w->chart());
        QVERIFY(m_w->loaded());
    }

    void settingsPanelOkSavesAndRedraws() {
        start();
        m_w->PPP_Click(10);
        QVERIFY(panel()->isVisible());
        panel()->orbBoxes[0]->clear(); // emptied conjunction box
        panel()->orbBoxes[3]->setText("6");
        panel()->Text10->setText("4");
        m_prompts.colors << QColor(255, 0, 0) << QColor(0, 0, 255);
        panel()->PCol_Click(2);
        panel()->PCol2_Click(4);
        QTest::mouseClick(panel()->Command1, Qt::LeftButton);

        QCOMPARE(stored(kSettingsApp, "set", "0"), QString("9"));
        QCOMPARE(stored(kSettingsApp, "set", "90"), QString("6"));
        QCOMPARE(stored(kSettingsApp, "set", "HEF"), QString("4"));
        QCOMPARE(stored(kSettingsApp, "set", "aspcolor-2"), QString("255")); // 0xBBGGRR
        QCOMPARE(stored(kSettingsApp, "set", "PAL"), QString("16711680"));
        QCOMPARE(m_w->state().settings.orbs[0], 9.0f);
        QCOMPARE(m_w->state().settings.anticipation, 4.0f);
        QCOMPARE(m_w->state().settings.bandColor, BgrColor(0xFF0000));
        QVERIFY(!panel()->isVisible());
        QVERIFY(m_prompts.messages.isEmpty());
        // The new band colour is on the wheel, between R2 and R (where sign
        // glyphs and boundaries leave it visible).
        const QImage img = surface()->picture();
        const double cx = img.width() / 2.0, cy = img.height() / 2.0;
        const double r = 0.8 * (std::min(cx, cy) - 30);
        int blue = 0;
        for (int a = 0; a < 360; a += 5)
            blue += img.pixelColor(int(cx + r * std::cos(a * M_PI / 180)),
                                   int(cy - r * std::sin(a * M_PI / 180))) == QColor(0, 0, 255);
        QVERIFY2(blue > 50, qPrintable(QString::number(blue)));
    }

    void settingsOkKeepsThePersonInTheForm() {
        start();
        // A person typed and applied in a western zone, northern latitude.
        QComboBox* zones = m_w->adatok()->findChild<QComboBox*>("Combo2");
        zones->setCurrentIndex(8);
        m_w->adatok()->findChild<QRadioButton*>("optNorth")->setChecked(true);
        formBox("txtName")->setText("Bob");
        m_w->adatok()->mSzamol();
        m_w->PPP_Click(10);
        QTest::mouseClick(panel()->Command1, Qt::LeftButton);
        QCOMPARE(m_w->windowTitle(), QString("Tarvessa [Bob]"));
        QCOMPARE(m_w->adatok()->entry().zone, QString("5"));
        QVERIFY(m_w->adatok()->findChild<QRadioButton*>("optWest")->isChecked());
        QVERIFY(m_w->adatok()->findChild<QRadioButton*>("optNorth")->isChecked());
    }

    void aFieldThatCannotBeConvertedLeavesTheChartShown() {
        start();
        const QStringList codes = m_w->codes();
        const QString sheet = m_w->dataSheetText();
        const QString caption = own<QLabel>("Label2")->text();
        formBox("txtName")->setText("Uj");
        formBox("txtLatDeg")->setText("");
        m_w->adatok()->mSzamol();
        QCOMPARE(m_prompts.messageTexts(), QStringList{"Helytelen adat: SZÉL. FOK"});
        QCOMPARE(m_w->codes(), codes);
        QCOMPARE(m_w->dataSheetText(), sheet);
        QCOMPARE(own<QLabel>("Label2")->text(), caption);
        QCOMPARE(m_w->windowTitle(), QString("Tarvessa [Ma]"));
        // A resize redraws the same chart at the new size, without a message.
        m_w->resize(700, 500);
        QCOMPARE(surface()->picture().size(), QSize(700, 500));
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    void toolbarTextsAndPanelToggles() {
        start();
        // The program's own star pointer over every picture button.
        for (int n = 0; n < kToolbarButtons; ++n) {
            const QCursor cursor =
                own<QToolButton>(qPrintable(QStringLiteral("PPP_%1").arg(n)))->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), QPoint(10, 1));
            QVERIFY(!cursor.pixmap().isNull());
        }
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(own<QToolButton>("PPP_6"), &enter);
        QCOMPARE(own<QLabel>("Label3")->text(), QString("Asztrogram előrevivése 3 perccel"));

        auto* sheet = own<QTextEdit>("txtAdat");
        auto* list = own<QListWidget>("lstFelre");
        m_w->PPP_Click(5);
        QVERIFY(sheet->isVisible());
        QVERIFY(!list->isVisible());
        QVERIFY(sheet->toPlainText().startsWith("Ma\n2009.10.31 15:15\n"));
        // Settings over the sheet hide it; closing them brings the list back.
        m_w->PPP_Click(10);
        QVERIFY(panel()->isVisible());
        QVERIFY(!sheet->isVisible());
        m_w->PPP_Click(10);
        QVERIFY(!panel()->isVisible());
        QVERIFY(!sheet->isVisible());
        QVERIFY(list->isVisible());

        m_w->PPP_Click(1);
        QVERIFY(m_w->adatok()->isVisible());
        m_w->PPP_Click(15);
        QVERIFY(!m_w->isVisible());
    }

    // The sheet is filled when shown: whether the chart moved while it was
    // hidden or while it was open, it must show the chart on the wheel.
    void dataSheetFollowsTheChart() {
        start();
        auto* sheet = own<QTextEdit>("txtAdat");
        const struct {
            bool openFirst;
            const char* start;
        } cases[] = {{false, "Ma\n2009.10.31 15:18\n"}, {true, "Ma\n2009.10.31 15:21\n"}};
        for (const auto& c : cases) {
            if (c.openFirst)
                m_w->PPP_Click(5);
            m_w->PPP_Click(6); // three minutes on
            if (!c.openFirst)
                m_w->PPP_Click(5);
            QVERIFY(sheet->isVisible());
            QVERIFY2(sheet->toPlainText().startsWith(c.start), qPrintable(sheet->toPlainText()));
            QCOMPARE(sheet->toPlainText(),
                     QString(m_w->dataSheetText()).replace(QStringLiteral("\r\n"), "\n"));
            m_w->PPP_Click(5);
            QVERIFY(!sheet->isVisible());
        }
    }

    void glyphClickFiltersTheAspectLines() {
        start();
        const QImage all = surface()->picture();
        const QStringList codes = m_w->codes();
        // The Moon's glyph (element 9).
        QPoint moon(-1, -1);
        for (int y = 0; y < all.height() && moon.x() < 0; y += 2)
            for (int x = 0; x < all.width(); x += 2)
                if (surface()->glyphAt({x, y}) == 9) {
                    moon = {x, y};
                    break;
                }
        QVERIFY(moon.x() >= 0);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, moon);
        QVERIFY(surface()->picture() != all);
        QCOMPARE(m_w->codes(), codes); // every aspect is still listed
        QTest::mouseClick(surface(), Qt::LeftButton, {}, moon);
        QCOMPARE(surface()->picture(), all);
    }

    void closingSavesTheSwitches() {
        TestEnvironment::setStored(kProgramTitle, "setup", "showasc", "True");
        TestEnvironment::setStored(kProgramTitle, "setup", "showfok", "False");
        start();
        QVERIFY(m_w->state().settings.showAsc);
        m_w->state().settings.showFok = true;
        m_w->close();
        QCOMPARE(stored(kProgramTitle, "setup", "showasc"), QString("True"));
        QCOMPARE(stored(kProgramTitle, "setup", "showfok"), QString("True"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QApplication app(argc, argv);
    MainWindowTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
