#include "printing.h"

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

PrinterDialogs* g_dialogs = nullptr;

} // namespace

PrinterDialogs& printerDialogs() {
    static QtPrinterDialogs qtDialogs;
    return g_dialogs ? *g_dialogs : qtDialogs;
}

void setPrinterDialogs(PrinterDialogs* dialogs) {
    g_dialogs = dialogs;
}

bool printPicture(QPrinter& printer, const QImage& picture) {
    if (picture.isNull())
        return false;
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = p.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                       size.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture);
    const bool ended = p.end();
    return ended && printer.printerState() != QPrinter::Error;
}

bool printDrawing(QPrinter& printer, QSize area, const std::function<void(QPainter&)>& paint) {
    if (area.isEmpty())
        return false;
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = p.viewport();
    QSize size = area;
    size.scale(page.size(), Qt::KeepAspectRatio);
    p.translate(page.x() + (page.width() - size.width()) / 2.0, page.y());
    p.scale(double(size.width()) / area.width(), double(size.height()) / area.height());
    p.setClipRect(QRect(QPoint(0, 0), area));
    paint(p);
    const bool ended = p.end();
    return ended && printer.printerState() != QPrinter::Error;
}

bool printDocument(QPrinter& printer, QTextDocument& document) {
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

} // namespace velorin
