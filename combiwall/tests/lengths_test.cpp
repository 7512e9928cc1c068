#include "combiwall/lengths.h"

#include "calcframe/units.h"
#include "platform/numtext.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

using namespace cw;

namespace {

// The form as the handlers see it: writing a text runs the change handler
// when the text differs, as the edit control does.
class FakeView : public LengthView {
public:
    FakeView() : in(*this)
    {
        text.fill("0");
        enabled = {true, false, false, false, true, false}; // WQ and the wall length at start
    }

    LengthInputs in;
    std::array<std::string, 6> text;
    std::array<std::string, 6> textBefore;
    std::array<bool, 6> converted{};
    std::array<bool, 6> enabled;
    std::string total = "0";
    std::array<std::string, 2> panel;
    std::vector<unsigned> beeps;
    std::vector<LengthField> focusBack;
    bool wallMode = true;
    int computed = 0;

    static size_t I(LengthField f) { return static_cast<size_t>(f); }

    std::string Text(LengthField f) const override { return text[I(f)]; }
    void SetText(LengthField f, const std::string& t) override
    {
        if (text[I(f)] == t)
            return;
        text[I(f)] = t;
        converted[I(f)] = false;
        in.Change(f);
    }
    // As the frame's field model: shown converted, the value and the text
    // before kept.
    void ShowInNewUnits(LengthField f, const std::string& t) override
    {
        const std::string shown = converted[I(f)] ? textBefore[I(f)] : t;
        textBefore[I(f)] = text[I(f)];
        converted[I(f)] = true;
        text[I(f)] = shown;
    }
    bool HeldValue(LengthField f, double& metres) const override
    {
        if (!converted[I(f)])
            return false;
        const double held[] = {in.lengthWQ, in.lengthNJ, in.lengthVB, in.lengthKX, in.wallLength, 0};
        metres = held[I(f)];
        return true;
    }
    bool Enabled(LengthField f) const override { return enabled[I(f)]; }
    void SetEnabled(LengthField f, bool e) override { enabled[I(f)] = e; }
    void SetTotalWallText(const std::string& t) override { total = t; }
    void SetPanel(int p, const std::string& t) override { panel[static_cast<size_t>(p)] = t; }
    void Beep(unsigned type) override { beeps.push_back(type); }
    void FocusBack(LengthField f) override { focusBack.push_back(f); }
    bool WallLengthMode() const override { return wallMode; }
    void ComputeMaterialList() override { ++computed; }

    // The user types a whole new text.
    void Type(LengthField f, const std::string& t) { SetText(f, t); }
    // Member lengths, m.
    void Lengths(const std::string& wq, const std::string& nj, const std::string& kx)
    {
        Type(LengthField::WQ, wq);
        Type(LengthField::NJ, nj);
        Type(LengthField::KX, kx);
    }
};

constexpr LengthField WQ = LengthField::WQ;
constexpr LengthField NJ = LengthField::NJ;
constexpr LengthField VB = LengthField::VB;
constexpr LengthField KX = LengthField::KX;
constexpr LengthField Wall = LengthField::Wall;
constexpr LengthField Systems = LengthField::Systems;

} // namespace

TEST(Lengths, WallOf100MetresWithSystemsOf2_4)
{
    FakeView v;
    v.in.b = 2.4;
    v.in.extraWidth = 0.5; // a "-12" system
    v.Type(Wall, "100");
    EXPECT_EQ(v.in.numberOfSystems, 42); // 41.67
    EXPECT_EQ(v.text[5], "42");
    EXPECT_EQ(v.total, "101.3"); // 100.8 + 0.5
    EXPECT_NEAR(v.in.totalWallLength, 101.3, 1e-9);
    EXPECT_EQ(v.in.RangeHint(Systems), " 0 < Number of sytems =< 833");

    // Number-of-systems mode: 833 systems fit (1999.2 m), 834 do not.
    v.wallMode = false;
    v.enabled[4] = false;
    v.enabled[5] = true;
    v.Type(Systems, "833");
    EXPECT_EQ(v.text[4], "1999.2");
    EXPECT_EQ(v.total, "1999.7");
    EXPECT_EQ(v.in.numberOfSystems, 833);
    v.beeps.clear();
    v.Type(Systems, "834");
    EXPECT_EQ(v.text[5], "");
    EXPECT_EQ(v.panel[1], kTooManySystems);
    EXPECT_EQ(v.total, "0.0");
    EXPECT_EQ(v.text[4], "0.0");
    EXPECT_EQ(v.in.numberOfSystems, 0);
    EXPECT_EQ(v.beeps, std::vector<unsigned>{0});
}

