#pragma once

#include <QString>

namespace tally {

// One draw-off point of a pipe section as the user typed it; the texts are
// kept exactly as typed.
struct Row {
    QString name;       // "Entnahmestelle": free text, may stay empty
    QString unitsEach;  // "BW je Stück": loading units of one such point, greater than 0
    QString count;      // "Anzahl": a whole number from 0 up

    bool operator==(const Row&) const = default;
};

}  // namespace tally
