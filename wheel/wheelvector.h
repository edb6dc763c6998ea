#pragma once
// The wheels as vector files: SVG and PDF pages painted by the same painter
// as the window's image, with the text kept as text and the symbols as paths.

#include "pictureformat.h"

#include "engine/chart.h"
#include "platform/settings.h"

#include <QByteArray>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace velorin {

enum class VectorFormat { Svg, Pdf };

// A page of size pixels at the wheel's 96 dpi (a PDF page of the same
// physical size, no margins) painted by paint, as the file's bytes; empty
// when size is empty or the page could not be written.
QByteArray paintVectorPage(VectorFormat format, QSize size, const QString& title,
                           const std::function<void(QPainter&)>& paint);

// The natal wheel as the main window draws it on a client area of size, with
// the aspect search of ws.
QByteArray radixVector(VectorFormat format, const Chart& chart, const WorkingSettings& ws,
                       QSize size, const QString& title = QString());

// The synastry wheel, with the cross-aspects of ws.
QByteArray synastryVector(VectorFormat format, const Chart& first, const Chart& second,
                          const WorkingSettings& ws, QSize size, const QString& title = QString());

} // namespace velorin
