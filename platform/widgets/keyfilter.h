#pragma once
// The key filter of the data-entry boxes, shared by the chart program's form
// and the moon calendar's start window.

#include <QObject>
#include <QString>

class QWidget;

namespace velorin {

// Drops the printable keys a box does not take; editing and movement keys
// pass, as they never reached the original's key filter.
class KeyFilter : public QObject {
public:
    KeyFilter(const QString& allowed, QObject* parent) : QObject(parent), m_allowed(allowed) {}

    // Lets only the characters of `allowed` be typed into `box`.
    static void restrict(QWidget* box, const QString& allowed);

protected:
    bool eventFilter(QObject*, QEvent* event) override;

private:
    QString m_allowed;
};

inline const QString kDigits = QStringLiteral("0123456789");

} // namespace velorin
