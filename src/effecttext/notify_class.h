#pragma once
// Settings objects report every effective change upward: a setter calls
// Changed, which calls OnChange with the object as sender; an owner passes
// OnChildChanged as the OnChange of the objects it owns, so a change climbs to
// whoever listens at the top (a font style, a control, a renderer's owner).
// Sub-effects that can be switched off (TCnEnabledClass) stay silent while
// off, except for the switch itself.

#include "effecttext/persistent.h"

namespace caici {

class TCnNotifyClass : public TPersistent {
public:
    explicit TCnNotifyClass(TNotifyEvent onChange = {});

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent onChange) { onChange_ = std::move(onChange); }
    TPersistent* Owner() const { return owner_; }
    void SetOwner(TPersistent* owner) { owner_ = owner; }

    // Accepts any TCnNotifyClass (nothing to copy at this level).
    void CopyFrom(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }
    const char* ClassName() const override { return "TCnNotifyClass"; }

    virtual void Changed();
    virtual void OnChildChanged(TPersistent* sender);

protected:
    // The callback to hand to owned settings objects.
    TNotifyEvent childChangedCallback();

private:
    TNotifyEvent onChange_;
    TPersistent* owner_ = nullptr;
};

class TCnEnabledClass : public TCnNotifyClass {
public:
    explicit TCnEnabledClass(TNotifyEvent onChange = {});

    bool Enabled() const { return enabled_; }
    // Reports the switch directly, bypassing the Enabled test of Changed, so
    // that switching off is reported as well as switching on.
    virtual void SetEnabled(bool value);

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnEnabledClass"; }
    // Reports only while Enabled.
    void Changed() override;

private:
    friend class TCnAAEffect;  // loads Enabled without reporting
    bool enabled_ = false;
};

}  // namespace caici
