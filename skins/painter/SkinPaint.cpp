// zorvex-skin-paint SKIN.ini RECIPE FOLDER: paints the pictures of one skin
// from its INI (the scheme colours) and its recipe (picture colours and
// shapes) into FOLDER, as the BMP files the INI names.
#include <cstdio>
#include <exception>

#include "SkinPictures.h"
#include "framework/core/Paths.h"
#include "skin/data/Winskinini.h"

int main(int argc, char **argv) {
  using namespace zorvex;
  if (argc != 4) {
    std::fprintf(stderr, "usage: zorvex-skin-paint SKIN.ini RECIPE FOLDER\n");
    return 2;
  }
  try {
    TQuickIni skinIni, recipe;
    skinIni.LoadFromFile(argv[1]);
    recipe.LoadFromFile(argv[2]);
    const paint::SkinStyle style = paint::ReadSkinStyle(skinIni, recipe);
    for (const auto &[name, picture] : paint::PaintSkin(style))
      picture.SaveToFile(IncludeTrailingPathDelimiter(argv[3]) + name);
  } catch (const std::exception &e) {
    std::fprintf(stderr, "zorvex-skin-paint: %s: %s\n", argv[2], e.what());
    return 1;
  }
  return 0;
}
