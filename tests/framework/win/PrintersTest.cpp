#include "framework/win/Printers.h"

#include <gtest/gtest.h>

#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "support/TempDir.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

// The texts drawn into an enhanced metafile.
std::vector<std::string> MetafileTexts(const std::string &path) {
  std::vector<std::string> texts;
  HENHMETAFILE file = GetEnhMetaFileW(Wide(path).c_str());
  if (!file)
    return texts;
  EnumEnhMetaFile(
      nullptr, file,
      [](HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data) -> int {
        if (record->iType == EMR_EXTTEXTOUTW) {
          const auto *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
          const auto *chars =
              reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
          reinterpret_cast<std::vector<std::string> *>(data)->push_back(
              Narrow(std::wstring_view(chars, text->emrtext.nChars)));
        }
        return 1;
      },
      &texts, nullptr);
  DeleteEnhMetaFile(file);
  return texts;
}

TEST(Printer, ADocumentCanGoIntoAMetafileOfAnA4Page) {
  TempDir temp;
  TPrinter printer;
  printer.SetRedirectFile(temp / "page.emf");
  printer.SetTitle("Zorvex");
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_EQ(printer.PageWidth(), 2480);
  EXPECT_EQ(printer.PixelsPerInchY(), 300);
  EXPECT_EQ(printer.Canvas().Font().Height(), -MulDiv(8, 300, 72));
  printer.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
  printer.Canvas().TextOut(100, 100, "NUM");
  printer.Canvas().TextOut(100, 200, "DOUBLON TROUV\xC3\x89");
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(MetafileTexts(temp / "page.emf"), (std::vector<std::string>{"NUM", "DOUBLON TROUV\xC3\x89"}));
  EXPECT_THROW(printer.EndDoc(), EPrinter);
}

TEST(Printer, AnAbortedDocumentLeavesNothingBehind) {
  TempDir temp;
  TPrinter printer;
  printer.SetRedirectFile(temp / "page.emf");
  printer.BeginDoc();
  EXPECT_THROW(printer.BeginDoc(), EPrinter); // one document at a time
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_FALSE(FileExists(temp / "page.emf"));
}

TEST(Printer, EveryPageOfARedirectedDocumentHasItsOwnFile) {
  TempDir temp;
  TPrinter printer;
  printer.SetRedirectFile(temp / "list.emf");
  EXPECT_EQ(printer.RedirectPageFile(2), temp / "list-2.emf");
  printer.BeginDoc();
  printer.Canvas().TextOut(100, 100, "one");
  printer.NewPage();
  printer.Canvas().TextOut(100, 100, "two");
  printer.EndDoc();
  EXPECT_EQ(MetafileTexts(temp / "list.emf"), std::vector<std::string>{"one"});
  EXPECT_EQ(MetafileTexts(temp / "list-2.emf"), std::vector<std::string>{"two"});

  // A page that cannot be started fails the break; dropping the document
  // then removes the pages it had.
  printer.SetRedirectFile(temp / "broken.emf");
  MakeDir(printer.RedirectPageFile(2));
  printer.BeginDoc();
  EXPECT_THROW(printer.NewPage(), EPrinter);
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_FALSE(FileExists(temp / "broken.emf"));
  EXPECT_TRUE(FileExists(temp / "list-2.emf"));
}

TEST(Printer, WithoutADefaultPrinterTheDocumentIsRefusedClearly) {
  if (!TPrinter::DefaultPrinterName().empty())
    GTEST_SKIP() << "this machine has a default printer";
  TPrinter printer;
  try {
    printer.BeginDoc();
    FAIL() << "BeginDoc without a printer";
  } catch (const EPrinter &error) {
    EXPECT_FALSE(error.Message().empty());
  }
  EXPECT_FALSE(printer.Printing());
}

} // namespace
