#include "combiwall/lengths.h"

#include "calcframe/rounding.h"
#include "calcframe/units.h"
#include "combiwall/units.h"
#include "platform/numtext.h"

#include <cmath>

namespace cw {

namespace {

constexpr unsigned kBeepDefault = 0;
// Bound of the number of systems for a width close to 0 (no real wall has more).
constexpr double kSystemsBound = 1e12;

bool Longer(double a, double b) { return a > b + kLengthTolerance; }
// 0 with `decimals` decimals and the program's separator.
std::string ZeroText(int decimals) { return sps::FormatFixed(0, decimals); }
bool Shorter(double a, double b) { return a < b - kLengthTolerance; }

} // namespace

SystemsText ParseSystemsText(const std::string& text, int64_t& value)
{
    value = 0;
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return SystemsText::Empty;
    size_t last = text.find_last_not_of(' ');
    uint64_t v = 0;
    bool tooLarge = false;
    for (size_t i = first; i <= last; ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return SystemsText::Empty;
        unsigned d = static_cast<unsigned>(c - '0');
        if (v > (static_cast<uint64_t>(INT64_MAX) - d) / 10)
            tooLarge = true;
        else
            v = v * 10 + d;
    }
    if (tooLarge)
        return SystemsText::TooLarge;
    value = static_cast<int64_t>(v);
    return SystemsText::Value;
}

int64_t MaxNumberOfSystems(double b)
{
    if (!(b > 0))
        return 0;
    double n = std::floor(kMaxWallLength / b);
    return static_cast<int64_t>(n > kSystemsBound ? kSystemsBound : n);
}

int64_t SystemsForWall(double wallLength, double b)
{
    if (!(b > 0) || !(wallLength > 0))
        return 0;
    double n = cf::RoundHalfEvenDecimal(wallLength / b, 0);
    return static_cast<int64_t>(n > kSystemsBound ? kSystemsBound : n);
}

std::string SystemsTextForNumberMode(int64_t n, double b)
{
    if (static_cast<double>(n) * b > kMaxWallLength)
        --n;
    return std::to_string(n);
}

std::optional<std::string> RefuseSystemsKey(const std::string& key)
{
    if (key.size() == 1 && (key[0] == 8 || (key[0] >= '0' && key[0] <= '9')))
        return std::nullopt;
    return std::string(kIntegerKeyRefused) + key;
}

double LengthInputs::ToMetres(double typed) const
{
    return metric ? typed : typed * cf::kLengthFactor;
}

bool LengthInputs::Read(LengthField field, double& typed, double& metres) const
{
    // A length shown converted by the unit switch keeps its value; its typed
    // value then lies inside the limits of both unit systems.
    if (view_.HeldValue(field, metres)) {
        typed = 0;
        return metres != 0;
    }
    const bool given = ParseFieldNumber(view_.Text(field), typed) && typed != 0;
    metres = given ? ToMetres(typed) : 0;
    return given;
}

double LengthInputs::FromMetres(double metres) const
{
    return metric ? metres : metres / cf::kLengthFactor;
}

std::string LengthInputs::LengthText(double metres, int decimals) const
{
    return sps::FormatFixed(FromMetres(metres), decimals);
}

void LengthInputs::Refuse(LengthField field, const char* message)
{
    view_.SetText(field, ""); // runs the change handler again with no value
    view_.SetPanel(1, message);
    view_.Beep(kBeepDefault);
}

std::string LengthInputs::RangeHint(LengthField field) const
{
    const std::string unit = metric ? " m" : " ft";
    switch (field) {
    case LengthField::WQ:
        return " 0 < Length WQ =< " + sps::FormatFixed(metric ? kMaxMemberLength : kMaxMemberLengthFeet, 2) + unit;
    case LengthField::NJ:
        return " 0 < Length NJD/NJU =< Length WQ = " + LengthText(lengthWQ, 2) + unit;
    case LengthField::KX:
        return " 0 < Length KX =< Length NJD/NJU = " + LengthText(lengthNJ, 2) + unit;
    case LengthField::VB:
        return " 0 < Length VB =< Length WQ = " + LengthText(lengthWQ, 2) + unit;
    case LengthField::Wall:
        return " 0 < Length wall =< " + sps::FormatFixed(metric ? kMaxWallLength : kMaxWallLengthFeet, 1) + unit;
    case LengthField::Systems:
        break;
    }
    return " 0 < Number of sytems =< " + std::to_string(MaxNumberOfSystems(b));
}

void LengthInputs::Enter(LengthField field)
{
    view_.SetPanel(0, RangeHint(field));
}

void LengthInputs::Change(LengthField field)
{
    switch (field) {
    case LengthField::Wall:
        WallChange();
        return;
    case LengthField::Systems:
        SystemsChange();
        return;
    default:
        MemberChange(field);
    }
}

void LengthInputs::MemberChange(LengthField field)
{
    double typed = 0;
    double metres = 0;
    const bool given = Read(field, typed, metres);
    switch (field) {
    case LengthField::WQ:
        if (given) {
            view_.SetEnabled(LengthField::NJ, true);
            lengthWQ = metres;
            view_.SetPanel(1, "");
            if (Shorter(lengthWQ, lengthNJ)) {
                view_.SetText(LengthField::NJ, ZeroText(2));
                view_.SetText(LengthField::KX, ZeroText(2));
                view_.SetEnabled(LengthField::KX, false);
            }
            if (Shorter(lengthWQ, lengthVB))
                view_.SetText(LengthField::VB, ZeroText(2));
            if (lengthWQ > 0)
                view_.SetEnabled(LengthField::VB, true);
            if (Longer(lengthWQ, kMaxMemberLength) || (!metric && typed > kMaxMemberLengthFeet))
                Refuse(LengthField::WQ, kWQTooLong);
        } else {
            lengthWQ = 0;
            for (LengthField f : {LengthField::NJ, LengthField::KX, LengthField::VB}) {
                view_.SetEnabled(f, false);
                view_.SetText(f, ZeroText(2));
            }
        }
        break;
    case LengthField::NJ:
        if (given) {
            view_.SetEnabled(LengthField::KX, true);
            lengthNJ = metres;
            view_.SetPanel(1, "");
        } else {
            lengthNJ = 0;
        }
        if (Longer(lengthNJ, lengthWQ))
            Refuse(LengthField::NJ, kNJTooLong);
        if (Shorter(lengthNJ, lengthKX)) {
            view_.SetText(LengthField::KX, ZeroText(2));
            view_.SetEnabled(LengthField::KX, false);
            view_.SetPanel(1, "");
        }
        break;
    case LengthField::KX:
        if (given) {
            lengthKX = metres;
            view_.SetPanel(1, "");
        } else {
            lengthKX = 0;
        }
        if (Longer(lengthKX, lengthNJ))
            Refuse(LengthField::KX, kKXTooLong);
        if (Longer(lengthKX, kRollingLength))
            view_.SetPanel(1, kKXSplicing); // a warning: the length stays, no beep
        break;
    case LengthField::VB:
        if (given) {
            lengthVB = metres;
            view_.SetPanel(1, "");
        } else {
            lengthVB = 0;
        }
        if (Longer(lengthVB, lengthWQ))
            Refuse(LengthField::VB, kVBTooLong);
        break;
    default:
        return;
    }
    view_.ComputeMaterialList();
}

void LengthInputs::WallChange()
{
    if (!view_.Enabled(LengthField::Wall))
        return;
    double typed = 0;
    double metres = 0;
    if (Read(LengthField::Wall, typed, metres)) {
        view_.SetPanel(1, "");
        wallLength = metres;
        if (Longer(wallLength, kMaxWallLength) || (!metric && typed > kMaxWallLengthFeet)) {
            view_.SetText(LengthField::Wall, "");
            view_.SetPanel(1, kWallTooLong);
            view_.SetTotalWallText(ZeroText(1));
            view_.Beep(kBeepDefault);
            view_.ComputeMaterialList();
            return;
        }
        numberOfSystems = SystemsForWall(wallLength, b);
        view_.SetText(LengthField::Systems, std::to_string(numberOfSystems));
        totalWallLength = numberOfSystems < 1 ? 0 : static_cast<double>(numberOfSystems) * b + extraWidth;
        view_.SetTotalWallText(LengthText(totalWallLength, 1));
    } else {
        wallLength = 0;
        view_.SetText(LengthField::Systems, "0");
        numberOfSystems = 0;
        totalWallLength = 0;
        view_.SetTotalWallText(ZeroText(1));
    }
    view_.ComputeMaterialList();
}

void LengthInputs::SystemsChange()
{
    if (!view_.Enabled(LengthField::Systems))
        return;
    int64_t n = 0;
    SystemsText kind = ParseSystemsText(view_.Text(LengthField::Systems), n);
    if (kind != SystemsText::Empty && (kind == SystemsText::TooLarge || n != 0)) {
        view_.SetPanel(1, "");
        // Above the largest wall: refused before anything is multiplied out.
        if (kind == SystemsText::TooLarge || n > MaxNumberOfSystems(b)) {
            view_.SetText(LengthField::Systems, "");
            view_.SetPanel(1, kTooManySystems);
            view_.SetTotalWallText(ZeroText(1));
            view_.Beep(kBeepDefault);
        } else {
            numberOfSystems = n;
            wallLength = static_cast<double>(n) * b;
            totalWallLength = wallLength + extraWidth;
            view_.SetText(LengthField::Wall, LengthText(wallLength, 1));
            view_.SetTotalWallText(LengthText(totalWallLength, 1));
        }
    } else {
        wallLength = 0;
        view_.SetText(LengthField::Wall, ZeroText(1));
        numberOfSystems = 0;
        totalWallLength = 0;
        view_.SetTotalWallText(ZeroText(1));
        view_.SetPanel(1, kEnterValidNumber);
    }
    view_.ComputeMaterialList();
}

void LengthInputs::Exit(LengthField field)
{
    switch (field) {
    case LengthField::Wall:
        WallExit();
        return;
    case LengthField::Systems:
        SystemsExit();
        return;
    default:
        MemberExit(field);
    }
}

void LengthInputs::MemberExit(LengthField field)
{
    double value = 0;
    if (ParseFieldNumber(view_.Text(field), value)) {
        view_.SetText(field, sps::FormatFixed(value, 2));
        view_.SetPanel(1, "");
        return;
    }
    view_.SetText(field, ZeroText(2));
    const char* message = nullptr;
    switch (field) {
    case LengthField::WQ:
        view_.SetEnabled(LengthField::NJ, false);
        message = " Enter a valid value for WQ first.";
        break;
    case LengthField::NJ:
        view_.SetEnabled(LengthField::KX, false);
        message = " Enter a valid value for NJD/NJU first.";
        break;
    case LengthField::KX:
        message = " Enter a valid value for KX first.";
        break;
    default:
        message = " Enter a valid value for VB first.";
        break;
    }
    view_.SetPanel(1, message);
    Enter(field);
    view_.FocusBack(field);
}

void LengthInputs::WallExit()
{
    double value = 0;
    if (ParseFieldNumber(view_.Text(LengthField::Wall), value)) {
        view_.SetText(LengthField::Wall, sps::FormatFixed(value, 1));
        view_.SetPanel(1, "");
        return;
    }
    view_.SetText(LengthField::Wall, ZeroText(1));
    if (view_.WallLengthMode()) {
        view_.SetPanel(1, kEnterWallLength);
        Enter(LengthField::Wall);
        view_.FocusBack(LengthField::Wall);
    } else {
        view_.SetPanel(1, "");
    }
}

void LengthInputs::SystemsExit()
{
    int64_t n = 0;
    if (view_.WallLengthMode() || ParseSystemsText(view_.Text(LengthField::Systems), n) != SystemsText::Empty)
        return;
    view_.SetText(LengthField::Wall, ZeroText(1));
    wallLength = 0;
    totalWallLength = 0;
    view_.SetTotalWallText(ZeroText(1));
    view_.SetText(LengthField::Systems, "0");
    numberOfSystems = 0;
    view_.SetPanel(1, kEnterNumberOfSystems);
    Enter(LengthField::Systems);
    view_.FocusBack(LengthField::Systems);
}

void LengthInputs::ShowLengthsInFeet(bool wallField)
{
    view_.ShowInNewUnits(LengthField::WQ, FeetText(lengthWQ, kMaxMemberLengthFeet, 2));
    view_.ShowInNewUnits(LengthField::NJ, FeetText(lengthNJ, kMaxMemberLengthFeet, 2));
    view_.ShowInNewUnits(LengthField::KX, FeetText(lengthKX, kMaxMemberLengthFeet, 2));
    view_.ShowInNewUnits(LengthField::VB, FeetText(lengthVB, kMaxMemberLengthFeet, 2));
    if (wallField)
        view_.ShowInNewUnits(LengthField::Wall, FeetText(wallLength, kMaxWallLengthFeet, 1));
}

void LengthInputs::ShowLengthsInMetres(bool wallField)
{
    view_.ShowInNewUnits(LengthField::KX, sps::FormatFixed(lengthKX, 2));
    view_.ShowInNewUnits(LengthField::NJ, sps::FormatFixed(lengthNJ, 2));
    view_.ShowInNewUnits(LengthField::VB, sps::FormatFixed(lengthVB, 2));
    view_.ShowInNewUnits(LengthField::WQ, sps::FormatFixed(lengthWQ, 2));
    if (wallField)
        view_.ShowInNewUnits(LengthField::Wall, sps::FormatFixed(wallLength, 1));
}

} // namespace cw
