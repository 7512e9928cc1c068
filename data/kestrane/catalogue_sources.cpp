#include "catalogue_sources.h"

#include "combiwall/builtup.h"
#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/numtext.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

namespace cw {

namespace {

const char* const kGradeTables[6] = {
    "king_pile_metric", "king_pile_imperial", "connector_metric",
    "connector_imperial", "sheet_pile_metric", "sheet_pile_imperial",
};
const char* const kGroups[4] = {"KX 13", "KX 18", "KX 26", "ALL"};

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return "";
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string TrimRight(const std::string& s)
{
    size_t b = s.find_last_not_of(' ');
    return b == std::string::npos ? "" : s.substr(0, b + 1);
}

std::string Pad(const std::string& s, size_t capacity)
{
    std::string r = s;
    if (r.size() < capacity)
        r.append(capacity - r.size(), ' ');
    return r;
}

void PadAll(std::vector<std::string>& names, size_t capacity)
{
    for (auto& n : names)
        n = Pad(n, capacity);
}

// One CSV file: its header is checked, then each row is handed out.
class CsvFile {
public:
    CsvFile(const std::string& folder, const std::string& name, const std::vector<std::string>& header)
        : name_(name)
    {
        std::vector<uint8_t> bytes = sps::ReadFileBytes(folder + "/" + name);
        std::string text(bytes.begin(), bytes.end());
        std::istringstream in(text);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (Trim(line).empty())
                continue;
            std::vector<std::string> fields;
            std::string field;
            std::istringstream ls(line);
            while (std::getline(ls, field, ','))
                fields.push_back(Trim(field));
            if (!line.empty() && line.back() == ',')
                fields.push_back("");
            if (number == 1) {
                if (fields != header)
                    Fail(number, "the header must read \"" + Join(header) + "\"");
                continue;
            }
            if (fields.size() != header.size())
                Fail(number, "expected " + std::to_string(header.size()) + " fields, found " +
                                 std::to_string(fields.size()));
            rows_.push_back(fields);
            lines_.push_back(number);
        }
        if (number == 0)
            Fail(1, "the file is empty");
    }

    size_t Rows() const { return rows_.size(); }
    const std::string& Field(size_t row, size_t col) const { return rows_[row][col]; }

    [[noreturn]] void Fail(int line, const std::string& message) const
    {
        sps::Raise(name_ + ":" + std::to_string(line) + ": " + message);
    }
    [[noreturn]] void FailRow(size_t row, const std::string& message) const { Fail(lines_[row], message); }

    std::string Name(size_t row, size_t col, size_t capacity) const
    {
        const std::string& s = Field(row, col);
        if (s.empty())
            FailRow(row, "empty name");
        if (s.size() > capacity)
            FailRow(row, "name \"" + s + "\" is longer than " + std::to_string(capacity) + " characters");
        return s;
    }
    double Positive(size_t row, size_t col) const
    {
        double v = 0;
        const std::string& s = Field(row, col);
        if (!sps::TryParseFloat(s, v))
            FailRow(row, "\"" + s + "\" is not a number");
        if (!(v > 0))
            FailRow(row, "\"" + s + "\" must be above 0");
        return v;
    }
    int64_t Integer(size_t row, size_t col, int64_t lo, int64_t hi) const
    {
        int64_t v = 0;
        const std::string& s = Field(row, col);
        if (!sps::TryParseInt(s, v) || s.find('$') != std::string::npos)
            FailRow(row, "\"" + s + "\" is not a whole number");
        if (v < lo || v > hi)
            FailRow(row, "\"" + s + "\" must lie between " + std::to_string(lo) + " and " + std::to_string(hi));
        return v;
    }

private:
    static std::string Join(const std::vector<std::string>& v)
    {
        std::string s;
        for (const auto& f : v)
            s += (s.empty() ? "" : ",") + f;
        return s;
    }
    std::string name_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<int> lines_;
};

// No name of a table may occur in another name of the same table: the
// program finds sections by containment.
void CheckNoContainedNames(const CsvFile& csv, const std::vector<std::string>& names, size_t first = 0)
{
    for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = 0; j < names.size(); ++j) {
            if (i != j && names[j].find(names[i]) != std::string::npos)
                csv.FailRow(first + j, "name \"" + names[j] + "\" contains the name \"" + names[i] + "\"");
        }
    }
}

