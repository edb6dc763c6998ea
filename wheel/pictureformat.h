#pragma once
// What a wheel file is, by its name alone. Kept apart from the painters so
// that a command line which only checks its arguments does not pull them in.

#include <QString>
#include <optional>

namespace velorin {

// What a wheel file is, by its name's extension (case ignored): .png, .jpg,
// .jpeg, .svg, .pdf; none for any other.
enum class PictureFormat { Png, Jpeg, Svg, Pdf };
std::optional<PictureFormat> pictureFormatOf(const QString& path);
// The extensions known, for messages: ".png, .jpg, .jpeg, .svg, .pdf".
QString pictureExtensions();
// The file-dialog filter offering the four kinds, JPEG first.
QString pictureDialogFilter();

} // namespace velorin