TEST(Lengths, SystemsOfAWallRoundHalvesToEven)
{
    EXPECT_EQ(SystemsForWall(3, 2.0), 2); // 1.5
    EXPECT_EQ(SystemsForWall(5, 2.0), 2); // 2.5
    EXPECT_EQ(SystemsForWall(7, 2.0), 4); // 3.5
    // 2000 / 2.7 = 740.7 gives 741 systems (2000.7 m); the number mode then writes 740.
    EXPECT_EQ(SystemsForWall(2000, 2.7), 741);
    EXPECT_EQ(SystemsTextForNumberMode(741, 2.7), "740");
    EXPECT_EQ(SystemsTextForNumberMode(740, 2.7), "740");
    // No width: no systems, never a division by zero.
    EXPECT_EQ(SystemsForWall(100, 0), 0);
    EXPECT_EQ(SystemsForWall(100, -1), 0);
    EXPECT_EQ(MaxNumberOfSystems(0), 0);
    EXPECT_EQ(MaxNumberOfSystems(2.4), 833);
    EXPECT_EQ(MaxNumberOfSystems(2.0), 1000);
    EXPECT_LE(MaxNumberOfSystems(1e-300), 1000000000000);
}

TEST(Lengths, WallLengthLimits)
{
    FakeView v;
    v.in.b = 2.0;
    v.Type(Wall, "2000");
    EXPECT_EQ(v.in.numberOfSystems, 1000);
    EXPECT_EQ(v.panel[1], "");
    v.Type(Wall, "2000.1");
    EXPECT_EQ(v.text[4], "");
    EXPECT_EQ(v.panel[1], kWallTooLong);
    EXPECT_EQ(v.total, "0.0");
    EXPECT_EQ(v.in.wallLength, 0);
    EXPECT_EQ(v.in.numberOfSystems, 0);
    EXPECT_EQ(v.beeps.size(), 1u);

    FakeView i;
    i.in.metric = false;
    i.in.b = 2.0;
    i.Type(Wall, "6561.7");
    EXPECT_EQ(i.panel[1], "");
    EXPECT_NEAR(i.in.wallLength, 6561.7 * cf::kLengthFactor, 1e-9);
    EXPECT_EQ(i.in.numberOfSystems, 1000); // 1999.9996 m / 2
    i.Type(Wall, "6561.8");
    EXPECT_EQ(i.panel[1], kWallTooLong);
    EXPECT_EQ(i.in.RangeHint(Wall), " 0 < Length wall =< 6561.7 ft");

    // A width of 0 gives no systems and a total of 0.
    FakeView z;
    z.Type(Wall, "100");
    EXPECT_EQ(z.in.numberOfSystems, 0);
    EXPECT_EQ(z.total, "0.0");
    EXPECT_EQ(z.in.RangeHint(Systems), " 0 < Number of sytems =< 0");
}

TEST(Lengths, NumberOfSystemsIsReadIn64BitsAndBounded)
{
    FakeView v;
    v.in.b = 2.4;
    v.wallMode = false;
    v.enabled[4] = false;
    v.enabled[5] = true;
    // Far above 32767 and above 64 bits: refused as too many, never wrapped.
    for (const char* typed : {"40000", "9223372036854775807", "99999999999999999999999"}) {
        v.Type(Systems, "10");
        v.Type(Systems, typed);
        EXPECT_EQ(v.panel[1], kTooManySystems) << typed;
        EXPECT_EQ(v.in.numberOfSystems, 0) << typed;
        EXPECT_EQ(v.in.wallLength, 0) << typed;
    }
    int64_t n = 0;
    EXPECT_EQ(ParseSystemsText("9223372036854775807", n), SystemsText::Value);
    EXPECT_EQ(n, INT64_MAX);
    EXPECT_EQ(ParseSystemsText("9223372036854775808", n), SystemsText::TooLarge);
    EXPECT_EQ(ParseSystemsText(" 12 ", n), SystemsText::Value);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(ParseSystemsText("-3", n), SystemsText::Empty);
    EXPECT_EQ(ParseSystemsText("1.5", n), SystemsText::Empty);

    // Without a system every number is too many.
    FakeView z;
    z.wallMode = false;
    z.enabled[4] = false;
    z.enabled[5] = true;
    z.Type(Systems, "1");
    EXPECT_EQ(z.panel[1], kTooManySystems);
    EXPECT_EQ(z.in.numberOfSystems, 0);

    // Emptied, zero or a pasted sign: no systems, asks for a valid number.
    v.Type(Systems, "10");
    EXPECT_EQ(v.text[4], "24.0");
    EXPECT_EQ(v.total, "24.0"); // no extra width set
    v.Type(Systems, "-5");
    EXPECT_EQ(v.panel[1], kEnterValidNumber);
    EXPECT_EQ(v.in.numberOfSystems, 0);
    EXPECT_EQ(v.text[4], "0.0");
}

