// Writes Tavelond's example project from its readable source, choosing the
// sheet pile sections and steel grades from the catalogue files as the input
// dialog does, and checks that every wall of it calculates.
//
//   mkexample <source.txt> <sheetpiles.dat> <steelgrades.dat> <out.spc>
//
// Source: "key = value" lines, '#' lines and blank lines ignored. "author",
// "name" and "comment" give the project's texts; "section = n" starts a
// section, "headwall" and "anchorwall" start its walls, and the keys that
// follow fill the wall (see example-quay.txt).
#include "platform/error.h"
#include "platform/numtext.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/catalogue.h"
#include "walldesign/files/project.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace wd;

constexpr float kDegree = static_cast<float>(std::numbers::pi / 180.0);

struct TSource {
    std::string Name;
    int Line = 0;
};

[[noreturn]] void Fail(const TSource& src, const std::string& message)
{
    sps::Raise(src.Name + ":" + std::to_string(src.Line) + ": " + message);
}

std::string Trim(const std::string& s)
{
    size_t a = 0;
    size_t b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

std::vector<float> Numbers(const TSource& src, const std::string& text, size_t count)
{
    std::vector<float> values;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t comma = text.find(',', pos);
        std::string field = Trim(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        double v = 0;
        if (!sps::TryParseFloat(field, v))
            Fail(src, "not a number: '" + field + "'");
        values.push_back(static_cast<float>(v));
        if (comma == std::string::npos)
            break;
        pos = comma + 1;
    }
    if (values.size() != count)
        Fail(src, "expected " + std::to_string(count) + " numbers");
    return values;
}

float Number(const TSource& src, const std::string& text) { return Numbers(src, text, 1)[0]; }

bool Flag(const TSource& src, const std::string& text)
{
    if (text == "yes")
        return true;
    if (text == "no")
        return false;
    Fail(src, "expected yes or no");
}

int FindRow(const TSource& src, const std::vector<TCatalogueRow>& rows, const std::string& name)
{
    for (size_t i = 0; i < rows.size(); i++)
        if (rows[i].Name == name)
            return static_cast<int>(i);
    Fail(src, "not in the catalogue: " + name);
}

TLayer LayerOf(const std::vector<float>& v)
{
    TLayer l;
    l.Tip = v[0];
    l.DensityMoist = v[1];
    l.DensitySubmerged = v[2];
    l.K = v[3];
    l.Phi = v[4] * kDegree;
    l.Delta = v[5] * kDegree;
    l.Cohesion = v[6];
    return l;
}

struct TCatalogues {
    std::vector<TCatalogueRow> SheetPiles;
    std::vector<TCatalogueRow> SteelGrades;
};

void SetWallField(const TSource& src, TWall& w, const std::string& key, const std::string& value,
                  const TCatalogues& catalogues)
{
    if (key == "pile top")
        w.PileTop = Number(src, value);
    else if (key == "anchor level")
        w.AnchorLevel = Number(src, value);
    else if (key == "support") {
        if (value == "free")
            w.Support = spFree;
        else if (value == "fixed")
            w.Support = spFixed;
        else if (value == "cantilever")
            w.Support = spCantilever;
        else
            Fail(src, "support is free, fixed or cantilever");
    } else if (key == "soil level in front")
        w.Front.SoilLevel = Number(src, value);
    else if (key == "soil level behind")
        w.Behind.SoilLevel = Number(src, value);
    else if (key == "water level in front")
        w.Front.WaterLevel = Number(src, value);
    else if (key == "water level behind")
        w.Behind.WaterLevel = Number(src, value);
    else if (key == "inclination in front")
        w.Front.Inclination = Number(src, value) * kDegree;
    else if (key == "inclination behind")
        w.Behind.Inclination = Number(src, value) * kDegree;
    else if (key == "caquot surcharge in front")
        w.Front.CaquotLoad = Number(src, value);
    else if (key == "caquot surcharge behind")
        w.Behind.CaquotLoad = Number(src, value);
    else if (key == "automatic kph")
        w.Front.AutoCoefficients = Flag(src, value);
    else if (key == "automatic kah")
        w.Behind.AutoCoefficients = Flag(src, value);
    else if (key == "anchor inclination")
        w.AnchorInclination = Number(src, value) * kDegree;
    else if (key == "anchor force")
        w.AnchorForce = std::abs(Number(src, value));
    else if (key == "safety on anchor force")
        w.AnchorSafety = Number(src, value);
    else if (key == "layer in front")
        w.FrontLayers.push_back(LayerOf(Numbers(src, value, 7)));
    else if (key == "layer behind")
        w.BehindLayers.push_back(LayerOf(Numbers(src, value, 7)));
    else if (key == "force") {
        std::vector<float> v = Numbers(src, value, 3);
        w.Forces.push_back({v[0], v[1], v[2]});
    } else if (key == "pressure") {
        std::vector<float> v = Numbers(src, value, 4);
        w.Pressures.push_back({v[0], v[1], v[2], v[3]});
    } else if (key == "strip") {
        std::vector<float> v = Numbers(src, value, 4);
        if (w.Bousqs.size() >= static_cast<size_t>(kMaxBousqs))
            Fail(src, "at most five strips");
        w.Bousqs.push_back({v[0], v[1], v[2], v[3]});
    } else if (key == "sheet pile") {
        int row = FindRow(src, catalogues.SheetPiles, value);
        const TCatalogueRow& r = catalogues.SheetPiles[static_cast<size_t>(row)];
        w.SectionIndex = row;
        w.SectionName = r.Name;
        w.SectionArea = r.Values[0] * 0.0001f;
        w.SectionMass = r.Values[1];
        w.SectionInertia = r.Values[2] * 1e-8f;
        w.SectionModulus = r.Values[3] * 1e-6f;
    } else if (key == "steel grade") {
        int row = FindRow(src, catalogues.SteelGrades, value);
        const TCatalogueRow& r = catalogues.SteelGrades[static_cast<size_t>(row)];
        w.GradeIndex = row;
        w.GradeName = r.Name;
        w.GradeValue = r.Values[0];
    } else if (key == "requested safety")
        w.RequiredSafety = Number(src, value);
    else
        Fail(src, "unknown key '" + key + "'");
}

void Build(const std::string& text, TSource src, TProject& project, const TCatalogues& catalogues)
{
    TSection* section = nullptr;
    TWall* wall = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        std::string line = Trim(text.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos));
        pos = eol == std::string::npos ? text.size() : eol + 1;
        ++src.Line;
        if (line.empty() || line[0] == '#')
            continue;
        if (line == "headwall" || line == "anchorwall") {
            if (!section)
                Fail(src, "a wall needs a section first");
            if (line == "headwall" ? section->HeadWall != nullptr : section->AnchorWall != nullptr)
                Fail(src, "the section has this wall already");
            wall = line == "headwall" ? static_cast<TWall*>(section->CreateHeadwall())
                                      : static_cast<TWall*>(section->CreateAnchorwall());
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            Fail(src, "expected key = value");
        std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (key == "author")
            project.Author = value;
        else if (key == "name")
            project.Name = value;
        else if (key == "comment")
            project.Comment = value;
        else if (key == "section") {
            section = new TSection(project.Owner);
            section->Index = static_cast<int32_t>(Number(src, value));
            wall = nullptr;
        } else if (wall)
            SetWallField(src, *wall, key, value, catalogues);
        else
            Fail(src, "unknown key '" + key + "'");
    }
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        sps::Raise("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: mkexample <source.txt> <sheetpiles.dat> <steelgrades.dat> <out.spc>\n";
        return 2;
    }
    try {
        RegisterWallClasses();
        UnitSystem = kMetric;
        TCatalogues catalogues;
        catalogues.SheetPiles = ReadCatalogueRows(ReadCatalogueText(argv[2]), 4, argv[2]);
        catalogues.SteelGrades = ReadCatalogueRows(ReadCatalogueText(argv[3]), 1, argv[3]);
        TProjectOwner owner;
        TProject project(&owner);
        Build(ReadWhole(argv[1]), TSource{argv[1], 0}, project, catalogues);

        // The walls as they would be entered (no results in them), and every
        // one of them must calculate when a new user opens the project.
        std::vector<uint8_t> bytes = WriteProjectBytes(project);
        TProjectOwner opened;
        TProject check(&opened);
        ReadProjectBytes(bytes, check, argv[1]);
        for (TSection* section : ProjectSections(&opened))
            for (TWall* wall : {static_cast<TWall*>(section->HeadWall), static_cast<TWall*>(section->AnchorWall)})
                if (wall && !wall->GetReport())
                    sps::Raise(section->GetName() + " " + wall->GetName() + " has no report");
        SaveProject(argv[4], project);
    } catch (const std::exception& e) {
        std::cerr << "mkexample: " << e.what() << "\n";
        std::remove(argv[4]);
        return 1;
    }
    return 0;
}
