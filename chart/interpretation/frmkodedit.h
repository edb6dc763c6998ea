#pragma once
// The code editor: links the codes of cod.dat to passage files. Codes and
// explanations are fixed; only the assigned file of an entry changes, and
// only "MENTÉS ÉS KILÉPÉS" writes the table back.

#include "codeicons.h"
#include "interpretation/codetable.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace velorin {

class frmKodedit : public QDialog {
    Q_OBJECT
public:
    explicit frmKodedit(const QString& codeFilePath, QWidget* parent = nullptr);

    // The row mark chosen when the row was made (kept in the first column).
    static CodeIcon rowIcon(const QTreeWidgetItem* row);

    QTreeWidget* LV;
    QLabel* L1;
    QLabel* L2;
    QLabel* L3;
    QLabel* Label1;
    QLineEdit* Text9;
    QPushButton* Command1; // MENTÉS ÉS KILÉPÉS
    QPushButton* Command2; // ... (choose a file)
    QPushButton* Command3; // X (clear the path)

public slots:
    void chooseFile();
    void clearPath();
    void saveAndExit();

private:
    void load();
    void showSelection();
    void setRow(QTreeWidgetItem* row, CodeIcon icon, const QString& file);

    QString path_;
};

} // namespace velorin
