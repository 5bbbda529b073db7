#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class DrawArchive;
class Prompts;

// Where the date search looks: the model archive (the mini list) or every draw (the ambo window).
enum class DateSearchScope { ModelArchive, WholeArchive };

// Asks for a date ("Data ?", an empty default text, the given title; empty = no title of its own)
// and returns the DrawIndex of the first draw whose date text equals the typed text exactly, looking
// at the model archive in order or at DrawIndex 1..DrawCount. A cancelled box gives an empty text,
// which is searched like any other. When nothing matches it shows "Data non trovata" and returns
// nullopt. A model archive entry outside the tables throws ArchiveRangeError.
std::optional<std::int16_t> searchDrawByDate(Prompts& prompts, const DrawArchive& archive,
                                             const QString& title, DateSearchScope scope);

// Asks for a draw index ("Scelta estrazione") and returns it when the typed text is a number whose
// nearest 16-bit whole value lies in 1..DrawCount; anything else gives nullopt, with no message.
std::optional<std::int16_t> chooseDrawIndex(Prompts& prompts, const DrawArchive& archive);

// A typed number read with the user's locale (QLocale()), rounded to the nearest 16-bit whole number
// with halves to even; nullopt for a text that is not a number or a value outside 16 bits.
std::optional<std::int16_t> typedWholeNumber(const QString& text);
