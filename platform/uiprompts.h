#pragma once
// Every modal question, message, input box and common dialog of the windows
// goes through this interface, so that tests script the answers and never
// block on a real dialog. Production uses Qt dialogs (chart/shell).

#include <QColor>
#include <QString>

namespace velorin {

enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter; // Qt form: "Velorin file (*.ast)"
    QString startFolder;
    QString proposedName;
};

class UiPrompts {
public:
    virtual ~UiPrompts() = default;

    // An OK box (title may be empty).
    virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
    // A Yes/No box; returns Yes or No. Critical where the question follows a
    // refusal.
    virtual Answer question(const QString& text, const QString& title,
                            MessageIcon icon = MessageIcon::Question) = 0;
    // Yes/No/Cancel.
    virtual Answer questionWithCancel(const QString& text, const QString& title) = 0;
    // An input box; false when cancelled.
    virtual bool input(const QString& prompt, const QString& title, QString& value) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString openFile(const FileDialogRequest& req) = 0;
    virtual QString saveFile(const FileDialogRequest& req) = 0;
    // Colour dialog; false when cancelled.
    virtual bool chooseColor(QColor& color) = 0;
};

// The process-wide prompts; tests install a scripted fake.
UiPrompts& prompts();
void setPrompts(UiPrompts* p); // not owned; nullptr restores the default

// Asks the desktop to open a document (the shell's "Open").
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    virtual bool open(const QString& path) = 0;
};
ShellOpener& shellOpener();
void setShellOpener(ShellOpener* o);

} // namespace velorin
