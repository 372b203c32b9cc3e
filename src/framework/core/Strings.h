#pragma once
// String lists: the abstract TStrings and the stored TStringList.

#include <string>
#include <string_view>
#include <vector>

#include "Object.h"

// <windows.h> renames GetObject to GetObjectW; the item objects keep
// their own name in every file, whichever headers came first.
#ifdef GetObject
#undef GetObject
#endif

namespace zorvex {

class TStream;

class TStrings : public TObject {
public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string &text) = 0;
  virtual TObject *GetObject(int index) const = 0;
  virtual void PutObject(int index, TObject *object) = 0;
  virtual void Insert(int index, const std::string &text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  int Add(const std::string &text);
  int AddObject(const std::string &text, TObject *object);
  void AddStrings(const TStrings &other);
  void Assign(const TStrings &other);
  // First index whose text equals `text`, letters A-Z compared without case; -1 if none.
  virtual int IndexOf(std::string_view text) const;

  // Lines joined with CR LF, each line ended by one. Setting splits at CR LF,
  // CR or LF.
  std::string Text() const;
  void SetText(std::string_view text);

  // Comma text: items joined by ','; an item holding a blank, a control
  // character, a comma or a double quote is quoted with '"' and its quotes
  // doubled. A single empty item reads as "". Setting parses the same form,
  // blanks outside quotes separating items as commas do.
  std::string CommaText() const;
  void SetCommaText(std::string_view text);

  void LoadFromStream(TStream &stream);
  void SaveToStream(TStream &stream) const;
  void LoadFromFile(const std::string &path);
  void SaveToFile(const std::string &path) const;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items);

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string &text) override;
  TObject *GetObject(int index) const override;
  void PutObject(int index, TObject *object) override;
  void Insert(int index, const std::string &text) override;
  void Delete(int index) override;
  void Clear() override { items_.clear(); }

private:
  struct Item {
    std::string text;
    TObject *object = nullptr; // not owned
  };
  void Check(int index) const;
  std::vector<Item> items_;
};

// Quotes text with `quote`, doubling the quotes inside.
std::string QuotedStr(std::string_view text, char quote);

} // namespace zorvex
