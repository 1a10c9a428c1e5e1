// Text boxes with the input masks of the number and template-id rows.
//
// A masked box alters a text that does not fit its mask, so a stored value that does not
// fit is shown in the box without the mask: saved unchanged, it stays as it was. An
// untouched masked box holds only its literals ("{----}" for a GUID) and counts as empty.
#pragma once

#include "info/ParameterSchema.h"

#include <QString>

#include <cstddef>
#include <string>

class QLineEdit;

namespace VaskEdit {

// The Qt mask of a kind, with a blank as the prompt character; empty for kinds without a
// mask. A number mask is shortened so that it never holds more than capacity characters.
QString QtInputMask(RowKind kind, std::size_t capacity);
inline const QString GuidInputMask = QStringLiteral("\\{NNNNNNNN-NNNN-NNNN-NNNN-NNNNNNNNNNNN\\}; ");

// Puts the text in the box through the mask when the box gives it back unchanged that
// way, and otherwise without the mask, limited to maxLength characters. A text of only
// the mask's literals is the untouched box: it shows empty. An empty mask shows the text
// as it is. The box's validator is dropped; the caller sets up the check for the new
// text (RefuseUnreadableCharacters).
void ShowMasked(QLineEdit* box, const QString& mask, const std::string& text, int maxLength);

// The box's value: its text, or empty for a masked box that holds only literals.
QString BoxValue(const QLineEdit* box);
std::string BoxBytes(const QLineEdit* box);

} // namespace VaskEdit
