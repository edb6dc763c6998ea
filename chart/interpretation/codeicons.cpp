#include "codeicons.h"

#include "assets/artwork.h"

namespace velorin {

QIcon codeIcon(CodeIcon kind) {
    switch (kind) {
    case CodeIcon::Assigned:
        return artworkIcon(QStringLiteral("codes/assigned"));
    case CodeIcon::None:
        return artworkIcon(QStringLiteral("codes/none"));
    case CodeIcon::Missing:
        return artworkIcon(QStringLiteral("codes/missing"));
    }
    return QIcon();
}

} // namespace velorin
