#pragma once

#include <QStringList>

// The kaomoji copied last, newest first, in the settings file's own section [Recent] beside
// [Settings]: keys 1 to 16, each a kaomoji of the catalogue.
namespace pukalo::Recent {

inline constexpr int kLimit = 16;

// What can be read of it; entries it cannot read (damaged, hand-edited) are left out.
QStringList Read();
// Puts the kaomoji in front, once. Nothing is written when the section holds anything it
// cannot read: what the program does not understand, it does not overwrite.
void Add(const QString &kaomoji);
void Clear();

} // namespace pukalo::Recent
