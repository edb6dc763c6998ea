#pragma once
// The Qt dialogs behind every question, message and file dialog of the windows
// of all three programs.

#include "platform/uiprompts.h"

namespace velorin {

class QtPrompts : public UiPrompts {
public:
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    Answer question(const QString& text, const QString& title,
                    MessageIcon icon = MessageIcon::Question) override;
    Answer questionWithCancel(const QString& text, const QString& title) override;
    bool input(const QString& prompt, const QString& title, QString& value) override;
    QString openFile(const FileDialogRequest& req) override;
    QString saveFile(const FileDialogRequest& req) override;
    bool chooseColor(QColor& color) override;
};

} // namespace velorin
