#include "Strings.h"

#include "Exceptions.h"
#include "Streams.h"
#include "Texts.h"

namespace zorvex {

namespace {
bool IsSeparatorBlank(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 1 && b <= ' ';
}

bool NeedsQuotes(const std::string &item) {
  for (const char c : item) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= ' ' || c == '"' || c == ',')
      return true;
  }
  return false;
}
} // namespace

std::string QuotedStr(std::string_view text, char quote) {
  std::string out(1, quote);
  for (const char c : text) {
    out += c;
    if (c == quote)
      out += quote;
  }
  out += quote;
  return out;
}

int TStrings::Add(const std::string &text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::string &text, TObject *object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings &other) {
  for (int i = 0; i < other.Count(); ++i)
    AddObject(other.Get(i), other.GetObject(i));
}

void TStrings::Assign(const TStrings &other) {
  if (&other == this)
    return;
  Clear();
  AddStrings(other);
}

int TStrings::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameTextAZ(Get(i), text))
      return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(std::string_view text) {
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t end = i;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    Add(std::string(text.substr(i, end - i)));
    i = end;
    if (i < text.size() && text[i] == '\r')
      ++i;
    if (i < text.size() && text[i] == '\n')
      ++i;
  }
}

std::string TStrings::CommaText() const {
  if (Count() == 1 && Get(0).empty())
    return "\"\"";
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0)
      out += ',';
    const std::string item = Get(i);
    out += NeedsQuotes(item) ? QuotedStr(item, '"') : item;
  }
  return out;
}

void TStrings::SetCommaText(std::string_view text) {
  Clear();
  size_t p = 0;
  const auto at = [&](size_t k) { return k < text.size() ? text[k] : '\0'; };
  while (IsSeparatorBlank(at(p)))
    ++p;
  while (p < text.size() && at(p) != '\0') {
    std::string item;
    if (at(p) == '"') {
      ++p;
      while (p < text.size()) {
        if (text[p] == '"') {
          if (at(p + 1) == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t start = p;
      while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',')
        ++p;
      item.assign(text.substr(start, p - start));
    }
    Add(item);
    while (IsSeparatorBlank(at(p)))
      ++p;
    if (at(p) == ',') {
      do
        ++p;
      while (IsSeparatorBlank(at(p)));
    }
  }
}

void TStrings::LoadFromStream(TStream &stream) {
  const int64_t size = stream.Size() - stream.Position();
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    stream.ReadBuffer(bytes.data(), size);
  SetText(bytes);
}

void TStrings::SaveToStream(TStream &stream) const {
  const std::string bytes = Text();
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TStrings::LoadFromFile(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string &path) const {
  TFileStream file(path, fm::Create);
  SaveToStream(file);
  file.Close();
}

TStringList::TStringList(std::initializer_list<std::string> items) {
  for (const auto &item : items)
    Add(item);
}

void TStringList::Check(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Get(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string &text) {
  Check(index);
  items_[static_cast<size_t>(index)].text = text;
}

TObject *TStringList::GetObject(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject *object) {
  Check(index);
  items_[static_cast<size_t>(index)].object = object;
}

void TStringList::Insert(int index, const std::string &text) {
  if (index < 0 || index > Count())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, Item{text, nullptr});
}

void TStringList::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
}

} // namespace zorvex
