#include "frmertelmez.h"

#include "interpretation/ansitext.h"
#include "interpretation/rtf.h"
#include "platform/folders.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"
#include "platform/widgets/screenfit.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <memory>

namespace velorin {

namespace {

const QString kNewCaption = QStringLiteral("Uj");
const QString kEditorTitle = QStringLiteral("Értelmezés irása");

// Documents are opened and saved from the folder the charts are kept in.
FileDialogRequest documentDialog(const QString& title, const QString& filter) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.startFolder = userFolder() + QStringLiteral("radix");
    return request;
}
constexpr int kEditorAlpha = 180;
constexpr qint64 kMaxOpenBytes = 16 * 1024 * 1024;

void printOnDefaultPrinter(QTextDocument& doc) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info);
        doc.print(&printer);
        return;
    }
    // No printer at all: the print goes to a PDF beside the documents, made
    // whole in memory so that its name is taken only with the finished file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf); // A4 at 1200 dpi, as the high-resolution printer
        doc.print(&writer);
    }
    writeUniqueFile(textFolder() + QStringLiteral("ertelmezes.pdf"), QStringLiteral("pdf"),
                    pdf.data());
}

QAction* makeAction(QWidget* owner, const char* name, const QString& caption) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

frmErtelmez::frmErtelmez(QWidget* parent) : QMainWindow(parent), printer_(printOnDefaultPrinter) {
    setObjectName(QStringLiteral("frmErtelmez"));
    setAttribute(Qt::WA_DeleteOnClose);
    RC = new QTextEdit(this);
    RC->setObjectName(QStringLiteral("RC"));
    setCentralWidget(RC); // fills the inner area at every size

    mnuUj = makeAction(this, "mnuUj", QStringLiteral("Új"));
    mnuMegnyit = makeAction(this, "mnuMegnyit", QStringLiteral("Megnyitás"));
    mnuMentes = makeAction(this, "mnuMentes", QStringLiteral("Mentés"));
    mnuMaskepp = makeAction(this, "mnuMaskepp", QStringLiteral("Mentés másként"));
    mnuWord = makeAction(this, "mnuWord",
                         QStringLiteral("Mentés másként és megnyitás külső szövegszerkesztőben"));
    mnuNyomtatas = makeAction(this, "mnuNyomtatas", QStringLiteral("Nyomtatás"));
    mnuBold = makeAction(this, "mnuBold", QStringLiteral("Félkövér"));
    mnuItalic = makeAction(this, "mnuItalic", QStringLiteral("Dőlt"));
    mnuUnderline = makeAction(this, "mnuUnderline", QStringLiteral("Aláhúzott"));
    mnuKilep = makeAction(this, "mnuKilep", QStringLiteral("Kilépés"));

    mnuUj->setShortcut(QKeySequence::New);
    mnuMegnyit->setShortcut(QKeySequence::Open);
    mnuMentes->setShortcut(QKeySequence::Save);
    mnuNyomtatas->setShortcut(QKeySequence::Print);
    mnuBold->setShortcut(QKeySequence::Bold);
    mnuItalic->setShortcut(QKeySequence::Italic);
    mnuUnderline->setShortcut(QKeySequence::Underline);

    // The commands keep their order: file commands, the three styles, exit.
    QMenu* file = menuBar()->addMenu(QStringLiteral("Fájl"));
    file->addActions({mnuUj, mnuMegnyit, mnuMentes, mnuMaskepp, mnuWord, mnuNyomtatas});
    QMenu* format = menuBar()->addMenu(QStringLiteral("Formátum"));
    format->addActions({mnuBold, mnuItalic, mnuUnderline});
    menuBar()->addAction(mnuKilep);

    connect(mnuUj, &QAction::triggered, this, &frmErtelmez::newDocument);
    connect(mnuMegnyit, &QAction::triggered, this, &frmErtelmez::openDocument);
    connect(mnuMentes, &QAction::triggered, this, &frmErtelmez::save);
    connect(mnuMaskepp, &QAction::triggered, this, &frmErtelmez::saveAs);
    connect(mnuWord, &QAction::triggered, this, &frmErtelmez::saveAsAndOpen);
    connect(mnuNyomtatas, &QAction::triggered, this, &frmErtelmez::printDocument);
    connect(mnuBold, &QAction::triggered, this, &frmErtelmez::toggleBold);
    connect(mnuItalic, &QAction::triggered, this, &frmErtelmez::toggleItalic);
    connect(mnuUnderline, &QAction::triggered, this, &frmErtelmez::toggleUnderline);
    connect(mnuKilep, &QAction::triggered, this, &QWidget::close);
    connect(RC->document(), &QTextDocument::contentsChanged, this, [this] { modified_ = true; });

    setTranslucency(kEditorAlpha);
    openWithinScreen(this, QSize(640, 480));
    modified_ = false;
    setWindowTitle(kNewCaption);
}

void frmErtelmez::setTranslucency(int alpha) {
    if (alpha < 0 || alpha > 255)
        return;
    setWindowOpacity(alpha / 255.0);
}

