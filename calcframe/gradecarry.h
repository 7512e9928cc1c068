// A grade list's choice across a switch of the unit system. The metric and
// imperial grade tables are separate lists; the choice goes over to the grade
// of the same name. A grade without a counterpart gives way to the first grade
// of the new list but is not forgotten: switching back while that first grade
// is still chosen finds it again.
#pragma once

#include <string>
#include <vector>

namespace cf {

class GradeCarry {
public:
    // The index in `to` for the grade chosen at `index` of `from` (both lists
    // of grade names; blanks around a name do not count): the grade of the
    // same name, otherwise 0 (-1 for an empty `to`).
    int Carry(int index, const std::vector<std::string>& from, const std::vector<std::string>& to);
    // False when the last Carry found no grade of the name.
    bool Kept() const { return kept_; }
    // The user chose a grade himself: the next switch carries that choice.
    void Forget() { at_ = -1; }

private:
    std::string name_;
    int at_ = -1; // where the last Carry put the choice
    bool kept_ = true;
};

} // namespace cf
