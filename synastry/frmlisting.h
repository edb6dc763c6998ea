#pragma once
// frmA1 and frmA2: one person's chart listing as text in a fixed-pitch font.

#include <QWidget>

class QPlainTextEdit;

namespace velorin {

class frmListing : public QWidget {
    Q_OBJECT
public:
    explicit frmListing(const QString& objectName, QWidget* parent = nullptr);
    void showListing(const QString& title, const QString& listing);
    QString listingText() const;

private:
    QPlainTextEdit* Text1 = nullptr;
};

} // namespace velorin
