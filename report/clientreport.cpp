#include "clientreport.h"

#include "gridsymbols.h"

#include "assets/glyphs.h"
#include "engine/angles.h"
#include "engine/housesystem.h"
#include "engine/numbers.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "wheel/wheelpainter.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cmath>
#include <swephexp.h>
#include <utility>

namespace velorin {
namespace {

// The wheel's fonts and strokes were made for 96 dpi; the whole report is
// laid out in those pixels.
constexpr int kDpi = 96;
constexpr double kMarginMm = 15;
const QSize kWheelArea(800, 600);

// The bodies in the order of the listing: the Sun and the Moon first.
constexpr int kTableOrder[] = {Sun,       Moon,      Mercury, Venus,     Mars,
                               Jupiter,   Saturn,    Uranus,  Neptune,   Pluto,
                               NorthNode, SouthNode, Lilith,  Ascendant, Midheaven};

QFont face(const char* family, double points, bool bold = false, bool italic = false) {
    QFont f;
    f.setFamilies({QString::fromLatin1(family), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// 12° 34' within the sign, rounded down to the minute as tables are read.
QString degreesMinutes(double longitude) {
    const double inSign = degreeInSign(longitude);
    int degrees = int(std::floor(inSign));
    int minutes = int(std::floor((inSign - degrees) * 60 + 1e-9));
    if (minutes == 60) {
        minutes = 0;
        ++degrees;
    }
    return QStringLiteral("%1° %2'").arg(degrees).arg(twoDigits(minutes));
}

QString utcText(double julianDayUT) {
    int year = 0, month = 0, day = 0;
    double hour = 0;
    swe_revjul(julianDayUT, SE_GREG_CAL, &year, &month, &day, &hour);
    int minutes = int(std::lround(hour * 60));
    if (minutes >= 24 * 60) { // rounding reached midnight: the next day's date
        swe_revjul(julianDayUT + 0.5 / 1440, SE_GREG_CAL, &year, &month, &day, &hour);
        minutes = 0;
    }
    return QStringLiteral("%1. %2. %3. %4:%5 UT")
        .arg(year)
        .arg(twoDigits(month))
        .arg(twoDigits(day))
        .arg(twoDigits(minutes / 60))
        .arg(twoDigits(minutes % 60));
}

// The zone text holds the hours added to local time to give UT: a whole or
// half hour is a zone, anything else the local mean time of a longitude.
QString zoneLine(const BirthData& d) {
    const double z = leadingNumber(d.zone);
    const double offset = -z; // local time minus UT
    const int totalMinutes = int(std::lround(std::fabs(offset) * 60));
    const QString sign = offset < 0 ? QStringLiteral("−") : QStringLiteral("+");
    const QString utc = QStringLiteral("UTC%1%2:%3")
                            .arg(sign)
                            .arg(totalMinutes / 60)
                            .arg(twoDigits(totalMinutes % 60));
    const bool meanTime = std::fabs(z * 4 - std::round(z * 4)) > 1e-6;
    return (meanTime ? QStringLiteral("Helyi középidő (LMT): ") : QStringLiteral("Időzóna: ")) +
           utc + QStringLiteral(" (a helyi időhöz adott órák: ") + QString::fromStdString(d.zone) +
           QStringLiteral(")");
}

} // namespace

QString bodyDisplayName(int body) {
    static const char* const names[] = {
        "",           "Nap",         "Merkúr", "Vénusz", "Mars",       "Jupiter",      "Szaturnusz",
        "Uránusz",    "Neptunusz",   "Plútó",  "Hold",   "Sárkányfej", "Sárkányfarok", "Lilith",
        "Aszcendens", "Medium Coeli"};
    return body >= 1 && body <= 15 ? QString::fromUtf8(names[body]) : QString();
}

QString signDisplayName(int sign) {
    static const char* const names[] = {"",         "Kos",     "Bika",   "Ikrek",   "Rák",
                                        "Oroszlán", "Szűz",    "Mérleg", "Skorpió", "Nyilas",
                                        "Bak",      "Vízöntő", "Halak"};
    return sign >= 1 && sign <= 12 ? QString::fromUtf8(names[sign]) : QString();
}

QStringList birthDataLines(const ReportContent& c) {
    const BirthData& d = c.data;
    const Chart& chart = c.chart;
    const QString hour =
        QString::fromStdString(d.hour24.empty() ? hour24Text(d.hour, d.am) : d.hour24);
    QStringList lines;
    lines << QStringLiteral("Név: ") + QString::fromStdString(d.name);
    lines << QStringLiteral("Születés helyi ideje: %1. %2. %3. %4:%5")
                 .arg(QString::fromStdString(d.year), QString::fromStdString(d.month),
                      QString::fromStdString(d.day), hour, QString::fromStdString(d.minute));
    lines << QStringLiteral("Születési hely: %1° %2' %3, %4° %5' %6")
                 .arg(QString::fromStdString(d.latDeg), QString::fromStdString(d.latMin),
                      d.north ? QStringLiteral("északi szélesség")
                              : QStringLiteral("déli szélesség"),
                      QString::fromStdString(d.longDeg), QString::fromStdString(d.longMin),
                      d.east ? QStringLiteral("keleti hosszúság")
                             : QStringLiteral("nyugati hosszúság"));
    lines << zoneLine(d);
    lines << (d.daylightSaving ? QStringLiteral("Nyári időszámítás: igen (egy órával levonva)")
                               : QStringLiteral("Nyári időszámítás: nem"));
    lines << QStringLiteral("Világidő: ") + utcText(chart.julianDayUT);
    const double deltaT = swe_deltat(chart.julianDayUT) * 86400;
    lines << QStringLiteral("Delta T (földi idő − világidő): %1 másodperc")
                 .arg(QString::number(deltaT, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')));
    lines << QStringLiteral("Julián nap (UT): %1").arg(QString::number(chart.julianDayUT, 'f', 6));
    QString houses = QStringLiteral("Házrendszer: ") +
                     QString::fromUtf8(houseSystemName(chart.requestedHouseSystem));
    if (chart.housesFallback)
        houses += QStringLiteral(" – ezen a szélességen nem számítható, a házcsúcsok ") +
                  QString::fromUtf8(houseSystemName(chart.houseSystem)) +
                  QStringLiteral(" szerintiek");
    lines << houses;
    return lines;
}

namespace {

class ReportPainter {
public:
    ReportPainter(QPdfWriter& pdf, QPainter& p, const ReportContent& c)
        : pdf_(pdf), p_(p), c_(c), body_(p.viewport()) {
        body_ = QRectF(0, 0, pdf.width(), pdf.height());
        name_ = QString::fromStdString(c.data.name);
    }

    void setPageCount(int n) { pages_ = n; }

    // Text area of a page, below the header and above the footer.
    QRectF content() const { return body_.adjusted(0, 36, 0, -36); }

    void beginPage() {
        if (page_ > 0)
            pdf_.newPage();
        ++page_;
        p_.setPen(Qt::black);
        p_.setFont(face("Liberation Sans", 9));
        const QRectF head(body_.left(), body_.top(), body_.width(), 20);
        p_.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, name_);
        p_.drawText(head, Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Asztrológiai jelentés"));
        p_.drawLine(QPointF(body_.left(), head.bottom() + 4),
                    QPointF(body_.right(), head.bottom() + 4));
        const QRectF foot(body_.left(), body_.bottom() - 20, body_.width(), 20);
        p_.drawText(foot, Qt::AlignCenter, QStringLiteral("%1. oldal / %2").arg(page_).arg(pages_));
    }

    double heading(double y, const QString& text) {
        p_.setFont(face("Liberation Sans", 13, true));
        p_.drawText(QRectF(body_.left(), y, body_.width(), 26), Qt::AlignLeft | Qt::AlignVCenter,
                    text);
        return y + 32;
    }

    void firstPage() {
        beginPage();
        double y = content().top();
        p_.setFont(face("Liberation Sans", 18, true));
        p_.drawText(QRectF(body_.left(), y, body_.width(), 32), Qt::AlignLeft | Qt::AlignVCenter,
                    name_ + QStringLiteral(" születési képlete"));
        y += 44;
        p_.setFont(face("Liberation Sans", 10));
        for (const QString& line : birthDataLines(c_)) {
            p_.drawText(QRectF(body_.left(), y, body_.width(), 18),
                        Qt::AlignLeft | Qt::AlignVCenter, line);
            y += 18;
        }
        y += 12;
        // The wheel as the window draws it, scaled to the page's width.
        const double scale = std::min(body_.width() / kWheelArea.width(),
                                      (content().bottom() - y) / kWheelArea.height());
        p_.save();
        p_.translate(body_.left() + (body_.width() - kWheelArea.width() * scale) / 2, y);
        p_.scale(scale, scale);
        p_.setClipRect(QRect(QPoint(0, 0), kWheelArea));
        paintRadix(p_, kWheelArea, c_.chart, c_.chart.aspects, c_.settings);
        p_.restore();
    }

    void tablesPage() {
        beginPage();
        double y = heading(content().top(), QStringLiteral("A bolygók és pontok helyzete"));
        const double x0 = body_.left();
        const double cols[] = {x0, x0 + 30, x0 + 170, x0 + 200, x0 + 320, x0 + 410, x0 + 470};
        p_.setFont(face("Liberation Sans", 9.5, true));
        const QStringList titles{QString(),
                                 QStringLiteral("Égitest"),
                                 QString(),
                                 QStringLiteral("Jegy"),
                                 QStringLiteral("Fok"),
                                 QStringLiteral("Ház"),
                                 QStringLiteral("Retrográd")};
        for (int i = 0; i < titles.size(); ++i)
            p_.drawText(QPointF(cols[i], y + 14), titles[i]);
        y += 22;
        p_.setFont(face("Liberation Sans", 9.5));
        constexpr double kRow = 22;
        for (int b : kTableOrder) {
            const double lon = c_.chart.longitude[size_t(b)];
            const int sign = signOf(lon);
            paintGlyph(p_, bodyArt(b), QPointF(cols[0], y + 1), 18);
            p_.setPen(Qt::black);
            p_.drawText(QPointF(cols[1], y + 15), bodyDisplayName(b));
            paintGlyph(p_, signArt(sign), QPointF(cols[2], y + 1), 18);
            p_.setPen(Qt::black);
            p_.drawText(QPointF(cols[3], y + 15), signDisplayName(sign));
            p_.drawText(QPointF(cols[4], y + 15), degreesMinutes(lon));
            const int house = c_.chart.house(b);
            p_.drawText(QPointF(cols[5], y + 15),
                        house > 0 ? QString::number(house) : QStringLiteral("–"));
            if (c_.chart.retrograde(b))
                p_.drawText(QPointF(cols[6], y + 15), QStringLiteral("R"));
            y += kRow;
        }

        y = aspectGrid(y + 16);
        signLegend(y + 12);
    }

    double aspectGrid(double y) {
        y = heading(y, QStringLiteral("Fényszögek"));
        constexpr int n = 15;
        constexpr double cell = 26;
        const double x0 = body_.left();
        QPen grid(QColor(150, 150, 150), 0.6);
        // Lower triangle: row i, column j < i holds the aspect of bodies j and i.
        for (int i = 0; i < n; ++i) {
            const int bi = kTableOrder[i];
            const QRectF diag(x0 + i * cell, y + i * cell, cell, cell);
            p_.setPen(grid);
            p_.setBrush(QColor(235, 235, 235));
            p_.drawRect(diag);
            p_.setBrush(Qt::NoBrush);
            paintGlyph(p_, bodyArt(bi), diag.topLeft() + QPointF(4, 4), int(cell - 8));
            for (int j = 0; j < i; ++j) {
                const QRectF r(x0 + j * cell, y + i * cell, cell, cell);
                p_.setPen(grid);
                p_.drawRect(r);
                const int bj = kTableOrder[j];
                for (const Aspect& a : c_.chart.aspects)
                    if ((a.first == bi && a.second == bj) || (a.first == bj && a.second == bi)) {
                        GlyphArt art = aspectArt(a.kind);
                        art.color = colorFromBgr(
                            c_.settings.aspectColors[size_t(aspectKind(a.kind).settingIndex)]);
                        paintGlyph(p_, art, r.topLeft() + QPointF(5, 5), int(cell - 10));
                    }
            }
        }
        // A key to the symbols beside the grid.
        p_.setFont(face("Liberation Sans", 9));
        double ky = y + 8;
        const double kx = x0 + 9 * cell + 20;
        for (int k = 1; k <= 8; ++k) {
            const AspectKind& kind = aspectKind(k);
            paintGlyph(p_, aspectArt(k), QPointF(kx, ky), 16);
            p_.setPen(Qt::black);
            p_.drawText(
                QPointF(kx + 24, ky + 13),
                QStringLiteral("%1 (%2°)").arg(aspectDisplayName(kind.angle)).arg(kind.angle));
            ky += 22;
        }
        return y + n * cell;
    }

    static QString aspectDisplayName(int angle) {
        static constexpr std::pair<int, const char*> kNames[] = {
            {0, "együttállás"}, {45, "félkvadrát"},     {60, "szextil"},   {90, "kvadrát"},
            {120, "trigon"},    {135, "másfélkvadrát"}, {150, "kvinkunx"}, {180, "szembenállás"}};
        for (const auto& [at, name] : kNames)
            if (at == angle)
                return QString::fromUtf8(name);
        return QString();
    }

    void signLegend(double y) {
        p_.setFont(face("Liberation Sans", 9));
        const double x0 = body_.left();
        const double w = body_.width() / 6;
        for (int s = 1; s <= 12; ++s) {
            const double x = x0 + ((s - 1) % 6) * w;
            const double row = y + ((s - 1) / 6) * 24;
            paintGlyph(p_, signArt(s), QPointF(x, row), 18);
            p_.setPen(Qt::black);
            p_.drawText(QPointF(x + 22, row + 14), signDisplayName(s));
        }
    }

    void interpretationPages(QTextDocument& doc) {
        const QRectF area = content();
        const int count = doc.pageCount();
        for (int i = 0; i < count; ++i) {
            beginPage();
            p_.save();
            p_.translate(area.left(), area.top() - i * area.height());
            doc.drawContents(&p_, QRectF(0, i * area.height(), area.width(), area.height()));
            p_.restore();
        }
    }

private:
    QPdfWriter& pdf_;
    QPainter& p_;
    const ReportContent& c_;
    QRectF body_;
    QString name_;
    int page_ = 0;
    int pages_ = 0;
};

} // namespace

QByteArray clientReportPdf(const ReportContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDpi);
    pdf.setTitle(QStringLiteral("Asztrológiai jelentés – ") +
                 QString::fromStdString(content.data.name));
    pdf.setCreator(QStringLiteral("Velorin"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                  QPageLayout::Millimeter));

    QPainter p;
    if (!p.begin(&pdf))
        return {};
    ReportPainter report(pdf, p, content);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDocumentMargin(0);
    doc.setDefaultFont(face("Liberation Serif", 10.5));
    QString text = content.interpretation;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    doc.setPlainText(text);
    doc.setPageSize(report.content().size());
    const int textPages = text.isEmpty() ? 0 : doc.pageCount();

    report.setPageCount(2 + textPages);
    report.firstPage();
    report.tablesPage();
    if (textPages > 0)
        report.interpretationPages(doc);
    if (!p.end())
        return {};
    return bytes;
}

ReportFile writeClientReport(const ReportContent& content, const QString& folder) {
    ReportFile out;
    const QByteArray pdf = clientReportPdf(content);
    if (pdf.isEmpty()) {
        out.error = QStringLiteral("A jelentés nem készíthető el; fájl nem íródott.");
        return out;
    }
    QDir().mkpath(folder);
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    // The name is taken only with the finished report, so a killed run
    // never leaves an empty one behind.
    QString reason;
    const std::optional<QString> path = writeUniqueFile(
        dir + safeFileName(QString::fromStdString(content.data.name)) + QStringLiteral(".pdf"),
        QStringLiteral("pdf"), pdf, &reason);
    if (!path) {
        out.error = QStringLiteral("A jelentés nincs mentve a(z) ") + folder +
                    QStringLiteral(" mappába: ") + reason + QStringLiteral(".");
        return out;
    }
    out.path = *path;
    return out;
}

} // namespace velorin
