#include "ui/entrydialogs/RowKindLook.h"
#include "ui/dialogs/DialogLook.h"

namespace VaskEdit {

const RowKindLook& LookOf(RowKind kind) {
    static const RowKindLook Looks[] = {
        // Text
        {220, PaleYellow, false, false},
        // Number
        {60, PaleGreen, false, false},
        // Decimal
        {80, PaleGreen, false, false},
        // TemplateId
        {220, PaleBlue, false, true},
        // YesNo
        {100, std::nullopt, true, false},
        // Choice
        {220, std::nullopt, true, false},
    };
    return Looks[static_cast<int>(kind)];
}

} // namespace VaskEdit