int FindExact(const std::vector<std::string>& names, const std::string& name)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (TrimRight(names[i]) == name)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> Trimmed(const std::vector<std::string>& names)
{
    std::vector<std::string> r;
    for (const auto& n : names)
        r.push_back(TrimRight(n));
    return r;
}

void ReadGrades(const std::string& folder, Catalogue& cat)
{
    CsvFile csv(folder, "grades.csv", {"table", "name", "fyk"});
    int lastTable = 0;
    std::vector<size_t> firstRow(6, 0);
    for (size_t r = 0; r < csv.Rows(); ++r) {
        int t = -1;
        for (int i = 0; i < 6; ++i) {
            if (csv.Field(r, 0) == kGradeTables[i])
                t = i;
        }
        if (t < 0)
            csv.FailRow(r, "unknown grade table \"" + csv.Field(r, 0) + "\"");
        if (t < lastTable)
            csv.FailRow(r, "the grade tables must follow in file order");
        if (cat.grades[t].Size() == 0)
            firstRow[t] = r;
        lastTable = t;
        cat.grades[t].names.push_back(csv.Name(r, 1, kGradeNameCapacity));
        cat.grades[t].fyk.push_back(csv.Positive(r, 2));
    }
    for (int t = 0; t < 6; ++t) {
        if (cat.grades[t].Size() > INT8_MAX)
            csv.Fail(1, std::string(kGradeTables[t]) + " holds more than 127 grades");
        CheckNoContainedNames(csv, cat.grades[t].names, firstRow[t]);
        PadAll(cat.grades[t].names, kGradeNameCapacity);
    }
}

void ReadSections(const std::string& folder, Catalogue& cat)
{
    {
        CsvFile csv(folder, "connectors.csv", {"name", "unit_weight"});
        for (size_t r = 0; r < csv.Rows(); ++r) {
            cat.connectors.names.push_back(csv.Name(r, 0, kConnectorNameCapacity));
            cat.connectors.unitWeight.push_back(csv.Positive(r, 1));
        }
        if (csv.Rows() > INT8_MAX)
            csv.Fail(1, "more than 127 connectors");
        CheckNoContainedNames(csv, cat.connectors.names);
        PadAll(cat.connectors.names, kConnectorNameCapacity);
    }
    {
        CsvFile csv(folder, "king_piles.csv", {"name", "unit_weight", "connector1", "connector2", "connector3"});
        int64_t lastConnector = static_cast<int64_t>(cat.connectors.Size()) - 1;
        for (size_t r = 0; r < csv.Rows(); ++r) {
            cat.kingPiles.names.push_back(csv.Name(r, 0, kKingPileNameCapacity));
            cat.kingPiles.unitWeight.push_back(csv.Positive(r, 1));
            for (size_t k = 0; k < 3; ++k)
                cat.kingPiles.connectors[k].push_back(static_cast<int8_t>(csv.Integer(r, 2 + k, 0, lastConnector)));
        }
        if (csv.Rows() > INT8_MAX)
            csv.Fail(1, "more than 127 king piles");
        CheckNoContainedNames(csv, cat.kingPiles.names);
        PadAll(cat.kingPiles.names, kKingPileNameCapacity);
    }
    {
        CsvFile csv(folder, "sheet_piles.csv", {"name", "unit_weight"});
        for (size_t r = 0; r < csv.Rows(); ++r) {
            cat.sheetPiles.names.push_back(csv.Name(r, 0, kSheetPileNameCapacity));
            cat.sheetPiles.unitWeight.push_back(csv.Positive(r, 1));
        }
        if (csv.Rows() > INT8_MAX)
            csv.Fail(1, "more than 127 sheet piles");
        CheckNoContainedNames(csv, cat.sheetPiles.names);
        PadAll(cat.sheetPiles.names, kSheetPileNameCapacity);
    }
    {
        CsvFile csv(folder, "builtup_king_piles.csv", {"name", "d_king_pile", "d_connectors", "area", "ix", "width"});
        BuiltUpKingPileTable& t = cat.builtUpKingPiles;
        for (size_t r = 0; r < csv.Rows(); ++r) {
            t.names.push_back(csv.Name(r, 0, kBuiltUpKingPileNameCapacity));
            t.dWQ.push_back(csv.Positive(r, 1));
            t.dNJ.push_back(csv.Positive(r, 2));
            t.area.push_back(csv.Positive(r, 3));
            t.ix.push_back(static_cast<int32_t>(csv.Integer(r, 4, 1, INT32_MAX)));
            t.width.push_back(static_cast<int32_t>(csv.Integer(r, 5, 1, INT32_MAX / 2)));
        }
        CheckNoContainedNames(csv, t.names);
        PadAll(t.names, kBuiltUpKingPileNameCapacity);
    }
    {
        CsvFile csv(folder, "builtup_sheet_piles.csv", {"name", "height", "unused", "ix", "width", "unit_weight"});
        BuiltUpSheetPileTable& t = cat.builtUpSheetPiles;
        for (size_t r = 0; r < csv.Rows(); ++r) {
            t.names.push_back(csv.Name(r, 0, kBuiltUpSheetPileNameCapacity));
            t.height.push_back(csv.Positive(r, 1));
            t.unused.push_back(csv.Positive(r, 2));
            t.ix.push_back(static_cast<int32_t>(csv.Integer(r, 3, 1, INT32_MAX)));
            t.width.push_back(static_cast<int32_t>(csv.Integer(r, 4, 1, INT32_MAX / 2)));
            t.unitWeight.push_back(csv.Positive(r, 5));
        }
        CheckNoContainedNames(csv, t.names);
        PadAll(t.names, kBuiltUpSheetPileNameCapacity);
    }
}

