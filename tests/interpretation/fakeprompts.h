#pragma once
// A scripted stand-in for the dialogs: records every text shown and answers
// from queues, so that no test ever waits on a real dialog.

#include "platform/uiprompts.h"

#include <QStringList>
#include <deque>

namespace velorin::testing {

class FakePrompts : public UiPrompts {
public:
    struct Shown {
        QString text;
        QString title;
        MessageIcon icon;
    };
    std::vector<Shown> messages;
    QStringList questions;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<Answer> answers; // for question/questionWithCancel
    std::deque<QString> files;  // for openFile/saveFile; empty means cancelled

    void message(const QString& text, const QString& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    Answer question(const QString& text, const QString&) override { return next(text); }
    Answer questionWithCancel(const QString& text, const QString&) override { return next(text); }
    bool input(const QString&, const QString&, QString&) override { return false; }
    QString openFile(const FileDialogRequest& r) override { return nextFile(r); }
    QString saveFile(const FileDialogRequest& r) override { return nextFile(r); }
    bool chooseColor(QColor&) override { return false; }

private:
    Answer next(const QString& text) {
        questions.append(text);
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString nextFile(const FileDialogRequest& r) {
        fileRequests.push_back(r);
        if (files.empty())
            return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};

class FakeShell : public ShellOpener {
public:
    QStringList opened;
    bool open(const QString& path) override {
        opened.append(path);
        return true;
    }
};

} // namespace velorin::testing