TEST(Lengths, DisabledWallFieldsDoNothing)
{
    FakeView v;
    v.in.b = 2.0;
    v.Type(Wall, "100");
    const int computed = v.computed;
    // The number field is disabled in wall-length mode: writing it changes nothing.
    v.Type(Systems, "3");
    EXPECT_EQ(v.in.numberOfSystems, 50);
    EXPECT_EQ(v.computed, computed);
}

TEST(Lengths, SystemsKeyFilter)
{
    EXPECT_FALSE(RefuseSystemsKey("7").has_value());
    EXPECT_FALSE(RefuseSystemsKey("\b").has_value());
    EXPECT_EQ(RefuseSystemsKey("."), " Enter only integer values > 0. Wrong input:  .");
    EXPECT_EQ(RefuseSystemsKey("a"), " Enter only integer values > 0. Wrong input:  a");
    EXPECT_EQ(RefuseSystemsKey("-"), " Enter only integer values > 0. Wrong input:  -");
}

TEST(Lengths, MemberLimitsAndMessages)
{
    FakeView v;
    v.Type(WQ, "33");
    EXPECT_EQ(v.in.lengthWQ, 33);
    EXPECT_TRUE(v.enabled[1]); // connectors unlocked
    EXPECT_TRUE(v.enabled[2]); // VB unlocked
    v.Type(WQ, "33.01");
    EXPECT_EQ(v.text[0], "");
    EXPECT_EQ(v.panel[1], kWQTooLong);
    EXPECT_EQ(v.in.lengthWQ, 0);
    EXPECT_FALSE(v.enabled[1]);
    EXPECT_EQ(v.text[1], "0.00");
    EXPECT_EQ(v.beeps.size(), 1u);

    FakeView i;
    i.in.metric = false;
    i.Type(WQ, "108.26");
    EXPECT_EQ(i.panel[1], "");
    EXPECT_NEAR(i.in.lengthWQ, 32.99753974, 1e-8);
    i.Type(WQ, "108.27");
    EXPECT_EQ(i.panel[1], kWQTooLong);
    EXPECT_EQ(i.in.RangeHint(WQ), " 0 < Length WQ =< 108.26 ft");

    // Connector longer than the king pile.
    FakeView c;
    c.Type(WQ, "10");
    c.Type(NJ, "12");
    EXPECT_EQ(c.text[1], "");
    EXPECT_EQ(c.panel[1], kNJTooLong);
    EXPECT_EQ(c.in.lengthNJ, 0);
    EXPECT_EQ(c.in.RangeHint(NJ), " 0 < Length NJD/NJU =< Length WQ = 10.00 m");

    // VB longer than the king pile.
    c.Type(VB, "11");
    EXPECT_EQ(c.panel[1], kVBTooLong);
    EXPECT_EQ(c.in.lengthVB, 0);
    c.Type(VB, "10");
    EXPECT_EQ(c.in.lengthVB, 10);
    EXPECT_EQ(c.in.RangeHint(VB), " 0 < Length VB =< Length WQ = 10.00 m");
}

