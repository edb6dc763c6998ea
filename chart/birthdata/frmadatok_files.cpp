// The birth-data form's chart-file and location-file operations.

#include "frmadatok.h"

#include "engine/numbers.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace velorin {

namespace {

const char* const kChartFilter = "Velorin file (*.ast)";
const char* const kLocationFilter = "Velorin helység file (*.loc)";
const char* const kProposedPlace = "helysegneve";
// Location files are a few dozen bytes; anything far larger is not one.
constexpr qint64 kMaxLocationBytes = 64 * 1024;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

std::optional<ChartFile> frmAdatok::mVerzioVizsgal(const QString& path) {
    ReadResult r = readChartFile(path, birthData());
    if (!r.file)
        return std::nullopt;
    if (r.file->layout == ChartLayout::Current)
        return r.file;

    const QString question =
        "A megnyitott asztrógram az Velorin előző verziójával volt készitve. Akarja "
        "konvertálni az új verzióra?\n\nMegjegyzés: a konvertálás után az asztrógram a régi "
        "verziókkal nem lesz megnyitható!";
    if (prompts().question(question, QString()) != Answer::Yes)
        return r.file;

    const QString record = formatConvertedRecord(r.file->data, kMaleText);
    QString error;
    if (!writeFileAtomically(path, toCp1250(record), &error)) {
        prompts().message("Az asztrógram nem konvertálható: " + path + " (" + error +
                              "). A file változatlan maradt.",
                          "Velorin", MessageIcon::Critical);
        return std::nullopt;
    }
    prompts().message("Az asztrógram file átkonvertálva! Ne feledje beállitani az adatoknál a "
                      "szülött nemét! (Alapbeállitás férfi).",
                      QString(), MessageIcon::Information);
    r.file->layout = ChartLayout::Current;
    r.file->data.sex = kMaleText;
    return r.file;
}

void frmAdatok::fillFromChart(const ChartFile& file) {
    const BirthData& d = file.data;
    txtName->setText(q(d.name));
    txtYear->setText(q(d.year));
    txtMonth->setText(q(d.month));
    txtDay->setText(q(d.day));
    txtBirthHour->setText(q(d.hour));
    txtBirthMinute->setText(q(d.minute));
    txtLatDeg->setText(q(d.latDeg));
    txtLatMin->setText(q(d.latMin));
    txtLongDeg->setText(q(d.longDeg));
    txtLongMin->setText(q(d.longMin));
    txtTZ->setText(q(d.zone));
    mZonaKeres();
    Check1->setChecked(d.daylightSaving != 0);
    txtMeg->setPlainText(q(d.notes));
    if (file.layout == ChartLayout::Current) {
        const int row = Combo1->findText(q(d.sex));
        if (row >= 0)
            Combo1->setCurrentIndex(row);
    }
    (d.am ? optAM : optPM)->setChecked(true);
    // The hemispheres the chart was saved with outrank the zone row's guess.
    if (file.hasHemispheres)
        setHemispheres(d.east, d.north);
}

bool frmAdatok::openChart(const QString& path) {
    // The whole record is read (and converted) before any field changes, so a
    // file that cannot be read leaves the form as it was.
    const std::optional<ChartFile> file = mVerzioVizsgal(path);
    if (!file)
        return false;
    fillFromChart(*file);
    mHetNapja();
    mOra24();
    mSzamol();
    hide();
    return true;
}

void frmAdatok::mMegnyit() {
    const QString path =
        prompts().openFile({"Asztrógram megnyitása", kChartFilter, chartFolder(), QString()});
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
    const QString name = txtName->text();
    if (QString::fromStdString(trimSpaces(name.toStdString())).isEmpty()) {
        if (isVisible())
            txtName->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString base =
        name == "Ma" ? "Ma(" + now().toString("yy.MM.dd") + ")" : safeFileName(name);
    const QString candidate = chartFolder() + base + ".ast";
    QDir().mkpath(chartFolder());
    QString error;
    const std::optional<QString> written =
        writeUniqueFile(candidate, "ast", toCp1250(formatChartRecord(birthData())), &error);
    if (!written) {
        prompts().message("Az asztrogram nincs mentve: a(z) " + chartFolder() + " mappában a(z) " +
                              base + ".ast néven nem írható (" + error + ").",
                          "Velorin", MessageIcon::Critical);
        return;
    }
    const QString path = *written;
    prompts().message("OK!", "Velorin", MessageIcon::Information);
    setWindowTitle(path);
    m_state.chartSaved = true;
    m_state.currentChartPath = path;
}

void frmAdatok::P1_Click() {
    QDir().mkpath(locationFolder());
    QString path =
        prompts().saveFile({"Hely mentése", kLocationFilter, locationFolder(), kProposedPlace});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".loc";
    LocationFile l;
    l.zone = txtTZ->text();
    l.longDeg = txtLongDeg->text();
    l.longMin = txtLongMin->text();
    l.east = optEast->isChecked();
    l.west = optWest->isChecked();
    l.latDeg = txtLatDeg->text();
    l.latMin = txtLatMin->text();
    l.north = optNorth->isChecked();
    l.south = optSouth->isChecked();
    QString error;
    if (!writeFileAtomically(path, toCp1250(formatLocationRecord(l)), &error)) {
        prompts().message("A hely nincs mentve: " + path + " (" + error +
                              "). A meglévő file változatlan maradt.",
                          "Velorin", MessageIcon::Critical);
        return;
    }
    prompts().message("OK!", "Velorin", MessageIcon::Information);
}

void frmAdatok::P2_Click() {
    const QString path =
        prompts().openFile({"Hely megnyitása", kLocationFilter, locationFolder(), kProposedPlace});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QString error;
    if (!readSmallFile(path, bytes, kMaxLocationBytes, &error)) {
        prompts().message("A hely file nem olvasható: " + path + " (" + error +
                              "). Az adatok változatlanok.",
                          "Velorin", MessageIcon::Critical);
        return;
    }
    const std::optional<LocationFile> l = parseLocationText(decodeTextFile(bytes));
    if (!l) {
        prompts().message("Ez nem Velorin hely file: " + path + ". Az adatok változatlanok.",
                          "Velorin", MessageIcon::Critical);
        return;
    }

    // Field by field, as typed: a longitude option forces the sign of the
    // zone value as a click on it does, even when it was already set.
    txtTZ->setText(l->zone);
    txtLongDeg->setText(l->longDeg);
    txtLongMin->setText(l->longMin);
    if (l->east) {
        optEast->setChecked(true);
        forceZoneSign(true);
    }
    if (l->west) {
        optWest->setChecked(true);
        forceZoneSign(false);
    }
    txtLatDeg->setText(l->latDeg);
    txtLatMin->setText(l->latMin);
    if (l->north)
        optNorth->setChecked(true);
    if (l->south)
        optSouth->setChecked(true);
    mZonaKeres();
    // The zone row only guesses the latitude's hemisphere; the place file
    // knows it (a southern place in an eastern zone stays southern).
    if (l->north != l->south)
        setHemispheres(optEast->isChecked(), l->north);
}

} // namespace velorin
