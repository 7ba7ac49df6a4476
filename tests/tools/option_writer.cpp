// Writes the three options over and over, as the program's writers do, until it is killed.
// Each round stores all three with the same value, alternating "1" and "2".
#include "settings/options.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    using pukalo::Options::Key;
    for (bool on = true;; on = !on) {
        for (Key key : {Key::Showlogo, Key::Clipclear, Key::Facechack})
            (void)pukalo::Options::Write(key, on);
    }
}
