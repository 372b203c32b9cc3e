#include "SkinDesign.h"
#include "SkinTool.h"

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinwrite.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinstore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zorvex;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {

std::string Package(const std::string &skinName) {
  TMemoryStream package;
  WriteSkinPackage({{"skin.ini", "[TitlebarSkin]\nSkinName=" + skinName + "\n"}}, package);
  return std::string(package.Bytes().begin(), package.Bytes().end());
}

} // namespace

TEST(SkinDesign, TheProgramReadsItsSkinComponentsFromTheDesign) {
  TempDir dir;
  WriteFile(dir / "grey.skn", Package("Grey"));
  WriteFile(dir / "dark.skn", Package("Dark"));
  WriteFile(dir / "junk.skn", "not a package");
  std::ostringstream out, err;
  EXPECT_EQ(RunSkinTool({"design", dir / "bad.design", "Grey=" + (dir / "junk.skn")}, out, err), 1);
  EXPECT_EQ(RunSkinTool({"design", dir / "d", "no-name"}, out, err), 2);
  ASSERT_EQ(
      RunSkinTool({"design", dir / "form.design", "NoSkin=" + (dir / "grey.skn"), "SkinItem1=" + (dir / "dark.skn")},
                  out, err),
      0)
      << err.str();

  TComponent form;
  auto *data = new TSkinData(&form);
  data->SetName("SkinData1");
  auto *store = new TSkinStore(&form);
  store->SetName("SkinStore1");
  TMemoryStream design;
  design.LoadFromFile(dir / "form.design");
  TReader(design).ReadDesign(form);
  ASSERT_EQ(store->Store()->Count(), 2);
  EXPECT_EQ(store->Store()->Items(0)->Name(), "NoSkin");
  EXPECT_EQ(store->Store()->Items(1)->Name(), "SkinItem1");
  const std::vector<uint8_t> &dark = store->Store()->Items(1)->Data().Bytes();
  EXPECT_EQ(std::string(dark.begin(), dark.end()), Package("Dark"));
  // The skin data holds the first skin, loaded, and stays off.
  EXPECT_EQ(data->Package().Bytes(), store->Store()->Items(0)->Data().Bytes());
  EXPECT_EQ(data->SkinName(), "Grey");
  EXPECT_FALSE(data->SkinLoading());
  EXPECT_FALSE(data->Active());
}
