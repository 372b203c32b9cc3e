#pragma once
// The control skinners by kind word ("button", "checkbox", "combobox", ...):
// each family of skinners registers its kinds once, and the choice of a
// skinner for a control asks for one by kind.

#include <functional>
#include <string>

namespace zorvex {

class TComponent;
class TSkinControl;

// Makes a skinner owned by `owner` (the control, or null for a foreign
// window).
using TSkinnerFactory = std::function<TSkinControl *(TComponent *owner)>;

// Registers a kind (lower case); a second registration replaces the first.
void RegisterSkinner(const std::string &kind, TSkinnerFactory factory);
// A new skinner of that kind, or null when no family provides it.
TSkinControl *CreateSkinner(const std::string &kind, TComponent *owner);
bool HasSkinner(const std::string &kind);

// Each family's registration; all are run once before the first skinner is
// made.
void RegisterButtonSkinners();
void RegisterBarSkinners();
void RegisterEditSkinners();
void RegisterScrollSkinners();

} // namespace zorvex
