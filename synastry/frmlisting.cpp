#include "frmlisting.h"

#include "platform/widgets/screenfit.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace velorin {

frmListing::frmListing(const QString& objectName, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(objectName);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono;
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(9);
    Text1->setFont(mono);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);
    openWithinScreen(this, QSize(420, 480));
}

void frmListing::showListing(const QString& title, const QString& listing) {
    setWindowTitle(title);
    QString text = listing;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(text);
    show();
}

QString frmListing::listingText() const {
    return Text1->toPlainText();
}

} // namespace velorin
