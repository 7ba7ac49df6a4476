#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pukalo {

// What people send a kaomoji for: thanks, an apology, a good night, a laugh ... Each kaomoji of
// the catalogue names the situations it fits, and each situation has the words people type for
// it, so that a word added to a situation finds every kaomoji that fits it.
using Situations = std::uint64_t;

namespace situation {
enum : Situations
{
    Greeting = 1ull << 0,
    Thanks = 1ull << 1,
    Apology = 1ull << 2,
    Please = 1ull << 3, // a request, a bow
    Congratulations = 1ull << 4,
    Joy = 1ull << 5,
    Victory = 1ull << 6,
    Smile = 1ull << 7,
    Laughter = 1ull << 8,
    Love = 1ull << 9,
    Shy = 1ull << 10,
    Smug = 1ull << 11,
    Surprise = 1ull << 12,
    Confusion = 1ull << 13,
    Thinking = 1ull << 14,
    Anger = 1ull << 15,
    Sadness = 1ull << 16,
    Crying = 1ull << 17,
    Frustration = 1ull << 18,
    Pain = 1ull << 19,
    Oops = 1ull << 20,
    Tired = 1ull << 21,
    Sleep = 1ull << 22,
    Farewell = 1ull << 23,
    Done = 1ull << 24, // the end of something, a sign-off
    Break = 1ull << 25,
    Meal = 1ull << 26,
    Excitement = 1ull << 27,
    Music = 1ull << 28,
    Cheer = 1ull << 29,
    Agreement = 1ull << 30,
    Refusal = 1ull << 31,
    Sigh = 1ull << 32,
    Shrug = 1ull << 33,
    Sweat = 1ull << 34, // cold sweat, an awkward laugh
    Trouble = 1ull << 35,
    Gloom = 1ull << 36,
    Stare = 1ull << 37,
    Despair = 1ull << 38,
    Dizzy = 1ull << 39,
    Calling = 1ull << 40,
    Animal = 1ull << 41,
    Sea = 1ull << 42,
    Slow = 1ull << 43,
    Fast = 1ull << 44,
    Tough = 1ull << 45,
    Fear = 1ull << 46,
    Memo = 1ull << 47,
    Dreamy = 1ull << 48,
    Yes = 1ull << 49,
    Wave = 1ull << 50,
    Rare = 1ull << 51,
    Doubt = 1ull << 52,
    Pout = 1ull << 53,
    Waiting = 1ull << 54,
    Content = 1ull << 55,  // a quiet happiness
    Overtime = 1ull << 56, // work that does not end
    Oversleep = 1ull << 57,
    Exam = 1ull << 58,
    Payday = 1ull << 59,
    Sick = 1ull << 60, // a cold, a fever
    Heartbreak = 1ull << 61,
    Help = 1ull << 62, // asking for it
};
} // namespace situation

struct SituationWords
{
    Situations situation;      // one of the above
    std::u16string_view name;  // for people reading the table
    std::u16string_view words; // blank-separated, in hiragana, kanji, slang and English
};

// Every situation once.
std::span<const SituationWords> SituationTable();

} // namespace pukalo