void ReadCombinations(const std::string& folder, Catalogue& cat)
{
    CsvFile csv(folder, "combinations.csv", {"name", "group", "builtup_king_pile", "builtup_sheet_pile"});
    CombinationTable& c = cat.combinations;
    int groupSize[4] = {0, 0, 0, 0};
    int lastGroup = 0;
    std::vector<std::string> kings = Trimmed(cat.kingPiles.names);
    for (size_t r = 0; r < csv.Rows(); ++r) {
        std::string name = csv.Name(r, 0, kCombinationNameCapacity);
        int g = -1;
        for (int i = 0; i < 4; ++i) {
            if (csv.Field(r, 1) == kGroups[i])
                g = i;
        }
        if (g < 0)
            csv.FailRow(r, "unknown group \"" + csv.Field(r, 1) + "\"");
        if (g < lastGroup)
            csv.FailRow(r, "the groups must follow in the order KX 13, KX 18, KX 26, ALL");
        lastGroup = g;
        ++groupSize[g];

        const std::string& partName = csv.Field(r, 2);
        const std::string& sheetName = csv.Field(r, 3);
        int part = FindExact(cat.builtUpKingPiles.names, partName);
        if (part < 0)
            csv.FailRow(r, "no built-up king pile \"" + partName + "\"");
        int sheet = -1;
        if (!sheetName.empty()) {
            sheet = FindExact(cat.builtUpSheetPiles.names, sheetName);
            if (sheet < 0)
                csv.FailRow(r, "no built-up sheet pile \"" + sheetName + "\"");
            // The built-up tab composes this name from the same two parts.
            if (name != partName + " / " + sheetName)
                csv.FailRow(r, "the name must read \"" + partName + " / " + sheetName + "\"");
            if (FindExact(cat.sheetPiles.names, sheetName) < 0)
                csv.FailRow(r, "sheet pile \"" + sheetName + "\" is missing from sheet_piles.csv");
        } else if (name.find("-C1") == std::string::npos && name.find("-C23") == std::string::npos) {
            csv.FailRow(r, "a combination without sheet pile must be a C1 or C23 system");
        }
        int kingCount = 0;
        for (const auto& k : kings)
            kingCount += name.find(k) != std::string::npos ? 1 : 0;
        if (kingCount != 1)
            csv.FailRow(r, "the name must contain exactly one king pile name of king_piles.csv");

        BuiltUpSystem sys = ComputeBuiltUpSystem(cat, part, sheet);
        const SelectedSystem& s = sys.system;
        if (!(s.sxWQ > 0 && s.sxNJ > 0 && s.area > 0 && s.b > 0 && (sheet < 0 || s.sxKX > 0)))
            csv.FailRow(r, "the derived section properties are not all above 0");
        c.names.push_back(Pad(name, kCombinationNameCapacity));
        c.sxWQ.push_back(s.sxWQ);
        c.area.push_back(s.area);
        c.sxKX.push_back(s.sxKX);
        c.sxNJ.push_back(s.sxNJ);
        c.b.push_back(s.b);
    }
    if (csv.Rows() > INT16_MAX)
        csv.Fail(1, "more than 32767 combinations");
    CheckNoContainedNames(csv, Trimmed(c.names));
    cat.nA = groupSize[0];
    cat.nB = groupSize[1];
    cat.nC = groupSize[2];
}

