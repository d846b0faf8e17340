#include "effecttext/notify_class.h"

namespace caici {

TCnNotifyClass::TCnNotifyClass(TNotifyEvent onChange) : onChange_(std::move(onChange)) {}

void TCnNotifyClass::CopyFrom(const TPersistent* source) {
    if (dynamic_cast<const TCnNotifyClass*>(source) == nullptr) TPersistent::CopyFrom(source);
}

void TCnNotifyClass::Changed() {
    if (onChange_) onChange_(this);
}

void TCnNotifyClass::OnChildChanged(TPersistent*) { Changed(); }

TNotifyEvent TCnNotifyClass::childChangedCallback() {
    return [this](TPersistent* sender) { OnChildChanged(sender); };
}

TCnEnabledClass::TCnEnabledClass(TNotifyEvent onChange) : TCnNotifyClass(std::move(onChange)) {}

void TCnEnabledClass::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (OnChange()) OnChange()(this);
}

void TCnEnabledClass::CopyFrom(const TPersistent* source) {
    TCnNotifyClass::CopyFrom(source);
    if (const auto* other = dynamic_cast<const TCnEnabledClass*>(source)) enabled_ = other->enabled_;
}

void TCnEnabledClass::Changed() {
    if (enabled_) TCnNotifyClass::Changed();
}

}  // namespace caici
