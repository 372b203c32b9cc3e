#include "framework/core/PublishedProperties.h"
#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "framework/core/EnumSet.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

enum class Shape { Round, Square, Star };
using Shapes = EnumSet<Shape>;
const std::vector<std::string> ShapeNames = {"shRound", "shSquare", "shStar"};

class Base : public TComponent {
public:
  using TComponent::TComponent;
  std::string Caption() const { return caption; }
  void SetCaption(const std::string &v) { caption = v; }
  int Size() const { return 10; }

  static const TPropertyTable &ClassProperties() {
    static const auto table = TPublished<Base>(&TComponent::ClassProperties())
                                  .String("Caption", &Base::Caption, &Base::SetCaption)
                                  .Integer("Size", &Base::Size);
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  std::string ClassName() const override { return "Base"; }

  std::string caption;
};

// Every kind of property, and one streamed by hand after them.
class Widget : public Base {
public:
  using Base::Base;
  bool Checked() const { return checked; }
  void SetChecked(bool v) { checked = v; }
  Shape GetShape() const { return shape; }
  void SetShape(Shape v) { shape = v; }
  Shapes GetShapes() const { return shapes; }
  void SetShapes(Shapes v) { shapes = v; }
  TStrings *Lines() const { return lines.get(); }
  void SetLines(TStrings *v) { lines->Assign(*v); }
  int Size() const { return size; }
  void SetSize(int v) { size = v; }
  std::string Hook() const { return "hook"; }
  void SetHook(const std::string &) { ++hookWrites; }

  static const TPropertyTable &ClassProperties() {
    static const auto table = TPublished<Widget>(&Base::ClassProperties())
                                  .Boolean("Checked", &Widget::Checked, &Widget::SetChecked)
                                  .Enumeration("Shape", ShapeNames, &Widget::GetShape, &Widget::SetShape)
                                  .Set("Shapes", ShapeNames, &Widget::GetShapes, &Widget::SetShapes)
                                  .Object("Lines", &Widget::Lines, &Widget::SetLines)
                                  .Integer("Size", &Widget::Size, &Widget::SetSize)
                                  .String("Hook", &Widget::Hook, &Widget::SetHook)
                                  .Stored(false);
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  std::string ClassName() const override { return "Widget"; }
  void DefineProperties(TFiler &filer) override {
    filer.DefineProperty(
        "Extra", [this](TReader &r) { extra = r.ReadInteger(); }, [this](TWriter &w) { w.WriteInteger(extra); }, true);
  }
  void Loaded() override {
    loadedWhileLoading = (ComponentState() & cs::Loading) != 0;
    sawCaptionAtLoaded = caption;
    TComponent::Loaded();
  }

  bool checked = false;
  Shape shape = Shape::Round;
  Shapes shapes;
  std::unique_ptr<TStringList> lines = std::make_unique<TStringList>();
  int size = 0;
  int64_t extra = 0;
  int hookWrites = 0;
  bool loadedWhileLoading = false;
  std::string sawCaptionAtLoaded;
};

} // namespace

TEST(PublishedProperties, FoundByNameThroughTheClassChain) {
  Widget w;
  const TPropertyTable &table = *w.PublishedProperties();
  ASSERT_NE(table.Find("caption"), nullptr); // an ancestor's, any letter case
  EXPECT_EQ(table.Find("Tag")->Kind(), TPropertyKind::Integer);
  EXPECT_EQ(table.Find("Nope"), nullptr);

  // A class that declares a name again replaces the ancestor's (read-only) one.
  EXPECT_FALSE(table.Find("Size")->ReadOnly());
  EXPECT_TRUE(Base::ClassProperties().Find("Size")->ReadOnly());
  std::vector<std::string> names;
  for (const TPropertyInfo *info : table.All())
    names.push_back(info->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Caption", "Checked", "Shape", "Shapes", "Lines", "Size",
                                             "Hook"}));

  const TPropertyInfo &shape = *table.Find("Shape");
  EXPECT_TRUE(shape.SetEnumName(w, "SHSTAR"));
  EXPECT_EQ(w.shape, Shape::Star);
  EXPECT_FALSE(shape.SetEnumName(w, "shTriangle"));
  EXPECT_EQ(shape.GetEnumName(w), "shStar");
  EXPECT_FALSE(table.Find("Caption")->SetEnumName(w, "shRound")); // not an enumeration
  EXPECT_THROW(table.Find("Caption")->GetOrdinal(w), EConvertError);
}

TEST(PublishedProperties, StreamPublishedBeforeDefinedAndReadBack) {
  TComponent owner;
  auto *w = new Widget(&owner);
  w->SetName("Widget1");
  w->caption = "Hello";
  w->checked = true;
  w->shape = Shape::Square;
  w->shapes = {Shape::Round, Shape::Star};
  w->lines->Add("a=b");
  w->size = 300;
  w->extra = 7;

  TMemoryStream stream;
  TWriter(stream).WriteDesign({w});
  const std::string bytes(stream.Bytes().begin(), stream.Bytes().end());
  // Enumerations and sets by their value names; the hook property is not stored.
  EXPECT_NE(bytes.find("\x05Shape\x07\x08shSquare"), std::string::npos);
  EXPECT_NE(bytes.find(std::string("\x06Shapes\x0B\x07shRound\x06shStar\x00", 24)), std::string::npos);
  EXPECT_EQ(bytes.find("Hook"), std::string::npos);
  EXPECT_LT(bytes.find("Size"), bytes.find("Extra"));

  TComponent other;
  auto *r = new Widget(&other);
  r->SetName("Widget1");
  r->lines->Add("default line");
  stream.SetPosition(0);
  TReader(stream).ReadDesign(other);
  EXPECT_EQ(r->caption, "Hello");
  EXPECT_TRUE(r->checked);
  EXPECT_EQ(r->shape, Shape::Square);
  EXPECT_EQ(r->shapes, (Shapes{Shape::Round, Shape::Star}));
  EXPECT_EQ(r->lines->Text(), "a=b\r\n"); // the stored lines replace the defaults
  EXPECT_EQ(r->size, 300);
  EXPECT_EQ(r->extra, 7);
  EXPECT_EQ(r->hookWrites, 0);
  // Loaded comes once every property is in, still flagged as loading.
  EXPECT_TRUE(r->loadedWhileLoading);
  EXPECT_EQ(r->sawCaptionAtLoaded, "Hello");
  EXPECT_EQ(r->ComponentState() & (cs::Loading | cs::Reading), 0u);
}

TEST(PublishedProperties, DamagedDesignsRaiseReadErrors) {
  auto read = [](const std::string &bytes) {
    TComponent owner;
    auto *w = new Widget(&owner);
    w->SetName("W");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    TReader(stream).ReadDesign(owner);
    return w->ComponentState();
  };
  const std::string head = std::string(DesignSignature, 4) + "\x01\x06\x06Widget\x06\x01W";
  EXPECT_EQ(read(head + std::string("\x05Shape\x07\x06shStar\x00\x00", 16)), 0u);
  EXPECT_THROW(read(head + "\x05Shape\x07\x07shOther"), EReadError);
  EXPECT_THROW(read(head + std::string("\x06Shapes\x0B\x05shFoo\x00", 15)), EReadError);
  EXPECT_THROW(read(std::string(DesignSignature, 4) + "\x01\x06\x04"
                                                      "Base\x06\x01W"),
               EReadError); // wrong class
  EXPECT_THROW(read("XXXX"), EReadError);
}
