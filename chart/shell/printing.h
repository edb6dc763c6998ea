#pragma once
// The printer side of the main window: the printer box and the default
// printer behind one injectable interface, so that tests print to PDF files
// without a dialog; and the two kinds of page the window prints.

#include <QImage>
#include <functional>

class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

namespace velorin {

class PrinterDialogs {
public:
    virtual ~PrinterDialogs() = default;
    // The printer box: sets up printer (which printer or a PDF file, copies,
    // orientation); false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // Sets printer up for the default printer without asking. Where the
    // machine has no printer, the printer box is shown instead, so its
    // print-to-file can serve; false when that is cancelled.
    virtual bool defaultPrinter(QPrinter& printer, QWidget* parent) = 0;
};

PrinterDialogs& printerDialogs();
void setPrinterDialogs(PrinterDialogs* dialogs); // not owned; nullptr restores Qt's

// The picture scaled to fit the page, centred, upright. False when the
// printer could not be started or reported an error.
bool printPicture(QPrinter& printer, const QImage& picture);
// A drawing of area pixels painted by paint onto the page, scaled to fit,
// centred, upright: vector on the printer, crisp at its resolution. False
// when the printer could not be started or reported an error.
bool printDrawing(QPrinter& printer, QSize area, const std::function<void(QPainter&)>& paint);
// False when the printer reported an error.
bool printDocument(QPrinter& printer, QTextDocument& document);

} // namespace velorin
