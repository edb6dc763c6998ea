// Nocturo's two windows, driven as a user would, offscreen.

#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "moon/frmcalendar.h"
#include "moon/frmmain.h"

#include "assets/moonphase.h"
#include "platform/folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

using namespace velorin;
using namespace velorin::test;

class MoonWindowTest : public QObject {
    Q_OBJECT
public:
    explicit MoonWindowTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;

    // The program folder gets a copy of the pictures the build drew.
    void copyPictures(const QString& except = QString()) {
        QDir source(VELORIN_MOON_PICTURES);
        const QString target = m_env.path("home") + "/moon/";
        QDir().mkpath(target);
        for (const QString& name : source.entryList({"m*.jpg"}, QDir::Files))
            if (name != except)
                QFile::copy(source.filePath(name), target + name);
    }

    static QString picture(frmCalendar* c, int day) {
        return c->PF[size_t(day - 1)]->property("picture").toString();
    }
    static bool shown(frmCalendar* c, int day) {
        return !c->PF[size_t(day - 1)]->pixmap().isNull() &&
               !c->PC[size_t(day - 1)]->pixmap().isNull() &&
               c->Label1[size_t(day - 1)]->text() == QString::number(day);
    }

    static void make(frmMain& w, const QString& year, const QString& month) {
        w.Text1->setText(year);
        w.Text2->setText(month);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.messages.clear();
        setPrompts(&m_prompts);
        setClock([] { return QDateTime(QDate(2024, 7, 14), QTime(9, 30)); });
    }
    void cleanup() { setPrompts(nullptr); }

    void startValues() {
        frmMain w;
        QCOMPARE(w.windowTitle(), QString("NOCTURO V1.0.0"));
        QCOMPARE(w.Text1->text(), QString("2024"));
        QCOMPARE(w.Text2->text(), QString("7"));
        QCOMPARE(w.txtTZ->text(), QString("-1"));
        QVERIFY(!w.Check1->isChecked());
        QCOMPARE(w.txtLongDeg->text() + " " + w.txtLongMin->text(), QString("19 07"));
        QCOMPARE(w.txtLatDeg->text() + " " + w.txtLatMin->text(), QString("47 035"));
        QVERIFY(w.optEast->isChecked());
        QVERIFY(w.optNorth->isChecked());
        QCOMPARE(w.Command2->text(), QString("NAPTÁR KÉSZITÉSE"));
    }

    void daylightSavingAndHemispheresActOnTheZoneText() {
        frmMain w;
        w.show();
        QTest::mouseClick(w.Check1, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("-2"));
        QTest::mouseClick(w.Check1, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("-1"));
        QTest::mouseClick(w.optWest, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("1"));
        QTest::mouseClick(w.optEast, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("-1"));

        // A zone the user typed is the one the options and the box act on.
        w.txtTZ->clear();
        QTest::keyClicks(w.txtTZ, "3.5");
        QTest::mouseClick(w.optEast, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("-3.5"));
        QTest::mouseClick(w.Check1, Qt::LeftButton);
        QCOMPARE(w.txtTZ->text(), QString("-4.5"));
    }

    void keysAreFilteredAndArrowsWalkThePlaceFields() {
        frmMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.txtLatDeg->clear();
        QTest::keyClicks(w.txtLatDeg, "4a7.");
        QCOMPARE(w.txtLatDeg->text(), QString("47"));
        w.txtTZ->clear();
        QTest::keyClicks(w.txtTZ, "-1.5h");
        QCOMPARE(w.txtTZ->text(), QString("-1.5"));
        w.Text1->clear();
        QTest::keyClicks(w.Text1, "ev.");
        QCOMPARE(w.Text1->text(), QString("ev.")); // no filter on the year

        w.txtTZ->setFocus();
        QTest::keyClick(w.txtTZ, Qt::Key_Up); // the chain's top end
        QVERIFY(w.txtTZ->hasFocus());
        QWidget* chain[] = {w.txtTZ, w.txtLongDeg, w.txtLongMin, w.txtLatDeg, w.txtLatMin};
        for (int i = 1; i < 5; ++i) {
            QTest::keyClick(chain[i - 1], Qt::Key_Down);
            QVERIFY(chain[i]->hasFocus());
        }
        QTest::keyClick(w.txtLatMin, Qt::Key_Down); // the bottom end
        QVERIFY(w.txtLatMin->hasFocus());
        QTest::keyClick(w.txtLatMin, Qt::Key_Up);
        QVERIFY(w.txtLatDeg->hasFocus());
        QTRY_COMPARE(w.txtLatDeg->selectedText(), w.txtLatDeg->text());
    }

