// What the main form keeps for the material list and built-up tabs: the
// length values with their handlers, the material list's cells and the
// moment of inertia of the built-up system.
#pragma once

#include "combiwall/lengths.h"
#include "combiwall/materiallist.h"

#include <string>

namespace cw {

class TForm1;

// The length handlers' view of the form: its length fields, status bar and
// menu state.
class FormLengthView : public LengthView {
public:
    explicit FormLengthView(TForm1& form) : form_(form) {}

    std::string Text(LengthField field) const override;
    void SetText(LengthField field, const std::string& text) override;
    bool Enabled(LengthField field) const override;
    void SetEnabled(LengthField field, bool enabled) override;
    void SetTotalWallText(const std::string& text) override;
    void SetPanel(int panel, const std::string& text) override;
    void Beep(unsigned type) override;
    void ShowInNewUnits(LengthField field, const std::string& text) override;
    bool HeldValue(LengthField field, double& metres) const override;
    void FocusBack(LengthField field) override;
    bool WallLengthMode() const override;
    void ComputeMaterialList() override;

private:
    TForm1& form_;
};

struct MaterialTab {
    explicit MaterialTab(TForm1& form) : view(form), lengths(view) {}

    FormLengthView view;
    LengthInputs lengths;
    MaterialGrid grid;
    double ixPerMetre = 0; // cm⁴/m, of the built-up system
};

} // namespace cw