std::string Number(double v)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

void WriteText(const std::string& folder, const std::string& name, const std::string& text)
{
    sps::WriteFileAtomic(folder + "/" + name, std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace

Catalogue ReadCatalogueSources(const std::string& folder)
{
    Catalogue cat;
    ReadGrades(folder, cat);
    ReadSections(folder, cat);
    ReadCombinations(folder, cat);
    std::string fault = FindCatalogueFault(cat);
    if (!fault.empty())
        sps::Raise(fault);
    return cat;
}

void WriteCatalogueCsv(const Catalogue& cat, const std::string& folder)
{
    std::ostringstream s;
    s << "table,name,fyk\n";
    for (int t = 0; t < 6; ++t) {
        for (size_t i = 0; i < cat.grades[t].Size(); ++i)
            s << kGradeTables[t] << ',' << TrimRight(cat.grades[t].names[i]) << ',' << Number(cat.grades[t].fyk[i])
              << '\n';
    }
    WriteText(folder, "grades.csv", s.str());

    s.str("");
    s << "name,unit_weight,connector1,connector2,connector3\n";
    const KingPileTable& k = cat.kingPiles;
    for (size_t i = 0; i < k.Size(); ++i)
        s << TrimRight(k.names[i]) << ',' << Number(k.unitWeight[i]) << ',' << int(k.connectors[0][i]) << ','
          << int(k.connectors[1][i]) << ',' << int(k.connectors[2][i]) << '\n';
    WriteText(folder, "king_piles.csv", s.str());

    for (auto [table, file] : {std::pair{&cat.connectors, "connectors.csv"}, std::pair{&cat.sheetPiles, "sheet_piles.csv"}}) {
        s.str("");
        s << "name,unit_weight\n";
        for (size_t i = 0; i < table->Size(); ++i)
            s << TrimRight(table->names[i]) << ',' << Number(table->unitWeight[i]) << '\n';
        WriteText(folder, file, s.str());
    }

    s.str("");
    s << "name,d_king_pile,d_connectors,area,ix,width\n";
    const BuiltUpKingPileTable& kp = cat.builtUpKingPiles;
    for (size_t i = 0; i < kp.Size(); ++i)
        s << TrimRight(kp.names[i]) << ',' << Number(kp.dWQ[i]) << ',' << Number(kp.dNJ[i]) << ','
          << Number(kp.area[i]) << ',' << kp.ix[i] << ',' << kp.width[i] << '\n';
    WriteText(folder, "builtup_king_piles.csv", s.str());

    s.str("");
    s << "name,height,unused,ix,width,unit_weight\n";
    const BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
    for (size_t i = 0; i < sp.Size(); ++i)
        s << TrimRight(sp.names[i]) << ',' << Number(sp.height[i]) << ',' << Number(sp.unused[i]) << ','
          << sp.ix[i] << ',' << sp.width[i] << ',' << Number(sp.unitWeight[i]) << '\n';
    WriteText(folder, "builtup_sheet_piles.csv", s.str());

    s.str("");
    s << "name,group,sx_king_pile_system,area,sx_sheet_pile,sx_connectors,b\n";
    const CombinationTable& c = cat.combinations;
    for (size_t i = 0; i < c.Size(); ++i) {
        int row = static_cast<int>(i);
        int g = row < cat.nA ? 0 : row < cat.nA + cat.nB ? 1 : row < cat.nA + cat.nB + cat.nC ? 2 : 3;
        s << TrimRight(c.names[i]) << ',' << kGroups[g] << ',' << Number(c.sxWQ[i]) << ',' << Number(c.area[i])
          << ',' << Number(c.sxKX[i]) << ',' << Number(c.sxNJ[i]) << ',' << Number(c.b[i]) << '\n';
    }
    WriteText(folder, "combinations.csv", s.str());
}

} // namespace cw
