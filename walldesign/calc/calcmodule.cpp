#include "walldesign/calc/calcmodule.h"

#include "platform/error.h"
#include "platform/stream.h"
#include "walldesign/calc/wall.h"
#include "walldesign/report/report.h"

namespace wd {

// ---------------------------------------------------------------- TCalculationModule

TCalculationModule::TCalculationModule(sps::TComponent* owner) : sps::TComponent(owner) {}

TCalculationModule::~TCalculationModule() = default;

void TCalculationModule::SetModified()
{
    Modified = true;
}

void TCalculationModule::RefreshViews()
{
    if (!report_)
        return;
    report_.reset();
    report_ = BuildReport();
}

void TCalculationModule::Update()
{
    if (!Modified)
        return;
    // A calculation rewrites parts of its input; a failed one leaves none of it.
    const std::function<void()> restoreInput = KeepInput();
    Modified = false;
    report_.reset();
    try {
        Calculate();
        report_ = BuildReport();
    } catch (...) {
        report_.reset();
        if (restoreInput)
            restoreInput();
        // Closing the views must not hide the calculation's error.
        try {
            CloseViews();
        } catch (...) {
        }
        throw;
    }
}

TReport* TCalculationModule::GetReport()
{
    Update();
    return report_.get();
}

void TCalculationModule::Loaded()
{
    sps::TComponent::Loaded();
    SetModified();
}

// ---------------------------------------------------------------- TSection

TSection::TSection(sps::TComponent* owner) : TCalculationModule(owner) {}

TSection::~TSection()
{
    // Free the walls while this is still a section, so that Notification
    // clears HeadWall and AnchorWall.
    Destroying();
    try {
        DestroyComponents();
    } catch (...) {
    }
}

THeadwall* TSection::CreateHeadwall()
{
    auto* wall = new THeadwall(this);
    HeadWall = wall;
    return wall;
}

TAnchorwall* TSection::CreateAnchorwall()
{
    auto* wall = new TAnchorwall(this);
    AnchorWall = wall;
    return wall;
}

std::unique_ptr<TReport> TSection::BuildReport()
{
    return nullptr;
}

std::string TSection::GetName() const
{
    return sps::Format("Section %d", Index);
}

void TSection::RefreshViews()
{
    TCalculationModule::RefreshViews();
    if (HeadWall)
        HeadWall->RefreshViews();
    if (AnchorWall)
        AnchorWall->RefreshViews();
}

void TSection::Notification(sps::TComponent* component, sps::TOperation operation)
{
    TCalculationModule::Notification(component, operation);
    if (operation != sps::TOperation::opRemove)
        return;
    if (component == HeadWall)
        HeadWall = nullptr;
    if (component == AnchorWall)
        AnchorWall = nullptr;
}

void TSection::GetChildren(const std::function<void(sps::TComponent*)>& proc, sps::TComponent* root)
{
    // A child's writer may not change the list, but index against the live size anyway.
    for (int i = 0; i < ComponentCount(); ++i)
        proc(Components(i));
}

void TSection::ValidateChild(const std::string& className, const std::string& name)
{
    const bool head = sps::SameText(className, "THeadwall");
    if (!head && !sps::SameText(className, "TAnchorwall"))
        sps::RaiseFmt("Section %d: unknown wall class %s", Index, className.c_str());
    for (int i = 0; i < ComponentCount(); ++i) {
        sps::TComponent* c = Components(i);
        if (head ? dynamic_cast<THeadwall*>(c) != nullptr : dynamic_cast<TAnchorwall*>(c) != nullptr)
            sps::RaiseFmt("Section %d holds two %s", Index, head ? "head walls" : "anchor walls");
        if (sps::SameText(c->Name(), name))
            sps::RaiseFmt("Section %d holds two walls named %s", Index, name.c_str());
    }
}

void TSection::WriteProperties(sps::TWriter& writer)
{
    if (HeadWall) {
        writer.WritePropName("HeadWall");
        writer.WriteIdent(HeadWall->Name());
    }
    if (AnchorWall) {
        writer.WritePropName("AnchorWall");
        writer.WriteIdent(AnchorWall->Name());
    }
    writer.WritePropName("Index");
    writer.WriteInteger(Index);
}

bool TSection::ReadProperty(const std::string& name, sps::TReader& reader)
{
    // The walls are read after the section's properties: references are
    // resolved by component name once the whole section has been read. A name
    // that names no wall of the right class in this section is refused.
    if (sps::SameText(name, "HeadWall")) {
        std::string ident = reader.ReadIdent();
        reader.AddFixup([this, ident] {
            HeadWall = dynamic_cast<THeadwall*>(FindComponent(ident));
            if (!HeadWall)
                sps::RaiseFmt("Section %d: HeadWall names \"%s\", which is not a head wall of the section", Index,
                              ident.c_str());
        });
        return true;
    }
    if (sps::SameText(name, "AnchorWall")) {
        std::string ident = reader.ReadIdent();
        reader.AddFixup([this, ident] {
            AnchorWall = dynamic_cast<TAnchorwall*>(FindComponent(ident));
            if (!AnchorWall)
                sps::RaiseFmt("Section %d: AnchorWall names \"%s\", which is not an anchor wall of the section",
                              Index, ident.c_str());
        });
        return true;
    }
    if (sps::SameText(name, "Index")) {
        Index = reader.ReadInteger();
        return true;
    }
    return TCalculationModule::ReadProperty(name, reader);
}

void RegisterWallClasses()
{
    sps::RegisterClass("TSection", [](sps::TComponent* owner) -> sps::TComponent* { return new TSection(owner); });
    sps::RegisterClass("TWall", [](sps::TComponent* owner) -> sps::TComponent* { return new TWall(owner); });
    sps::RegisterClass("THeadwall", [](sps::TComponent* owner) -> sps::TComponent* { return new THeadwall(owner); });
    sps::RegisterClass("TAnchorwall",
                       [](sps::TComponent* owner) -> sps::TComponent* { return new TAnchorwall(owner); });
}

} // namespace wd
