#pragma once
// The key filter of the data-entry boxes, shared by the chart program's form
// and the moon calendar's start window.

#include <QObject>
#include <QString>

#include <initializer_list>

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

// Moves the focus from `from` one step (+1 down, -1 up) along the boxes of
// an arrow chain; the chain ends at its two ends. False when `from` is not in it.
bool focusAlongChain(std::initializer_list<QWidget*> chain, QWidget* from, int step);

inline const QString kDigits = QStringLiteral("0123456789");

} // namespace velorin
