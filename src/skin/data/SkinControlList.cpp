#include "SkinControlList.h"

namespace zorvex {

const std::vector<std::string> &SkinControlTypeNames() {
  static const std::vector<std::string> names = {
      "xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
      "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
      "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
      "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"};
  return names;
}

TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes all = TSkinControlTypes::FromBits((uint64_t{1} << SkinControlTypeNames().size()) - 1);
  all.Exclude(TSkinControlType::xcMenuItem);
  all.Exclude(TSkinControlType::xcFastReport);
  return all;
}

const std::vector<std::string> &SkinOptionNames() {
  static const std::vector<std::string> names = {"xoMDIScrollbar",     "xoMenuMerge",   "xoTransparent", "xoPreview",
                                                 "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK"};
  return names;
}

TWinContainers AllWinContainers() {
  return TWinContainers::FromBits((uint64_t{1} << (static_cast<int>(TWinContainer::xccPageScroller) + 1)) - 1);
}

const std::vector<std::string> &DefaultSkin3rd() {
  static const std::vector<std::string> lines = {
      "TVirtualStringTree=scrollbar",
      "TVirtualDrawTree=scrollbar",
      "TTBXDockablePanel=Panel",
      "TAdvPanelGroup=scrollbar",
      "TComboboxex=combobox",
      "TRxSpeedButton=speedbutton",
      "THTMLViewer=scrollbar",
      "TDBCtrlGrid=scrollbar",
      "TfrSpeedButton=speedbutton",
      "TfrTBButton=speedbutton",
      "TControlBar=Panel",
      "TTBDock=Panel",
      "TTBToolbar=Panel",
      "TAdvPageControl=nil",
      "TImageEnMView=scrollbar",
      "TImageEnView=scrollbar",
      "TAdvMemo=scrollbar",
      "TDBAdvMemo=scrollbar",
      "TcxDBLookupComboBox=combobox",
      "TcxDBComboBox=combobox",
      "TcxDBDateEdit=combobox",
      "TcxDBImageComboBox=combobox",
      "TcxDBCalcEdit=combobox",
      "TcxDBBlobEdit=combobox",
      "TcxDBPopupEdit=combobox",
      "TcxDBFontNameComboBox=combobox",
      "TcxDBShellComboBox=combobox",
      "TRxLookupEdit=combobox",
      "TRxDBLookupCombo=combobox",
      "TRzGroup=panel",
      "TRzButton=button",
      "TRzBitbtn=bitbtn",
      "TRzMenuButton=bitbtn",
      "TRzCheckGroup=CheckGroup",
      "TRzRadioGroup=Radiogroup",
      "TRzButtonEdit=Edit",
      "TRzDBRadioGroup=Radiogroup",
      "TRzDBRadioButton=Radiobutton",
      "TRzDateTimeEdit=combobox",
      "TRzColorEdit=combobox",
      "TRzDateTimePicker=combobox",
      "TRzDBDateTimeEdit=combobox",
      "TRzDbColorEdit=combobox",
      "TRzDBDateTimePicker=combobox",
      "TLMDButton=bitbtn",
      "TLMDGroupBox=Groupbox",
      "TDBCheckboxEh=Checkbox",
      "TDBCheckboxEh=Checkbox",
      "TLMDCHECKBOX=Checkbox",
      "TLMDDBCHECKBOX=Checkbox",
      "TLMDRadiobutton=Radiobutton",
      "TLMDCalculator=panel",
      "TLMDGROUPBOX=Panel",
      "TLMDSIMPLEPANEL=Panel",
      "TLMDDBCalendar=Panel",
      "TLMDButtonPanel=Panel",
      "TLMDLMDCalculator=Panel",
      "TLMDHeaderPanel=Panel",
      "TLMDTechnicalLine=Panel",
      "TLMDLMDClock=Panel",
      "TLMDTrackbar=panel",
      "TLMDListCombobox=combobox",
      "TLMDCheckListCombobox=combobox",
      "TLMDHeaderListCombobox=combobox",
      "TLMDImageCombobox=combobox",
      "TLMDColorCombobox=combobox",
      "TLMDFontCombobox=combobox",
      "TLMDFontSizeCombobox=combobox",
      "TLMDFontSizeCombobox=combobox",
      "TLMDPrinterCombobox=combobox",
      "TLMDDriveCombobox=combobox",
      "TLMDCalculatorComboBox=combobox",
      "TLMDTrackBarComboBox=combobox",
      "TLMDCalendarComboBox=combobox",
      "TLMDTreeComboBox=combobox",
      "TLMDRADIOGROUP=radiogroup",
      "TLMDCheckGroup=CheckGroup",
      "TLMDDBRADIOGROUP=radiogroup",
      "TLMDDBCheckGroup=CheckGroup",
      "TLMDCalculatorEdit=edit",
      "TLMDEDIT=Edit",
      "TLMDMASKEDIT=Edit",
      "TLMDBROWSEEDIT=Edit",
      "TLMDEXTSPINEDIT=Edit",
      "TLMDCALENDAREDIT=Edit",
      "TLMDFILEOPENEDIT=Edit",
      "TLMDFILESAVEEDIT=Edit",
      "TLMDCOLOREDIT=Edit",
      "TLMDDBEDIT=Edit",
      "TLMDDBMASKEDIT=Edit",
      "TLMDDBEXTSPINEDIT=Edit",
      "TLMDDBSPINEDIT=Edit",
      "TLMDDBEDITDBLookup=Edit",
      "TLMDEDITDBLookup=Edit",
      "TDBLookupCombobox=Combobox",
      "TWWDBCombobox=Combobox",
      "TWWDBLookupCombo=Combobox",
      "TWWDBCombobox=Combobox",
      "TWWKeyCombo=Combobox",
      "TWWTempKeyCombo=combobox",
      "TWWDBDateTimePicker=Combobox",
      "TWWRADIOGROUP=radiogroup",
      "TWWDBEDIT=Edit",
      "TcxButton=bitbtn",
      "TcxDBCheckBox=checkbox",
      "TcxDBRadioGroup=radiogroup",
      "TcxRadioGroup=radiogroup",
      "TcxCheckBox=checkbox",
      "TOVCPICTUREFIELD=Edit",
      "TOVCDBPICTUREFIELD=Edit",
      "TOVCSLIDEREDIT=Edit",
      "TOVCDBSLIDEREDIT=Edit",
      "TOVCSIMPLEFIELD=Edit",
      "TOVCDBSIMPLEFIELD=Edit",
      "TO32DBFLEXEDIT=Edit",
      "TOVCNUMERICFIELD=Edit",
      "TOVCDBNUMERICFIELD=Edit",
  };
  return lines;
}

