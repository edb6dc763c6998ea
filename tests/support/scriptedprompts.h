#pragma once
// A UiPrompts that records every text shown and answers from a script, so
// that no window test ever waits on a real dialog.

#include "platform/uiprompts.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace velorin::test {

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon;
};

class ScriptedPrompts : public UiPrompts {
public:
    QList<ShownMessage> messages;
    QStringList questions;
    QList<MessageIcon> questionIcons;
    QList<FileDialogRequest> fileDialogs;

    QList<Answer> answers; // for question(); No when exhausted
    QStringList files;     // for openFile()/saveFile(); "" (cancel) when exhausted
    QList<QColor> colors;  // for chooseColor(); cancel when exhausted

    void message(const QString& text, const QString& title, MessageIcon icon) override {
        messages.append({text, title, icon});
    }
    Answer question(const QString& text, const QString&,
                    MessageIcon icon = MessageIcon::Question) override {
        questions << text;
        questionIcons << icon;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }
    Answer questionWithCancel(const QString& text, const QString& t) override {
        return question(text, t);
    }
    bool input(const QString&, const QString&, QString&) override { return false; }
    QString openFile(const FileDialogRequest& req) override { return nextFile(req); }
    QString saveFile(const FileDialogRequest& req) override { return nextFile(req); }
    bool chooseColor(QColor& color) override {
        if (colors.isEmpty())
            return false;
        color = colors.takeFirst();
        return true;
    }

    QStringList messageTexts() const {
        QStringList out;
        for (const ShownMessage& m : messages)
            out << m.text;
        return out;
    }
    void clear() {
        messages.clear();
        questions.clear();
        questionIcons.clear();
        fileDialogs.clear();
        answers.clear();
        files.clear();
        colors.clear();
    }

private:
    QString nextFile(const FileDialogRequest& req) {
        fileDialogs << req;
        return files.isEmpty() ? QString() : files.takeFirst();
    }
};

// Records the documents the program asks the desktop to open.
class FakeShell : public ShellOpener {
public:
    QStringList opened;
    bool succeeds = true; // false: no program on the machine takes the file
    bool open(const QString& path) override {
        opened.append(path);
        return succeeds;
    }
};

} // namespace velorin::test
