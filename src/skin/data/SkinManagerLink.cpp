#include "SkinManagerLink.h"

#include <utility>

namespace zorvex {

namespace {

TSkinManagerFactory &Factory() {
  static TSkinManagerFactory factory;
  return factory;
}

// A plain pointer, readable for as long as the module is loaded: skinners
// that go after the manager at the end of the module still ask for it.
TSkinManagerLink *&Manager() {
  static TSkinManagerLink *manager = nullptr;
  return manager;
}

// Frees the manager as the module ends.
struct TManagerCleanup {
  ~TManagerCleanup() { DestroySkinManager(); }
};

} // namespace

void RegisterSkinManagerFactory(TSkinManagerFactory factory) { Factory() = std::move(factory); }

TSkinManagerLink *SkinManager() { return Manager(); }

TSkinManagerLink *CreateSkinManager(TSkinManagerKind kind) {
  if (!Manager() && Factory()) {
    static TManagerCleanup cleanup;
    Manager() = Factory()(kind).release();
  }
  return Manager();
}

void DestroySkinManager() {
  // Already gone for whatever its destructor asks meanwhile.
  delete std::exchange(Manager(), nullptr);
}

void SkinDll(TSkinManagerLink *hostManager) {
  if (!hostManager)
    return;
  TSkinManagerLink *manager = CreateSkinManager(TSkinManagerKind::SubManager);
  if (!manager || manager == hostManager)
    return;
  manager->AssignData(hostManager);
  manager->InstallHook();
  manager->SetRunState(manager->RunState() + 1);
}

} // namespace zorvex
