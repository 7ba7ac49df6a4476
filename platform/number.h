#pragma once

#include <QStringView>
#include <optional>

namespace pukalo {

// Options are stored as text and compared as signed 16-bit numbers. Accepted: an optional sign
// and decimal digits, with leading zeros and surrounding blanks or tabs allowed ("01", " 1 ").
// Everything else (empty text, fractions, exponents, hex, separators, anything outside
// -32768..32767) is not a number: std::nullopt.
std::optional<qint16> ToInt16(QStringView text);

} // namespace pukalo
