#pragma once
// TOpenDialog: the system's dialog that picks one or several existing files,
// answered by the dialog responder in tests.

#include <string>
#include <vector>

#include "Dialogs.h"

namespace zorvex {

namespace of {
constexpr unsigned AllowMultiSelect = 1, FileMustExist = 2, PathMustExist = 4, HideReadOnly = 8;
constexpr unsigned Default = FileMustExist | PathMustExist | HideReadOnly;
} // namespace of
using TOpenOptions = unsigned;

// A filter as the program writes it, descriptions and patterns between
// bars ("Skins (*.skn)|*.skn|All files|*.*"), in the dialog's form: each
// part ended by a null, the whole by a second one. A description without
// its pattern is dropped.
std::wstring DialogFilter(const std::string &filter);
// The files a dialog returned in its buffer: one full path, or a folder
// followed by the names chosen in it.
std::vector<std::string> ChosenFiles(const std::wstring &buffer);

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent *owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TOpenDialog"; }

  // The file chosen (the first one when several were); before Execute, the
  // name the dialog starts with.
  const std::string &FileName() const { return fileName_; }
  void SetFileName(const std::string &name) { fileName_ = name; }
  // Every file chosen, full paths.
  const std::vector<std::string> &Files() const { return files_; }
  const std::string &Filter() const { return filter_; }
  void SetFilter(const std::string &filter) { filter_ = filter; }
  // The filter shown, from 1; after Execute the one the user left chosen.
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int index) { filterIndex_ = index; }
  const std::string &InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string &folder) { initialDir_ = folder; }
  const std::string &DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string &extension) { defaultExt_ = extension; }
  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &title) { title_ = title; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions options) { options_ = options; }
  // True when the user chose; the process's current folder is left as it
  // was.
  bool Execute();

private:
  std::string fileName_;
  std::vector<std::string> files_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string initialDir_;
  std::string defaultExt_;
  std::string title_;
  TOpenOptions options_ = of::Default;
};

} // namespace zorvex
