// How the dialogs present a row of each kind: the width of its control, the tint behind
// a text box, whether it is a drop-down list and whether its box starts read-only (a
// template id, which the picker fills). The boxes' masks are in MaskedBox.h.
#pragma once

#include "info/ParameterSchema.h"

#include <QColor>
#include <QString>

#include <optional>

namespace VaskEdit {

struct RowKindLook {
    int width;
    std::optional<QColor> background; // none: the style's colour
    bool usesList;
    bool startsReadOnly;
};

const RowKindLook& LookOf(RowKind kind);

} // namespace VaskEdit
