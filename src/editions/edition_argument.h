#pragma once

#include <optional>
#include <string>
#include <vector>

// How the command-line tools find an edition they are given: by catalogue
// name, or by the path of either of its files.
namespace synopter {

struct EditionFiles {
    std::string name;       // the file name without folder and ending: the label
    std::string text;       // its .dat
    std::string descriptor; // its .bk
};

// The files an argument names, or nullopt for a catalogue name. An argument
// ending in ".dat" or ".bk" names that edition's pair, as does one holding a
// '/' (its text the file as given, else with ".dat" added). A bare "NAME.dat"
// or "NAME.bk" that is no file here names the catalogue's NAME when
// `catalogue` lists it.
std::optional<EditionFiles> EditionArgumentFiles(const std::string& argument,
                                                 const std::vector<std::string>& catalogue);

// The catalogue name of an argument EditionArgumentFiles leaves to the
// catalogue: the argument without a ".dat" or ".bk" ending.
std::string CatalogueName(const std::string& argument);

// Says that no folder searched holds the edition an argument names: each
// folder, and the editions there are ("unknown edition "Nope" (searched
// /a/, /b/; editions: A, B)").
std::string UnknownEditionMessage(const std::string& argument, const std::vector<std::string>& folders,
                                  const std::vector<std::string>& catalogue);

// True when the argument may name files rather than a catalogue edition, so
// that the catalogue is needed only otherwise.
bool IsEditionPath(const std::string& argument);

} // namespace synopter
