#include "calcframe/gradecarry.h"

namespace cf {

namespace {

std::string Trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool InRange(int index, const std::vector<std::string>& names)
{
    return index >= 0 && static_cast<size_t>(index) < names.size();
}

} // namespace

int GradeCarry::Carry(int index, const std::vector<std::string>& from, const std::vector<std::string>& to)
{
    // A fallback of the last switch that is still chosen stands for the grade
    // it replaced.
    if (index < 0 || index != at_ || name_.empty())
        name_ = InRange(index, from) ? Trimmed(from[static_cast<size_t>(index)]) : std::string();
    int found = -1;
    if (!name_.empty()) {
        // The same place first, so that equal names keep their order.
        if (InRange(index, to) && Trimmed(to[static_cast<size_t>(index)]) == name_)
            found = index;
        for (size_t i = 0; found < 0 && i < to.size(); ++i) {
            if (Trimmed(to[i]) == name_)
                found = static_cast<int>(i);
        }
    }
    kept_ = found >= 0 || name_.empty();
    at_ = found >= 0 ? found : (to.empty() ? -1 : 0);
    return at_;
}

} // namespace cf