frmErtelmez::Choice frmErtelmez::askToSave() {
    if (!modified_)
        return Choice::Proceed;
    switch (prompts().questionWithCancel(
        QStringLiteral("A dokumentum módositva volt. Menti a változásokat?"), kEditorTitle)) {
    case Answer::Yes:
        return save() ? Choice::Proceed : Choice::Stop;
    case Answer::No:
        return Choice::Proceed;
    default:
        return Choice::Stop;
    }
}

void frmErtelmez::newDocument() {
    if (askToSave() == Choice::Stop)
        return;
    RC->clear();
    setWindowTitle(kNewCaption);
    modified_ = true; // clearing is a change of the text, as the close check sees it
}

void frmErtelmez::openDocument() {
    if (askToSave() == Choice::Stop)
        return;
    const QString path = prompts().openFile(documentDialog(
        QStringLiteral("Értelmezés megnyitása"), QStringLiteral("Támogatott filek (*.txt *.rtf)")));
    if (path.isEmpty())
        return;
    loadFile(path);
}

void frmErtelmez::loadFile(const QString& path) {
    QByteArray bytes;
    QString error;
    if (!readSmallFile(path, bytes, kMaxOpenBytes, &error)) {
        prompts().message(QStringLiteral("A file nem nyitható meg (%1): %2").arg(path, error),
                          kEditorTitle, MessageIcon::Critical);
        return;
    }
    if (looksLikeRtf(bytes)) {
        rtfToDocument(bytes, *RC->document());
    } else {
        QString text = decodeTextFile(bytes);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        // Saving adds one line end; taking it off here keeps a file from
        // growing a blank line with every open and save.
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        RC->setPlainText(text);
    }
    setWindowTitle(path);
    modified_ = true;
}

bool frmErtelmez::writeTo(const QString& path) {
    QByteArray bytes;
    if (trimBlanks(path).right(3).toLower() == QLatin1String("rtf")) {
        bytes = documentToRtf(*RC->document()) + "\r\n";
    } else {
        QString text = RC->document()->toRawText();
        text.remove(QChar::ObjectReplacementCharacter);
        text.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
        text.replace(QChar::LineSeparator, QLatin1String("\r\n"));
        bytes = encodeAnsiText(text + QStringLiteral("\r\n"));
    }
    QString error;
    if (!writeFileAtomically(path, bytes, &error)) {
        prompts().message(QStringLiteral("A file nem menthető (%1): %2").arg(path, error),
                          kEditorTitle, MessageIcon::Critical);
        return false;
    }
    return true;
}

bool frmErtelmez::save() {
    if (windowTitle() == kNewCaption) {
        if (saveAsChosenFile() == Saved::Failed)
            return false;
        modified_ = false; // also when the dialog was cancelled
        return true;
    }
    if (!writeTo(windowTitle()))
        return false; // the changes are not on disk, so they still count
    modified_ = false;
    return true;
}

bool frmErtelmez::saveAs() {
    return saveAsChosenFile() == Saved::Written;
}

frmErtelmez::Saved frmErtelmez::saveAsChosenFile() {
    const QString path = prompts().saveFile(
        documentDialog(QStringLiteral("Értelmezés mentése"),
                       QStringLiteral("Szöveges filek (*.txt);;RichText filek (*.rtf)")));
    if (path.isEmpty())
        return Saved::Cancelled;
    if (!writeTo(path))
        return Saved::Failed;
    modified_ = false;
    setWindowTitle(path);
    return Saved::Written;
}

void frmErtelmez::saveAsAndOpen() {
    if (saveAs())
        shellOpener().open(windowTitle());
}

void frmErtelmez::printDocument() {
    const QTextCursor cursor = RC->textCursor();
    std::unique_ptr<QTextDocument> doc;
    if (cursor.hasSelection()) {
        doc = std::make_unique<QTextDocument>();
        QTextCursor(doc.get()).insertFragment(cursor.selection());
    } else {
        doc.reset(RC->document()->clone());
    }
    if (printer_)
        printer_(*doc);
}

bool frmErtelmez::selectionHas(const std::function<bool(const QTextCharFormat&)>& has) const {
    const QTextCursor cursor = RC->textCursor();
    if (!cursor.hasSelection())
        return has(RC->currentCharFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock b = RC->document()->findBlock(start); b.isValid() && b.position() < end;
         b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end)
                continue;
            if (!has(f.charFormat()))
                return false; // a mixed selection reads as not set
        }
    }
    return true;
}

void frmErtelmez::toggleBold() {
    const bool bold =
        selectionHas([](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Normal : QFont::Bold);
    RC->mergeCurrentCharFormat(f);
}

void frmErtelmez::toggleItalic() {
    const bool italic = selectionHas([](const QTextCharFormat& f) { return f.fontItalic(); });
    QTextCharFormat f;
    f.setFontItalic(!italic);
    RC->mergeCurrentCharFormat(f);
}

void frmErtelmez::toggleUnderline() {
    const bool underline = selectionHas([](const QTextCharFormat& f) { return f.fontUnderline(); });
    QTextCharFormat f;
    f.setFontUnderline(!underline);
    RC->mergeCurrentCharFormat(f);
}

void frmErtelmez::closeEvent(QCloseEvent* event) {
    if (askToSave() == Choice::Stop)
        event->ignore();
    else
        event->accept();
}

} // namespace velorin
