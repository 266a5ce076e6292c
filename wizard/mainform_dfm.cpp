// The window description of the builder's main window.
// lcMain ignores the page captions and page names: the page manager finds pages by them.
#include "wizard/mainform.h"

namespace wizard {

const char* const kForm1Description = R"qwd(
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
      object UrlLabel2: TUrlLabel
        Left = 180
        Top = 200
        Caption = 'Tomefalcon on the web'
        URL = 'tomefalcon.example.org'
        ParentShowHint = False
        ShowHint = True
        Cursor = -21
        Font.Color = clBlue
        Font.Style = [fsUnderline]
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
        Height = 17
      end
      object Label8: TLabel
        Left = 42
        Top = 140
        Caption = 'The book is embedded; pictures of HTML books are kept.'
        Width = 420
        AutoSize = False
        Height = 17
      end
      object Label9: TLabel
        Left = 42
        Top = 184
        Caption = 'The book is embedded; for phones with little memory.'
        Width = 420
        AutoSize = False
        Height = 17
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
        Height = 17
      end
      object Label27: TLabel
        Left = 24
        Top = 254
        Caption = ''
        Width = 440
        AutoSize = False
        Height = 17
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
        MaxValue = 2147483647
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
        MaxValue = 2147483647
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
        Height = 17
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
    IgnoreList = ('*Notebook1.WizardLanguagePage.Caption' '*Notebook1.WelcomePage.Caption' '*Notebook1.FullorLite.Caption' '*Notebook1.PhoneModelPage.Caption' '*Notebook1.KeyConfigPage.Caption' '*Notebook1.InterfaceLanguagePage.Caption' '*Notebook1.ZipsupportPage.Caption' '*Notebook1.JSR75StoragePage.Caption' '*Notebook1.FontsPage.Caption' '*Notebook1.EmbedPage.Caption' '*Notebook1.MidletNamePage.Caption' '*Notebook1.ImagesConversionOptionsPage.Caption' '*Notebook1.AdvancedOptionsPage.Caption' '*Notebook1.BuildPage.Caption' '*Notebook1.FinishPage.Caption' '*.PageName' '*.Font.Name')
    OnLanguageChanged = lcMainLanguageChanged
    LangData = {
      0500466F726D31010100000002000000070043617074696F6E01CE0000000900
      4E6F7465626F6F6B3100010F000000120057697A6172644C616E677561676550
      61676500000B0057656C636F6D655061676500000A0046756C6C6F724C697465
      00000E0050686F6E654D6F64656C5061676500000D004B6579436F6E66696750
      61676500001500496E746572666163654C616E67756167655061676500000E00
      5A6970737570706F727450616765000010004A5352373553746F726167655061
      676500000900466F6E74735061676500000900456D6265645061676500000E00
      4D69646C65744E616D655061676500001B00496D61676573436F6E7665727369
      6F6E4F7074696F6E735061676500001300416476616E6365644F7074696F6E73
      50616765000009004275696C645061676500000A0046696E6973685061676500
      000600496D61676531000006004C6162656C3101010000000300000007004361
      7074696F6E0006004C6162656C32010100000004000000070043617074696F6E
      000C00526164696F427574746F6E34010100000005000000070043617074696F
      6E000C00526164696F427574746F6E3501010000000600000007004361707469
      6F6E000C00526164696F427574746F6E32010100000007000000070043617074
      696F6E000C00526164696F427574746F6E330101000000080000000700436170
      74696F6E000C00526164696F427574746F6E3101010000000900000007004361
      7074696F6E000600496D61676532000006004C6162656C3301010000000A0000
      00070043617074696F6E0006004C6162656C3401010000000B00000007004361
      7074696F6E0006004C6162656C3501010000000C000000070043617074696F6E
      0006004C6162656C3601010000000D000000070043617074696F6E000D005769
      7A6172644865616465723201020000000E000000080043617074696F6E730F00
      00000800436F6D6D656E7473000D00726246756C6C56657273696F6E01010000
      0010000000070043617074696F6E000D0072624C69746556657273696F6E0101
      00000011000000070043617074696F6E000D00726254696E7956657273696F6E
      010100000012000000070043617074696F6E0006004C6162656C370101000000
      13000000070043617074696F6E0006004C6162656C3801010000001400000007
      0043617074696F6E0006004C6162656C39010100000015000000070043617074
      696F6E00090055726C4C6162656C33010200000016000000070043617074696F
      6EB0000000040048696E74000D0057697A617264486561646572330102000000
      17000000080043617074696F6E73180000000800436F6D6D656E74730007004C
      6162656C3130010100000019000000070043617074696F6E000C00636250686F
      6E654D6F64656C000007004C6162656C313101010000001A0000000700436170
      74696F6E000A0073704A41524C696D6974000007004C6162656C313201010000
      001B000000070043617074696F6E00090055726C4C6162656C3101020000001C
      000000070043617074696F6EB1000000040048696E7400090047726F7570426F
      783101010000001D000000070043617074696F6E000A006C62436F7265446573
      6300000D0057697A6172644865616465723401020000001E0000000800436170
      74696F6E731F0000000800436F6D6D656E74730007004C6162656C3133010100
      000020000000070043617074696F6E000C0063624B657973436F6E6669670000
      090055726C4C6162656C38010200000021000000070043617074696F6EB20000
      00040048696E7400090047726F7570426F783201010000002200000007004361
      7074696F6E0010006C624B657973436F6E6669674465736300000D0057697A61
      726448656164657235010200000023000000080043617074696F6E7324000000
      0800436F6D6D656E7473000D007262696C456E676C6973684345010100000025
      000000070043617074696F6E000D007262696C456E676C697368574501010000
      0026000000070043617074696F6E000E007262696C456E676C69736843797201
      0100000027000000070043617074696F6E000A007262696C4865726265770101
      00000028000000070043617074696F6E000A007262696C417261626963010100
      000029000000070043617074696F6E0009007262696C477265656B0101000000
      2A000000070043617074696F6E000B007262696C5275737369616E0101000000
      2B000000070043617074696F6E000D007262696C556B7261696E69616E010100
      00002C000000070043617074696F6E000A007262696C4765726D616E01010000
      002D000000070043617074696F6E0009007262696C437A65636801010000002E
      000000070043617074696F6E000A007262696C536C6F76616B01010000002F00
      0000070043617074696F6E000D0057697A617264486561646572360102000000
      30000000080043617074696F6E73310000000800436F6D6D656E747300100072
      62576974685A4950537570706F7274010100000032000000070043617074696F
      6E0013007262576974686F75745A4950537570706F7274010100000033000000
      070043617074696F6E0009006C6243616E745A49500101000000340000000700
      43617074696F6E00090055726C4C6162656C3601020000003500000007004361
      7074696F6EB3000000040048696E74000D0057697A6172644865616465723701
      0200000036000000080043617074696F6E73370000000800436F6D6D656E7473
      0007004C6162656C3134010100000038000000070043617074696F6E000E0065
      644A5352373553746F7261676500000A0055726C4C6162656C32320101000000
      39000000070043617074696F6E000D0057697A61726448656164657238010200
      00003A000000080043617074696F6E733B0000000800436F6D6D656E74730007
      006C62466F6E743101010000003C000000070043617074696F6E000700636246
      6F6E743101010000003D000000040048696E74000B0063624E65676174697665
      3101010000003E000000070043617074696F6E0007006C62466F6E7432010100
      00003F000000070043617074696F6E0007006362466F6E743200000B0063624E
      6567617469766532010100000040000000070043617074696F6E0007006C6246
      6F6E7433010100000041000000070043617074696F6E0007006362466F6E7433
      010100000042000000040048696E74000B0063624E6567617469766533010100
      000043000000070043617074696F6E0007006C62466F6E743401010000004400
      0000070043617074696F6E0007006362466F6E743400000B0063624E65676174
      69766534010100000045000000070043617074696F6E0007006C62466F6E7435
      010100000046000000070043617074696F6E0007006362466F6E743500000B00
      63624E6567617469766535010100000047000000070043617074696F6E000700
      42697442746E31010100000048000000070043617074696F6E0007004C616265
      6C3236000007004C6162656C32370000090055726C4C6162656C340102000000
      49000000070043617074696F6EB4000000040048696E7400090055726C4C6162
      656C3501020000004A000000070043617074696F6EB5000000040048696E7400
      0D0057697A6172644865616465723901020000004B000000080043617074696F
      6E734C0000000800436F6D6D656E7473000B006C625465787446696C65730000
      070042697442746E3401010000004D000000070043617074696F6E0007004269
      7442746E3201010000004E000000070043617074696F6E00070042697442746E
      3301010000004F000000070043617074696F6E000C005370656564427574746F
      6E31010100000050000000040048696E74000C005370656564427574746F6E32
      010100000051000000040048696E74000E0057697A6172644865616465723130
      010200000052000000080043617074696F6E73530000000800436F6D6D656E74
      730007004C6162656C3135010100000054000000070043617074696F6E000C00
      65644D69646C65744E616D65010100000055000000040054657874000A005572
      6C4C6162656C3234010200000056000000070043617074696F6EB60000000400
      48696E740007004C6162656C3136010100000057000000070043617074696F6E
      000B006564426F6F6B5469746C65010100000058000000040054657874000A00
      55726C4C6162656C3235010200000059000000070043617074696F6EB7000000
      040048696E740007004C6162656C313701010000005A00000007004361707469
      6F6E000B006D6D496E74726F5465787400000A0055726C4C6162656C32360102
      0000005B000000070043617074696F6EB8000000040048696E74000E0057697A
      617264486561646572313101020000005C000000080043617074696F6E735D00
      00000800436F6D6D656E747300090047726F7570426F783301010000005E0000
      00070043617074696F6E0013007262446F6E74496E636C756465496D61676573
      01010000005F000000070043617074696F6E0015007262426C61636B416E6457
      68697465496D61676573010100000060000000070043617074696F6E00100072
      623136436F6C6F7273496D61676573010100000061000000070043617074696F
      6E00100072623634436F6C6F7273496D61676573010100000062000000070043
      617074696F6E0011007262323536436F6C6F7273496D61676573010100000063
      000000070043617074696F6E000A0055726C4C6162656C313601020000006400
      0000070043617074696F6EB9000000040048696E74000B0063625363616C6544
      6F776E010100000065000000070043617074696F6E000A0055726C4C6162656C
      3137010200000066000000070043617074696F6EBA000000040048696E74000F
      006C624D6178496D616765576964746801010000006700000007004361707469
      6F6E000F0073704D6178496D6167655769647468000010006C624D6178496D61
      6765486569676874010100000068000000070043617074696F6E00100073704D
      6178496D61676548656967687400000E0057697A617264486561646572313201
      0200000069000000080043617074696F6E736A0000000800436F6D6D656E7473
      001500726248696465416476616E6365644F7074696F6E7301010000006B0000
      00070043617074696F6E001500726253686F77416476616E6365644F7074696F
      6E7301010000006C000000070043617074696F6E0013006762426F6F6B4D6964
      6C65744F7074696F6E7301010000006D000000070043617074696F6E0007004C
      6162656C313901010000006E000000070043617074696F6E000C006564546974
      6C654C696E6531000007004C6162656C323001010000006F0000000700436170
      74696F6E000C0065645469746C654C696E6532000007004C6162656C32310101
      00000070000000070043617074696F6E000800656456656E646F7200000A0055
      726C4C6162656C3233010200000071000000070043617074696F6EBB00000004
      0048696E740010006362437573746F6D48656C7046696C650101000000720000
      00070043617074696F6E0010006564437573746F6D48656C7046696C65000011
      0062746E437573746F6D48656C7046696C650101000000730000000700436170
      74696F6E0011007463416476616E6365644F7074696F6E730000090054616253
      6865657431010100000074000000070043617074696F6E0015006362416C7465
      726E6174697665526F746174696F6E010100000075000000070043617074696F
      6E00090055726C4C6162656C37010200000076000000070043617074696F6EBC
      000000040048696E74000D006362466F72636548656967687401010000007700
      0000070043617074696F6E000D007370466F72636548656967687400000A0055
      726C4C6162656C3130010200000078000000070043617074696F6EBD00000004
      0048696E7400180063624261636B6C69676874436F6E74726F6C4D6574686F64
      010100000079000000070043617074696F6E001A0063626F784261636B6C6967
      6874436F6E74726F6C4D6574686F6401010000007A00000005004974656D7300
      0A0055726C4C6162656C313501020000007B000000070043617074696F6EBE00
      0000040048696E7400090054616253686565743201010000007C000000070043
      617074696F6E000D00636253746F726167655061746801010000007D00000007
      0043617074696F6E000D00656453746F726167655061746800000A0055726C4C
      6162656C313201020000007E000000070043617074696F6EBF00000004004869
      6E74000A006362466F6E745061746801010000007F000000070043617074696F
      6E000A006564466F6E745061746800000A0055726C4C6162656C313101020000
      0080000000070043617074696F6EC0000000040048696E7400100063624D6964
      6C65744461746153697A65010100000081000000070043617074696F6E001000
      73704D69646C65744461746153697A6500000A0055726C4C6162656C31330102
      00000082000000070043617074696F6EC1000000040048696E74000900546162
      536865657433010100000083000000070043617074696F6E0012006362437573
      746F6D41747472696275746573010100000084000000070043617074696F6E00
      0A0055726C4C6162656C3134010200000085000000070043617074696F6EC200
      0000040048696E740012006D6D437573746F6D41747472696275746573000015
      00636244697361626C6543726173685265636F76657201010000008600000007
      0043617074696F6E00090055726C4C6162656C39010200000087000000070043
      617074696F6EC3000000040048696E7400090054616253686565743401010000
      0088000000070043617074696F6E0011007267436F6C6F72436F6E7665727369
      6F6E010200000089000000070043617074696F6E8A00000005004974656D7300
      0A0055726C4C6162656C313801020000008B000000070043617074696F6EC400
      0000040048696E74001300636249676E6F7265456D707479496D616765730101
      0000008C000000070043617074696F6E000A0055726C4C6162656C3139010200
      00008D000000070043617074696F6EC5000000040048696E7400090054616253
      686565743501010000008E000000070043617074696F6E001300636249676E6F
      7265536D616C6C496D6167657301010000008F000000070043617074696F6E00
      0F006C624D696E496D6167655769647468010100000090000000070043617074
      696F6E000F0073704D696E496D6167655769647468000010006C624D696E496D
      616765486569676874010100000091000000070043617074696F6E0010007370
      4D696E496D61676548656967687400000A0055726C4C6162656C323001020000
      0092000000070043617074696F6EC6000000040048696E74001700636249676E
      6F7265496D61676573576974684E616D65730101000000930000000700436170
      74696F6E001700656449676E6F7265496D61676573576974684E616D65730000
      0A0055726C4C6162656C3231010200000094000000070043617074696F6EC700
      0000040048696E74000E0057697A617264486561646572313301020000009500
      0000080043617074696F6E73960000000800436F6D6D656E74730007004C6162
      656C3338000012004275696C6450726F677265737347726F7570010100000097
      000000070043617074696F6E0012004275696C6450726F677265737347617567
      6500000E0057697A617264486561646572313401020000009800000008004361
      7074696F6E73990000000800436F6D6D656E74730007004C6162656C32320101
      0000009A000000070043617074696F6E000B0063624469726563746F72790101
      0000009B000000070043617074696F6E000B00706E46696E616C4E6F74650000
      0B006C6246696E616C4E6F746500000B00756C46696E616C4E6F746500000700
      4C6162656C313801010000009C000000070043617074696F6E00060042657665
      6C310000070042697442746E3501010000009D000000070043617074696F6E00
      07005072657642746E01010000009E000000070043617074696F6E0007004E65
      787442746E01010000009F000000070043617074696F6E000A0062746E526573
      746172740101000000A0000000070043617074696F6E00090043616E63656C42
      746E0101000000A1000000070043617074696F6E000C00506167654D616E6167
      65723100000A005061676550726F78793100000A005061676550726F78793200
      000A005061676550726F78793300000A005061676550726F78793400000A0050
      61676550726F78793500000A005061676550726F78793600000A005061676550
      726F78793700000A005061676550726F78793800000A005061676550726F7879
      3900000A00536176654469616C6F670101000000A2000000060046696C746572
      000A00506F7075704D656E753100001700426C61636B616E645768697465666F
      6E74737061636B310101000000A3000000070043617074696F6E000E00426C75
      65666F6E73747061636B310101000000A4000000070043617074696F6E001100
      59656C6C6F77666F6E74737061636B73310101000000A5000000070043617074
      696F6E001300436C65617254797065466F6E74735061636B310101000000A600
      0000070043617074696F6E001500416E6974616C69617A6564666F6E74737061
      636B310101000000A7000000070043617074696F6E0008004E6F666F6E747331
      0101000000A8000000070043617074696F6E0012005465787446696C654F7065
      6E4469616C6F670102000000A90000000A0044656661756C74457874AA000000
      060046696C746572000E00466F6E744F70656E4469616C6F670101000000AB00
      0000060046696C7465720013004B6579436F6E6669674F70656E4469616C6F67
      0101000000AC000000060046696C7465720016004C6973744F6650686F6E6573
      4F70656E4469616C6F670101000000AD000000060046696C7465720013004869
      6E7442616C6C6F6F6E436F6E74726F6C310000090055726C4C6162656C320102
      000000AE000000070043617074696F6EAF000000030055524C00}
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
)qwd";

}  // namespace wizard
