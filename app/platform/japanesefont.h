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

// Whether any installed font can show Japanese; without one every kaomoji and caption would be
// a row of missing-glyph boxes.
bool JapaneseFontInstalled();
// Says so on standard error and in a window (in English too, since Japanese cannot be shown).
void ReportMissingJapaneseFont();

} // namespace pukalo
