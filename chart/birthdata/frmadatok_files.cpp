// The birth-data form's chart-file and location-file operations.

#include "frmadatok.h"

#include "engine/numbers.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace velorin {

namespace {

const QString kChartFilter = QStringLiteral("Velorin file (*.ast)");
const QString kLocationFilter = QStringLiteral("Velorin helység file (*.loc)");
const QString kProposedPlace = QStringLiteral("helysegneve");
const QString kTitle = QStringLiteral("Velorin");
// Location files are a few dozen bytes; anything far larger is not one.
constexpr qint64 kMaxLocationBytes = 64 * 1024;

} // namespace

std::optional<ChartFile> frmAdatok::mVerzioVizsgal(const QString& path) {
    ReadResult r = readChartFile(path, birthData());
    if (!r.file)
        return std::nullopt;
    if (r.file->layout == ChartLayout::Current)
        return r.file;

    const QString question = QStringLiteral(
        "A megnyitott asztrógram az Velorin előző verziójával volt készitve. Akarja "
        "konvertálni az új verzióra?\n\nMegjegyzés: a konvertálás után az asztrógram a régi "
        "verziókkal nem lesz megnyitható!");
    if (prompts().question(question, QString()) != Answer::Yes)
        return r.file;

    const QString record = formatConvertedRecord(r.file->data, kMaleText);
    QString error;
    if (!writeFileAtomically(path, toCp1250(record), &error)) {
        prompts().message(
            QStringLiteral("Az asztrógram nem konvertálható: %1 (%2). A file változatlan maradt.")
                .arg(path, error),
            kTitle, MessageIcon::Critical);
        return std::nullopt;
    }
    prompts().message(QStringLiteral("Az asztrógram file átkonvertálva! Ne feledje beállitani az "
                                     "adatoknál a szülött nemét! (Alapbeállitás férfi)."),
                      QString(), MessageIcon::Information);
    r.file->layout = ChartLayout::Current;
    r.file->data.sex = kMaleText;
    return r.file;
}

bool frmAdatok::openChart(const QString& path) {
    // The whole record is read (and converted) before any field changes, so a
    // file that cannot be read leaves the form as it was.
    const std::optional<ChartFile> file = mVerzioVizsgal(path);
    if (!file)
        return false;
    m_entry.fillFromChart(*file);
    showEntry();
    mSzamol();
    hide();
    return true;
}

void frmAdatok::mMegnyit() {
    const QString path = prompts().openFile(
        {QStringLiteral("Asztrógram megnyitása"), kChartFilter, chartFolder(), QString()});
    if (path.isEmpty())
        return;
    if (!openChart(path))
        return;
    m_state.chartSaved = true;
    m_state.currentChartPath = path;
}

bool frmAdatok::mStartMegnyit() {
    if (!openChart(m_state.currentChartPath))
        return false;
    m_state.chartSaved = true;
    return true;
}

// The set-aside chart becomes the current one: otherwise setting it aside
// again, or reopening after a settings change, would use the path of the
// chart shown before it.
void frmAdatok::mFelreMegnyit() {
    const QString path = m_state.setAsidePath;
    if (!openChart(path))
        return;
    m_state.chartSaved = true;
    m_state.currentChartPath = path;
}

void frmAdatok::mMent() {
    const QString name = m_entry.name;
    if (QString::fromStdString(trimSpaces(name.toStdString())).isEmpty()) {
        if (isVisible())
            txtName->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString base =
        name == QStringLiteral("Ma")
            ? QStringLiteral("Ma(%1)").arg(now().toString(QStringLiteral("yy.MM.dd")))
            : safeFileName(name);
    const QString candidate = chartFolder() + base + QStringLiteral(".ast");
    QDir().mkpath(chartFolder());
    QString error;
    const std::optional<QString> written = writeUniqueFile(
        candidate, QStringLiteral("ast"), toCp1250(formatChartRecord(birthData())), &error);
    if (!written) {
        prompts().message(QStringLiteral("Az asztrogram nincs mentve: a(z) %1 mappában a(z) "
                                         "%2.ast néven nem írható (%3).")
                              .arg(chartFolder(), base, error),
                          kTitle, MessageIcon::Critical);
        return;
    }
    const QString path = *written;
    prompts().message(QStringLiteral("OK!"), kTitle, MessageIcon::Information);
    setWindowTitle(path);
    m_state.chartSaved = true;
    m_state.currentChartPath = path;
}

void frmAdatok::P1_Click() {
    QDir().mkpath(locationFolder());
    QString path = prompts().saveFile(
        {QStringLiteral("Hely mentése"), kLocationFilter, locationFolder(), kProposedPlace});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".loc");
    QString error;
    if (!writeFileAtomically(path, toCp1250(formatLocationRecord(m_entry.location())), &error)) {
        prompts().message(QStringLiteral("A hely nincs mentve: %1 (%2). A meglévő file változatlan "
                                         "maradt.")
                              .arg(path, error),
                          kTitle, MessageIcon::Critical);
        return;
    }
    prompts().message(QStringLiteral("OK!"), kTitle, MessageIcon::Information);
}

void frmAdatok::P2_Click() {
    const QString path = prompts().openFile(
        {QStringLiteral("Hely megnyitása"), kLocationFilter, locationFolder(), kProposedPlace});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QString error;
    if (!readSmallFile(path, bytes, kMaxLocationBytes, &error)) {
        prompts().message(
            QStringLiteral("A hely file nem olvasható: %1 (%2). Az adatok változatlanok.")
                .arg(path, error),
            kTitle, MessageIcon::Critical);
        return;
    }
    const std::optional<LocationFile> l = parseLocationText(decodeTextFile(bytes));
    if (!l) {
        prompts().message(
            QStringLiteral("Ez nem Velorin hely file: %1. Az adatok változatlanok.").arg(path),
            kTitle, MessageIcon::Critical);
        return;
    }

    m_entry.fillFromLocation(*l);
    showEntry();
}

} // namespace velorin
