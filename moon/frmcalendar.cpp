#include "frmcalendar.h"

#include "assets/glyphs.h"
#include "assets/moonphase.h"
#include "engine/chart.h"
#include "platform/birthfields.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"
#include "platform/widgets/formrows.h"
#include "platform/widgets/screenfit.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace velorin {
namespace {

constexpr int kColumns = 7;
constexpr int kRows = 5;
constexpr int kSignBox = kSignGlyphSize + 4;
// A phase picture is a few kilobytes; anything far larger is not ours.
constexpr qint64 kMaxPictureBytes = 1024 * 1024;
constexpr int kMaxPictureSide = 1024;

// The smallest a phase picture shrinks to with its cell.
constexpr int kSmallestPicture = 24;
constexpr int kMostGrowth = 2;

// A picture label that follows the size of its cell: it asks for its
// picture's own size but gives way down to kSmallestPicture, and paints its
// picture scaled into whatever it gets. pixmap() stays the picture as loaded.
class FittedPictureLabel : public QLabel {
public:
    FittedPictureLabel(int side, QWidget* parent) : QLabel(parent), m_side(side) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return {m_side, m_side}; }
    QSize minimumSizeHint() const override { return {kSmallestPicture, kSmallestPicture}; }

protected:
    void paintEvent(QPaintEvent*) override {
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(frmCalendar::fittedPicture(picture.deviceIndependentSize().toSize(), size()),
                     picture);
    }

private:
    int m_side;
};

// Restores the pointer however the loop ends.
struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

// A phase picture from the moon folder, or a null pixmap when the file is
// missing, not a regular file, too large or not a picture.
QPixmap loadPhasePicture(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureBytes)
        return QPixmap();
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return QPixmap();
    QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    if (image.size() != QSize(kPhasePictureSize, kPhasePictureSize))
        image = image.scaled(kPhasePictureSize, kPhasePictureSize, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    return QPixmap::fromImage(image);
}

// The picture fitted to the page, keeping its proportions.
bool paintFitted(QPaintDevice* device, const QImage& image) {
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const QRect page = painter.viewport();
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), fitted.width(), fitted.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
    return painter.end();
}

void printOnDefaultPrinter(const QImage& image) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        if (!paintFitted(&printer, image))
            prompts().message(QStringLiteral("A nyomtatás nem indult el; a naptár nem változott."),
                              QString(), MessageIcon::Warning);
        return;
    }
    // No printer at all: the print goes to a PDF beside the pictures, made
    // whole in memory so that its name is taken only with the finished file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer); // A4 at 1200 dpi, as the high-resolution printer
        painted = paintFitted(&writer, image);
    }
    QDir().mkpath(pictureFolder());
    QString reason;
    const std::optional<QString> pdf =
        painted ? writeUniqueFile(pictureFolder() + QStringLiteral("holdnaptar.pdf"),
                                  QStringLiteral("pdf"), buffer.data(), &reason)
                : std::nullopt;
    if (!pdf) {
        prompts().message(QStringLiteral("Nincs nyomtató, és a naptár PDF-fájlja sem "
                                         "készülhetett el a képek mappájában") +
                              (reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + ")") +
                              QStringLiteral("."),
                          QString(), MessageIcon::Warning);
        return;
    }
    prompts().message(QStringLiteral("Nincs nyomtató: a naptár ide került: ") +
                          QDir::toNativeSeparators(*pdf),
                      QString(), MessageIcon::Information);
}

QString degreesText(double angle) {
    return QLocale(QLocale::Hungarian).toString(angle, 'f', 1) + QStringLiteral("°");
}

} // namespace

