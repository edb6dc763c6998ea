#pragma once
// The form of a name that search compares: accents dropped, case folded,
// letters without a decomposition spelled out (ø, ł, æ …), hyphens as blanks.

#include <QString>
#include <QStringView>
#include <string>

namespace velorin {

std::string searchKey(QStringView text);

} // namespace velorin
