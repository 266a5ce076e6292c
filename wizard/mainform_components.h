// The named components of the builder's main window, each once: X(type, C++ field, name in
// the window description). The header makes the fields of this list and DeclareBindings
// binds them; the numbered runs (pages, page headers, font slots, link labels) are arrays,
// bound in loops.
#pragma once

#define QW_FORM1_COMPONENTS(X)                                                   \
  X(platform::TNotebook, Notebook1, Notebook1)                                   \
  X(platform::TBevel, Bevel1, Bevel1)                                            \
  X(platform::TBitBtn, BitBtn5, BitBtn5) /* Help */                              \
  X(platform::TButton, PrevBtn, PrevBtn)                                         \
  X(platform::TButton, NextBtn, NextBtn)                                         \
  X(platform::TButton, CancelBtn, CancelBtn)                                     \
  X(platform::TButton, btnRestart, btnRestart)                                   \
  X(controls::TPageManager, PageManager1, PageManager1)                          \
  X(platform::TSaveDialog, SaveDialog, SaveDialog)                               \
  X(localisation::TLangController, lcMain, lcMain)                               \
  X(platform::TPopupMenu, PopupMenu1, PopupMenu1)                                \
  X(platform::TMenuItem, BlackandWhitefontspack1, BlackandWhitefontspack1)       \
  X(platform::TMenuItem, Bluefonstpack1, Bluefonstpack1)                         \
  X(platform::TMenuItem, Yellowfontspacks1, Yellowfontspacks1)                   \
  X(platform::TMenuItem, ClearTypeFontsPack1, ClearTypeFontsPack1)               \
  X(platform::TMenuItem, Anitaliazedfontspack1, Anitaliazedfontspack1)           \
  X(platform::TMenuItem, Nofonts1, Nofonts1)                                     \
  X(platform::TOpenDialog, TextFileOpenDialog, TextFileOpenDialog)               \
  X(platform::TOpenDialog, FontOpenDialog, FontOpenDialog)                       \
  X(platform::TOpenDialog, KeyConfigOpenDialog, KeyConfigOpenDialog)             \
  X(platform::TOpenDialog, ListOfPhonesOpenDialog, ListOfPhonesOpenDialog)       \
  X(controls::THintBalloonControl, HintBalloonControl1, HintBalloonControl1)     \
  /* Page 0 */                                                                   \
  X(platform::TImage, Image1, Image1)                                            \
  X(platform::TRadioButton, RadioButton4, RadioButton4) /* English */            \
  X(platform::TRadioButton, RadioButton5, RadioButton5) /* Russian */            \
  X(platform::TRadioButton, RadioButton2, RadioButton2) /* Slovak */             \
  X(platform::TRadioButton, RadioButton3, RadioButton3) /* Ukrainian */          \
  X(platform::TRadioButton, RadioButton1, RadioButton1) /* Polish (hidden) */    \
  /* Page 1 */                                                                   \
  X(platform::TImage, Image2, Image2)                                            \
  /* Page 2 */                                                                   \
  X(platform::TRadioButton, rbFullVersion, rbFullVersion)                        \
  X(platform::TRadioButton, rbLiteVersion, rbLiteVersion)                        \
  X(platform::TRadioButton, rbTinyVersion, rbTinyVersion)                        \
  /* Page 3 */                                                                   \
  X(platform::TComboBox, cbPhoneModel, cbPhoneModel)                             \
  X(controls::TMySpinEdit, spJARLimit, spJARLimit)                               \
  X(platform::TGroupBox, GroupBox1, GroupBox1)                                   \
  X(platform::TLabel, lbCoreDesc, lbCoreDesc)                                    \
  /* Page 4 */                                                                   \
  X(platform::TComboBox, cbKeysConfig, cbKeysConfig)                             \
  X(platform::TGroupBox, GroupBox2, GroupBox2)                                   \
  X(platform::TLabel, lbKeysConfigDesc, lbKeysConfigDesc)                        \
  /* Page 5, in interface-language index order */                                \
  X(platform::TRadioButton, rbilEnglishCE, rbilEnglishCE)                        \
  X(platform::TRadioButton, rbilEnglishWE, rbilEnglishWE)                        \
  X(platform::TRadioButton, rbilEnglishCyr, rbilEnglishCyr)                      \
  X(platform::TRadioButton, rbilHerbew, rbilHerbew)                              \
  X(platform::TRadioButton, rbilRussian, rbilRussian)                            \
  X(platform::TRadioButton, rbilUkrainian, rbilUkrainian)                        \
  X(platform::TRadioButton, rbilGerman, rbilGerman)                              \
  X(platform::TRadioButton, rbilCzech, rbilCzech)                                \
  X(platform::TRadioButton, rbilSlovak, rbilSlovak)                              \
  X(platform::TRadioButton, rbilArabic, rbilArabic)                              \
  X(platform::TRadioButton, rbilGreek, rbilGreek)                                \
  /* Page 6 */                                                                   \
  X(platform::TRadioButton, rbWithZIPSupport, rbWithZIPSupport)                  \
  X(platform::TRadioButton, rbWithoutZIPSupport, rbWithoutZIPSupport)            \
  X(platform::TLabel, lbCantZIP, lbCantZIP)                                      \
  /* Page 7 */                                                                   \
  X(platform::TEdit, edJSR75Storage, edJSR75Storage)                             \
  /* Page 8 */                                                                   \
  X(platform::TBitBtn, BitBtn1, BitBtn1) /* Preset... */                         \
  X(platform::TLabel, JarLimitLabel, Label26)                                    \
  X(platform::TLabel, JarSizeLabel, Label27)                                     \
  /* Page 9 */                                                                   \
  X(platform::TListBox, lbTextFiles, lbTextFiles)                                \
  X(platform::TBitBtn, BitBtn3, BitBtn3)                /* Clear */              \
  X(platform::TBitBtn, BitBtn4, BitBtn4)                /* Add... */             \
  X(platform::TBitBtn, BitBtn2, BitBtn2)                /* Remove */             \
  X(platform::TSpeedButton, SpeedButton1, SpeedButton1) /* up */                 \
  X(platform::TSpeedButton, SpeedButton2, SpeedButton2) /* down */               \
  /* Page 10 */                                                                  \
  X(platform::TEdit, edMidletName, edMidletName)                                 \
  X(platform::TEdit, edBookTitle, edBookTitle)                                   \
  X(platform::TMemo, mmIntroText, mmIntroText)                                   \
  /* Page 11 */                                                                  \
  X(platform::TRadioButton, rbDontIncludeImages, rbDontIncludeImages)            \
  X(platform::TRadioButton, rbBlackAndWhiteImages, rbBlackAndWhiteImages)        \
  X(platform::TRadioButton, rb16ColorsImages, rb16ColorsImages)                  \
  X(platform::TRadioButton, rb64ColorsImages, rb64ColorsImages)                  \
  X(platform::TRadioButton, rb256ColorsImages, rb256ColorsImages)                \
  X(platform::TCheckBox, cbScaleDown, cbScaleDown)                               \
  X(controls::TMySpinEdit, spMaxImageWidth, spMaxImageWidth)                     \
  X(controls::TMySpinEdit, spMaxImageHeight, spMaxImageHeight)                   \
  X(platform::TLabel, lbMaxImageWidth, lbMaxImageWidth)                          \
  X(platform::TLabel, lbMaxImageHeight, lbMaxImageHeight)                        \
  /* Page 12 */                                                                  \
  X(platform::TRadioButton, rbHideAdvancedOptions, rbHideAdvancedOptions)        \
  X(platform::TRadioButton, rbShowAdvancedOptions, rbShowAdvancedOptions)        \
  X(platform::TPageControl, tcAdvancedOptions, tcAdvancedOptions)                \
  X(platform::TCheckBox, cbAlternativeRotation, cbAlternativeRotation)           \
  X(platform::TCheckBox, cbForceHeight, cbForceHeight)                           \
  X(controls::TMySpinEdit, spForceHeight, spForceHeight)                         \
  X(platform::TCheckBox, cbBacklightControlMethod, cbBacklightControlMethod)     \
  X(platform::TComboBox, cboxBacklightControlMethod, cboxBacklightControlMethod) \
  X(platform::TCheckBox, cbDisableCrashRecover, cbDisableCrashRecover)           \
  X(platform::TCheckBox, cbStoragePath, cbStoragePath)                           \
  X(platform::TEdit, edStoragePath, edStoragePath)                               \
  X(platform::TCheckBox, cbFontPath, cbFontPath)                                 \
  X(platform::TEdit, edFontPath, edFontPath)                                     \
  X(platform::TCheckBox, cbMidletDataSize, cbMidletDataSize)                     \
  X(controls::TMySpinEdit, spMidletDataSize, spMidletDataSize)                   \
  X(platform::TCheckBox, cbCustomAttributes, cbCustomAttributes)                 \
  X(platform::TMemo, mmCustomAttributes, mmCustomAttributes)                     \
  X(platform::TRadioGroup, rgColorConversion, rgColorConversion)                 \
  X(platform::TCheckBox, cbIgnoreEmptyImages, cbIgnoreEmptyImages)               \
  X(platform::TCheckBox, cbIgnoreSmallImages, cbIgnoreSmallImages)               \
  X(controls::TMySpinEdit, spMinImageWidth, spMinImageWidth)                     \
  X(controls::TMySpinEdit, spMinImageHeight, spMinImageHeight)                   \
  X(platform::TLabel, lbMinImageWidth, lbMinImageWidth)                          \
  X(platform::TLabel, lbMinImageHeight, lbMinImageHeight)                        \
  X(platform::TCheckBox, cbIgnoreImagesWithNames, cbIgnoreImagesWithNames)       \
  X(platform::TEdit, edIgnoreImagesWithNames, edIgnoreImagesWithNames)           \
  X(platform::TGroupBox, gbBookMidletOptions, gbBookMidletOptions)               \
  X(platform::TEdit, edTitleLine1, edTitleLine1)                                 \
  X(platform::TEdit, edTitleLine2, edTitleLine2)                                 \
  X(platform::TEdit, edVendor, edVendor)                                         \
  X(platform::TCheckBox, cbCustomHelpFile, cbCustomHelpFile)                     \
  X(platform::TEdit, edCustomHelpFile, edCustomHelpFile)                         \
  X(platform::TButton, btnCustomHelpFile, btnCustomHelpFile)                     \
  /* Page 13 */                                                                  \
  X(platform::TLabel, BuildStatusLabel, Label38)                                 \
  X(platform::TGroupBox, BuildProgressGroup, BuildProgressGroup)                 \
  X(platform::TProgressBar, BuildProgressGauge, BuildProgressGauge)              \
  /* Page 14 */                                                                  \
  X(platform::TCheckBox, cbDirectory, cbDirectory)                               \
  X(platform::TLabel, ClickFinishLabel, Label18)                                 \
  X(platform::TPanel, pnFinalNote, pnFinalNote)                                  \
  X(platform::TLabel, lbFinalNote, lbFinalNote)                                  \
  X(controls::TUrlLabel, ulFinalNote, ulFinalNote)
