#include "uiprompts.h"

#include "injected.h"

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

Injected<UiPrompts, ConsolePrompts> g_prompts;
Injected<ShellOpener, DesktopOpener> g_opener;

} // namespace

UiPrompts& prompts() {
    return g_prompts.get();
}
void setPrompts(UiPrompts* p) {
    g_prompts.set(p);
}

ShellOpener& shellOpener() {
    return g_opener.get();
}
void setShellOpener(ShellOpener* o) {
    g_opener.set(o);
}

} // namespace velorin