TEST(Lengths, SplicingWarningAbove31Metres)
{
    FakeView v;
    v.Lengths("33", "33", "32");
    EXPECT_EQ(v.in.lengthKX, 32);
    EXPECT_EQ(v.panel[1], kKXSplicing);
    EXPECT_TRUE(v.beeps.empty()); // a warning without a beep
    v.Type(KX, "31");
    EXPECT_EQ(v.panel[1], "");
    v.Type(KX, "34");
    EXPECT_EQ(v.panel[1], kKXTooLong);
    EXPECT_EQ(v.in.lengthKX, 0);
    EXPECT_EQ(v.in.RangeHint(KX), " 0 < Length KX =< Length NJD/NJU = 33.00 m");

    // In feet the warning comes above 31 m, about 101.71 ft.
    FakeView i;
    i.in.metric = false;
    i.Lengths("108", "108", "101.70");
    EXPECT_EQ(i.panel[1], "");
    i.Type(KX, "101.72");
    EXPECT_EQ(i.panel[1], kKXSplicing);
    EXPECT_EQ(i.in.RangeHint(KX), " 0 < Length KX =< Length NJD/NJU = 108.00 ft");
}

TEST(Lengths, DependentLengthsCascade)
{
    FakeView v;
    v.Lengths("20", "18", "12");
    v.Type(VB, "16");
    EXPECT_TRUE(v.enabled[3]);
    // King pile shorter than the connector: connector and sheet pile reset.
    v.Type(WQ, "15");
    EXPECT_EQ(v.text[1], "0.00");
    EXPECT_EQ(v.text[3], "0.00");
    EXPECT_FALSE(v.enabled[3]);
    EXPECT_EQ(v.in.lengthNJ, 0);
    EXPECT_EQ(v.in.lengthKX, 0);
    // ... and shorter than VB: VB reset.
    EXPECT_EQ(v.text[2], "0.00");
    EXPECT_EQ(v.in.lengthVB, 0);

    // Connector shorter than the sheet pile.
    v.Lengths("20", "18", "12");
    v.Type(NJ, "10");
    EXPECT_EQ(v.text[3], "0.00");
    EXPECT_FALSE(v.enabled[3]);
    EXPECT_EQ(v.in.lengthNJ, 10);

    // King pile emptied: everything below reset and disabled.
    v.Lengths("20", "18", "12");
    v.Type(WQ, "");
    EXPECT_EQ(v.in.lengthWQ, 0);
    for (size_t f : {1u, 2u, 3u}) {
        EXPECT_EQ(v.text[f], "0.00");
        EXPECT_FALSE(v.enabled[f]);
    }
    EXPECT_EQ(v.in.lengthNJ, 0);
    EXPECT_EQ(v.in.lengthKX, 0);
    EXPECT_GT(v.computed, 0);

    // Under a locale with ",", the texts written carry it (the field takes
    // no other).
    sps::SetDecimalSeparator(',');
    v.Lengths("20", "18", "12");
    v.Type(WQ, "");
    const std::string nj = v.text[1];
    v.in.Exit(WQ);
    const std::string wq = v.text[0];
    sps::SetDecimalSeparator('.');
    EXPECT_EQ(nj, "0,00");
    EXPECT_EQ(wq, "0,00");
}

TEST(Lengths, ExitHandlers)
{
    FakeView v;
    v.Type(WQ, "12.5");
    v.in.Exit(WQ);
    EXPECT_EQ(v.text[0], "12.50");
    v.Type(WQ, "");
    v.in.Exit(WQ);
    EXPECT_EQ(v.text[0], "0.00");
    EXPECT_FALSE(v.enabled[1]);
    EXPECT_EQ(v.panel[1], " Enter a valid value for WQ first.");
    EXPECT_EQ(v.panel[0], " 0 < Length WQ =< 33.00 m");
    EXPECT_EQ(v.focusBack, std::vector<LengthField>{WQ});

    v.Lengths("20", "18", "12");
    v.Type(NJ, ".");
    v.in.Exit(NJ);
    EXPECT_EQ(v.text[1], "0.00");
    EXPECT_FALSE(v.enabled[3]);
    EXPECT_EQ(v.panel[1], " Enter a valid value for NJD/NJU first.");

    v.Type(VB, "");
    v.in.Exit(VB);
    EXPECT_EQ(v.panel[1], " Enter a valid value for VB first.");

    // Wall length: the empty field asks again in wall-length mode ...
    v.Type(Wall, "");
    v.in.Exit(Wall);
    EXPECT_EQ(v.text[4], "0.0");
    EXPECT_EQ(v.panel[1], kEnterWallLength);
    EXPECT_EQ(v.focusBack.back(), Wall);
    v.Type(Wall, "12");
    v.in.Exit(Wall);
    EXPECT_EQ(v.text[4], "12.0");

    // ... number of systems: the empty field resets the wall in its own mode.
    FakeView n;
    n.in.b = 2.0;
    n.wallMode = false;
    n.enabled[4] = false;
    n.enabled[5] = true;
    n.Type(Systems, "10");
    n.Type(Systems, "");
    n.in.Exit(Systems);
    EXPECT_EQ(n.text[4], "0.0");
    EXPECT_EQ(n.text[5], "0");
    EXPECT_EQ(n.total, "0.0");
    EXPECT_EQ(n.in.wallLength, 0);
    EXPECT_EQ(n.panel[1], kEnterNumberOfSystems);
    EXPECT_EQ(n.panel[0], " 0 < Number of sytems =< 1000");
    EXPECT_EQ(n.focusBack.back(), Systems);
    n.Type(Systems, "7");
    n.in.Exit(Systems); // a number stays as typed
    EXPECT_EQ(n.text[5], "7");
}

