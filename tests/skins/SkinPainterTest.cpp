#include "Glyphs.h"
#include "PartKit.h"
#include "SkinStyle.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "skin/data/Winskinini.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::paint;

namespace {

const Rgb Black{0, 0, 0};
const Rgb White{255, 255, 255};

int CountWhere(const TBitmap &bitmap, const std::function<bool(TColor)> &test) {
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      count += test(bitmap.GetPixel(x, y)) ? 1 : 0;
  return count;
}

bool IsGrey(TColor c) { return ColorRed(c) == ColorGreen(c) && ColorGreen(c) == ColorBlue(c); }

} // namespace

TEST(PaintCanvas, EdgesBlendWithTheMatteAndNeverWithTheKey) {
  Canvas canvas(20, 20);
  canvas.Fill(RoundBox(2, 2, 18, 18, 6), White);
  const TBitmap flat = canvas.Flatten(Black);
  // Every kept pixel is white over black: grey, with no trace of magenta.
  EXPECT_EQ(CountWhere(flat, [](TColor c) { return c != KeyColor && !IsGrey(c); }), 0);
  // The rounded corners are anti-aliased: some pixels lie between the two.
  EXPECT_GT(CountWhere(flat, [](TColor c) { return IsGrey(c) && c != clWhite && c != clBlack; }), 4);
  // The corner of the square is cut, its inside and its straight edges are not.
  EXPECT_EQ(flat.GetPixel(2, 2), KeyColor);
  EXPECT_EQ(flat.GetPixel(0, 10), KeyColor);
  EXPECT_EQ(flat.GetPixel(2, 10), clWhite);
  EXPECT_EQ(flat.GetPixel(10, 10), clWhite);
}

TEST(PaintCanvas, TheMatteCanVaryAcrossThePicture) {
  Canvas canvas(10, 10);
  canvas.Fill(Circle(5, 5, 4.3f), White);
  // A matte that is red on the left half and blue on the right: edge pixels
  // on each side take their own side's colour.
  const TBitmap flat = canvas.Flatten([](float x, float) { return x < 5 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const TColor c = flat.GetPixel(x, y);
      if (c == KeyColor || c == clWhite)
        continue;
      EXPECT_EQ(x < 5 ? ColorBlue(c) : ColorRed(c), ColorGreen(c)) << x << "," << y;
    }
}

TEST(PaintCanvas, RefusesColoursThatWouldReadAsTheKey) {
  Canvas canvas(4, 4);
  canvas.Fill(Box(0, 0, 4, 4), Rgb{250, 10, 245});
  EXPECT_THROW(canvas.Flatten(Black), Exception);
  Canvas exact(4, 4);
  exact.Fill(Box(0, 0, 4, 4), FromColor(KeyColor));
  EXPECT_THROW(exact.Flatten(Black), Exception);
  EXPECT_FALSE(IsNearKey(MakeColor(255 - KeyFringeDistance - 1, 0, 255)));
  EXPECT_TRUE(IsNearKey(MakeColor(255 - KeyFringeDistance, KeyFringeDistance, 255)));
}

TEST(PaintCanvas, StripsKeepFrameOrderAndRefuseUnevenFrames) {
  TBitmap a(2, 3), b(2, 3);
  a.Fill(clRed);
  b.Fill(clBlue);
  const TBitmap row = SideBySide({a, b});
  ASSERT_EQ(row.Width(), 4);
  EXPECT_EQ(row.GetPixel(1, 2), clRed);
  EXPECT_EQ(row.GetPixel(2, 0), clBlue);
  const TBitmap column = Stacked({a, b});
  ASSERT_EQ(column.Height(), 6);
  EXPECT_EQ(column.GetPixel(1, 2), clRed);
  EXPECT_EQ(column.GetPixel(0, 3), clBlue);
  EXPECT_THROW(SideBySide({a, TBitmap(3, 3)}), Exception);
}

TEST(PartKit, LightComesFromTheTopLeft) {
  // A hard rim: lit along the top and left edges, unlit along the others,
  // with the top-right and bottom-left corners going to the shade.
  Canvas canvas(10, 8);
  PaintRim(canvas, Box(0, 0, 10, 8), 1, White, Black, true);
  const TBitmap rim = canvas.Flatten(Black);
  EXPECT_EQ(rim.GetPixel(5, 0), clWhite);
  EXPECT_EQ(rim.GetPixel(0, 4), clWhite);
  EXPECT_EQ(rim.GetPixel(5, 7), clBlack);
  EXPECT_EQ(rim.GetPixel(9, 4), clBlack);
  EXPECT_EQ(rim.GetPixel(9, 0), clBlack);
  EXPECT_EQ(rim.GetPixel(0, 7), clBlack);
  EXPECT_EQ(rim.GetPixel(5, 4), KeyColor);
  // The same rule on a disc.
  EXPECT_GT(Facing(Circle(10, 10, 5), 6, 6), 0.9f);
  EXPECT_LT(Facing(Circle(10, 10, 5), 14, 14), -0.9f);
}

TEST(Glyphs, ArrowsPointWhereTheySay) {
  const float c = 8;
  // The tip lies a quarter of the base from the centre, so does the base.
  EXPECT_LT(ArrowGlyph(Direction::Up, c, c, 8)(c, c - 1.5f), 0);
  EXPECT_GT(ArrowGlyph(Direction::Up, c, c, 8)(c, c + 2.5f), 0);
  EXPECT_LT(ArrowGlyph(Direction::Down, c, c, 8)(c, c + 1.5f), 0);
  EXPECT_GT(ArrowGlyph(Direction::Down, c, c, 8)(c, c - 2.5f), 0);
  EXPECT_LT(ArrowGlyph(Direction::Left, c, c, 8)(c - 1.5f, c), 0);
  EXPECT_GT(ArrowGlyph(Direction::Left, c, c, 8)(c + 2.5f, c), 0);
  EXPECT_LT(ArrowGlyph(Direction::Right, c, c, 8)(c + 1.5f, c), 0);
  EXPECT_GT(ArrowGlyph(Direction::Right, c, c, 8)(c - 2.5f, c), 0);
}

TEST(SkinStyle, NamesTheKeyThatIsMissingOrWrong) {
  const auto load = [](const std::string &text) {
    auto ini = std::make_unique<TQuickIni>();
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    stream.SetPosition(0);
    ini->LoadFromStream(&stream);
    return ini;
  };
  const auto message = [&](const std::string &skinIni, const std::string &recipe) -> std::string {
    auto skin = load(skinIni), paintRecipe = load(recipe);
    try {
      ReadSkinStyle(*skin, *paintRecipe);
    } catch (const Exception &e) {
      return e.Message();
    }
    return "";
  };
  EXPECT_NE(message("", "").find("ButtonFace is missing"), std::string::npos);
  EXPECT_NE(message("[Colours]\nButtonFace=1 2 300\n", "").find("ButtonFace is not three numbers"),
            std::string::npos);

  Rgb colour;
  EXPECT_TRUE(ParseRgb("211, 211,211", colour));
  EXPECT_EQ(ToColor(colour), MakeColor(211, 211, 211));
  EXPECT_FALSE(ParseRgb("1 2", colour));
  EXPECT_FALSE(ParseRgb("1 2 3 4", colour));
  EXPECT_FALSE(ParseRgb("-1 2 3", colour));
}