frmCalendar::frmCalendar(QWidget* parent)
    : QWidget(parent, Qt::Window), m_printer(printOnDefaultPrinter) {
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Nocturo"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(30, 34, 48));
    setPalette(pal);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont captionFont = Label2->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.8);
    captionFont.setBold(true);
    Label2->setFont(captionFont);

    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    QFont dayFont = font();
    dayFont.setBold(true);
    dayFont.setPointSizeF(dayFont.pointSizeF() * 1.2);
    for (int n = 0; n < kColumns * kRows; ++n) {
        auto* cell = new QFrame(this);
        cell->setFrameShape(QFrame::Box);
        cell->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #c8ccd8; }"
                                           "QLabel { border: none; }"));
        auto* stack = new QVBoxLayout(cell);
        stack->setContentsMargins(6, 4, 6, 6);
        stack->setSpacing(2);
        grid->addWidget(cell, n / kColumns, n % kColumns);
        if (n >= kCells)
            continue;
        Label1[size_t(n)] = new QLabel(QString::number(n + 1), cell);
        Label1[size_t(n)]->setObjectName(QStringLiteral("Label1_%1").arg(n));
        Label1[size_t(n)]->setFont(dayFont);
        PC[size_t(n)] = new QLabel(cell);
        PC[size_t(n)]->setObjectName(QStringLiteral("PC_%1").arg(n));
        PC[size_t(n)]->setFixedSize(kSignBox, kSignBox);
        PC[size_t(n)]->setAlignment(Qt::AlignCenter);
        PF[size_t(n)] = new FittedPictureLabel(kPhasePictureSize, cell);
        PF[size_t(n)]->setObjectName(QStringLiteral("PF_%1").arg(n));
        auto* top = new QHBoxLayout;
        top->addWidget(Label1[size_t(n)], 0, Qt::AlignLeft | Qt::AlignTop);
        top->addStretch(1);
        top->addWidget(PC[size_t(n)], 0, Qt::AlignRight | Qt::AlignTop);
        stack->addLayout(top);
        stack->addWidget(PF[size_t(n)], 1);
    }

    // The sign symbols the cells copy, kept off screen as the originals were.
    for (int s = 0; s < 12; ++s) {
        P[size_t(s)] = new QLabel(this);
        P[size_t(s)]->setObjectName(QStringLiteral("P_%1").arg(s));
        P[size_t(s)]->setPixmap(QPixmap::fromImage(signGlyph(s + 1)));
        P[size_t(s)]->hide();
    }

    Command1 = new QPushButton(QStringLiteral("NYOMTAT"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Printing hides the button; the grid must not move meanwhile.
    QSizePolicy keep = Command1->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Command1->setSizePolicy(keep);
    connect(Command1, &QPushButton::clicked, this, &frmCalendar::Command1_Click);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Label2);
    outer->addLayout(grid);
    outer->addLayout(rightAlignedRow(Command1));
    openWithinScreen(this, sizeHint());
}

QRect frmCalendar::fittedPicture(QSize picture, QSize cell) {
    if (picture.isEmpty() || cell.isEmpty())
        return {};
    const QSize most = (picture * kMostGrowth).boundedTo(cell);
    const QSize size = picture.scaled(most, Qt::KeepAspectRatio);
    return QRect(QPoint((cell.width() - size.width()) / 2, (cell.height() - size.height()) / 2),
                 size);
}

void frmCalendar::clearCell(int index) {
    Label1[size_t(index)]->clear();
    PC[size_t(index)]->clear();
    PF[size_t(index)]->clear();
    PF[size_t(index)]->setProperty("picture", QString());
    PF[size_t(index)]->setToolTip(QString());
}

void frmCalendar::fillCell(int index, const MoonDay& day, const QString& pictureFolder) {
    Label1[size_t(index)]->setText(QString::number(index + 1));
    PC[size_t(index)]->setPixmap(P[size_t(day.sign - 1)]->pixmap());
    PC[size_t(index)]->setToolTip(QString::fromStdString(signName(day.sign)).trimmed());
    const QString name = QString::fromStdString(day.picture);
    const QPixmap picture = loadPhasePicture(pictureFolder + name);
    PF[size_t(index)]->setProperty("picture", picture.isNull() ? QString() : name);
    if (picture.isNull()) {
        // An empty cell says more than an earlier month's Moon would.
        PF[size_t(index)]->clear();
        PF[size_t(index)]->setToolTip(QStringLiteral("Hiányzó kép: ") + name);
        return;
    }
    PF[size_t(index)]->setPixmap(picture);
    PF[size_t(index)]->setToolTip(
        QStringLiteral("A Hold %1-kal jár a Nap előtt").arg(degreesText(day.angle)));
}

bool frmCalendar::fillMonth(const QString& yearText, const MoonRequest& request,
                            const QString& pictureFolder) {
    Label2->setText(yearText.trimmed() + QStringLiteral(" ") +
                    QString::fromStdString(monthName(request.month)));
    const int days = daysInMonth(request.year, request.month);
    for (int d = days + 1; d <= kCells; ++d)
        clearCell(d - 1);

    BusyPointer busy;
    for (int d = 1; d <= days; ++d) {
        QCoreApplication::processEvents();
        if (!isVisible()) {
            // Closed while drawing: what is left is not wanted any more.
            for (int rest = d; rest <= days; ++rest)
                clearCell(rest - 1);
            return false;
        }
        const MoonDayOutcome day = computeMoonDay(request.year, request.month, d, request.zone);
        if (!day.ok()) {
            for (int rest = d; rest <= days; ++rest)
                clearCell(rest - 1);
            QApplication::restoreOverrideCursor();
            prompts().message(computeErrorText(day.error), QString(), MessageIcon::Critical);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return false;
        }
        fillCell(d - 1, *day.value, pictureFolder);
    }
    return true;
}

void frmCalendar::Command1_Click() {
    Command1->hide();
    if (m_printer)
        m_printer(grab().toImage());
    Command1->show();
}

} // namespace velorin
