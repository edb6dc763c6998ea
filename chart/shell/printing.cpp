#include "printing.h"

#include "platform/injected.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace velorin {

namespace {

class QtPrinterDialogs : public PrinterDialogs {
public:
    bool choosePrinter(QPrinter& printer, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Nyomtatás"));
        return dialog.exec() == QDialog::Accepted;
    }
    bool defaultPrinter(QPrinter& printer, QWidget* parent) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return choosePrinter(printer, parent);
        printer.setPrinterName(info.printerName());
        return true;
    }
};

Injected<PrinterDialogs, QtPrinterDialogs> g_dialogs;

// Opens the page and hands paint the page with the area's size fitted into
// it; true when the printer took the page.
bool printFitted(QPrinter& printer, QSize area,
                 const std::function<void(QPainter&, const QRect& page, QSize fitted)>& paint) {
    if (area.isEmpty())
        return false;
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = p.viewport();
    QSize size = area;
    size.scale(page.size(), Qt::KeepAspectRatio);
    paint(p, page, size);
    const bool ended = p.end();
    return ended && printer.printerState() != QPrinter::Error;
}

} // namespace

PrinterDialogs& printerDialogs() {
    return g_dialogs.get();
}

void setPrinterDialogs(PrinterDialogs* dialogs) {
    g_dialogs.set(dialogs);
}

// Centred across the page, at its top.
bool printPicture(QPrinter& printer, const QImage& picture) {
    return printFitted(printer, picture.size(), [&](QPainter& p, const QRect& page, QSize size) {
        const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                           size.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, picture);
    });
}

bool printDrawing(QPrinter& printer, QSize area, const std::function<void(QPainter&)>& paint) {
    return printFitted(printer, area, [&](QPainter& p, const QRect& page, QSize size) {
        p.translate(page.x() + (page.width() - size.width()) / 2.0, page.y());
        p.scale(double(size.width()) / area.width(), double(size.height()) / area.height());
        p.setClipRect(QRect(QPoint(0, 0), area));
        paint(p);
    });
}

bool printDocument(QPrinter& printer, QTextDocument& document) {
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

} // namespace velorin
