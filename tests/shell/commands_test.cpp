// The main window's commands offscreen: time steps from the toolbar, the keys
// and the mouse wheel, the panel toggles, the three cases of printing and
// saving, the set-aside list, freehand strokes in the exported picture, glyph
// tool tips and the About window.

#include "tests/support/formharness.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/shell/frmabout.h"
#include "chart/shell/frmmain.h"
#include "chart/shell/printing.h"
#include "chart/shell/setuppanel.h"
#include "chart/shell/wheelsurface.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <memory>

using namespace velorin;
using namespace velorin::test;

namespace {

// Prints into numbered PDF files instead of showing the printer box.
class PdfPrinters : public PrinterDialogs {
public:
    QString folder;
    QStringList calls; // "box" or "default", in order
    QStringList files;
    bool choosePrinter(QPrinter& printer, QWidget*) override { return toPdf(printer, "box"); }
    bool defaultPrinter(QPrinter& printer, QWidget*) override { return toPdf(printer, "default"); }

private:
    bool toPdf(QPrinter& printer, const QString& call) {
        calls << call;
        files << folder + QString("/print-%1.pdf").arg(calls.size());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(files.last());
        return true;
    }
};

int pdfPages(const QString& file) {
    const QString pdf = QString::fromLatin1(TestEnvironment::readBytes(file));
    return int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
public:
    explicit CommandsTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    PdfPrinters m_printers;
    std::unique_ptr<frmMain> m_w;

    template <typename T> T* own(const char* name) {
        return m_w->findChild<T*>(name, Qt::FindDirectChildrenOnly);
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(m_w->adatok(), name); }
    bool pm() { return !m_w->adatok()->entry().am; }
    WheelSurface* surface() { return own<WheelSurface>("wheelSurface"); }
    QString caption() { return own<QLabel>("Label2")->text(); }
    void start() {
        m_w = std::make_unique<frmMain>(QString());
        m_w->show();
    }
    // The form's moment as the user would type it, applied.
    void setMoment(const char* y, const char* mo, const char* d, const char* h, const char* mi) {
        box("txtYear")->setText(y);
        box("txtMonth")->setText(mo);
        box("txtDay")->setText(d);
        box("Text1")->setText(h);
        box("txtBirthMinute")->setText(mi);
        m_w->adatok()->mOra12();
        m_w->adatok()->mSzamol();
    }
    QString moment() {
        return box("txtYear")->text() + "." + box("txtMonth")->text() + "." +
               box("txtDay")->text() + " " + box("Text1")->text() + ":" +
               box("txtBirthMinute")->text();
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        m_printers.calls.clear();
        m_printers.files.clear();
        m_printers.folder = m_env.path("ASTRO_DATA");
        setPrinterDialogs(&m_printers);
        setClock([] { return QDateTime(QDate(2009, 10, 31), QTime(15, 15)); });
    }
    void cleanup() {
        m_w.reset();
        setPrinterDialogs(nullptr);
        setPrompts(nullptr);
    }

    void timeStepsFillBothClocks() {
        start();
        // Up arrow, pressed in a box of the settings panel: the key reaches
        // the window; from 23:58 on 31 December to the next year.
        setMoment("2009", "12", "31", "23", "58");
        m_w->PPP_Click(10);
        QLineEdit* orb = own<SetupPanel>("pSetup")->orbBoxes[0];
        QTest::keyClick(orb, Qt::Key_Up);
        QCOMPARE(moment(), QString("2010.01.01 00:28"));
        QCOMPARE(m_w->adatok()->entry().hour12, QString("12"));
        QVERIFY(!pm());
        QVERIFY(caption().contains("[2010.01.01 00:28]"));
        // Left and Right stay with the box being edited.
        QTest::keyClick(orb, Qt::Key_Left);
        QCOMPARE(moment(), QString("2010.01.01 00:28"));

        // Buttons 7 and 6 over noon: the 12-hour box shows 12, P.M.
        setMoment("2009", "10", "31", "12", "10");
        m_w->PPP_Click(7);
        QCOMPARE(moment(), QString("2009.10.31 12:07"));
        QCOMPARE(m_w->adatok()->entry().hour12, QString("12"));
        QVERIFY(pm());
        QVERIFY(caption().contains("[2009.10.31 12:07]"));
        setMoment("2009", "10", "31", "11", "59");
        m_w->PPP_Click(6);
        QCOMPARE(moment(), QString("2009.10.31 12:02"));
        QVERIFY(pm());
        QVERIFY(caption().contains("[2009.10.31 12:02]"));

        // The other keys, sent to the window itself.
        const struct {
            Qt::Key key;
            const char* after;
        } keys[] = {{Qt::Key_Right, "2009.10.31 12:05"},  {Qt::Key_Left, "2009.10.31 12:02"},
                    {Qt::Key_PageUp, "2009.10.31 13:02"}, {Qt::Key_PageDown, "2009.10.31 12:02"},
                    {Qt::Key_End, "2009.11.01 12:02"},    {Qt::Key_Home, "2009.10.31 12:02"},
                    {Qt::Key_Down, "2009.10.31 11:32"}};
        for (const auto& k : keys) {
            QTest::keyClick(m_w.get(), k.key);
            QCOMPARE(moment(), QString(k.after));
        }
        QVERIFY(!pm());
        QVERIFY(m_prompts.messages.isEmpty());

        // One wheel notch each way: away from the user forward, towards back.
        // (Only the system's own wheel events pass from the surface up to
        // the window, so the test turns it over the window.)
        auto turn = [&](int delta) {
            QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_w.get(), &e);
        };
        turn(120);
        QCOMPARE(moment(), QString("2009.10.31 11:33"));
        turn(-120);
        turn(-60); // half a notch waits for the other half
        QCOMPARE(moment(), QString("2009.10.31 11:32"));
        turn(-60);
        QCOMPARE(moment(), QString("2009.10.31 11:31"));

        // A date the calendar does not have is reported; nothing moves.
        const QString before = caption();
        box("txtMonth")->setText("02");
        m_w->PPP_Click(6);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains("2009.02.31 11:31"));
        QCOMPARE(moment(), QString("2009.02.31 11:31"));
        QCOMPARE(caption(), before);
    }

    void panelToggles() {
        start();
        auto* sheet = own<QTextEdit>("txtAdat");
        auto* list = own<QListWidget>("lstFelre");
        auto* setup = own<SetupPanel>("pSetup");
        QTest::keyClick(m_w.get(), Qt::Key_F5);
        QVERIFY(sheet->isVisible() && !list->isVisible());
        QTest::keyClick(m_w.get(), Qt::Key_F9);
        QVERIFY(!sheet->isVisible() && list->isVisible());
        QTest::keyClick(m_w.get(), Qt::Key_F9);
        QTest::keyClick(m_w.get(), Qt::Key_F6);
        QVERIFY(setup->isVisible() && !sheet->isVisible() && !list->isVisible());
        QTest::keyClick(m_w.get(), Qt::Key_F6);
        QVERIFY(!setup->isVisible() && !sheet->isVisible() && list->isVisible());

        // The notes marker stays under the panels.
        m_w->adatok()->findChild<QPlainTextEdit*>("txtMeg")->setPlainText("jegyzet");
        m_w->adatok()->mSzamol();
        auto* note = own<QLabel>("pComment");
        QVERIFY(note->isVisible());
        for (Qt::Key key : {Qt::Key_F6, Qt::Key_F5}) {
            QTest::keyClick(m_w.get(), key);
            QWidget* top = m_w->childAt(note->geometry().center());
            QVERIFY(top && top != note);
        }
    }

    void printingHasThreeCases() {
        start();
        // Nothing shown over the wheel: the printer box, one page.
        m_w->PPP_Click(2);
        QCOMPARE(m_printers.calls, QStringList{"box"});
        QCOMPARE(pdfPages(m_printers.files[0]), 1);
        // The data sheet shown: it goes to the default printer.
        m_w->PPP_Click(5);
        QTest::keyClick(m_w.get(), Qt::Key_F10);
        QCOMPARE(m_printers.calls, QStringList({"box", "default"}));
        QVERIFY(QFileInfo(m_printers.files[1]).size() > 0);
        // The interpretation text shown: nothing.
        m_w->showPanel(Panel::Interpretation);
        m_w->PPP_Click(2);
        QCOMPARE(m_printers.calls.size(), 2);
        QVERIFY(m_prompts.messages.isEmpty());

        // A printer that fails is reported.
        m_w->showPanel(Panel::SetAside);
        m_printers.folder = m_env.path("no/such/folder");
        m_w->PPP_Click(2);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.contains("nyomtatása nem sikerült"));
    }

    // The printed wheel is painted again for the printer, not a picture of
    // the screen: no image on the page, and the freehand strokes are there.
    void printedWheelIsVectorWithTheStrokes() {
        start();
        m_w->PPP_Click(2);
        // In the blank strip right of the wheel, whatever size the window
        // opened at on this screen.
        const int right = surface()->picture().width();
        QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(right - 100, 150));
        QTest::mouseMove(surface(), QPoint(right - 20, 150));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(right - 20, 150));
        m_w->PPP_Click(2);
        QCOMPARE(m_printers.files.size(), 2);
        for (const QString& file : m_printers.files) {
            const QByteArray pdf = TestEnvironment::readBytes(file);
            QVERIFY(pdf.startsWith("%PDF-"));
            QVERIFY(!pdf.contains("/Subtype /Image") && !pdf.contains("/Subtype/Image"));
        }
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm is not installed (poppler-utils)");
        QList<QImage> pages;
        for (const QString& file : m_printers.files) {
            QProcess run;
            run.start(pdftoppm, {"-r", "40", "-png", "-singlefile", file, file});
            QVERIFY(run.waitForFinished(60000));
            pages << QImage(file + ".png").convertToFormat(QImage::Format_RGB32);
            QVERIFY(!pages.last().isNull());
        }
        // What the stroke added is blue ink, and nothing else changed.
        int added = 0, other = 0;
        for (int y = 0; y < pages[0].height(); ++y)
            for (int x = 0; x < pages[0].width(); ++x) {
                const QColor before = pages[0].pixelColor(x, y), after = pages[1].pixelColor(x, y);
                if (before == after)
                    continue;
                if (after.blue() > after.red() + 60 && after.blue() > after.green() + 60)
                    ++added;
                else
                    ++other;
            }
        QVERIFY2(added > 5, qPrintable(QString::number(added)));
        QVERIFY2(other <= added, qPrintable(QString("%1 %2").arg(added).arg(other)));
    }

    void savingHasThreeCases() {
        start();
        // Nothing shown: the chart file.
        m_w->PPP_Click(3);
        const QString chart = m_env.chartFolder() + "Ma(09.10.31).ast";
        QVERIFY(QFileInfo::exists(chart));
        QCOMPARE(m_prompts.messageTexts(), QStringList{"OK!"});

        // The data sheet shown: the sheet of the stepped moment, twice.
        QTest::keyClick(m_w.get(), Qt::Key_Right);
        QTest::keyClick(m_w.get(), Qt::Key_F5);
        QTest::keyClick(m_w.get(), Qt::Key_F4);
        QTest::keyClick(m_w.get(), Qt::Key_F4);
        const QString text = m_env.path("ASTRO_DATA") + "/SZOVEG/";
        const QByteArray sheet = TestEnvironment::readBytes(text + "adatlap_Ma.txt");
        QVERIFY(sheet.startsWith("Ma\r\n2009.10.31 15:18\r\n"));
        QCOMPARE(sheet, toCp1250(m_w->dataSheetText() + "\r\n"));
        QCOMPARE(TestEnvironment::readBytes(text + "adatlap_Ma(2).txt"), sheet);
        QCOMPARE(m_prompts.messages.size(), 1);

        // The interpretation text shown: nothing is written.
        m_w->showPanel(Panel::Interpretation);
        m_w->PPP_Click(3);
        QCOMPARE(QDir(text).count(), uint(2 + 2));
        QCOMPARE(QDir(m_env.chartFolder()).entryList(QDir::Files).size(), 1);

        // A text folder that cannot be written: said, nothing pretended.
        QDir(text).removeRecursively();
        TestEnvironment::writeBytes(m_env.path("ASTRO_DATA") + "/SZOVEG", "in the way");
        m_w->showPanel(Panel::DataSheet);
        m_w->PPP_Click(3);
        QCOMPARE(m_prompts.messages.size(), 2);
        QVERIFY(m_prompts.messages[1].text.startsWith("Az adatlap nincs mentve"));
        QCOMPARE(m_prompts.messages[1].icon, MessageIcon::Critical);
    }

    void setAsideKeepsNameAndPath() {
        start();
        auto* list = own<QListWidget>("lstFelre");
        m_w->PPP_Click(16);
        QCOMPARE(m_prompts.messageTexts(),
                 QStringList{"Csak lementett asztrogramot lehet félretenni!"});
        QCOMPARE(list->count(), 0);

        m_w->PPP_Click(3);
        const QString first = m_w->state().currentChartPath;
        m_w->PPP_Click(16);
        m_w->PPP_Click(3); // saved again, under a new name
        QVERIFY(m_w->state().currentChartPath != first);
        m_w->PPP_Click(16);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Ma"));
        QCOMPARE(m_w->setAsideList().at(0)->path, first);
        QCOMPARE(m_w->setAsideList().at(1)->path, m_w->state().currentChartPath);

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(m_w->state().currentChartPath, first);
        QCOMPARE(m_w->state().setAsidePath, first);
    }

    void strokesReachThePictureUntilTheNextDraw() {
        start();
        const QImage clean = surface()->picture();
        // In the blank strip right of the wheel, whatever size the window
        // opened at on this screen.
        const int right = clean.width();
        const QPoint a(right - 100, 150), b(right - 20, 150), c(right - 60, 180);
        const QPoint mid(right - 60, 150);
        QCOMPARE(clean.pixelColor(mid), QColor(Qt::white));
        QTest::mousePress(surface(), Qt::LeftButton, {}, a);
        QTest::mouseMove(surface(), b);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, b);
        QTest::mouseMove(surface(), c); // no button held: no line
        QTest::mousePress(surface(), Qt::RightButton, {}, c);
        QTest::mouseRelease(surface(), Qt::RightButton, {}, c);
        const QImage drawn = surface()->picture();
        QCOMPARE(drawn.pixelColor(mid), QColor(0, 0, 255));
        QCOMPARE(drawn.pixelColor(mid + QPoint(0, 15)), QColor(Qt::white));
        QCOMPARE(drawn.pixelColor(c), QColor(255, 0, 0));

        // The dialog proposes the free JPEG name; accepted as it is.
        const QString path = m_env.path("ASTRO_DATA") + "/KEPEK/Ma.jpg";
        m_prompts.files << path;
        m_w->PPP_Click(4);
        QCOMPARE(m_prompts.fileDialogs.size(), 1);
        QCOMPARE(m_prompts.fileDialogs[0].proposedName, path);
        for (const char* kind : {"*.jpg", "*.png", "*.svg", "*.pdf"})
            QVERIFY(m_prompts.fileDialogs[0].filter.contains(kind));
        QCOMPARE(m_prompts.messageTexts(), QStringList{"OK: " + path});
        const QImage jpeg(path);
        QCOMPARE(jpeg.size(), m_w->size());
        const QColor stroke = jpeg.pixelColor(mid);
        QVERIFY2(stroke.blue() > 180 && stroke.red() < 90, qPrintable(stroke.name()));
        // The whole picture matches within JPEG tolerance.
        qint64 diff = 0;
        const QImage shown = drawn.convertToFormat(QImage::Format_RGB32);
        const QImage back = jpeg.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < back.height(); y += 3)
            for (int x = 0; x < back.width(); x += 3) {
                const QRgb p = shown.pixel(x, y), q = back.pixel(x, y);
                diff += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                        std::abs(qBlue(p) - qBlue(q));
            }
        const double mean = double(diff) / (3.0 * (back.width() / 3) * (back.height() / 3));
        QVERIFY2(mean < 4, qPrintable(QString::number(mean)));

        // A second picture of the same person gets its own name.
        m_prompts.files << m_env.path("ASTRO_DATA") + "/KEPEK/Ma(2).jpg";
        m_w->PPP_Click(4);
        QVERIFY(QFileInfo::exists(m_env.path("ASTRO_DATA") + "/KEPEK/Ma(2).jpg"));
        QCOMPARE(m_prompts.fileDialogs.last().proposedName,
                 m_env.path("ASTRO_DATA") + "/KEPEK/Ma(2).jpg");

        // The same picture as SVG and PDF: vector, strokes included; a
        // cancelled dialog leaves no claimed name behind.
        const QString svg = m_env.path("ASTRO_DATA") + "/KEPEK/kerek.svg";
        const QString pdf = m_env.path("ASTRO_DATA") + "/KEPEK/kerek.pdf";
        m_prompts.clear();
        m_prompts.files << svg << pdf << QString();
        m_w->PPP_Click(4);
        m_w->PPP_Click(4);
        m_w->PPP_Click(4);
        QCOMPARE(m_prompts.messageTexts(), QStringList({"OK: " + svg, "OK: " + pdf}));
        const QByteArray svgBytes = TestEnvironment::readBytes(svg);
        QVERIFY(svgBytes.startsWith("<?xml"));
        QVERIFY(!svgBytes.contains("<image"));
        // The blue freehand stroke, two pixels wide with round ends.
        QVERIFY(svgBytes.contains(
            R"(stroke="#0000ff" stroke-opacity="1" stroke-width="2" stroke-linecap="round")"));
        const QByteArray pdfBytes = TestEnvironment::readBytes(pdf);
        QVERIFY(pdfBytes.startsWith("%PDF-"));
        QVERIFY(!pdfBytes.contains("/Subtype /Image") && !pdfBytes.contains("/Subtype/Image"));
        QCOMPARE(QDir(m_env.path("ASTRO_DATA") + "/KEPEK").entryList(QDir::Files).size(), 4);
        // The next draw replaces the strokes.
        QTest::keyClick(m_w.get(), Qt::Key_Space);
        QCOMPARE(surface()->picture().pixelColor(mid), QColor(Qt::white));
    }

    void glyphTipAndAboutWindow() {
        start();
        QPoint moon(-1, -1);
        for (int y = 0; y < m_w->height() && moon.x() < 0; y += 2)
            for (int x = 0; x < m_w->width(); x += 2)
                if (surface()->glyphAt({x, y}) == 9) {
                    moon = {x, y};
                    break;
                }
        QVERIFY(moon.x() >= 0);
        QHelpEvent help(QEvent::ToolTip, moon, surface()->mapToGlobal(moon));
        QApplication::sendEvent(surface(), &help);
        QCOMPARE(QToolTip::text(), QString::fromStdString(m_w->chart()->bodyTips[9]));

        m_w->PPP_Click(14);
        auto* about = m_w->findChild<frmAbout*>();
        QVERIFY(about && about->isVisible());
        QVERIFY(about->Text1->isReadOnly());
        QVERIFY(about->Text1->toPlainText().startsWith(versionText()));
        // The data whose licences ask for it are credited.
        for (const char* credit : {"GeoNames", "CC BY 4.0", "IANA", "tz database"})
            QVERIFY2(about->Text1->toPlainText().contains(QLatin1String(credit)), credit);
        about->Command1->click();
        QVERIFY(!about->isVisible());
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QApplication app(argc, argv);
    CommandsTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "commands_test.moc"
