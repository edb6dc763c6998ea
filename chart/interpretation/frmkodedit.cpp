#include "frmkodedit.h"
#include "platform/textfile.h"

#include "platform/settings.h"
#include "platform/uiprompts.h"
#include "platform/widgets/screenfit.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velorin {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kIconRole = Qt::UserRole + 1;

CodeIcon iconForFile(const QString& file) {
    const QString f = trimBlanks(file);
    if (f == kNoFileAssigned)
        return CodeIcon::None;
    return QFileInfo(f).isFile() ? CodeIcon::Assigned : CodeIcon::Missing;
}

QWidget* legendRow(CodeIcon icon, const QString& text, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(row);
    picture->setPixmap(codeIcon(icon).pixmap(16, 16));
    layout->addWidget(picture);
    auto* label = new QLabel(text, row);
    label->setObjectName(QStringLiteral("legend%1").arg(int(icon)));
    layout->addWidget(label, 1);
    return row;
}

} // namespace

frmKodedit::frmKodedit(const QString& codeFilePath, QWidget* parent)
    : QDialog(parent), path_(codeFilePath) {
    setObjectName(QStringLiteral("frmKodedit"));
    setWindowTitle(QStringLiteral("Kód szerkesztő"));
    setModal(true);

    LV = new QTreeWidget(this);
    LV->setObjectName(QStringLiteral("LV"));
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setAllColumnsShowFocus(true);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->setSelectionBehavior(QAbstractItemView::SelectRows);

    L1 = new QLabel(this);
    L1->setObjectName(QStringLiteral("L1"));
    L2 = new QLabel(this);
    L2->setObjectName(QStringLiteral("L2"));
    L2->setWordWrap(true);
    L3 = new QLabel(this);
    L3->setObjectName(QStringLiteral("L3"));
    L3->setWordWrap(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text9 = new QLineEdit(this);
    Text9->setObjectName(QStringLiteral("Text9"));
    Text9->setReadOnly(true);

    Command2 = new QPushButton(QStringLiteral("..."), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("File kiválasztása"));
    Command3 = new QPushButton(QStringLiteral("X"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setToolTip(QStringLiteral("Útvonal törlése"));
    Command1 = new QPushButton(QStringLiteral("MENTÉS ÉS KILÉPÉS"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* details = new QGridLayout;
    details->addWidget(Label1, 0, 0, 1, 2);
    details->addWidget(new QLabel(QStringLiteral("Kód:"), this), 1, 0);
    details->addWidget(L1, 1, 1);
    details->addWidget(new QLabel(QStringLiteral("Magyarázat:"), this), 2, 0);
    details->addWidget(L2, 2, 1);
    details->addWidget(new QLabel(QStringLiteral("File:"), this), 3, 0);
    details->addWidget(L3, 3, 1);
    details->setColumnStretch(1, 1);

    auto* chooser = new QHBoxLayout;
    chooser->addWidget(Text9, 1);
    chooser->addWidget(Command2);
    chooser->addWidget(Command3);

    auto* legend = new QVBoxLayout;
    legend->addWidget(
        legendRow(CodeIcon::Assigned, QStringLiteral("File hozzá van rendelve"), this));
    legend->addWidget(legendRow(CodeIcon::None, QStringLiteral("Nincs file hozzárendelve"), this));
    legend->addWidget(legendRow(CodeIcon::Missing,
                                QStringLiteral("File hozzá van rendelve de az eredeti helyéről "
                                               "hiányzik igy nem megnyitható"),
                                this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LV, 1);
    layout->addLayout(details);
    layout->addWidget(new QLabel(QStringLiteral("Válassza ki azt a filet a ... gombbal, amelyet "
                                                "a kijelölt kódhoz akar csatolni."),
                                 this));
    layout->addLayout(chooser);
    layout->addLayout(legend);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Command1);
    layout->addLayout(bottom);
    openWithinScreen(this, QSize(900, 600));

    connect(LV, &QTreeWidget::itemSelectionChanged, this, &frmKodedit::showSelection);
    connect(Command2, &QPushButton::clicked, this, &frmKodedit::chooseFile);
    connect(Command3, &QPushButton::clicked, this, &frmKodedit::clearPath);
    connect(Command1, &QPushButton::clicked, this, &frmKodedit::saveAndExit);

    load();
}

CodeIcon frmKodedit::rowIcon(const QTreeWidgetItem* row) {
    return CodeIcon(row->data(0, kIconRole).toInt());
}

void frmKodedit::load() {
    LV->clear();
    LV->setColumnCount(3);
    LV->setHeaderLabels(
        {QStringLiteral("Kód"), QStringLiteral("Magyarázat"), QStringLiteral("Hozzárendelt file")});
    LV->setColumnWidth(0, 1400 / kTwipsPerPixel);
    LV->setColumnWidth(1, 3500 / kTwipsPerPixel);
    LV->setColumnWidth(2, 7000 / kTwipsPerPixel);

    std::vector<CodeEntry> entries;
    QString error;
    const bool readable = readCodeFile(path_, entries, &error);
    if (!readable)
        prompts().message(QStringLiteral("A kódtábla (%1) nem olvasható: %2").arg(path_, error),
                          QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
    // Saving the empty list of an unreadable table would wipe the real one.
    Command1->setEnabled(readable);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(entries.size()));
    for (const CodeEntry& e : entries) {
        auto* row = new QTreeWidgetItem({e.code, e.explanation, QString()});
        setRow(row, iconForFile(e.file), e.file);
        rows.append(row);
    }
    LV->addTopLevelItems(rows);
}

void frmKodedit::setRow(QTreeWidgetItem* row, CodeIcon icon, const QString& file) {
    row->setIcon(0, codeIcon(icon));
    row->setData(0, kIconRole, int(icon));
    row->setText(2, file);
}

void frmKodedit::showSelection() {
    QTreeWidgetItem* row = LV->currentItem();
    if (!row || !row->isSelected())
        return;
    L1->setText(row->text(0));
    L2->setText(row->text(1));
    L3->setText(row->text(2));
    Label1->setText(row->text(0) + QStringLiteral(" (") + row->text(1) + QStringLiteral(")"));
}

void frmKodedit::chooseFile() {
    QTreeWidgetItem* row = LV->currentItem();
    if (!row || !row->isSelected())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("File kiválasztása");
    request.filter = QStringLiteral("Text (*.txt);;All (*.*)");
    const QString chosen = prompts().openFile(request);
    if (chosen.isEmpty())
        return;
    Text9->setText(chosen);
    setRow(row, CodeIcon::Assigned, chosen);
    showSelection();
}

void frmKodedit::clearPath() {
    QTreeWidgetItem* row = LV->currentItem();
    if (!row || !row->isSelected())
        return;
    setRow(row, CodeIcon::None, kNoFileAssigned);
    showSelection();
}

void frmKodedit::saveAndExit() {
    std::vector<CodeEntry> entries;
    entries.reserve(size_t(LV->topLevelItemCount()));
    for (int i = 0; i < LV->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = LV->topLevelItem(i);
        entries.push_back({row->text(0), row->text(1), row->text(2)});
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const bool saved = saveCodeFile(path_, entries, &error);
    QGuiApplication::restoreOverrideCursor();
    if (!saved) {
        // The window stays open so that the links just made are not lost.
        prompts().message(QStringLiteral("A kódtábla nem menthető (%1): %2").arg(path_, error),
                          QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
        return;
    }
    accept();
}

} // namespace velorin
