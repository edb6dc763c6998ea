#pragma once
// The place search window of the birth-data form: the user types the start
// of a place name (or of another name of it, Kolozsvár for Cluj-Napoca), sees
// the matches with their country and region, largest first, and picks one.

#include "atlas/atlas.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace velorin {

class frmHelyseg : public QDialog {
    Q_OBJECT
public:
    // The atlas is null when it could not be read; the window then says so.
    frmHelyseg(const Atlas* atlas, const QString& atlasError, QWidget* parent = nullptr);

    // Shows the window modally over the program's atlas (read on first use)
    // and returns the place picked; nothing when it was cancelled.
    static std::optional<Place> choose(QWidget* parent);

    std::optional<Place> chosen() const { return m_chosen; }

    // The artwork of the form's button that opens this window.
    static QIcon buttonIcon();

    QLineEdit* txtKeres = nullptr;
    QTreeWidget* lstHelyseg = nullptr;
    QLabel* lblInfo = nullptr;
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "MÉGSEM"

    void search(const QString& query);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pick();

    const Atlas* m_atlas;
    QString m_atlasError;
    std::vector<Place> m_found;
    std::optional<Place> m_chosen;
};

} // namespace velorin
