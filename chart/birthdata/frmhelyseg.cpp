#include "frmhelyseg.h"

#include "assets/artwork.h"
#include "platform/widgets/screenfit.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velorin {

namespace {

constexpr int kShownMatches = 100;

// Numbers as the rest of the Hungarian interface writes them (44 009).
QString count(std::uint32_t n) {
    return QLocale(QLocale::Hungarian, QLocale::Hungary).toString(n);
}

} // namespace

// The place search button's artwork: a magnifying glass over a map pin.
QIcon frmHelyseg::buttonIcon() {
    return artworkIcon(QStringLiteral("window/place-search"));
}

frmHelyseg::frmHelyseg(const Atlas* atlas, const QString& atlasError, QWidget* parent)
    : QDialog(parent), m_atlas(atlas), m_atlasError(atlasError) {
    setObjectName(QStringLiteral("frmHelyseg"));
    setWindowTitle(QStringLiteral("Helység keresése"));
    setModal(true);

    txtKeres = new QLineEdit(this);
    txtKeres->setObjectName(QStringLiteral("txtKeres"));
    txtKeres->setPlaceholderText(
        QStringLiteral("A helység nevének eleje, más nyelven is (Kolozsvár), ékezetek nélkül is"));
    txtKeres->setClearButtonEnabled(true);
    lstHelyseg = new QTreeWidget(this);
    lstHelyseg->setObjectName(QStringLiteral("lstHelyseg"));
    lstHelyseg->setRootIsDecorated(false);
    lstHelyseg->setUniformRowHeights(true);
    lstHelyseg->setAllColumnsShowFocus(true);
    lstHelyseg->setHeaderLabels({QStringLiteral("Helység"), QStringLiteral("Ország"),
                                 QStringLiteral("Régió"), QStringLiteral("Lakosság"),
                                 QStringLiteral("Időzóna")});
    lstHelyseg->header()->setStretchLastSection(false);
    lstHelyseg->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstHelyseg->setColumnWidth(1, 55);
    lstHelyseg->setColumnWidth(2, 170);
    lstHelyseg->setColumnWidth(3, 80);
    lstHelyseg->setColumnWidth(4, 150);
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command1->setEnabled(false);
    Command2 = new QPushButton(QStringLiteral("MÉGSEM"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Helység neve:"), this));
    layout->addWidget(txtKeres);
    layout->addWidget(lstHelyseg, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblInfo, 1);
    bottom->addWidget(Command1);
    bottom->addWidget(Command2);
    layout->addLayout(bottom);
    openWithinScreen(this, QSize(720, 420));

    // Up and down in the box move in the list, so typing and choosing need
    // no switch between the two.
    txtKeres->installEventFilter(this);
    connect(txtKeres, &QLineEdit::textChanged, this, &frmHelyseg::search);
    connect(txtKeres, &QLineEdit::returnPressed, this, &frmHelyseg::pick);
    connect(lstHelyseg, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Command1->setEnabled(item != nullptr); });
    connect(lstHelyseg, &QTreeWidget::itemActivated, this, &frmHelyseg::pick);
    connect(Command1, &QPushButton::clicked, this, &frmHelyseg::pick);
    connect(Command2, &QPushButton::clicked, this, &frmHelyseg::reject);

    if (!m_atlas) {
        txtKeres->setEnabled(false);
        lblInfo->setText(m_atlasError);
    } else {
        lblInfo->setText(
            QStringLiteral("%1 helység közül").arg(count(std::uint32_t(m_atlas->size()))));
    }
}

std::optional<Place> frmHelyseg::choose(QWidget* parent) {
    QString error;
    const Atlas* atlas = Atlas::shared(&error);
    frmHelyseg dialog(atlas, error, parent);
    dialog.exec();
    return dialog.chosen();
}

void frmHelyseg::search(const QString& query) {
    if (!m_atlas)
        return;
    m_found = m_atlas->search(query, kShownMatches);
    const QString damage = m_atlas->error();
    lstHelyseg->clear();
    QList<QTreeWidgetItem*> rows;
    for (const Place& p : m_found) {
        auto* item = new QTreeWidgetItem({p.shownName(), p.country, p.region,
                                          p.population ? count(p.population) : QString(), p.zone});
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(item);
    }
    lstHelyseg->addTopLevelItems(rows);
    if (!rows.isEmpty())
        lstHelyseg->setCurrentItem(rows.front());
    if (!damage.isEmpty())
        lblInfo->setText(damage);
    else if (query.trimmed().isEmpty())
        lblInfo->setText(
            QStringLiteral("%1 helység közül").arg(count(std::uint32_t(m_atlas->size()))));
    else if (m_found.empty())
        lblInfo->setText(QStringLiteral("Nincs ilyen kezdetű helység."));
    else if (int(m_found.size()) == kShownMatches)
        lblInfo->setText(
            QStringLiteral("Az első %1 találat; írjon többet a szűkítéshez.").arg(kShownMatches));
    else
        lblInfo->setText(QStringLiteral("%1 találat").arg(m_found.size()));
}

void frmHelyseg::pick() {
    const int row = lstHelyseg->indexOfTopLevelItem(lstHelyseg->currentItem());
    if (row < 0 || row >= int(m_found.size()))
        return;
    m_chosen = m_found[size_t(row)];
    accept();
}

bool frmHelyseg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtKeres && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown ||
            key == Qt::Key_PageUp) {
            QCoreApplication::sendEvent(lstHelyseg, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace velorin
