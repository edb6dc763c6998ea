#pragma once
// The code editor's three row marks:
// assigned (floppy disk), none (blank page), missing (scissors).

#include <QIcon>

namespace velorin {

enum class CodeIcon { Assigned = 1, None = 2, Missing = 3 };

QIcon codeIcon(CodeIcon kind);

} // namespace velorin
