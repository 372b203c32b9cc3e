#include "OpenDialog.h"

#include <commdlg.h>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

std::wstring DialogFilter(const std::string &filter) {
  std::vector<std::wstring> parts;
  std::wstring wide = Wide(filter);
  size_t start = 0;
  while (start <= wide.size()) {
    const size_t bar = wide.find(L'|', start);
    parts.push_back(wide.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (bar == std::wstring::npos)
      break;
    start = bar + 1;
  }
  std::wstring result;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i + 1].empty())
      continue;
    result += parts[i] + L'\0' + parts[i + 1] + L'\0';
  }
  if (result.empty())
    return std::wstring();
  return result + L'\0';
}

std::vector<std::string> ChosenFiles(const std::wstring &buffer) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < buffer.size() && buffer[start] != L'\0') {
    size_t end = buffer.find(L'\0', start);
    if (end == std::wstring::npos)
      end = buffer.size();
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1)
    return parts.empty() ? std::vector<std::string>{} : std::vector<std::string>{Narrow(parts[0])};
  std::wstring folder = parts[0];
  if (!folder.empty() && folder.back() != L'\\')
    folder += L'\\';
  std::vector<std::string> files;
  for (size_t i = 1; i < parts.size(); ++i)
    files.push_back(Narrow(folder + parts[i]));
  return files;
}

bool TOpenDialog::Execute() {
  DialogRequest request;
  request.Kind = DialogKind::OpenFile;
  request.Title = title_;
  request.Path = fileName_;
  request.DefaultExt = defaultExt_;
  request.Filter = filter_;
  request.InitialDir = initialDir_;
  request.MultiSelect = (options_ & of::AllowMultiSelect) != 0;
  DialogAnswer answer;
  if (RespondInsteadOfDialog(request, answer)) {
    if (answer.ModalResult != mrOk)
      return false;
    std::vector<std::string> chosen = answer.Paths.empty() ? std::vector<std::string>{answer.Path} : answer.Paths;
    std::erase(chosen, std::string());
    if (chosen.empty())
      return false;
    if (!request.MultiSelect)
      chosen.resize(1);
    files_ = std::move(chosen);
    fileName_ = files_.front();
    return true;
  }
  // Room for a long list of names chosen at once.
  std::wstring buffer = Wide(fileName_);
  buffer.resize(65536, L'\0');
  const std::wstring filter = DialogFilter(filter_);
  const std::wstring extension = Wide(defaultExt_);
  const std::wstring title = Wide(title_);
  const std::wstring folder = Wide(initialDir_);
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = DialogOwnerWindow();
  open.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  open.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 1));
  open.lpstrFile = buffer.data();
  open.nMaxFile = static_cast<DWORD>(buffer.size());
  open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  open.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  open.lpstrTitle = title.empty() ? nullptr : title.c_str();
  open.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (options_ & of::AllowMultiSelect)
    open.Flags |= OFN_ALLOWMULTISELECT;
  if (options_ & of::FileMustExist)
    open.Flags |= OFN_FILEMUSTEXIST;
  if (options_ & of::PathMustExist)
    open.Flags |= OFN_PATHMUSTEXIST;
  if (options_ & of::HideReadOnly)
    open.Flags |= OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&open)) {
    if (const DWORD error = CommDlgExtendedError())
      LogOSError("GetOpenFileName", error);
    return false;
  }
  std::vector<std::string> chosen = ChosenFiles(buffer);
  if (chosen.empty())
    return false;
  files_ = std::move(chosen);
  fileName_ = files_.front();
  filterIndex_ = static_cast<int>(open.nFilterIndex);
  return true;
}

} // namespace zorvex
