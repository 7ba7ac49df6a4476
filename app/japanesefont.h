#pragma once

#include <QFont>
#include <QString>

namespace pukalo {

// The one typeface the windows are designed in.
QString DesignFontFamily();

// Maps the design typeface to a proportional Japanese gothic that is installed (IPAPGothic,
// Noto Sans CJK JP, ...). Without this, fontconfig answers the unknown name with its default
// sans font, which lacks many full-width and half-width katakana forms of the catalogue.
// Call once, before any window is built.
void InstallJapaneseFontSubstitutes();

QFont DesignFont(double points, bool bold = false, bool italic = false);

} // namespace pukalo
