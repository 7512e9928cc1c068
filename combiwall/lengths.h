// Member lengths, wall length and number of systems of the material list tab:
// limits, range hints, messages, the cascade of dependent lengths and the wall
// size. The handlers work on the form through LengthView; writing a field's
// text through the view runs that field's change handler when the text
// differs, and the cascades rely on it.
#pragma once

#include "calcframe/fieldtext.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cw {

enum class LengthField {
    WQ,      // king pile
    NJ,      // connectors
    VB,      // connectors of the second range
    KX,      // intermediary sheet pile
    Wall,    // wall length
    Systems, // number of systems
};

inline constexpr double kMaxMemberLength = 33;   // m
inline constexpr double kMaxWallLength = 2000;   // m
inline constexpr double kRollingLength = 31;     // m: longer sheet piles are spliced
// Lengths closer than this count as equal, so that a round trip through feet
// keeps equal lengths equal.
inline constexpr double kLengthTolerance = 1e-6; // m

inline constexpr const char* kWQTooLong = " Error: Length of WQ > Lmax !";
inline constexpr const char* kNJTooLong = " Error: Length of NJD/NJU > length WQ !";
inline constexpr const char* kKXTooLong = " Error: Length of KX > length NJD/NJU !";
inline constexpr const char* kVBTooLong = " Error: Length of VB > length WQ !";
inline constexpr const char* kKXSplicing = " Length of KX > Lmax rolling => splicing!";
inline constexpr const char* kWallTooLong = " Length of wall > length wall max !";
inline constexpr const char* kTooManySystems = " Number of systems > max !";
inline constexpr const char* kEnterValidNumber = " Enter a valid number";
inline constexpr const char* kEnterWallLength = " Enter a valid value for wall length.";
inline constexpr const char* kEnterNumberOfSystems = " Enter a valid value for number of systems.";
inline constexpr const char* kIntegerKeyRefused = " Enter only integer values > 0. Wrong input:  ";

using cf::ParseFieldNumber;

// Number of systems typed: digits only.
enum class SystemsText { Empty, Value, TooLarge };
// TooLarge when the digits do not fit in 64 bits.
SystemsText ParseSystemsText(const std::string& text, int64_t& value);

// The most systems a wall can have: the whole part of 2000 / b; 0 when b is
// not positive.
int64_t MaxNumberOfSystems(double b);
// Systems of a wall: wall / b to the nearest whole number, halves to even;
// 0 when b is not positive.
int64_t SystemsForWall(double wallLength, double b);
// Text written into the number-of-systems field when that mode is chosen: n,
// or n - 1 when n x b exceeds 2000 m.
std::string SystemsTextForNumberMode(int64_t n, double b);

// The panel 1 text when the number-of-systems key filter refuses `key` (the
// key's text), or nothing when it passes (backspace and the digits).
std::optional<std::string> RefuseSystemsKey(const std::string& key);

// The form as the length handlers see it.
class LengthView {
public:
    virtual ~LengthView() = default;
    virtual std::string Text(LengthField field) const = 0;
    // Writes the text; when it differs, the field's change handler runs.
    virtual void SetText(LengthField field, const std::string& text) = 0;
    // The unit switch: the field shows `text`, its value in the new unit
    // system, and keeps the value; one not changed since the last switch
    // shows again the text it had before it.
    virtual void ShowInNewUnits(LengthField field, const std::string& text) = 0;
    // True while the field shows what the unit switch wrote, with the value
    // it keeps (m).
    virtual bool HeldValue(LengthField field, double& metres) const = 0;
    // The field's own Enabled state.
    virtual bool Enabled(LengthField field) const = 0;
    virtual void SetEnabled(LengthField field, bool enabled) = 0;
    // Lbl_LengthTotalWallResults.
    virtual void SetTotalWallText(const std::string& text) = 0;
    virtual void SetPanel(int panel, const std::string& text) = 0;
    virtual void Beep(unsigned type) = 0;
    // Gives the focus back to the field being left.
    virtual void FocusBack(LengthField field) = 0;
    // MenuSelectWallLength checked (otherwise the number of systems is the input).
    virtual bool WallLengthMode() const = 0;
    virtual void ComputeMaterialList() = 0;
};

// The values behind the length fields (always metric) and their handlers.
class LengthInputs {
public:
    explicit LengthInputs(LengthView& view) : view_(view) {}

    // Read by the handlers; kept up to date by the form.
    bool metric = true;
    double b = 0;          // width of the selected system, m
    double extraWidth = 0; // m, from the material list

    double lengthWQ = 0;
    double lengthNJ = 0;
    double lengthVB = 0;
    double lengthKX = 0;
    double wallLength = 0;
    double totalWallLength = 0;
    int64_t numberOfSystems = 0;

    // Enter handler: the range hint in panel 0.
    void Enter(LengthField field);
    std::string RangeHint(LengthField field) const;
    void Change(LengthField field);
    void Exit(LengthField field);

    // Unit switch to imperial: the fields show the lengths in feet (108.26 ft
    // at most for a member, 6561.7 ft for the wall when `wallField`), king
    // pile, connectors, sheet pile, VB. The lengths keep their values in
    // metres. Call with `metric` already false.
    void ShowLengthsInFeet(bool wallField);
    // Unit switch to metric: the fields in metres, sheet pile, connectors, VB,
    // king pile, and the wall length when `wallField`; the lengths keep their
    // values. Call with `metric` already true.
    void ShowLengthsInMetres(bool wallField);

private:
    void MemberChange(LengthField field);
    void WallChange();
    void SystemsChange();
    void MemberExit(LengthField field);
    void WallExit();
    void SystemsExit();
    double ToMetres(double typed) const;
    // The field's value as typed and in metres; false when it holds none or 0.
    bool Read(LengthField field, double& typed, double& metres) const;
    double FromMetres(double metres) const;
    std::string LengthText(double metres, int decimals) const;
    void Refuse(LengthField field, const char* message);

    LengthView& view_;
};

} // namespace cw
