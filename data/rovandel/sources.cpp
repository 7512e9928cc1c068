#include "data/rovandel/sources.h"

#include "platform/error.h"
#include "platform/numtext.h"

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <vector>

namespace rovdata {

namespace {

constexpr double kSteelDensity = 7850.0; // kg/m³

struct Row
{
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvFile
{
    std::string path;
    std::vector<Row> rows;

    [[noreturn]] void Fail(const Row& row, const std::string& message) const
    {
        sps::Raise(path + ":" + std::to_string(row.line) + ": " + message);
    }
};

// Comma-separated fields; a field in double quotes may hold commas. Blank
// lines and lines starting with '#' are skipped.
CsvFile ReadCsv(const std::string& dir, const std::string& name)
{
    CsvFile f;
    f.path = dir + "/" + name;
    std::ifstream in(f.path, std::ios::binary);
    if (!in)
        sps::Raise("Cannot open \"" + f.path + "\".");
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        Row row;
        row.line = line;
        std::string field;
        bool quoted = false;
        for (size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (quoted) {
                if (c == '"')
                    quoted = false;
                else
                    field.push_back(c);
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                row.fields.push_back(field);
                field.clear();
            } else {
                field.push_back(c);
            }
        }
        if (quoted)
            f.Fail(row, "unterminated quotes");
        row.fields.push_back(field);
        f.rows.push_back(std::move(row));
    }
    return f;
}

void ExpectFields(const CsvFile& f, const Row& row, size_t count)
{
    if (row.fields.size() != count)
        f.Fail(row, "expected " + std::to_string(count) + " fields, found " + std::to_string(row.fields.size()));
}

double Number(const CsvFile& f, const Row& row, size_t i)
{
    double v = 0;
    // The sources always use '.', whatever the program's separator.
    const char keep = sps::DecimalSeparator();
    sps::SetDecimalSeparator('.');
    const bool ok = sps::TryParseFloat(row.fields[i], v);
    sps::SetDecimalSeparator(keep);
    if (!ok)
        f.Fail(row, "\"" + row.fields[i] + "\" is not a number");
    return v;
}

int Whole(const CsvFile& f, const Row& row, size_t i, int lo, int hi)
{
    const double v = Number(f, row, i);
    if (v != std::floor(v) || v < lo || v > hi)
        f.Fail(row, "\"" + row.fields[i] + "\" is not a whole number from " + std::to_string(lo) + " to " +
                        std::to_string(hi));
    return static_cast<int>(v);
}

std::string Name(const CsvFile& f, const Row& row, size_t i)
{
    const std::string& s = row.fields[i];
    if (s.empty() || s.size() > 11 || s.front() == ' ' || s.back() == ' ')
        f.Fail(row, "name \"" + s + "\" must have 1 to 11 characters without blanks at either end");
    return s;
}

std::vector<int16_t> Ascending(const CsvFile& f, const std::vector<std::pair<const Row*, int>>& values)
{
    std::vector<int16_t> out;
    for (const auto& [row, v] : values) {
        if (!out.empty() && v <= out.back())
            f.Fail(*row, "values must ascend");
        out.push_back(static_cast<int16_t>(v));
    }
    return out;
}

} // namespace

ModelValues SectionModel(const SectionGeometry& g, double loss)
{
    ModelValues v;
    // A loss step has reduced values while both plates keep at least half of
    // their rolled thickness.
    if (loss > 0.5 * std::min(g.tf, g.tw))
        return v;
    const double tf = g.tf - loss;
    const double tw = g.tw - loss;
    const double c = g.h - g.tf;                  // distance between the flange centre lines, mm
    const double run = 500.0 * g.b - g.bf;        // horizontal run of one web, mm
    const double s = std::hypot(c, run);          // web length, mm
    const double area = 2 * g.bf * tf + 2 * s * tw;                          // mm² per pair
    const double inertia = 2 * g.bf * tf * (c / 2) * (c / 2) + 2 * tw * s * c * c / 12; // mm⁴ per pair
    v.sx = inertia / (g.h / 2.0) / g.b / 1000.0; // cm³/m
    v.ax = area / g.b / 100.0;                   // cm²/m
    return v;
}

double PairMass(const SectionGeometry& g)
{
    const double c = g.h - g.tf;
    const double s = std::hypot(c, 500.0 * g.b - g.bf);
    const double area = 2 * g.bf * g.tf + 2 * s * g.tw; // mm²
    return area * 1e-6 * kSteelDensity;
}

cr::Catalogue BuildCatalogue(const std::string& dir)
{
    cr::Catalogue cat;

    // Families.
    const CsvFile families = ReadCsv(dir, "families.csv");
    std::map<std::string, size_t> familyIndex;
    for (const Row& row : families.rows) {
        ExpectFields(families, row, 1);
        const std::string name = Name(families, row, 0);
        if (familyIndex.count(name))
            families.Fail(row, "family \"" + name + "\" listed twice");
        familyIndex[name] = cat.familyNames.size();
        cat.familyNames.push_back(name);
    }

    // Loss steps.
    const CsvFile steps = ReadCsv(dir, "loss_steps.csv");
    std::vector<std::pair<const Row*, int>> stepValues;
    for (const Row& row : steps.rows) {
        ExpectFields(steps, row, 1);
        stepValues.emplace_back(&row, Whole(steps, row, 0, 0, 32767));
    }
    cat.lossSteps = Ascending(steps, stepValues);
    if (cat.lossSteps.size() < 2 || cat.lossSteps[0] != 0)
        sps::Raise(steps.path + ": at least two loss steps, the first one 0");

    // Sections, with their tables from the model.
    const CsvFile sections = ReadCsv(dir, "sections.csv");
    std::vector<SectionGeometry> geometry;
    std::set<std::string> names;
    std::vector<cr::FamilyRange> ranges(cat.familyNames.size() + 1);
    size_t lastFamily = 0;
    for (const Row& row : sections.rows) {
        ExpectFields(sections, row, 7);
        SectionGeometry g;
        g.family = row.fields[0];
        g.name = Name(sections, row, 1);
        g.h = Whole(sections, row, 2, 1, 5000);
        g.b = Number(sections, row, 3);
        g.bf = Number(sections, row, 4);
        g.tf = Number(sections, row, 5);
        g.tw = Number(sections, row, 6);
        auto fam = familyIndex.find(g.family);
        if (fam == familyIndex.end())
            sections.Fail(row, "family \"" + g.family + "\" is not in families.csv");
        if (!names.insert(g.name).second)
            sections.Fail(row, "section \"" + g.name + "\" listed twice");
        if (!(g.b > 0) || !(g.bf > 0) || !(g.tf > 0) || !(g.tw > 0) || !(g.h > g.tf) || !(500.0 * g.b > g.bf))
            sections.Fail(row, "geometry out of range (b, bf, tf, tw > 0; h > tf; bf < 500 b)");
        const size_t k = fam->second + 1;
        const int16_t index = static_cast<int16_t>(geometry.size());
        if (ranges[k].Count() == 0) {
            if (k < lastFamily)
                sections.Fail(row, "sections must follow the order of families.csv");
            ranges[k].first = index;
        } else if (k != lastFamily) {
            sections.Fail(row, "the sections of a family must follow each other");
        }
        ranges[k].last = index;
        lastFamily = k;
        geometry.push_back(g);
    }
    if (geometry.empty() || geometry.size() > 32767)
        sps::Raise(sections.path + ": 1 to 32767 sections");
    ranges[0].first = 0;
    ranges[0].last = static_cast<int16_t>(geometry.size() - 1);
    cat.familyRanges = ranges;

    const size_t nSec = geometry.size();
    cat.sx.assign(cat.lossSteps.size(), std::vector<double>(nSec));
    cat.ax.assign(cat.lossSteps.size(), std::vector<double>(nSec));
    for (size_t a = 0; a < nSec; ++a) {
        const SectionGeometry& g = geometry[a];
        for (size_t r = 0; r < cat.lossSteps.size(); ++r) {
            const ModelValues v = SectionModel(g, cat.lossSteps[r]);
            cat.sx[r][a] = sps::RoundHalfEven(v.sx);
            cat.ax[r][a] = sps::RoundHalfEvenTo(v.ax, 1);
        }
        cat.sectionNames.push_back(g.name);
        cat.height.push_back(g.h);
        cat.pairWidth.push_back(g.b);
        cat.mass.push_back(sps::RoundHalfEvenTo(PairMass(g), 1));
        cat.tf.push_back(g.tf);
        cat.tw.push_back(g.tw);
    }

    // Steel grades.
    const CsvFile grades = ReadCsv(dir, "grades.csv");
    for (const Row& row : grades.rows) {
        ExpectFields(grades, row, 3);
        cr::GradeTable* t = nullptr;
        if (row.fields[0] == "metric")
            t = &cat.metricGrades;
        else if (row.fields[0] == "imperial")
            t = &cat.imperialGrades;
        else
            grades.Fail(row, "system must be \"metric\" or \"imperial\"");
        t->names.push_back(Name(grades, row, 1));
        const double fyk = Number(grades, row, 2);
        if (!(fyk > 0))
            grades.Fail(row, "fyk must be above 0");
        t->fyk.push_back(fyk);
    }
    if (cat.metricGrades.names.size() > 127 || cat.imperialGrades.names.size() > 127)
        sps::Raise(grades.path + ": at most 127 grades per system");

    // Corrosion tables.
    const CsvFile corrosion = ReadCsv(dir, "corrosion.csv");
    if (corrosion.rows.empty() || corrosion.rows[0].fields.empty() || corrosion.rows[0].fields[0] != "years")
        sps::Raise(corrosion.path + ": the first row must be the \"years\" row");
    const Row& yearsRow = corrosion.rows[0];
    if (yearsRow.fields.size() < 4)
        corrosion.Fail(yearsRow, "at least two service-life points");
    std::vector<std::pair<const Row*, int>> points;
    for (size_t i = 2; i < yearsRow.fields.size(); ++i)
        points.emplace_back(&yearsRow, Whole(corrosion, yearsRow, i, 0, 32767));
    cat.serviceLifePoints = Ascending(corrosion, points);
    const size_t nYears = cat.serviceLifePoints.size();
    for (auto& env : cat.environments)
        env.loss.assign(nYears, {});
    const char* const envNames[] = {"atmospheric", "soil", "water"};
    for (size_t i = 1; i < corrosion.rows.size(); ++i) {
        const Row& row = corrosion.rows[i];
        ExpectFields(corrosion, row, nYears + 2);
        int e = -1;
        for (int k = 0; k < cr::kEnvironmentCount; ++k) {
            if (row.fields[0] == envNames[k])
                e = k;
        }
        if (e < 0)
            corrosion.Fail(row, "environment must be atmospheric, soil or water");
        if (row.fields[1].empty())
            corrosion.Fail(row, "empty description");
        cr::EnvironmentTable& env = cat.environments[e];
        env.descriptions.push_back(row.fields[1]);
        double previous = 0;
        for (size_t y = 0; y < nYears; ++y) {
            const double loss = Number(corrosion, row, y + 2);
            if (loss < previous)
                corrosion.Fail(row, "losses must not decrease over the years");
            previous = loss;
            env.loss[y].push_back(loss);
        }
    }
    for (int k = 0; k < cr::kEnvironmentCount; ++k) {
        if (cat.environments[k].descriptions.empty())
            sps::Raise(corrosion.path + ": no detail for the " + envNames[k] + " environment");
    }

    // Service-life and protection choices.
    const CsvFile choices = ReadCsv(dir, "choices.csv");
    for (const Row& row : choices.rows) {
        ExpectFields(choices, row, 2);
        const int years = Whole(choices, row, 1, 0, 32767);
        if (row.fields[0] == "service") {
            if (years > cat.serviceLifePoints.back())
                choices.Fail(row, "service life beyond the last point of the corrosion tables");
            cat.serviceLifeChoices.push_back(static_cast<int16_t>(years));
        } else if (row.fields[0] == "protection") {
            cat.protectionChoices.push_back(static_cast<int16_t>(years));
        } else {
            choices.Fail(row, "kind must be \"service\" or \"protection\"");
        }
    }

    // Limits.
    const CsvFile limits = ReadCsv(dir, "limits.csv");
    std::set<std::string> seen;
    for (const Row& row : limits.rows) {
        ExpectFields(limits, row, 2);
        const std::string& key = row.fields[0];
        if (!seen.insert(key).second)
            limits.Fail(row, "\"" + key + "\" given twice");
        if (key == "Mmax")
            cat.mmax = static_cast<uint16_t>(Whole(limits, row, 1, 1, 65535));
        else if (key == "Nmax")
            cat.nmax = static_cast<uint16_t>(Whole(limits, row, 1, 1, 65535));
        else if (key == "fmax")
            cat.fmax = static_cast<uint16_t>(Whole(limits, row, 1, 1, 65535));
        else if (key == "MaxWallLength")
            cat.maxWallLength = Number(limits, row, 1);
        else if (key == "MaxPileLength")
            cat.maxPileLength = Number(limits, row, 1);
        else if (key == "MaxCorrosionRate")
            cat.maxCorrosionRate = Number(limits, row, 1);
        else
            limits.Fail(row, "unknown limit \"" + key + "\"");
    }
    if (seen.size() != 6)
        sps::Raise(limits.path + ": Mmax, Nmax, fmax, MaxWallLength, MaxPileLength and MaxCorrosionRate are needed");
    if (!(cat.maxWallLength > 0) || !(cat.maxPileLength > 0) || !(cat.maxCorrosionRate > 0))
        sps::Raise(limits.path + ": the length and rate limits must be above 0");

    cr::DeriveImperialLimits(cat);
    const std::string fault = cr::FindCatalogueFault(cat);
    if (!fault.empty())
        sps::Raise(dir + ": " + fault);
    return cat;
}

} // namespace rovdata
