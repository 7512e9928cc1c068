// The readable sources of "WQ KX Data.daa" (CSV files, one row per line, '.'
// as decimal point) and their dump. Used by the tool that writes the file at
// build time and by the tests.
#pragma once

#include "combiwall/catalogue.h"

#include <string>

namespace cw {

// Reads the CSV files in `folder` into a catalogue: names padded with blanks
// to their capacity, each combination's Sx, A and b derived from its built-up
// king pile part and sheet pile. Raises sps::Exception ("<file>:<line>: ...")
// when a rule of the file or of the sources is broken.
Catalogue ReadCatalogueSources(const std::string& folder);

// Writes the tables of `cat` as CSV files into `folder`, in the sources'
// format (names without their padding); combinations.csv holds each row's
// name, group and values instead of its built-up parts.
void WriteCatalogueCsv(const Catalogue& cat, const std::string& folder);

} // namespace cw
