// Writes the scrambled catalogue files of Tavelond from their readable sources,
// and dumps a scrambled file back to plain text.
//
//   mkcatalogue sheetpiles  <source.csv> <sheetpiles.dat>
//   mkcatalogue steelgrades <source.csv> <steelgrades.dat>
//   mkcatalogue dump <file.dat>
//
// The output is the same bytes on every run. Any broken rule of the source
// (see BuildCatalogueFile) ends the tool with a message naming the line and
// leaves no output file behind.
#include "walldesign/files/catalogue_format.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool ReadWhole(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string tmp = path + ".tmp~";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

int Usage()
{
    std::cerr << "usage: mkcatalogue sheetpiles|steelgrades <source.csv> <out.dat>\n"
                 "       mkcatalogue dump <file.dat>\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string command = argv[1];

    if (command == "dump") {
        if (argc != 3)
            return Usage();
        std::string content;
        if (!ReadWhole(argv[2], content)) {
            std::cerr << "mkcatalogue: cannot read " << argv[2] << "\n";
            return 1;
        }
        std::string plain;
        if (!wd::UnscrambleCatalogueBytes(reinterpret_cast<const uint8_t*>(content.data()), content.size(), plain)) {
            std::cerr << "mkcatalogue: " << argv[2] << ": empty file or check byte mismatch\n";
            return 1;
        }
        std::cout << plain;
        return 0;
    }

    int numbers = 0;
    if (command == "sheetpiles")
        numbers = wd::kSheetPileNumbers;
    else if (command == "steelgrades")
        numbers = wd::kSteelGradeNumbers;
    else
        return Usage();
    if (argc != 4)
        return Usage();

    std::string source;
    if (!ReadWhole(argv[2], source)) {
        std::cerr << "mkcatalogue: cannot read " << argv[2] << "\n";
        return 1;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!wd::BuildCatalogueFile(source, numbers, argv[2], bytes, error)) {
        std::cerr << "mkcatalogue: " << error << "\n";
        std::remove(argv[3]);
        return 1;
    }
    if (!WriteWhole(argv[3], bytes)) {
        std::cerr << "mkcatalogue: cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
