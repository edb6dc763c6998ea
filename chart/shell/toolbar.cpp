#include "toolbar.h"

#include "assets/artwork.h"

namespace velorin {

namespace {

// The buttons' artwork in button order.
constexpr const char* kToolbarArtwork[kToolbarButtons] = {
    "open",  "edit",    "print",     "save",     "picture",   "sheet", "forward",
    "back",  "degrees", "ascendant", "settings", "interpret", "link",  "editor",
    "about", "exit",    "setaside",  "report",   "forecast",
};

} // namespace

QString toolbarArtwork(int n) {
    if (n < 0 || n >= kToolbarButtons)
        return {};
    return QStringLiteral("toolbar/") + QLatin1String(kToolbarArtwork[n]);
}

QIcon toolbarIcon(int n) {
    const QString name = toolbarArtwork(n);
    return name.isEmpty() ? QIcon() : artworkIcon(name);
}

// A pointing star: the program's own pointer over its picture buttons.
QCursor toolbarCursor() {
    return QCursor(artworkPixmap(QStringLiteral("toolbar/pointer"), 32), 10, 1);
}

} // namespace velorin
