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

// The look every window is designed in: the font substitutes above, and the design font at 9
// points for controls that have no font of their own, as a Japanese desktop gives them. The
// program, its tests and its benchmarks all call this one function, so that they see the same.
void ApplyDesignLook();

// Whether any installed font can show Japanese; without one every kaomoji and caption would be
// a row of missing-glyph boxes.
bool JapaneseFontInstalled();
// Says so on standard error and in a window (in English too, since Japanese cannot be shown).
void ReportMissingJapaneseFont();

} // namespace pukalo
