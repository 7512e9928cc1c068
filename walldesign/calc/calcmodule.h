// Calculation modules of a project: the base with its modified flag and lazily
// rebuilt report, and the section that owns a head wall and an anchor wall.
#pragma once

#include "platform/component.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace wd {

class TReport;
class TWall;
class THeadwall;
class TAnchorwall;

class TCalculationModule : public sps::TComponent {
public:
    explicit TCalculationModule(sps::TComponent* owner);
    ~TCalculationModule() override;

    bool Modified = false;

    virtual void CloseViews() {}
    virtual void Calculate() = 0;
    virtual std::unique_ptr<TReport> BuildReport() = 0;
    virtual std::string GetName() const { return ClassName(); }
    virtual void SetModified();
    virtual void RefreshViews();

    // Recalculates when, and only when, Modified is set.
    void Update();
    // Update, then the report of the last successful calculation (or nullptr).
    TReport* GetReport();
    // The current report without recalculating.
    TReport* Report() const { return report_.get(); }

    void Loaded() override;

protected:
    // Called by Update before it calculates: what puts the module's stored
    // input back as it is now, run when the calculation or its report raises.
    virtual std::function<void()> KeepInput() { return {}; }

private:
    std::unique_ptr<TReport> report_;
};

class TSection : public TCalculationModule {
public:
    explicit TSection(sps::TComponent* owner);
    ~TSection() override;
    std::string ClassName() const override { return "TSection"; }

    THeadwall* HeadWall = nullptr;
    TAnchorwall* AnchorWall = nullptr;
    int32_t Index = 0;

    THeadwall* CreateHeadwall();
    TAnchorwall* CreateAnchorwall();

    void Calculate() override {}
    std::unique_ptr<TReport> BuildReport() override;
    std::string GetName() const override;
    void RefreshViews() override;

    void Notification(sps::TComponent* component, sps::TOperation operation) override;
    void GetChildren(const std::function<void(sps::TComponent*)>& proc, sps::TComponent* root) override;
    sps::TComponent* GetChildOwner() override { return this; }
    // A section reads at most one head wall and one anchor wall, of distinct names.
    void ValidateChild(const std::string& className, const std::string& name) override;
    void WriteProperties(sps::TWriter& writer) override;
    bool ReadProperty(const std::string& name, sps::TReader& reader) override;
};

// Registers TSection, TWall, THeadwall and TAnchorwall with the class registry.
void RegisterWallClasses();

} // namespace wd
