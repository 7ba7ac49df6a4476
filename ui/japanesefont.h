#pragma once

#include <QFont>
#include <QString>

namespace pukalo {

// The typeface the windows are drawn in: the design's own gothic where a desktop has it,
// otherwise the first installed of the proportional Japanese gothics that stand in for it
// (IPAPGothic, Noto Sans CJK JP, ...: found by any of their names, as 「IPA Pゴシック」 under a
// Japanese locale), otherwise any font that writes Japanese; empty when
// there is none. Fontconfig would answer the design's name with its default sans font, which
// lacks many full-width and half-width katakana forms of the catalogue. Needs the application.
QString DesignFontFamily();

// Whether an installed family (as Qt lists it) is also known by this name: fonts have a name
// per language, and Qt lists each by the one of the user's locale.
bool FamilyIsKnownAs(const QString &family, const QString &name);

QFont DesignFont(double points, bool bold = false, bool italic = false);

// The look every window is designed in: the design font at 9 points for controls that have no
// font of their own, as a Japanese desktop gives them. The program, its tests and its
// benchmarks all call this one function, so that they see the same.
void ApplyDesignLook();

// Whether any installed font can show Japanese; without one every kaomoji and caption would be
// a row of missing-glyph boxes.
bool JapaneseFontInstalled();
// Says so on standard error and in a window (in English too, since Japanese cannot be shown).
void ReportMissingJapaneseFont();

} // namespace pukalo
