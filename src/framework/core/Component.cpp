#include "Component.h"

#include "Exceptions.h"
#include "Texts.h"

#include <algorithm>

namespace zorvex {

void TPersistent::Assign(const TPersistent &source) {
  throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TPersistent::DefineProperties(TFiler &) {}

TComponent::TComponent(TComponent *owner) {
  if (owner)
    owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= cs::Destroying;
  for (TComponent *watcher : std::vector<TComponent *>(watchers_)) {
    watcher->Notification(this, TOperation::Remove);
    auto &theirs = watcher->watchers_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
  }
  DestroyComponents();
  if (owner_)
    owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each leaves the list before it is freed.
  while (!components_.empty()) {
    TComponent *child = components_.back();
    RemoveComponent(child);
    delete child;
  }
}

TComponent *TComponent::FindComponent(const std::string &name) const {
  if (name.empty())
    return nullptr;
  for (TComponent *c : components_)
    if (SameTextAZ(c->Name(), name))
      return c;
  return nullptr;
}

void TComponent::SetName(const std::string &name) {
  if (owner_ && !name.empty()) {
    TComponent *other = owner_->FindComponent(name);
    if (other && other != this)
      throw Exception("A component named " + name + " already exists");
  }
  name_ = name;
}

const TPropertyTable &TComponent::ClassProperties() {
  static const auto table = TPublished<TComponent>()
                                .String("Name", &TComponent::Name, &TComponent::SetName)
                                .Stored(false)
                                .Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
  return table;
}

void TComponent::SetLoading(bool loading) { SetState(cs::Loading, loading); }

void TComponent::Loaded() { SetState(cs::Loading, false); }

void TComponent::InsertComponent(TComponent *component) {
  if (component->owner_)
    component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent *component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end())
    return;
  Notification(component, TOperation::Remove);
  components_.erase(it);
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent *component) {
  if (!component || component == this)
    return;
  if (std::find(watchers_.begin(), watchers_.end(), component) == watchers_.end())
    watchers_.push_back(component);
  if (std::find(component->watchers_.begin(), component->watchers_.end(), this) == component->watchers_.end())
    component->watchers_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent *component) {
  if (!component)
    return;
  watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), component), watchers_.end());
  auto &theirs = component->watchers_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent *, TOperation) {}

} // namespace zorvex