namespace {

void CopyList(TStringList &list, const TStrings *value) {
  if (value)
    list.Assign(*value);
  else
    list.Clear();
}

} // namespace

TSkinControlList::TSkinControlList()
    : edit_(std::make_unique<TStringList>()), checkbox_(std::make_unique<TStringList>()),
      combobox_(std::make_unique<TStringList>()), radiobutton_(std::make_unique<TStringList>()) {}

TSkinControlList::~TSkinControlList() = default;

void TSkinControlList::SetEdit(TStrings *value) { CopyList(*edit_, value); }
void TSkinControlList::SetCheckbox(TStrings *value) { CopyList(*checkbox_, value); }
void TSkinControlList::Setcombobox(TStrings *value) { CopyList(*combobox_, value); }
void TSkinControlList::SetRadiobutton(TStrings *value) { CopyList(*radiobutton_, value); }

const TPropertyTable &TSkinControlList::ClassProperties() {
  static const auto table =
      TPublished<TSkinControlList>()
          .Object("Edit", &TSkinControlList::Edit, &TSkinControlList::SetEdit)
          .Object("Checkbox", &TSkinControlList::Checkbox, &TSkinControlList::SetCheckbox)
          .Object("Combobox", &TSkinControlList::Combobox, &TSkinControlList::Setcombobox)
          .Object("Radiobutton", &TSkinControlList::Radiobutton, &TSkinControlList::SetRadiobutton);
  return table;
}

} // namespace zorvex