    void unusableTextsComputeNothing() {
        frmMain w;
        for (const char* month : {"13", "0", ""}) {
            make(w, "2024", month);
            QCOMPARE(m_prompts.messageTexts().last(), QString("Helytelen hónap!"));
        }
        make(w, "2024", "2");
        QVERIFY(w.calendar());
        w.txtTZ->setText("-");
        make(w, "2024", "3");
        QCOMPARE(m_prompts.messageTexts().last(), QString("Helytelen időzóna!"));
        QCOMPARE(w.calendar()->Label2->text(), QString("2024 Február")); // unchanged
    }

    // Phases from Swiss Ephemeris: new Moon 9 February 2024 22:59 UT, full
    // Moon 23 April 2024 23:48 UT; local midnight at UTC+1 is 23:00 UT the
    // day before.
    void knownPhasesShowOnTheirDaysAndShortMonthsClearTheirTail() {
        copyPictures();
        frmMain w;
        w.show();
        make(w, "2024", "1");
        frmCalendar* c = w.calendar();
        QVERIFY(c && c->isVisible());
        QCOMPARE(c->windowTitle(), QString("Nocturo"));
        QCOMPARE(c->Label2->text(), QString("2024 Január"));
        QVERIFY(shown(c, 31));

        make(w, "2024", "2");
        QCOMPARE(w.calendar(), c); // the window is reused
        QCOMPARE(c->Label2->text(), QString("2024 Február"));
        QCOMPARE(picture(c, 10), QString("m000.jpg"));
        QVERIFY(shown(c, 29)); // a leap February
        for (int day : {30, 31}) {
            QVERIFY(c->PF[size_t(day - 1)]->pixmap().isNull());
            QVERIFY(c->PC[size_t(day - 1)]->pixmap().isNull());
            QVERIFY(c->Label1[size_t(day - 1)]->text().isEmpty());
        }

        make(w, "2024", "4");
        QCOMPARE(picture(c, 24), QString("m180.jpg"));
        QVERIFY(shown(c, 30));
        QVERIFY(c->PF[30]->pixmap().isNull());
        // The Moon in Scorpio on the 24th: the sign cell copies sign 8's symbol.
        QCOMPARE(c->PC[23]->pixmap().toImage(), c->P[7]->pixmap().toImage());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void aMissingPictureLeavesItsCellEmpty() {
        copyPictures("m000.jpg");
        frmMain w;
        make(w, "2024", "2");
        frmCalendar* c = w.calendar();
        QVERIFY(c->PF[9]->pixmap().isNull());
        QVERIFY(c->PF[9]->toolTip().contains("m000.jpg"));
        QVERIFY(!c->PC[9]->pixmap().isNull()); // the sign is still there
        QVERIFY(shown(c, 11));
        // A folder where the picture should be is no picture either.
        QDir().mkpath(m_env.path("home") + "/moon/m000.jpg");
        make(w, "2024", "2");
        QVERIFY(c->PF[9]->pixmap().isNull());
    }

    void printingHidesTheButtonMeanwhile() {
        frmMain w;
        make(w, "2024", "2");
        frmCalendar* c = w.calendar();
        bool buttonSeen = true;
        QImage printed;
        c->setPrinter([&](const QImage& image) {
            buttonSeen = c->Command1->isVisible();
            printed = image;
        });
        QTest::mouseClick(c->Command1, Qt::LeftButton);
        QVERIFY(!buttonSeen);
        QVERIFY(c->Command1->isVisible());
        QCOMPARE(printed.size(), c->size() * c->devicePixelRatio());
    }

    void theCalendarOpensWithinASmallScreen() {
        // The offscreen screen is 800 x 600: the whole grid, its last row and
        // NYOMTAT must be on it, the phase pictures shrunk into their cells.
        copyPictures();
        frmMain w;
        w.show();
        make(w, "2024", "1");
        frmCalendar* c = w.calendar();
        QVERIFY(QTest::qWaitForWindowExposed(c));
        const QRect screen = c->screen()->availableGeometry();
        QVERIFY2(screen.contains(c->frameGeometry()), qPrintable(QString("%1x%2 at %3,%4")
                                                                     .arg(c->width())
                                                                     .arg(c->height())
                                                                     .arg(c->x())
                                                                     .arg(c->y())));
        QVERIFY(c->rect().contains(c->Command1->geometry()));
        const QLabel* last = c->PF[30];
        const QRect lastCell(last->mapTo(c, QPoint(0, 0)), last->size());
        QVERIFY(c->rect().contains(lastCell));
        QVERIFY(lastCell.bottom() < c->Command1->geometry().top());
        QVERIFY(shown(c, 31));
        // The picture is drawn whole inside its shrunk cell: its middle shows
        // the Moon's disc, not the white page.
        const QImage cell = c->PF[14]->grab().toImage();
        QVERIFY(cell.width() < kPhasePictureSize || cell.height() < kPhasePictureSize);
        QVERIFY(cell.pixelColor(cell.width() / 2, cell.height() / 2) != QColor(Qt::white));
    }

    void phasePicturesScaleToTheirCells() {
        struct Case {
            QSize picture, cell;
            QRect drawn;
        };
        const Case cases[] = {
            {{72, 72}, {72, 72}, {0, 0, 72, 72}},
            {{72, 72}, {40, 30}, {5, 0, 30, 30}},       // shrunk, kept square, centred
            {{72, 72}, {300, 200}, {78, 28, 144, 144}}, // grown at most twice
            {{72, 36}, {50, 50}, {0, 12, 50, 25}},      // proportions kept
            {{72, 72}, {0, 40}, {}},                    // no room: nothing drawn
            {{0, 0}, {40, 40}, {}},
        };
        for (const Case& k : cases)
            QCOMPARE(frmCalendar::fittedPicture(k.picture, k.cell), k.drawn);
    }

    // Without a printer the calendar goes to a PDF under a free name, which
    // is taken only with the whole file: two prints, two complete PDFs.
    void printingWithoutAPrinterSavesWholePdfs() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a printer is installed");
        frmMain w;
        make(w, "2024", "2");
        frmCalendar* c = w.calendar();
        QTest::mouseClick(c->Command1, Qt::LeftButton);
        QTest::mouseClick(c->Command1, Qt::LeftButton);
        const QDir pictures(pictureFolder());
        QCOMPARE(pictures.entryList(QDir::Files | QDir::Hidden),
                 QStringList({"holdnaptar(2).pdf", "holdnaptar.pdf"}));
        for (const QString& name : pictures.entryList(QDir::Files)) {
            const QByteArray pdf = TestEnvironment::readBytes(pictures.filePath(name));
            QVERIFY2(pdf.startsWith("%PDF") && pdf.trimmed().endsWith("%%EOF"), qPrintable(name));
        }
        QCOMPARE(m_prompts.messages.size(), 2);
        QVERIFY(m_prompts.messages[1].text.contains("holdnaptar(2).pdf"));
    }

    void closingTheStartWindowClosesTheCalendar() {
        frmMain w;
        w.show();
        make(w, "2024", "2");
        QVERIFY(w.calendar()->isVisible());
        w.close();
        QVERIFY(!w.calendar()->isVisible());
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QApplication app(argc, argv);
    MoonWindowTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "moon_window_test.moc"
