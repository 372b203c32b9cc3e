#include "SkinDesign.h"

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinstore.h"

namespace zorvex {

void WriteMainWindowDesign(const std::vector<DesignedSkin> &skins, TStream &out) {
  // Built as a designer would: nothing is loaded or activated.
  TComponent form;
  form.SetDesigning(true);
  auto *data = new TSkinData(&form);
  data->SetDesigning(true);
  data->SetName("SkinData1");
  auto *store = new TSkinStore(&form);
  store->SetDesigning(true);
  store->SetName("SkinStore1");
  for (const DesignedSkin &skin : skins) {
    TSkinCollectionItem *item = store->Store()->Add();
    item->SetName(skin.name);
    item->Data().WriteBuffer(skin.package.data(), static_cast<int64_t>(skin.package.size()));
  }
  if (!skins.empty())
    data->Package().WriteBuffer(skins[0].package.data(), static_cast<int64_t>(skins[0].package.size()));
  TWriter(out).WriteDesign({data, store});
}

int RunDesignCommand(const std::vector<std::string> &args, std::ostream &err) {
  if (args.size() < 2) {
    err << "usage: zorvex-skin design OUT NAME=PACKAGE...\n";
    return 2;
  }
  try {
    std::vector<DesignedSkin> skins;
    for (size_t i = 2; i < args.size(); ++i) {
      const size_t equals = args[i].find('=');
      if (equals == std::string::npos || equals == 0) {
        err << "zorvex-skin: '" << args[i] << "' is not NAME=PACKAGE\n";
        return 2;
      }
      const std::string path = args[i].substr(equals + 1);
      // Only packages a skin can load go into the program.
      TSkinReader reader;
      if (!reader.loadfromfile(path)) {
        err << "zorvex-skin: " << path << " is not a skin package of the current kind\n";
        return 1;
      }
      TMemoryStream package;
      package.LoadFromFile(path);
      skins.push_back({args[i].substr(0, equals), std::string(package.Bytes().begin(), package.Bytes().end())});
    }
    TMemoryStream design;
    WriteMainWindowDesign(skins, design);
    design.SaveToFile(args[1]);
    return 0;
  } catch (const std::exception &e) {
    err << "zorvex-skin: " << e.what() << '\n';
    return 1;
  }
}

} // namespace zorvex
