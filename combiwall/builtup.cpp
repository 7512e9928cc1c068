#include "combiwall/builtup.h"

namespace cw {

std::string BuiltUpSheetPileItem(const std::string& name)
{
    return " " + name;
}

int BuiltUpSheetPileColumns(size_t rows)
{
    return static_cast<int>((rows + 2) / 3);
}

std::string BuiltUpSystemName(const std::string& sizeItem, const std::string& thicknessItem,
                              const std::string& solutionItem, const std::string& sheetPileItem)
{
    return "WQ" + sizeItem + thicknessItem + "-" + solutionItem + " /" + sheetPileItem;
}

int FindBuiltUpRow(const std::vector<std::string>& names, const std::string& systemName)
{
    int found = -1;
    for (size_t i = 0; i < names.size(); ++i) {
        if (systemName.find(names[i]) != std::string::npos)
            found = static_cast<int>(i);
    }
    return found;
}

BuiltUpSystem ComputeBuiltUpSystem(const Catalogue& cat, int kingPileRow, int sheetPileRow)
{
    BuiltUpSystem r;
    const BuiltUpKingPileTable& kp = cat.builtUpKingPiles;
    const BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
    if (kingPileRow < 0 || static_cast<size_t>(kingPileRow) >= kp.Size())
        return r;
    const size_t k = static_cast<size_t>(kingPileRow);
    double ixSP = 0;
    int64_t widthSP = 0;
    double h = 0;
    if (sheetPileRow >= 0 && static_cast<size_t>(sheetPileRow) < sp.Size()) {
        const size_t s = static_cast<size_t>(sheetPileRow);
        ixSP = sp.ix[s];
        widthSP = sp.width[s];
        h = sp.height[s];
    }
    r.ix = static_cast<double>(kp.ix[k]) + ixSP;
    const double b = static_cast<double>(kp.width[k] + widthSP) / 1000;
    SelectedSystem& sys = r.system;
    sys.area = kp.area[k];
    sys.b = b;
    if (b <= 0)
        return r;
    r.ixPerMetre = r.ix / b;
    if (kp.dWQ[k] > 0)
        sys.sxWQ = r.ix / (kp.dWQ[k] / 10) / b;
    if (kp.dNJ[k] > 0)
        sys.sxNJ = r.ix / (kp.dNJ[k] / 10) / b;
    if (h > 0)
        sys.sxKX = r.ix / (h / 20) / b;
    return r;
}

} // namespace cw
