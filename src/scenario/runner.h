// The scenario runner: the game driven by a text file of commands, with no window and no sound.
// The file format is the project's acceptance-test contract.
#pragma once

#include <iosfwd>
#include <string>

namespace sky {

// Runs the commands of `text` (named `file` in messages). Returns 0 when every expect held,
// 1 when one failed, 2 on a line that cannot be understood (nothing is run after it).
int runScenario(const std::string& text, const std::string& file, std::ostream& out, std::ostream& err);

// Reads the file and runs it; 2 when it cannot be read.
int runScenarioFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace sky
