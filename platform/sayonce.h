#pragma once

#include <optional>
#include <utility>

namespace pukalo {

// What the user is told once a run, not at every repeat of the same trouble: a message box, a
// line on standard error. Kept as a static where the trouble is seen.
class SayOnce
{
public:
    // True the first time only.
    bool First() { return !std::exchange(m_said, true); }
    // True the first time for this occasion: a new occasion is said again, a repeat is not.
    bool FirstFor(unsigned occasion) { return std::exchange(m_occasion, occasion) != occasion; }

private:
    bool m_said = false;
    std::optional<unsigned> m_occasion;
};

} // namespace pukalo
