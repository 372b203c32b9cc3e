#include "SkinManagerLink.h"

namespace zorvex {

namespace {

TSkinManagerFactory &Factory() {
  static TSkinManagerFactory factory;
  return factory;
}

std::unique_ptr<TSkinManagerLink> &Manager() {
  static std::unique_ptr<TSkinManagerLink> manager;
  return manager;
}

} // namespace

void RegisterSkinManagerFactory(TSkinManagerFactory factory) { Factory() = std::move(factory); }

TSkinManagerLink *SkinManager() { return Manager().get(); }

TSkinManagerLink *CreateSkinManager(TSkinManagerKind kind) {
  if (!Manager() && Factory())
    Manager() = Factory()(kind);
  return Manager().get();
}

void DestroySkinManager() { Manager().reset(); }

void SkinDll(TSkinManagerLink *hostManager) {
  TSkinManagerLink *manager = CreateSkinManager(TSkinManagerKind::SubManager);
  if (!manager)
    return;
  manager->AssignData(hostManager);
  manager->InstallHook();
  manager->SetRunState(manager->RunState() + 1);
}

} // namespace zorvex
