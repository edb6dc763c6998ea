#include "qtprompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace velorin {

namespace {

// A box without a title of its own carries the program's name, as message
// boxes always did.
QString titleOr(const QString& title) {
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString startPath(const FileDialogRequest& req) {
    return req.proposedName.isEmpty() ? req.startFolder
                                      : QDir(req.startFolder).filePath(req.proposedName);
}

} // namespace

void QtPrompts::message(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), titleOr(title), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

Answer QtPrompts::question(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), titleOr(title), text, QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer QtPrompts::questionWithCancel(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, titleOr(title), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, dialogParent());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtPrompts::input(const QString& prompt, const QString& title, QString& value) {
    bool ok = false;
    const QString v = QInputDialog::getText(dialogParent(), titleOr(title), prompt,
                                            QLineEdit::Normal, value, &ok);
    if (ok)
        value = v;
    return ok;
}

QString QtPrompts::openFile(const FileDialogRequest& req) {
    return QFileDialog::getOpenFileName(dialogParent(), req.title, startPath(req), req.filter);
}

QString QtPrompts::saveFile(const FileDialogRequest& req) {
    return QFileDialog::getSaveFileName(dialogParent(), req.title, startPath(req), req.filter);
}

bool QtPrompts::chooseColor(QColor& color) {
    const QColor c = QColorDialog::getColor(color, dialogParent());
    if (!c.isValid())
        return false;
    color = c;
    return true;
}

} // namespace velorin
