#pragma once
// The interpretation editor: a small rich-text editor for the passages,
// working on .txt and .rtf files. The caption is the current file ("Uj" for a
// document never saved), and unsaved changes are asked about before they are
// lost.

#include <QMainWindow>
#include <functional>

class QAction;
class QTextCharFormat;
class QTextDocument;
class QTextEdit;

namespace velorin {

class frmErtelmez : public QMainWindow {
    Q_OBJECT
public:
    explicit frmErtelmez(QWidget* parent = nullptr);

    // Prints a document; the default sends it to the default printer, or to a
    // PDF in the text folder where no printer exists.
    using Printer = std::function<void(QTextDocument&)>;
    void setPrinter(Printer printer) { printer_ = std::move(printer); }

    bool isModified() const { return modified_; }

    // Accepts 0 (invisible) to 255 (opaque); other values change nothing.
    void setTranslucency(int alpha);

    QTextEdit* RC;
    QAction* mnuUj;
    QAction* mnuMegnyit;
    QAction* mnuMentes;
    QAction* mnuMaskepp;
    QAction* mnuWord;
    QAction* mnuNyomtatas;
    QAction* mnuBold;
    QAction* mnuItalic;
    QAction* mnuUnderline;
    QAction* mnuKilep;

public slots:
    void newDocument();
    void openDocument();
    // False only when writing failed; a cancelled Save as still counts as
    // done, as the caption and flag rules want.
    bool save();
    // True when a file was written.
    bool saveAs();
    void saveAsAndOpen();
    void printDocument();
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Choice { Proceed, Stop };
    enum class Saved { Written, Cancelled, Failed };
    Saved saveAsChosenFile();
    Choice askToSave();
    bool writeTo(const QString& path);
    void loadFile(const QString& path);
    bool selectionHas(const std::function<bool(const QTextCharFormat&)>& has) const;

    bool modified_ = false;
    Printer printer_;
};

} // namespace velorin
