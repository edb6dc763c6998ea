#include "uiprompts.h"

#include <QDesktopServices>
#include <QUrl>
#include <cstdio>

namespace velorin {
namespace {

// Without windows (the command line) nothing can be asked: messages go to
// standard error and every question is answered in the safe direction.
class ConsolePrompts : public UiPrompts {
public:
    void message(const QString& text, const QString& title, MessageIcon) override {
        std::fprintf(stderr, "%s%s%s\n", qPrintable(title), title.isEmpty() ? "" : ": ",
                     qPrintable(text));
    }
    Answer question(const QString& text, const QString& title,
                    MessageIcon icon = MessageIcon::Question) override {
        message(text, title, icon);
        return Answer::No;
    }
    Answer questionWithCancel(const QString& text, const QString& title) override {
        message(text, title, MessageIcon::Question);
        return Answer::Cancel;
    }
    bool input(const QString&, const QString&, QString&) override { return false; }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    bool chooseColor(QColor&) override { return false; }
};

class DesktopOpener : public ShellOpener {
public:
    bool open(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

ConsolePrompts g_consolePrompts;
UiPrompts* g_prompts = nullptr;
DesktopOpener g_desktopOpener;
ShellOpener* g_opener = nullptr;

} // namespace

UiPrompts& prompts() {
    return g_prompts ? *g_prompts : g_consolePrompts;
}
void setPrompts(UiPrompts* p) {
    g_prompts = p;
}

ShellOpener& shellOpener() {
    return g_opener ? *g_opener : g_desktopOpener;
}
void setShellOpener(ShellOpener* o) {
    g_opener = o;
}

} // namespace velorin
