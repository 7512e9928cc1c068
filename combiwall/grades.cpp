#include "combiwall/grades.h"

#include "calcframe/units.h"
#include "platform/numtext.h"

#include <algorithm>
#include <charconv>

namespace cw {

namespace {

constexpr size_t kItemNameWidth = 15;

bool IsSelectedA690(const GradeSelection& sel, const GradeLists& lists, Member m)
{
    int i = sel.index[static_cast<size_t>(m)];
    const auto& items = lists[static_cast<size_t>(m)];
    return i >= 0 && static_cast<size_t>(i) < items.size() && IsA690(items[static_cast<size_t>(i)]);
}

int FirstA690(const std::vector<std::string>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (IsA690(items[i]))
            return static_cast<int>(i);
    }
    return -1;
}

void ForceA690(int& index, bool& enabled, int16_t& remembered, const std::vector<std::string>& items)
{
    int first = FirstA690(items);
    if (first < 0)
        return;
    if (first != index)
        remembered = static_cast<int16_t>(index);
    index = first;
    enabled = false;
}

double FykAt(const SteelGradeTable& table, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= table.fyk.size())
        return 0;
    return table.fyk[static_cast<size_t>(index)];
}

} // namespace

std::string ShortestNumberText(double value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    char sep = sps::DecimalSeparator();
    if (sep != '.') {
        auto dot = s.find('.');
        if (dot != std::string::npos)
            s[dot] = sep;
    }
    return s;
}

std::string GradeItemText(const std::string& name, double fyk)
{
    std::string item = name + "    ";
    if (item.size() > kItemNameWidth)
        item.resize(kItemNameWidth);
    return item + ShortestNumberText(fyk);
}

bool IsA690(const std::string& itemText)
{
    return itemText.compare(0, 5, "A 690") == 0;
}

GradeLists BuildGradeLists(const Catalogue& cat, bool metric)
{
    GradeLists lists;
    for (int m = 0; m < kMemberCount; ++m) {
        const SteelGradeTable& t = cat.Grades(static_cast<Member>(m), metric);
        auto& items = lists[static_cast<size_t>(m)];
        items.reserve(t.Size());
        for (size_t i = 0; i < t.Size(); ++i)
            items.push_back(GradeItemText(t.names[i], t.fyk[i]));
    }
    return lists;
}

void FillSteelGrades(GradeSelection& sel, const GradeLists& lists)
{
    for (int m = 0; m < kMemberCount; ++m)
        sel.index[static_cast<size_t>(m)] = lists[static_cast<size_t>(m)].empty() ? -1 : 0;
    sel.rememberedConnector = 0;
    sel.rememberedSheetPile = 0;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    ApplySteelGradeSelection(sel, lists, Member::Connectors);
    ApplySteelGradeSelection(sel, lists, Member::SheetPile);
}

void ApplySteelGradeSelection(GradeSelection& sel, const GradeLists& lists, Member changed)
{
    int& king = sel.index[static_cast<size_t>(Member::KingPile)];
    int& conn = sel.index[static_cast<size_t>(Member::Connectors)];
    int& sheet = sel.index[static_cast<size_t>(Member::SheetPile)];
    if (changed == Member::KingPile) {
        if (!IsSelectedA690(sel, lists, Member::KingPile)) {
            if (!sel.connectorsEnabled) {
                sel.connectorsEnabled = true;
                conn = sel.rememberedConnector;
            }
            if (!sel.sheetPileEnabled) {
                sel.sheetPileEnabled = true;
                sheet = sel.rememberedSheetPile;
            }
        } else {
            ForceA690(conn, sel.connectorsEnabled, sel.rememberedConnector,
                      lists[static_cast<size_t>(Member::Connectors)]);
            ForceA690(sheet, sel.sheetPileEnabled, sel.rememberedSheetPile,
                      lists[static_cast<size_t>(Member::SheetPile)]);
        }
        return;
    }
    if (!IsSelectedA690(sel, lists, changed)) {
        if (sel.connectorsEnabled)
            sel.rememberedConnector = static_cast<int16_t>(conn);
        if (sel.sheetPileEnabled)
            sel.rememberedSheetPile = static_cast<int16_t>(sheet);
        return;
    }
    int first = FirstA690(lists[static_cast<size_t>(Member::KingPile)]);
    if (first >= 0)
        king = first;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
}

std::vector<Member> CarrySteelGrades(GradeSelection& sel, GradeCarries& carry, const GradeLists& lists,
                                     const Catalogue& cat, bool metric)
{
    auto names = [&cat](Member m, bool inMetric) -> const std::vector<std::string>& {
        return cat.Grades(m, inMetric).names;
    };
    std::vector<Member> fellBack;
    for (int m = 0; m < kMemberCount; ++m) {
        const auto member = static_cast<Member>(m);
        int& index = sel.index[static_cast<size_t>(m)];
        index = carry[static_cast<size_t>(m)].Carry(index, names(member, !metric), names(member, metric));
        if (!carry[static_cast<size_t>(m)].Kept())
            fellBack.push_back(member);
    }
    auto remembered = [&](int16_t& index, size_t slot, Member m) {
        index = static_cast<int16_t>(std::max(carry[slot].Carry(index, names(m, !metric), names(m, metric)), 0));
    };
    remembered(sel.rememberedConnector, kMemberCount, Member::Connectors);
    remembered(sel.rememberedSheetPile, kMemberCount + 1, Member::SheetPile);
    // A list without "A 690" is never forced.
    if (FirstA690(lists[static_cast<size_t>(Member::Connectors)]) < 0)
        sel.connectorsEnabled = true;
    if (FirstA690(lists[static_cast<size_t>(Member::SheetPile)]) < 0)
        sel.sheetPileEnabled = true;
    ApplySteelGradeSelection(sel, lists, Member::KingPile);
    return fellBack;
}

std::string UnitSwitchNotice(const std::vector<Member>& fellBack)
{
    if (fellBack.empty())
        return " CHANGE OF \"UNITS\" => STEEL GRADES KEPT";
    if (fellBack.size() == kMemberCount)
        return " CHANGE OF \"UNITS\" => STEEL GRADES RESET";
    static const char* const kMembers[kMemberCount] = {"WQ", "NJ/VB", "KX"};
    std::string text = fellBack.size() == 1 ? " CHANGE OF \"UNITS\" => GRADE RESET: "
                                            : " CHANGE OF \"UNITS\" => GRADES RESET: ";
    for (size_t i = 0; i < fellBack.size(); ++i)
        text += (i > 0 ? ", " : "") + std::string(kMembers[static_cast<size_t>(fellBack[i])]);
    return text;
}

YieldStrengths CurrentYieldStrengths(const Catalogue& cat, const GradeSelection& sel, bool metric)
{
    double f[kMemberCount];
    for (int m = 0; m < kMemberCount; ++m) {
        double v = FykAt(cat.Grades(static_cast<Member>(m), metric), sel.index[static_cast<size_t>(m)]);
        f[m] = metric ? v : v * cf::kFykFactor;
    }
    return YieldStrengths{f[0], f[1], f[2]};
}

} // namespace cw
