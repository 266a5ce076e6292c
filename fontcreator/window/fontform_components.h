// The named components of the font creator's window, each once: X(type, C++ field, name in
// the window description). The header makes the fields of this list and DeclareBindings
// binds them.
#pragma once

#define QW_FONTFORM_COMPONENTS(X)                                    \
  X(platform::TComboBox, ComboBox1, ComboBox1)                       \
  X(platform::TSpeedButton, SpeedButton1, SpeedButton1)              \
  X(controls::TMySpinEdit, SizeSpin, SizeSpin)                       \
  X(platform::TCheckBox, CheckBox1, CheckBox1)                       \
  X(platform::TCheckBox, CheckBox2, CheckBox2)                       \
  X(platform::TCheckBox, CheckBox3, CheckBox3)                       \
  X(platform::TComboBox, FontTypeCBox, FontTypeCBox)                 \
  X(platform::TCheckBox, cbAntialiazed, cbAntialiazed)               \
  X(platform::TColorBox, cbTextColor, cbTextColor)                   \
  X(platform::TColorBox, cbBackgroundColor, cbBackgroundColor)       \
  X(platform::TTrackBar, trbContrast, trbContrast)                   \
  X(platform::TTrackBar, trBrightness, trBrightness)                 \
  X(platform::TComboBox, ComboBox2, ComboBox2)                       \
  X(platform::TPanel, Panel1, Panel1)                                \
  X(platform::TImage, Image1, Image1)                                \
  X(platform::TImage, Image2, Image2)                                \
  X(platform::TImage, imgZoom, imgZoom)                              \
  X(platform::TLabel, Label4, Label4)                                \
  X(platform::TLabel, lbTooLargeFont, lbTooLargeFont)                \
  X(platform::TLabel, Label6, Label6)                                \
  X(platform::TLabel, Label7, Label7)                                \
  X(platform::TLabel, Label8, Label8)                                \
  X(platform::TLabel, Label9, Label9)                                \
  X(platform::TBitBtn, BitBtn1, BitBtn1)                             \
  X(platform::TBitBtn, BitBtn2, BitBtn2)                             \
  X(platform::TBitBtn, BitBtn3, BitBtn3)                             \
  X(platform::TSaveDialog, SaveDialog1, SaveDialog1)                 \
  X(platform::TPopupMenu, PopupMenu1, PopupMenu1)                    \
  X(localisation::TLangController, LangController1, LangController1) \
  X(controls::THintBalloonControl, HintBalloonControl1, HintBalloonControl1)
