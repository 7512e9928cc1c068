#include "corrosion/catalogue.h"

#include "calcframe/blockreader.h"
#include "calcframe/scrambled.h"
#include "calcframe/units.h"
#include "corrosion/scrambled_text.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <cmath>

namespace cr {

namespace {

constexpr size_t kNameCapacity = 11;

// A 16-bit count field: 0 to 32767.
size_t ReadCount(cf::BlockReader& in)
{
    return in.Count(in.I16(), 32767);
}

std::vector<int16_t> ReadCountedInt16s(cf::BlockReader& in)
{
    const size_t n = ReadCount(in);
    return in.Int16s(n);
}

// Names are trimmed of blanks at either end after decoding.
std::vector<std::string> ReadNames(cf::BlockReader& in, size_t n, int16_t start)
{
    std::vector<std::string> names = in.Names(n, kNameCapacity, start);
    for (std::string& name : names) {
        const size_t b = name.find_first_not_of(' ');
        if (b == std::string::npos) {
            name.clear();
            continue;
        }
        name = name.substr(b, name.find_last_not_of(' ') - b + 1);
    }
    return names;
}

void ReadGrades(cf::BlockReader& in, GradeTable& t, int16_t nameStart)
{
    const size_t n = in.Count(in.U8(), 127);
    t.names = ReadNames(in, n, nameStart);
    t.fyk = in.FiniteDoubles(n);
}

void ReadEnvironment(cf::BlockReader& in, EnvironmentTable& env, size_t nYears, int period)
{
    const size_t n = ReadCount(in);
    // Each description takes at least its two length bytes.
    if (n > in.Remaining() / 2)
        in.Fail();
    env.descriptions.resize(n);
    for (std::string& d : env.descriptions)
        d = ReadScrambledText(in, period);
    env.loss.resize(nYears);
    for (std::vector<double>& row : env.loss)
        row = in.FiniteDoubles(n);
}

bool StrictlyAscending(const std::vector<int16_t>& v)
{
    for (size_t i = 1; i < v.size(); ++i) {
        if (v[i] <= v[i - 1])
            return false;
    }
    return true;
}

bool AllFinite(const std::vector<double>& v)
{
    for (double x : v) {
        if (!std::isfinite(x))
            return false;
    }
    return true;
}

bool TableFits(const std::vector<std::vector<double>>& t, size_t rows, size_t columns)
{
    if (t.size() != rows)
        return false;
    for (const auto& row : t) {
        if (row.size() != columns || !AllFinite(row))
            return false;
    }
    return true;
}

void WriteCount(sps::ByteWriter& out, size_t n, const char* what)
{
    if (n > 32767)
        sps::Raise(std::string("Too many ") + what + " for the file (at most 32767).");
    out.I16(static_cast<int16_t>(n));
}

void WriteDoubles(sps::ByteWriter& out, const std::vector<double>& v)
{
    for (double x : v)
        out.F64(x);
}

void WriteInt16s(sps::ByteWriter& out, const std::vector<int16_t>& v)
{
    for (int16_t x : v)
        out.I16(x);
}

void WriteNames(sps::ByteWriter& out, const std::vector<std::string>& names, int16_t start)
{
    const std::vector<uint8_t> bytes = cf::EncodeScrambledNames(names, kNameCapacity, start);
    out.Write(bytes.data(), bytes.size());
}

void WriteGrades(sps::ByteWriter& out, const GradeTable& t, int16_t nameStart)
{
    if (t.names.size() > 127 || t.fyk.size() != t.names.size())
        sps::Raise("A grade table holds at most 127 grades, each with its fyk.");
    out.U8(static_cast<uint8_t>(t.names.size()));
    WriteNames(out, t.names, nameStart);
    WriteDoubles(out, t.fyk);
}

Catalogue Read(cf::BlockReader& in)
{
    Catalogue cat;
    const size_t nFam = ReadCount(in);
    const size_t nSec = ReadCount(in);
    cat.familyNames = ReadNames(in, nFam, cf::scramble::kFamilyNames);

    const std::vector<int16_t> ranges = in.Int16s(2 * (nFam + 1));
    cat.familyRanges.resize(nFam + 1);
    for (size_t k = 0; k <= nFam; ++k) {
        cat.familyRanges[k].first = ranges[2 * k];
        cat.familyRanges[k].last = ranges[2 * k + 1];
    }

    cat.lossSteps = ReadCountedInt16s(in);
    const size_t nLoss = cat.lossSteps.size();
    if (nSec > 0 && nLoss > in.Remaining() / (2 * nSec * 8))
        in.Fail();
    cat.sx.resize(nLoss);
    for (auto& row : cat.sx)
        row = in.FiniteDoubles(nSec);
    cat.ax.resize(nLoss);
    for (auto& row : cat.ax)
        row = in.FiniteDoubles(nSec);

    cat.sectionNames = ReadNames(in, nSec, cf::scramble::kSectionNames);
    cat.height = in.Int32s(nSec);
    cat.pairWidth = in.FiniteDoubles(nSec);
    cat.mass = in.FiniteDoubles(nSec);
    cat.tf = in.FiniteDoubles(nSec);
    cat.tw = in.FiniteDoubles(nSec);

    ReadGrades(in, cat.metricGrades, cf::scramble::kMetricGradeNames);
    ReadGrades(in, cat.imperialGrades, cf::scramble::kImperialGradeNames);

    cat.serviceLifePoints = ReadCountedInt16s(in);
    for (int e = 0; e < kEnvironmentCount; ++e)
        ReadEnvironment(in, cat.environments[e], cat.serviceLifePoints.size(), TextPeriod(e));

    cat.serviceLifeChoices = ReadCountedInt16s(in);
    cat.protectionChoices = ReadCountedInt16s(in);

    // The load limits are unsigned: 35000 kN/m does not fit a signed field.
    cat.mmax = static_cast<uint16_t>(in.I16());
    cat.nmax = static_cast<uint16_t>(in.I16());
    cat.fmax = static_cast<uint16_t>(in.I16());
    const std::vector<double> limits = in.FiniteDoubles(3);
    cat.maxWallLength = limits[0];
    cat.maxPileLength = limits[1];
    cat.maxCorrosionRate = limits[2];
    return cat;
}

Catalogue Checked(Catalogue cat, const cf::BlockReader& in)
{
    if (!FindCatalogueFault(cat).empty())
        in.Fail();
    DeriveImperialLimits(cat);
    return cat;
}

} // namespace

void DeriveImperialLimits(Catalogue& cat)
{
    cat.mmaxImperial = std::trunc(cat.mmax * 10.0 / cf::kMomentFactor) / 10.0;
    cat.nmaxImperial = std::trunc(cat.nmax * 10.0 / cf::kLoadFactor) / 10.0;
    cat.fmaxImperial = std::trunc(cat.fmax * 10.0 / cf::kDeflectionFactor) / 10.0;
    cat.maxWallLengthImperial = std::trunc(cat.maxWallLength * 100.0 / cf::kLengthFactor) / 100.0;
    cat.maxPileLengthImperial = std::trunc(cat.maxPileLength * 100.0 / cf::kLengthFactor) / 100.0;
}

std::string FindCatalogueFault(const Catalogue& cat)
{
    const size_t nSec = cat.sectionNames.size();
    const size_t nLoss = cat.lossSteps.size();
    const size_t nYears = cat.serviceLifePoints.size();

    if (cat.familyRanges.size() != cat.familyNames.size() + 1)
        return "the family ranges do not match the families";
    for (size_t k = 0; k < cat.familyRanges.size(); ++k) {
        const FamilyRange& r = cat.familyRanges[k];
        // A range whose first index is above its last is empty and legal.
        if (r.first <= r.last && (r.first < 0 || static_cast<size_t>(r.last) >= nSec))
            return "family range " + std::to_string(k) + " lies outside the section table";
    }
    if (nLoss < 2 || !StrictlyAscending(cat.lossSteps))
        return "the loss steps must be at least two and ascend";
    if (!TableFits(cat.sx, nLoss, nSec) || !TableFits(cat.ax, nLoss, nSec))
        return "the Sx and Ax tables must hold a number for every loss step and section";
    if (cat.height.size() != nSec || cat.pairWidth.size() != nSec || cat.mass.size() != nSec ||
        cat.tf.size() != nSec || cat.tw.size() != nSec)
        return "every section needs h, b, mass, tf and tw";
    if (!AllFinite(cat.pairWidth) || !AllFinite(cat.mass) || !AllFinite(cat.tf) || !AllFinite(cat.tw))
        return "a section value is not a number";
    for (const GradeTable* t : {&cat.metricGrades, &cat.imperialGrades}) {
        if (t->names.size() > 127 || t->fyk.size() != t->names.size() || !AllFinite(t->fyk))
            return "a grade table must hold at most 127 grades, each with its fyk";
    }
    if (nYears < 2 || !StrictlyAscending(cat.serviceLifePoints))
        return "the service-life points must be at least two and ascend";
    for (int e = 0; e < kEnvironmentCount; ++e) {
        const EnvironmentTable& env = cat.environments[e];
        if (env.descriptions.empty())
            return "environment " + std::to_string(e) + " has no detail";
        if (!TableFits(env.loss, nYears, env.descriptions.size()))
            return "environment " + std::to_string(e) + " needs a loss for every service-life point and detail";
    }
    if (!std::isfinite(cat.maxWallLength) || !std::isfinite(cat.maxPileLength) ||
        !std::isfinite(cat.maxCorrosionRate))
        return "a limit is not a number";
    return std::string();
}

Catalogue LoadCatalogue(const uint8_t* data, size_t size)
{
    cf::BlockReader in(data, size, kCatalogueFileName);
    return Checked(Read(in), in);
}

Catalogue LoadCatalogue(const std::vector<uint8_t>& bytes)
{
    return LoadCatalogue(bytes.data(), bytes.size());
}

Catalogue LoadCatalogueFile(const std::string& path)
{
    cf::BlockReader in(path, kCatalogueFileName);
    return Checked(Read(in), in);
}

std::vector<uint8_t> WriteCatalogue(const Catalogue& cat)
{
    sps::ByteWriter out;
    const size_t nSec = cat.sectionNames.size();
    WriteCount(out, cat.familyNames.size(), "families");
    WriteCount(out, nSec, "sections");
    WriteNames(out, cat.familyNames, cf::scramble::kFamilyNames);
    if (cat.familyRanges.size() != cat.familyNames.size() + 1)
        sps::Raise("Every family needs its range, and row 0 the range of all sections.");
    for (const FamilyRange& r : cat.familyRanges) {
        out.I16(r.first);
        out.I16(r.last);
    }

    WriteCount(out, cat.lossSteps.size(), "loss steps");
    WriteInt16s(out, cat.lossSteps);
    for (const auto* table : {&cat.sx, &cat.ax}) {
        if (table->size() != cat.lossSteps.size())
            sps::Raise("The Sx and Ax tables need one row per loss step.");
        for (const auto& row : *table) {
            if (row.size() != nSec)
                sps::Raise("The Sx and Ax tables need one value per section.");
            WriteDoubles(out, row);
        }
    }

    WriteNames(out, cat.sectionNames, cf::scramble::kSectionNames);
    if (cat.height.size() != nSec || cat.pairWidth.size() != nSec || cat.mass.size() != nSec ||
        cat.tf.size() != nSec || cat.tw.size() != nSec)
        sps::Raise("Every section needs h, b, mass, tf and tw.");
    for (int32_t h : cat.height)
        out.I32(h);
    WriteDoubles(out, cat.pairWidth);
    WriteDoubles(out, cat.mass);
    WriteDoubles(out, cat.tf);
    WriteDoubles(out, cat.tw);

    WriteGrades(out, cat.metricGrades, cf::scramble::kMetricGradeNames);
    WriteGrades(out, cat.imperialGrades, cf::scramble::kImperialGradeNames);

    WriteCount(out, cat.serviceLifePoints.size(), "service-life points");
    WriteInt16s(out, cat.serviceLifePoints);
    for (int e = 0; e < kEnvironmentCount; ++e) {
        const EnvironmentTable& env = cat.environments[e];
        WriteCount(out, env.descriptions.size(), "environment details");
        for (const std::string& d : env.descriptions)
            WriteScrambledText(out, d, TextPeriod(e));
        if (env.loss.size() != cat.serviceLifePoints.size())
            sps::Raise("A corrosion table needs one row per service-life point.");
        for (const auto& row : env.loss) {
            if (row.size() != env.descriptions.size())
                sps::Raise("A corrosion table needs one value per detail.");
            WriteDoubles(out, row);
        }
    }

    WriteCount(out, cat.serviceLifeChoices.size(), "service-life choices");
    WriteInt16s(out, cat.serviceLifeChoices);
    WriteCount(out, cat.protectionChoices.size(), "protection choices");
    WriteInt16s(out, cat.protectionChoices);

    out.U16(cat.mmax);
    out.U16(cat.nmax);
    out.U16(cat.fmax);
    out.F64(cat.maxWallLength);
    out.F64(cat.maxPileLength);
    out.F64(cat.maxCorrosionRate);
    return out.Bytes();
}

} // namespace cr
