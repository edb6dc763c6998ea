#pragma once
// Making the atlas file from a table of places (scripts/build-atlas runs it
// through atlas-write). The search keys are made here by the very function
// the reader folds a query with, so the two cannot disagree.

#include "atlas.h"

#include <QByteArray>
#include <QStringList>
#include <optional>
#include <vector>

namespace velorin {

struct AtlasSourcePlace {
    Place place;
    QStringList otherNames; // as GeoNames gives them, any script
};

// Whether a place is found by this other name: Latin script only (the query
// box holds what a Hungarian keyboard types), and no codes or abbreviations
// (a name without any small letter: "CLJ", "BUD").
bool indexedOtherName(QStringView name);

// The file for these places, largest first. Nothing, and error set, for a
// place the file cannot hold (a name longer than 255 bytes, broken text).
std::optional<QByteArray> atlasFileBytes(const std::vector<AtlasSourcePlace>& places,
                                         QString* error);

} // namespace velorin
