#pragma once
// The component model: TPersistent (assignable, streamable) and TComponent
// (named, tagged, owned; an owner frees what it owns).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Object.h"
#include "PublishedProperties.h"

namespace zorvex {

class TFiler;

class TPersistent : public TObject {
public:
  // Copies source into this object; the base class refuses (EConvertError).
  virtual void Assign(const TPersistent &source);
  // Declares properties that are streamed by hand (binary data and the like).
  virtual void DefineProperties(TFiler &filer);
  virtual std::string ClassName() const { return "TPersistent"; }
  // The class's published properties (see PublishedProperties.h); none here.
  virtual const TPropertyTable *PublishedProperties() const { return nullptr; }
};

namespace cs {
constexpr unsigned Loading = 0x01;
constexpr unsigned Reading = 0x02;
constexpr unsigned Writing = 0x04;
constexpr unsigned Destroying = 0x08;
constexpr unsigned Designing = 0x10;
} // namespace cs

enum class TOperation { Insert, Remove };

class TComponent : public TPersistent {
public:
  // The owner, when given, takes the component and frees it with itself.
  explicit TComponent(TComponent *owner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent &) = delete;
  TComponent &operator=(const TComponent &) = delete;

  TComponent *Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent *Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  TComponent *FindComponent(const std::string &name) const;

  const std::string &Name() const { return name_; }
  virtual void SetName(const std::string &name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  unsigned ComponentState() const { return state_; }
  void SetLoading(bool loading);
  // Set while the filer reads the component's properties.
  void SetReading(bool reading) { SetState(cs::Reading, reading); }
  // A component being edited at design time (a build tool) rather than run.
  void SetDesigning(bool designing) { SetState(cs::Designing, designing); }
  // Called once the component's designed properties have all been read.
  virtual void Loaded();

  // Frees every owned component, last first.
  void DestroyComponents();

  void InsertComponent(TComponent *component);
  void RemoveComponent(TComponent *component);
  // Asks to be told (Notification) when `component` goes away.
  void FreeNotification(TComponent *component);
  void RemoveFreeNotification(TComponent *component);

  std::string ClassName() const override { return "TComponent"; }
  // Name (carried by the component's header when streamed) and Tag.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  // Told when an owned or watched component is inserted or removed.
  virtual void Notification(TComponent *component, TOperation operation);
  void SetState(unsigned flags, bool on) { state_ = on ? (state_ | flags) : (state_ & ~flags); }

private:
  TComponent *owner_ = nullptr;          // not owned
  std::vector<TComponent *> components_; // owned
  std::vector<TComponent *> watchers_;   // not owned
  std::string name_;
  intptr_t tag_ = 0;
  unsigned state_ = 0;
};

} // namespace zorvex