TEST(Lengths, ImperialRoundTripKeepsEveryLength)
{
    // Shown in feet and back, every length keeps its value and its text, so
    // nothing is reset; one changed in feet keeps the value typed.
    for (const char* len : {"12.34", "20", "7.77", "33", "0.01", "29.99"}) {
        FakeView v;
        v.Lengths(len, len, len);
        v.Type(VB, len);
        v.Type(Wall, "100");
        const double metres = v.in.lengthWQ;
        const auto texts = v.text;

        v.in.metric = false;
        v.in.ShowLengthsInFeet(true);
        EXPECT_EQ(v.in.lengthNJ, metres) << len;
        EXPECT_EQ(v.in.lengthKX, metres) << len;
        EXPECT_EQ(v.in.lengthVB, metres) << len;
        EXPECT_EQ(v.in.wallLength, 100) << len;
        EXPECT_EQ(v.text[1], v.text[0]) << len;
        EXPECT_EQ(v.text[3], v.text[0]) << len;
        EXPECT_EQ(v.text[4], "328.1") << len;

        v.in.metric = true;
        v.in.ShowLengthsInMetres(true);
        EXPECT_EQ(v.in.lengthWQ, metres) << len;
        EXPECT_EQ(v.in.lengthKX, metres) << len;
        EXPECT_EQ(v.text, texts) << len;
        EXPECT_TRUE(v.enabled[3]) << len;
    }
    FakeView v;
    v.Lengths("12.34", "12", "10");
    v.in.metric = false;
    v.in.ShowLengthsInFeet(false);
    v.Type(KX, "30");
    v.in.metric = true;
    v.in.ShowLengthsInMetres(false);
    EXPECT_EQ(v.text[3], "9.14"); // 30 ft
    EXPECT_DOUBLE_EQ(v.in.lengthKX, 30 * cf::kLengthFactor);
    EXPECT_EQ(v.text[0], "12.34");
    // Back in feet, the length typed in feet shows as typed.
    v.in.metric = false;
    v.in.ShowLengthsInFeet(false);
    EXPECT_EQ(v.text[3], "30");
}

TEST(Lengths, SwitchToFeetShowsTheKingPileLimit)
{
    FakeView v;
    v.Lengths("33", "33", "20");
    v.Type(VB, "33");
    v.in.metric = false;
    v.in.ShowLengthsInFeet(false);
    EXPECT_EQ(v.text[0], "108.26");
    EXPECT_EQ(v.text[1], "108.26");
    EXPECT_EQ(v.text[2], "108.26");
    EXPECT_EQ(v.text[3], "65.62");
    EXPECT_EQ(v.in.lengthWQ, 33);
    EXPECT_EQ(v.in.lengthNJ, 33);
    EXPECT_EQ(v.in.lengthKX, 20);
    EXPECT_TRUE(v.enabled[3]);
    EXPECT_TRUE(v.beeps.empty());
    v.in.metric = true;
    v.in.ShowLengthsInMetres(false);
    EXPECT_EQ(v.text[0], "33");
    EXPECT_EQ(v.text[3], "20");
}

TEST(Lengths, ParseFieldNumber)
{
    double v = 0;
    EXPECT_TRUE(ParseFieldNumber("12.5", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseFieldNumber(" 7 ", v));
    EXPECT_TRUE(ParseFieldNumber(".5", v));
    EXPECT_EQ(v, 0.5);
    for (const char* bad : {"", " ", ".", "1.2.3", "-1", "1e3", "nan", "inf", "12a", "+1"})
        EXPECT_FALSE(ParseFieldNumber(bad, v)) << bad;
}
