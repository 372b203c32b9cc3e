#include "PreviewSkins.h"

#include "framework/core/Texts.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

// The list resource: the skins' names, one a line, in build order; skin
// number i is the RCDATA resource "SKIN_i".
constexpr const wchar_t *SkinListResource = L"SKIN_NAMES";

bool ResourceBytes(HINSTANCE module, const wchar_t *name, const void *&bytes, DWORD &size) {
  HRSRC resource = FindResourceW(module, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!resource)
    return false;
  HGLOBAL loaded = LoadResource(module, resource); // not owned: resources live with the module
  bytes = loaded ? LockResource(loaded) : nullptr;
  size = SizeofResource(module, resource);
  return bytes != nullptr;
}

} // namespace

std::vector<TBuiltInSkin> BuiltInSkins(HINSTANCE module) {
  std::vector<TBuiltInSkin> skins;
  const void *bytes = nullptr;
  DWORD size = 0;
  if (!ResourceBytes(module, SkinListResource, bytes, size))
    return skins;
  const std::string list(static_cast<const char *>(bytes), size);
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\n', start);
    if (end == std::string::npos)
      end = list.size();
    std::string name = list.substr(start, end - start);
    while (!name.empty() && (name.back() == '\r' || name.back() == '\0'))
      name.pop_back();
    if (!name.empty())
      skins.push_back({name, L"SKIN_" + std::to_wstring(skins.size())});
    start = end + 1;
  }
  return skins;
}

bool BuiltInSkinPackage(HINSTANCE module, const TBuiltInSkin &skin, TMemoryStream &package) {
  package.Clear();
  const void *bytes = nullptr;
  DWORD size = 0;
  const bool found = ResourceBytes(module, skin.Resource.c_str(), bytes, size);
  if (found)
    package.WriteBuffer(bytes, size);
  package.SetPosition(0);
  return found;
}

bool SkinPackageLoads(TMemoryStream &package) {
  if (package.Size() == 0)
    return false;
  // A dialog's skin data never reaches the manager: a scratch load.
  TSkinData scratch(nullptr);
  scratch.SetSkinFormtype(TSkinFormType::sfDialog);
  package.SetPosition(0);
  scratch.LoadFromStream(&package);
  package.SetPosition(0);
  return !scratch.SkinLoading();
}

bool ApplySkinPackage(TSkinData &skinData, TMemoryStream &package) {
  return SkinPackageLoads(package) && ApplyBuiltInPackage(skinData, package);
}

bool ApplyBuiltInPackage(TSkinData &skinData, TMemoryStream &package) {
  package.SetPosition(0);
  skinData.LoadFromStream(&package);
  package.SetPosition(0);
  if (skinData.SkinLoading())
    return false;
  skinData.SetActive(true);
  return true;
}

} // namespace zorvex
