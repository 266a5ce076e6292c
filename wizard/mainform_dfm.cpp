// The window description of the builder's main window.
#include "wizard/mainform.h"

namespace wizard {

const char* const kForm1Description = R"dfm(
object Form1: TForm1
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Tomefalcon Builder Wizard'
  ClientHeight = 358
  ClientWidth = 494
  Color = clBtnFace
  Font.Charset = 1
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Microsoft Sans Serif'
  Position = poDesktopCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnShow = FormShow
  object Notebook1: TNotebook
    Left = 0
    Top = 0
    Width = 494
    Height = 313
    Align = alTop
    PageIndex = 0
    object WizardLanguagePage: TPage
      Caption = 'WizardLanguagePage'
      object Image1: TImage
        Left = 0
        Top = 0
        Width = 164
        Height = 313
      end
      object Label1: TLabel
        Left = 180
        Top = 16
        Caption = 'Tomefalcon Builder Wizard'
        Font.Height = -16
        Font.Style = [fsBold]
      end
      object Label2: TLabel
        Left = 180
        Top = 56
        Caption = 'Please select the language of this wizard:'
      end
      object RadioButton4: TRadioButton
        Left = 196
        Top = 84
        Width = 200
        Height = 17
        Caption = 'English'
        Checked = True
      end
      object RadioButton5: TRadioButton
        Left = 196
        Top = 108
        Width = 200
        Height = 17
        Caption = #208#243#241#241#234#232#233
        Font.Charset = 204
      end
      object RadioButton2: TRadioButton
        Left = 196
        Top = 132
        Width = 200
        Height = 17
        Caption = 'Slovak'
      end
      object RadioButton3: TRadioButton
        Left = 196
        Top = 156
        Width = 200
        Height = 17
        Caption = #211#234#240#224#191#237#241#252#234#224
        Font.Charset = 204
      end
      object RadioButton1: TRadioButton
        Left = 196
        Top = 180
        Width = 200
        Height = 17
        Caption = 'Polish'
        Visible = False
      end
    end
    object WelcomePage: TPage
      Caption = 'WelcomePage'
      object Image2: TImage
        Left = 0
        Top = 0
        Width = 164
        Height = 313
      end
      object Label3: TLabel
        Left = 180
        Top = 16
        Caption = 'Welcome to the Tomefalcon Builder Wizard'
        Width = 300
        AutoSize = False
        Height = 44
        WordWrap = True
        Font.Height = -16
        Font.Style = [fsBold]
      end
      object Label4: TLabel
        Left = 180
        Top = 72
        Caption = 'This wizard builds the Tomefalcon e-book reader for your mobile phone: a stand-alone reader, or a midlet with your book inside it.'
        Width = 300
        AutoSize = False
        Height = 60
        WordWrap = True
      end
      object Label5: TLabel
        Left = 180
        Top = 140
        Caption = 'Copy the JAD and JAR files that it makes to your phone to install the reader.'
        Width = 300
        AutoSize = False
        Height = 40
        WordWrap = True
      end
      object Label6: TLabel
        Left = 180
        Top = 280
        Caption = 'To continue, click Next.'
      end
    end
    object FullorLite: TPage
      Caption = 'FullorLite'
      object WizardHeader2: TWizardHeader
        Captions = ('Reader version')
        Comments = ('Choose the version of the reader to build.')
      end
      object rbFullVersion: TRadioButton
        Left = 24
        Top = 76
        Width = 440
        Height = 17
        Caption = 'Full version: a reader for books stored on the phone'
        Checked = True
      end
      object rbLiteVersion: TRadioButton
        Left = 24
        Top = 120
        Width = 440
        Height = 17
        Caption = 'Lite version: a midlet with the book inside'
      end
      object rbTinyVersion: TRadioButton
        Left = 24
        Top = 164
        Width = 440
        Height = 17
        Caption = 'Tiny version: the smallest midlet with the book inside'
      end
      object Label7: TLabel
        Left = 42
        Top = 96
        Caption = 'Reads text files from the phone''s memory card or file system.'
        Width = 420
        AutoSize = False
      end
      object Label8: TLabel
        Left = 42
        Top = 140
        Caption = 'The book is embedded; pictures of HTML books are kept.'
        Width = 420
        AutoSize = False
      end
      object Label9: TLabel
        Left = 42
        Top = 184
        Caption = 'The book is embedded; for phones with little memory.'
        Width = 420
        AutoSize = False
      end
      object UrlLabel3: TUrlLabel
        Left = 24
        Top = 280
        Caption = 'What version is recommended for my phone ?'
        Hint = 'The full version suits phones that let midlets read files (JSR-75 or a maker''s file access). The lite version suits most other phones; choose the tiny version for phones with a small JAR size limit.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel3Click
      end
    end
    object PhoneModelPage: TPage
      Caption = 'PhoneModelPage'
      object WizardHeader3: TWizardHeader
        Captions = ('Phone model')
        Comments = ('Choose your phone model.')
      end
      object Label10: TLabel
        Left = 24
        Top = 80
        Caption = 'Phone model:'
      end
      object cbPhoneModel: TComboBox
        Left = 24
        Top = 96
        Width = 300
        Height = 21
        Style = csDropDownList
        DropDownCount = 24
        OnChange = cbPhoneModelChange
      end
      object Label11: TLabel
        Left = 344
        Top = 80
        Caption = 'JAR size limit:'
      end
      object spJARLimit: TMySpinEdit
        Left = 344
        Top = 96
        Width = 65
        Height = 21
        MinValue = 64
        MaxValue = 16384
        Value = 64
      end
      object Label12: TLabel
        Left = 414
        Top = 100
        Caption = 'KB'
      end
      object UrlLabel1: TUrlLabel
        Left = 344
        Top = 124
        Caption = 'What is JAR size limit ?'
        Hint = 'The largest midlet (JAR file) the phone accepts. 64K is common; limits below 64K are not supported.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
      object GroupBox1: TGroupBox
        Left = 24
        Top = 148
        Width = 446
        Height = 150
        Caption = 'Core description'
        object lbCoreDesc: TLabel
          Left = 12
          Top = 20
          Caption = ''
          Width = 422
          AutoSize = False
          Height = 120
          WordWrap = True
        end
      end
    end
    object KeyConfigPage: TPage
      Caption = 'KeyConfigPage'
      object WizardHeader4: TWizardHeader
        Captions = ('Keys configuration')
        Comments = ('Choose the key layout of your phone.')
      end
      object Label13: TLabel
        Left = 24
        Top = 80
        Caption = 'Keys configuration:'
      end
      object cbKeysConfig: TComboBox
        Left = 24
        Top = 96
        Width = 300
        Height = 21
        Style = csDropDownList
        DropDownCount = 14
        OnChange = cbKeysConfigChange
      end
      object UrlLabel8: TUrlLabel
        Left = 24
        Top = 124
        Caption = 'What keys configuration should I use for my phone?'
        Hint = 'The key layout preselected for your phone model suits it in most cases; change it only when the keys of the reader do not work.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel8Click
      end
      object GroupBox2: TGroupBox
        Left = 24
        Top = 148
        Width = 446
        Height = 150
        Caption = 'Description'
        object lbKeysConfigDesc: TLabel
          Left = 12
          Top = 20
          Caption = ''
          Width = 422
          AutoSize = False
          Height = 120
          WordWrap = True
        end
      end
    end
    object InterfaceLanguagePage: TPage
      Caption = 'InterfaceLanguagePage'
      object WizardHeader5: TWizardHeader
        Captions = ('Interface language')
        Comments = ('Choose the language of the reader''s menus and messages.')
      end
      object rbilEnglishCE: TRadioButton
        Left = 40
        Top = 80
        Width = 200
        Height = 17
        Caption = 'English - Central Europe'
        Checked = True
      end
      object rbilEnglishWE: TRadioButton
        Left = 40
        Top = 106
        Width = 200
        Height = 17
        Caption = 'English - Western Europe'
      end
      object rbilEnglishCyr: TRadioButton
        Left = 40
        Top = 132
        Width = 200
        Height = 17
        Caption = 'English - Cyrillic'
      end
      object rbilHerbew: TRadioButton
        Left = 40
        Top = 158
        Width = 200
        Height = 17
        Caption = 'English - Hebrew'
      end
      object rbilArabic: TRadioButton
        Left = 40
        Top = 184
        Width = 200
        Height = 17
        Caption = 'English - Arabic'
      end
      object rbilGreek: TRadioButton
        Left = 40
        Top = 210
        Width = 200
        Height = 17
        Caption = 'English - Greek'
      end
      object rbilRussian: TRadioButton
        Left = 260
        Top = 80
        Width = 200
        Height = 17
        Caption = 'Russian'
      end
      object rbilUkrainian: TRadioButton
        Left = 260
        Top = 106
        Width = 200
        Height = 17
        Caption = 'Ukrainian'
      end
      object rbilGerman: TRadioButton
        Left = 260
        Top = 132
        Width = 200
        Height = 17
        Caption = 'German'
      end
      object rbilCzech: TRadioButton
        Left = 260
        Top = 158
        Width = 200
        Height = 17
        Caption = 'Czech'
      end
      object rbilSlovak: TRadioButton
        Left = 260
        Top = 184
        Width = 200
        Height = 17
        Caption = 'Slovak'
      end
    end
    object ZipsupportPage: TPage
      Caption = 'ZipsupportPage'
      object WizardHeader6: TWizardHeader
        Captions = ('ZIP support')
        Comments = ('Choose whether the reader opens books packed in ZIP files.')
      end
      object rbWithZIPSupport: TRadioButton
        Left = 24
        Top = 84
        Width = 300
        Height = 17
        Caption = 'With ZIP support'
        Checked = True
      end
      object rbWithoutZIPSupport: TRadioButton
        Left = 24
        Top = 112
        Width = 300
        Height = 17
        Caption = 'Without ZIP support'
      end
      object lbCantZIP: TLabel
        Left = 24
        Top = 148
        Caption = '*Selected phone can not support ZIP files'
        Visible = False
        Font.Color = clRed
      end
      object UrlLabel6: TUrlLabel
        Left = 24
        Top = 280
        Caption = 'What is ZIP support ?'
        Hint = 'With ZIP support the reader opens books packed in ZIP files directly. It adds 32 KB to the JAR file, so it needs a phone with a JAR size limit above 98 KB.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel6Click
      end
    end
    object JSR75StoragePage: TPage
      Caption = 'JSR75StoragePage'
      object WizardHeader7: TWizardHeader
        Captions = ('Storage directory')
        Comments = ('Choose the folder where the reader keeps its files.')
      end
      object Label14: TLabel
        Left = 24
        Top = 80
        Caption = 'Storage directory:'
      end
      object edJSR75Storage: TEdit
        Left = 24
        Top = 96
        Width = 440
        Height = 21
      end
      object UrlLabel22: TUrlLabel
        Left = 24
        Top = 128
        Caption = 'What is storage directory (JSR75 core)?'
        Hint = ''
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel22Click
      end
    end
    object FontsPage: TPage
      Caption = 'FontsPage'
      object WizardHeader8: TWizardHeader
        Captions = ('Fonts')
        Comments = ('Choose the bitmap fonts to embed into the midlet.')
      end
      object lbFont1: TLabel
        Left = 24
        Top = 74
        Caption = 'Font 1:'
      end
      object cbFont1: TComboBox
        Tag = 1
        Left = 80
        Top = 70
        Width = 260
        Height = 21
        Style = csDropDownList
        DropDownCount = 20
        OnChange = cbFont1Change
        Enabled = False
        Hint = 'This slot can not be changed'
        ShowHint = True
        ParentShowHint = False
      end
      object cbNegative1: TCheckBox
        Left = 352
        Top = 72
        Width = 90
        Height = 17
        Caption = 'Negative'
        Checked = True
        OnClick = cbNegative1Click
      end
      object lbFont2: TLabel
        Left = 24
        Top = 100
        Caption = 'Font 2:'
      end
      object cbFont2: TComboBox
        Tag = 2
        Left = 80
        Top = 96
        Width = 260
        Height = 21
        Style = csDropDownList
        DropDownCount = 20
        OnChange = cbFont1Change
      end
      object cbNegative2: TCheckBox
        Left = 352
        Top = 98
        Width = 90
        Height = 17
        Caption = 'Negative'
        Checked = True
        OnClick = cbNegative1Click
      end
      object lbFont3: TLabel
        Left = 24
        Top = 126
        Caption = 'Font 3:'
      end
      object cbFont3: TComboBox
        Tag = 3
        Left = 80
        Top = 122
        Width = 260
        Height = 21
        Style = csDropDownList
        DropDownCount = 20
        OnChange = cbFont1Change
        Enabled = False
        Hint = 'This slot can not be changed'
        ShowHint = True
        ParentShowHint = False
      end
      object cbNegative3: TCheckBox
        Left = 352
        Top = 124
        Width = 90
        Height = 17
        Caption = 'Negative'
        Checked = True
        OnClick = cbNegative1Click
      end
      object lbFont4: TLabel
        Left = 24
        Top = 152
        Caption = 'Font 4:'
      end
      object cbFont4: TComboBox
        Tag = 4
        Left = 80
        Top = 148
        Width = 260
        Height = 21
        Style = csDropDownList
        DropDownCount = 20
        OnChange = cbFont1Change
      end
      object cbNegative4: TCheckBox
        Left = 352
        Top = 150
        Width = 90
        Height = 17
        Caption = 'Negative'
        Checked = True
        OnClick = cbNegative1Click
      end
      object lbFont5: TLabel
        Left = 24
        Top = 178
        Caption = 'Font 5:'
      end
      object cbFont5: TComboBox
        Tag = 5
        Left = 80
        Top = 174
        Width = 260
        Height = 21
        Style = csDropDownList
        DropDownCount = 20
        OnChange = cbFont1Change
      end
      object cbNegative5: TCheckBox
        Left = 352
        Top = 176
        Width = 90
        Height = 17
        Caption = 'Negative'
        Checked = True
        OnClick = cbNegative1Click
      end
      object BitBtn1: TBitBtn
        Left = 80
        Top = 202
        Width = 90
        Height = 25
        Caption = '&Preset...'
        OnClick = BitBtn1Click
      end
      object Label26: TLabel
        Left = 24
        Top = 236
        Caption = ''
        Width = 440
        AutoSize = False
      end
      object Label27: TLabel
        Left = 24
        Top = 254
        Caption = ''
        Width = 440
        AutoSize = False
      end
      object UrlLabel4: TUrlLabel
        Left = 24
        Top = 280
        Caption = 'What is emebeded fonts ?'
        Hint = 'Bitmap fonts embedded into the midlet look the same on every phone and can be smaller or larger than the phone''s own fonts. Each font makes the JAR file larger.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel4Click
      end
      object UrlLabel5: TUrlLabel
        Left = 250
        Top = 280
        Caption = 'What is negative support ?'
        Hint = 'Negative support keeps a second, inverted copy of each font for light text on a dark background. It makes the font twice as large, unless the core inverts fonts by itself.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel5Click
      end
    end
    object EmbedPage: TPage
      Caption = 'EmbedPage'
      object WizardHeader9: TWizardHeader
        Captions = ('Book files')
        Comments = ('Add the text and HTML files of your book, in reading order.')
      end
      object lbTextFiles: TListBox
        Left = 24
        Top = 72
        Width = 360
        Height = 228
      end
      object BitBtn4: TBitBtn
        Left = 396
        Top = 72
        Width = 75
        Height = 25
        Caption = 'Add...'
        OnClick = BitBtn4Click
      end
      object BitBtn2: TBitBtn
        Left = 396
        Top = 102
        Width = 75
        Height = 25
        Caption = 'Remove'
        OnClick = BitBtn2Click
      end
      object BitBtn3: TBitBtn
        Left = 396
        Top = 132
        Width = 75
        Height = 25
        Caption = 'Clear'
        OnClick = BitBtn3Click
      end
      object SpeedButton1: TSpeedButton
        Left = 396
        Top = 176
        Width = 25
        Height = 25
        Hint = 'Move up'
        OnClick = SpeedButton1Click
      end
      object SpeedButton2: TSpeedButton
        Left = 396
        Top = 206
        Width = 25
        Height = 25
        Hint = 'Move down'
        OnClick = SpeedButton2Click
      end
    end
    object MidletNamePage: TPage
      Caption = 'MidletNamePage'
      object WizardHeader10: TWizardHeader
        Captions = ('Midlet name')
        Comments = ('Name the midlet and the book.')
      end
      object Label15: TLabel
        Left = 24
        Top = 76
        Caption = 'Midlet name:'
      end
      object edMidletName: TEdit
        Left = 120
        Top = 72
        Width = 160
        Height = 21
        MaxLength = 14
        Text = 'MyMidlet'
      end
      object UrlLabel24: TUrlLabel
        Left = 288
        Top = 76
        Caption = '[?]'
        Hint = 'The name of the midlet on the phone: at most 14 English letters, digits and spaces.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
      object Label16: TLabel
        Left = 24
        Top = 104
        Caption = 'Book title:'
      end
      object edBookTitle: TEdit
        Left = 120
        Top = 100
        Width = 160
        Height = 21
        MaxLength = 16
        Text = 'MyBook'
      end
      object UrlLabel25: TUrlLabel
        Left = 288
        Top = 104
        Caption = '[?]'
        Hint = 'The title of the book shown by the reader: at most 16 characters.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
      object Label17: TLabel
        Left = 24
        Top = 132
        Caption = 'Introduction text:'
      end
      object mmIntroText: TMemo
        Left = 24
        Top = 148
        Width = 440
        Height = 150
        ScrollBars = ssVertical
      end
      object UrlLabel26: TUrlLabel
        Left = 120
        Top = 132
        Caption = '[?]'
        Hint = 'A text put in front of the book in every midlet, for example the author and the source of the book.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
    end
    object ImagesConversionOptionsPage: TPage
      Caption = 'ImagesConversionOptionsPage'
      object WizardHeader11: TWizardHeader
        Captions = ('Pictures')
        Comments = ('Choose how the pictures of HTML books are converted.')
      end
      object GroupBox3: TGroupBox
        Left = 24
        Top = 68
        Width = 220
        Height = 140
        Caption = 'Picture quality'
        object rbDontIncludeImages: TRadioButton
          Left = 12
          Top = 20
          Width = 190
          Height = 17
          Caption = 'Do not include pictures'
          OnClick = rbHideAdvancedOptionsClick
        end
        object rbBlackAndWhiteImages: TRadioButton
          Left = 12
          Top = 42
          Width = 190
          Height = 17
          Caption = 'Black and white'
          OnClick = rbHideAdvancedOptionsClick
        end
        object rb16ColorsImages: TRadioButton
          Left = 12
          Top = 64
          Width = 190
          Height = 17
          Caption = '16 colors'
          OnClick = rbHideAdvancedOptionsClick
        end
        object rb64ColorsImages: TRadioButton
          Left = 12
          Top = 86
          Width = 190
          Height = 17
          Caption = '64 colors'
          Checked = True
          OnClick = rbHideAdvancedOptionsClick
        end
        object rb256ColorsImages: TRadioButton
          Left = 12
          Top = 108
          Width = 190
          Height = 17
          Caption = '256 colors'
          OnClick = rbHideAdvancedOptionsClick
        end
      end
      object UrlLabel16: TUrlLabel
        Left = 250
        Top = 72
        Caption = '[?]'
        Hint = 'Fewer colours make smaller pictures; black and white suits phones with a black-and-white display.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
      object cbScaleDown: TCheckBox
        Left = 264
        Top = 92
        Width = 200
        Height = 17
        Caption = 'Scale down large pictures'
        Checked = True
        OnClick = rbHideAdvancedOptionsClick
      end
      object UrlLabel17: TUrlLabel
        Left = 464
        Top = 92
        Caption = '[?]'
        Hint = 'Pictures larger than the given size are scaled down to fit the phone''s screen.'
        URLType = utClickEvent
        ShowUrlHint = False
        ParentShowHint = False
        ShowHint = False
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
        OnClick = UrlLabel1Click
      end
      object lbMaxImageWidth: TLabel
        Left = 282
        Top = 122
        Caption = 'Largest width:'
      end
      object spMaxImageWidth: TMySpinEdit
        Left = 370
        Top = 118
        Width = 65
        Height = 21
        MinValue = 1
        MaxValue = 1024
        Value = 96
      end
      object lbMaxImageHeight: TLabel
        Left = 282
        Top = 150
        Caption = 'Largest height:'
      end
      object spMaxImageHeight: TMySpinEdit
        Left = 370
        Top = 146
        Width = 65
        Height = 21
        MinValue = 1
        MaxValue = 1024
        Value = 64
      end
    end
    object AdvancedOptionsPage: TPage
      Caption = 'AdvancedOptionsPage'
      object WizardHeader12: TWizardHeader
        Captions = ('Options')
        Comments = ('Set the options of the midlet.')
      end
      object rbHideAdvancedOptions: TRadioButton
        Left = 24
        Top = 66
        Width = 200
        Height = 17
        Caption = 'Use default options'
        Checked = True
        OnClick = rbHideAdvancedOptionsClick
      end
      object rbShowAdvancedOptions: TRadioButton
        Left = 250
        Top = 66
        Width = 200
        Height = 17
        Caption = 'Show advanced options'
        OnClick = rbHideAdvancedOptionsClick
      end
      object gbBookMidletOptions: TGroupBox
        Left = 8
        Top = 86
        Width = 478
        Height = 96
        Caption = 'Book midlet'
        object Label19: TLabel
          Left = 8
          Top = 20
          Caption = 'Title line 1:'
        end
        object edTitleLine1: TEdit
          Left = 80
          Top = 16
          Width = 130
          Height = 21
          MaxLength = 16
        end
        object Label20: TLabel
          Left = 216
          Top = 20
          Caption = 'Title line 2:'
        end
        object edTitleLine2: TEdit
          Left = 290
          Top = 16
          Width = 130
          Height = 21
        end
        object Label21: TLabel
          Left = 8
          Top = 46
          Caption = 'Vendor:'
        end
        object edVendor: TEdit
          Left = 80
          Top = 42
          Width = 130
          Height = 21
        end
        object UrlLabel23: TUrlLabel
          Left = 216
          Top = 46
          Caption = '[?]'
          Hint = 'The vendor of the midlet shown by the phone.'
          URLType = utClickEvent
          ShowUrlHint = False
          ParentShowHint = False
          ShowHint = False
          Cursor = -21
          Font.Color = clBlue
          Font.Style = [fsUnderline]
          OnClick = UrlLabel1Click
        end
        object cbCustomHelpFile: TCheckBox
          Left = 8
          Top = 70
          Width = 180
          Height = 17
          Caption = 'Include specified help file:'
          OnClick = cbCustomHelpFileClick
        end
        object edCustomHelpFile: TEdit
          Left = 190
          Top = 68
          Width = 200
          Height = 21
          ReadOnly = True
        end
        object btnCustomHelpFile: TButton
          Left = 396
          Top = 66
          Width = 75
          Height = 25
          Caption = 'Browse...'
          OnClick = btnCustomHelpFileClick
        end
      end
      object tcAdvancedOptions: TPageControl
        Left = 8
        Top = 184
        Width = 478
        Height = 126
        Visible = False
        object TabSheet1: TTabSheet
          Caption = 'Screen'
          object cbAlternativeRotation: TCheckBox
            Left = 6
            Top = 6
            Width = 180
            Height = 17
            Caption = 'Safe screen rotation'
            OnClick = cbHideAdvancedOptionsClick
          end
          object UrlLabel7: TUrlLabel
            Left = 190
            Top = 6
            Caption = '[?]'
            Hint = 'Rotates the screen in a way that works on phones whose rotation fails.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel7Click
          end
          object cbForceHeight: TCheckBox
            Left = 6
            Top = 32
            Width = 140
            Height = 17
            Caption = 'Force screen height:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object spForceHeight: TMySpinEdit
            Left = 150
            Top = 28
            Width = 65
            Height = 21
            MinValue = 64
            MaxValue = 512
            Value = 64
          end
          object UrlLabel10: TUrlLabel
            Left = 220
            Top = 32
            Caption = '[?]'
            Hint = 'Use this height for the screen instead of the one the phone reports.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel10Click
          end
          object cbBacklightControlMethod: TCheckBox
            Left = 6
            Top = 58
            Width = 140
            Height = 17
            Caption = 'Backlight control:'
            OnClick = cbBacklightControlMethodClick
          end
          object cboxBacklightControlMethod: TComboBox
            Left = 150
            Top = 54
            Width = 200
            Height = 21
            Style = csDropDownList
            Items = ('None' 'Nokia' 'Siemens' 'Motorola' 'Samsung' 'Sony Ericsson' 'LG' 'MIDP 2.0')
            ItemIndex = 0
          end
          object UrlLabel15: TUrlLabel
            Left = 356
            Top = 58
            Caption = '[?]'
            Hint = 'How the reader keeps the backlight of the display on.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel7Click
          end
        end
        object TabSheet2: TTabSheet
          Caption = 'Storage'
          object cbStoragePath: TCheckBox
            Left = 6
            Top = 6
            Width = 110
            Height = 17
            Caption = 'Storage path:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object edStoragePath: TEdit
            Left = 120
            Top = 4
            Width = 220
            Height = 21
          end
          object UrlLabel12: TUrlLabel
            Left = 346
            Top = 6
            Caption = '[?]'
            Hint = 'The folder on the phone where the reader keeps its settings and bookmarks.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel12Click
          end
          object cbFontPath: TCheckBox
            Left = 6
            Top = 32
            Width = 110
            Height = 17
            Caption = 'Font path:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object edFontPath: TEdit
            Left = 120
            Top = 30
            Width = 220
            Height = 21
          end
          object UrlLabel11: TUrlLabel
            Left = 346
            Top = 32
            Caption = '[?]'
            Hint = 'The folder on the phone where the reader looks for more fonts.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel11Click
          end
          object cbMidletDataSize: TCheckBox
            Left = 6
            Top = 58
            Width = 110
            Height = 17
            Caption = 'MIDlet-Data-Size:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object spMidletDataSize: TMySpinEdit
            Left = 120
            Top = 54
            Width = 100
            Height = 21
            MinValue = 20480
            MaxValue = 100000000
            Value = 20480
            Increment = 1024
          end
          object UrlLabel13: TUrlLabel
            Left = 226
            Top = 58
            Caption = '[?]'
            Hint = 'The MIDlet-Data-Size attribute of the JAD: the storage the phone reserves for the reader.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel13Click
          end
        end
        object TabSheet3: TTabSheet
          Caption = 'JAD'
          object cbCustomAttributes: TCheckBox
            Left = 6
            Top = 6
            Width = 200
            Height = 17
            Caption = 'Add custom attributes into JAD:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object UrlLabel14: TUrlLabel
            Left = 210
            Top = 6
            Caption = '[?]'
            Hint = 'Lines added to the JAD file, one attribute per line.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel1Click
          end
          object mmCustomAttributes: TMemo
            Left = 6
            Top = 26
            Width = 300
            Height = 56
            ScrollBars = ssVertical
          end
          object cbDisableCrashRecover: TCheckBox
            Left = 316
            Top = 26
            Width = 150
            Height = 17
            Caption = 'Disable crash recovery'
          end
          object UrlLabel9: TUrlLabel
            Left = 316
            Top = 48
            Caption = '[?]'
            Hint = 'The reader normally reopens the book at the last place after a crash; this switches that off.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel9Click
          end
        end
        object TabSheet4: TTabSheet
          Caption = 'Pictures'
          object rgColorConversion: TRadioGroup
            Left = 6
            Top = 2
            Width = 300
            Height = 40
            Caption = 'Color conversion'
            Columns = 2
            Items = ('Nearest' 'Floyd-Steinberg')
            ItemIndex = 1
          end
          object UrlLabel18: TUrlLabel
            Left = 312
            Top = 16
            Caption = '[?]'
            Hint = 'Nearest takes the closest colour of the palette; Floyd-Steinberg spreads the error for smoother pictures.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel1Click
          end
          object cbIgnoreEmptyImages: TCheckBox
            Left = 6
            Top = 50
            Width = 160
            Height = 17
            Caption = 'Ignore empty pictures'
          end
          object UrlLabel19: TUrlLabel
            Left = 170
            Top = 50
            Caption = '[?]'
            Hint = 'Skips pictures that are 95% one colour.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel1Click
          end
        end
        object TabSheet5: TTabSheet
          Caption = 'Filters'
          object cbIgnoreSmallImages: TCheckBox
            Left = 6
            Top = 6
            Width = 140
            Height = 17
            Caption = 'Ignore small pictures'
            OnClick = cbHideAdvancedOptionsClick
          end
          object lbMinImageWidth: TLabel
            Left = 150
            Top = 8
            Caption = 'Width:'
          end
          object spMinImageWidth: TMySpinEdit
            Left = 186
            Top = 4
            Width = 55
            Height = 21
            MinValue = 1
            MaxValue = 1024
            Value = 8
          end
          object lbMinImageHeight: TLabel
            Left = 250
            Top = 8
            Caption = 'Height:'
          end
          object spMinImageHeight: TMySpinEdit
            Left = 290
            Top = 4
            Width = 55
            Height = 21
            MinValue = 1
            MaxValue = 1024
            Value = 8
          end
          object UrlLabel20: TUrlLabel
            Left = 352
            Top = 8
            Caption = '[?]'
            Hint = 'Skips pictures narrower or lower than the given size.'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel1Click
          end
          object cbIgnoreImagesWithNames: TCheckBox
            Left = 6
            Top = 34
            Width = 160
            Height = 17
            Caption = 'Ignore pictures named:'
            OnClick = cbHideAdvancedOptionsClick
          end
          object edIgnoreImagesWithNames: TEdit
            Left = 168
            Top = 32
            Width = 177
            Height = 21
          end
          object UrlLabel21: TUrlLabel
            Left = 352
            Top = 34
            Caption = '[?]'
            Hint = 'Skips pictures whose names contain one of these words, separated by ";".'
            URLType = utClickEvent
            ShowUrlHint = False
            ParentShowHint = False
            ShowHint = False
            Cursor = -21
            Font.Color = clBlue
            Font.Style = [fsUnderline]
            OnClick = UrlLabel1Click
          end
        end
      end
    end
    object BuildPage: TPage
      Caption = 'BuildPage'
      object WizardHeader13: TWizardHeader
        Captions = ('Building')
        Comments = ('The wizard is building the midlet.')
      end
      object Label38: TLabel
        Left = 24
        Top = 84
        Caption = ''
        Width = 440
        AutoSize = False
      end
      object BuildProgressGroup: TGroupBox
        Left = 24
        Top = 110
        Width = 446
        Height = 56
        Caption = 'Progress'
        object BuildProgressGauge: TProgressBar
          Left = 12
          Top = 22
          Width = 422
          Height = 18
        end
      end
    end
    object FinishPage: TPage
      Caption = 'FinishPage'
      object WizardHeader14: TWizardHeader
        Captions = ('Done')
        Comments = ('The midlet has been built.')
      end
      object Label22: TLabel
        Left = 24
        Top = 76
        Caption = 'The wizard has built the midlet. Copy the JAD and JAR files to your phone to install it.'
        Width = 440
        AutoSize = False
        Height = 32
        WordWrap = True
      end
      object cbDirectory: TCheckBox
        Left = 24
        Top = 116
        Width = 400
        Height = 17
        Caption = 'Open directory with JAR and JAD in Explorer.'
        Checked = True
      end
      object pnFinalNote: TPanel
        Left = 24
        Top = 144
        Width = 446
        Height = 110
        BevelOuter = bvLowered
        Visible = False
        object lbFinalNote: TLabel
          Left = 8
          Top = 8
          Caption = ''
          Width = 430
          AutoSize = False
          Height = 70
          WordWrap = True
        end
        object ulFinalNote: TUrlLabel
          Left = 8
          Top = 84
          Caption = ''
          URLType = utClickEvent
          ShowUrlHint = False
          Cursor = -21
          Font.Color = clBlue
          Font.Style = [fsUnderline]
          OnClick = ulFinalNoteClick
        end
      end
      object Label18: TLabel
        Left = 24
        Top = 280
        Caption = 'To continue, click Finish.'
      end
    end
  end
  object Bevel1: TBevel
    Left = 0
    Top = 314
    Width = 494
    Height = 2
    Shape = bsTopLine
  end
  object BitBtn5: TBitBtn
    Left = 12
    Top = 325
    Width = 75
    Height = 25
    Caption = '&Help'
    OnClick = BitBtn5Click
  end
  object PrevBtn: TButton
    Left = 248
    Top = 325
    Width = 75
    Height = 25
    Caption = '< Back'
  end
  object NextBtn: TButton
    Left = 324
    Top = 325
    Width = 75
    Height = 25
    Caption = 'Next >'
    Default = True
  end
  object btnRestart: TButton
    Left = 316
    Top = 325
    Width = 75
    Height = 25
    Caption = 'Restart'
    Visible = False
    OnClick = btnRestartClick
  end
  object CancelBtn: TButton
    Left = 408
    Top = 325
    Width = 75
    Height = 25
    Caption = 'Cancel'
    OnClick = CancelBtnClick
  end
  object PageManager1: TPageManager
    PageOwner = Notebook1
    NextBtn = NextBtn
    PriorBtn = PrevBtn
    OnGetNextPage = PageManager1GetNextPage
    OnGetPriorPage = PageManager1GetPriorPage
    OnPageChanged = PageManager1PageChanged
    object PageProxy1: TPageProxy
      PageName = 'WizardLanguagePage'
    end
    object PageProxy2: TPageProxy
      PageName = 'WelcomePage'
    end
    object PageProxy3: TPageProxy
      PageName = 'FullorLite'
    end
    object PageProxy4: TPageProxy
      PageName = 'PhoneModelPage'
    end
    object PageProxy5: TPageProxy
      PageName = 'InterfaceLanguagePage'
    end
    object PageProxy6: TPageProxy
      PageName = 'ZipsupportPage'
    end
    object PageProxy7: TPageProxy
      PageName = 'FontsPage'
    end
    object PageProxy8: TPageProxy
      PageName = 'DummyPage1'
    end
    object PageProxy9: TPageProxy
      PageName = 'FinishPage'
    end
  end
  object SaveDialog: TSaveDialog
    Filter = '*.*'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofPathMustExist, ofEnableSizing]
  end
  object lcMain: TLangController
    OnLanguageChanged = lcMainLanguageChanged
  end
  object PopupMenu1: TPopupMenu
    object BlackandWhitefontspack1: TMenuItem
      Caption = 'Black and White fonts pack'
      OnClick = BlackandWhitefontspack1Click
    end
    object Bluefonstpack1: TMenuItem
      Caption = 'Aqua fonst pack'
      OnClick = Bluefonstpack1Click
    end
    object Yellowfontspacks1: TMenuItem
      Caption = 'Yellow fonts pack'
      OnClick = Yellowfontspacks1Click
    end
    object ClearTypeFontsPack1: TMenuItem
      Caption = 'ClearType fonts Pack'
      OnClick = ClearTypeFontsPack1Click
    end
    object Anitaliazedfontspack1: TMenuItem
      Caption = 'Anitaliazed fonts pack'
      OnClick = Anitaliazedfontspack1Click
    end
    object Nofonts1: TMenuItem
      Caption = 'Do not include bitmap fonts'
      OnClick = Nofonts1Click
    end
  end
  object TextFileOpenDialog: TOpenDialog
    DefaultExt = '*.txt'
    Filter = 'Text and HTML files|*.txt;*.htm;*.html|All files|*.*'
    FilterIndex = 1
    Options = [ofHideReadOnly, ofNoChangeDir, ofAllowMultiSelect, ofFileMustExist, ofEnableSizing]
  end
  object FontOpenDialog: TOpenDialog
    Filter = 'Tomefalcon fonts|*.fnt'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
  object KeyConfigOpenDialog: TOpenDialog
    Filter = 'Keys configuration|*.txt'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
  object ListOfPhonesOpenDialog: TOpenDialog
    Filter = 'Custom phone models list|*.txt'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
  object HintBalloonControl1: THintBalloonControl
    AnimationType = batNone
  end
end
)dfm";

}  // namespace wizard
