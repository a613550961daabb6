#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <span>

namespace forms {

// One entry of the substitution table: a stored byte and the character it stands for.
struct Substitution
{
    unsigned char byte;
    char16_t character;
};

// The substitution table: 101 entries, every byte value and every character
// appearing once (Turkish letters in both cases, digits, blank, punctuation,
// carriage return and line feed).
std::span<const Substitution> substitutionTable();

// Turns a stored byte string into text, one character per byte, left to right.
// A byte that is not in the table gives "*"; an empty input gives an empty text.
QString unscramble(QByteArrayView bytes);

// The caption suffix as it is stored in the program, scrambled.
QByteArray scrambledCaptionSuffix();

// The text the main window appends to "Selvora 1.4" when it is first shown.
QString captionSuffix();

} // namespace forms
