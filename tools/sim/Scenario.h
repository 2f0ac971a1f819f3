#pragma once
// Scenario scripts: a world built from text through the same operations the
// in-game commands call, then run with a clock that never runs out of real time.
//
// One command per line, '#' starts a comment, cells are row then column:
//   seed N | newgame | track R1 C1 R2 C2 | removetrack R C | station R C |
//   removestation R C | buyland R1 C1 R2 C2 | sellland R1 C1 R2 C2 |
//   buytrain SLOT MODEL | placetrain SLOT R C DIR | removetrain SLOT |
//   selltrain SLOT | turntrain SLOT DIR | point R C S V | stop R C S V |
//   run H | end | save FILE

#include <iosfwd>
#include <string>

class MainCanvas;

class Scenario {
public:
    // Runs a script on the game object; refusals go to err with their line number.
    // Files named by "save" are taken relative to the directory base. Returns the number of
    // commands refused.
    static int run(MainCanvas& g, std::istream& script, std::ostream& err, const std::string& base);
    // One line per figure: date and time, funds, assets, score, passengers this month, trains.
    static void report(const MainCanvas& g, std::ostream& out);
};
