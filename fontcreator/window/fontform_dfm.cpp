// The description of the font creator's window.
#include "fontcreator/window/fontform.h"

namespace fontcreator {

const char* const kForm1Description = R"qwd(
object Form1: TForm1
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  Caption = 'Glyphkiln v2.5 for Tomefalcon '
  ClientHeight = 317
  ClientWidth = 566
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poDesktopCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Label2: TLabel
    Left = 8
    Top = 8
    Width = 120
    Height = 13
    Caption = 'System font:'
  end
  object ComboBox1: TComboBox
    Left = 8
    Top = 24
    Width = 290
    Height = 21
    Style = csDropDownList
    DropDownCount = 20
    Hint = 'Please select one of the available system fonts.'
    OnChange = ComboBox1Change
  end
  object SpeedButton1: TSpeedButton
    Left = 302
    Top = 24
    Width = 23
    Height = 21
    Caption = 'C'
    OnClick = SpeedButton1Click
  end
  object Label3: TLabel
    Left = 8
    Top = 56
    Width = 60
    Height = 13
    Caption = 'Size:'
  end
  object SizeSpin: TMySpinEdit
    Left = 8
    Top = 72
    Width = 60
    Height = 22
    MaxValue = 24
    MinValue = 5
    Value = 8
    Hint = 'Specify desired font size.'
    OnChange = SizeSpinChange
  end
  object Label5: TLabel
    Left = 80
    Top = 56
    Width = 120
    Height = 13
    Caption = 'Type:'
  end
  object FontTypeCBox: TComboBox
    Left = 80
    Top = 72
    Width = 245
    Height = 21
    Style = csDropDownList
    Items = (
      'Black and white'
      'Color'
      'ClearType')
    ItemIndex = 0
    Hint = 'Specify Tomefalcon font type.'
    OnChange = FontTypeCBoxChange
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 104
    Width = 92
    Height = 17
    Caption = 'Bold'
    Hint = 'Check to enable bold style.'
    OnClick = CheckBox1Click
  end
  object CheckBox2: TCheckBox
    Left = 104
    Top = 104
    Width = 80
    Height = 17
    Caption = 'Italic'
    Hint = 'Check to enable italic style.'
    OnClick = CheckBox2Click
  end
  object CheckBox3: TCheckBox
    Left = 188
    Top = 104
    Width = 137
    Height = 17
    Caption = 'Upper case'
    Hint = 'Check to convert all characters in the font to upper case.'
    OnClick = CheckBox3Click
  end
  object cbAntialiazed: TCheckBox
    Left = 8
    Top = 128
    Width = 160
    Height = 17
    Caption = 'Antialiazed'
    Hint = 'Check to enable characters antialiazing.'
    OnClick = cbAntialiazedClick
  end
  object Label6: TLabel
    Left = 8
    Top = 156
    Width = 150
    Height = 13
    Caption = 'Text color:'
  end
  object cbTextColor: TColorBox
    Left = 8
    Top = 172
    Width = 155
    Height = 22
    Style = [cbStandardColors, cbExtendedColors, cbCustomColor, cbPrettyNames]
    Selected = clBlack
    Hint = 'Select text color.'
    OnChange = cbTextColorChange
  end
  object Label7: TLabel
    Left = 170
    Top = 156
    Width = 150
    Height = 13
    Caption = 'Background color:'
  end
  object cbBackgroundColor: TColorBox
    Left = 170
    Top = 172
    Width = 155
    Height = 22
    Style = [cbStandardColors, cbExtendedColors, cbCustomColor, cbPrettyNames]
    Selected = clWhite
    Hint = 'Select background color.'
    OnChange = cbBackgroundColorChange
  end
  object Label8: TLabel
    Left = 8
    Top = 204
    Width = 150
    Height = 13
    Caption = 'Contrast:'
  end
  object trbContrast: TTrackBar
    Left = 8
    Top = 220
    Width = 155
    Height = 26
    Max = 10
    Position = 5
    TickStyle = tsNone
    Hint = 'Adjust font contrast.'
    OnChange = trbContrastChange
  end
  object Label9: TLabel
    Left = 170
    Top = 204
    Width = 150
    Height = 13
    Caption = 'Brightness:'
  end
  object trBrightness: TTrackBar
    Left = 170
    Top = 220
    Width = 155
    Height = 26
    Max = 10
    Position = 5
    TickStyle = tsNone
    Hint = 'Adjust image brightness.'
    OnChange = trbContrastChange
  end
  object Label10: TLabel
    Left = 8
    Top = 260
    Width = 155
    Height = 13
    Caption = 'Interface language:'
  end
  object ComboBox2: TComboBox
    Left = 8
    Top = 276
    Width = 155
    Height = 21
    Style = csDropDownList
    Items = (
      'English'
      'Russian'
      'Slovak'
      'Ukrainian'
      'Polish')
    ItemIndex = 0
    OnChange = ComboBox2Change
  end
  object Panel1: TPanel
    Left = 346
    Top = 8
    Width = 210
    Height = 245
    BevelOuter = bvLowered
    object Image1: TImage
      Left = 5
      Top = 5
      Width = 200
      Height = 190
    end
    object Image2: TImage
      Left = 5
      Top = 196
      Width = 147
      Height = 7
      Transparent = True
      Visible = False
    end
    object Label4: TLabel
      Left = 5
      Top = 208
      Width = 140
      Height = 13
      Caption = 'Final font height:'
    end
    object lbTooLargeFont: TLabel
      Left = 5
      Top = 224
      Width = 140
      Height = 13
      Font.Color = clRed
    end
    object imgZoom: TImage
      Left = 160
      Top = 195
      Width = 46
      Height = 46
    end
  end
  object BitBtn3: TBitBtn
    Left = 346
    Top = 274
    Width = 66
    Height = 25
    Caption = 'Create'
    Default = True
    Hint = 'Press to create Tomefalcon font.'
    OnClick = BitBtn3Click
  end
  object BitBtn1: TBitBtn
    Left = 418
    Top = 274
    Width = 66
    Height = 25
    Caption = 'Help'
    Hint = 'Display help'
    OnClick = BitBtn1Click
  end
  object BitBtn2: TBitBtn
    Left = 490
    Top = 274
    Width = 66
    Height = 25
    Caption = 'Finish'
    Hint = 'Exit to Windows'
    OnClick = BitBtn2Click
  end
  object SaveDialog1: TSaveDialog
    DefaultExt = 'fnt'
    Filter = 'Tomefalcon font files|*.fnt'
  end
  object PopupMenu1: TPopupMenu
    object DEFAULTCHARSET1: TMenuItem
      Caption = 'Default charset'
      Checked = True
      OnClick = DEFAULTCHARSET1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Arabiccharset1: TMenuItem
      Caption = 'Arabic charset'
      OnClick = Arabiccharset1Click
    end
    object Easteuropecharset1: TMenuItem
      Caption = 'East europe charset'
      OnClick = Easteuropecharset1Click
    end
    object Greekcharset1: TMenuItem
      Caption = 'Greek charset'
      OnClick = Greekcharset1Click
    end
    object Johabcharset1: TMenuItem
      Caption = 'Johab charset'
      OnClick = Johabcharset1Click
    end
    object Hebrewcharset1: TMenuItem
      Caption = 'Hebrew charset'
      OnClick = Hebrewcharset1Click
    end
    object Russincharset1: TMenuItem
      Caption = 'Russian charset'
      OnClick = Russincharset1Click
    end
    object urkishcharset1: TMenuItem
      Caption = 'Turkish charset'
      OnClick = urkishcharset1Click
    end
    object Vietnamesecharset1: TMenuItem
      Caption = 'Vietnamese charset'
      OnClick = Vietnamesecharset1Click
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object ANSIcharset1: TMenuItem
      Caption = 'ANSI charset'
      OnClick = ANSIcharset1Click
    end
    object OEMcharset1: TMenuItem
      Caption = 'OEM charset'
      OnClick = OEMcharset1Click
    end
    object MACchrset1: TMenuItem
      Caption = 'MAC charset'
      OnClick = MACchrset1Click
    end
  end
  object LangController1: TLangController
    OnLanguageChanged = LangController1LanguageChanged
    LangData = {
      0500466F726D31010200000002000000070043617074696F6E01000000090046
      6F6E742E4E616D65012F00000006004C6162656C320101000000030000000700
      43617074696F6E000900436F6D626F426F783101010000000400000004004869
      6E74000C005370656564427574746F6E31010100000005000000070043617074
      696F6E0006004C6162656C33010100000006000000070043617074696F6E0008
      0053697A655370696E010100000007000000040048696E740006004C6162656C
      35010100000008000000070043617074696F6E000C00466F6E74547970654342
      6F78010200000009000000040048696E740A00000005004974656D7300090043
      6865636B426F783101020000000C000000070043617074696F6E0B0000000400
      48696E74000900436865636B426F783201020000000E00000007004361707469
      6F6E0D000000040048696E74000900436865636B426F78330102000000100000
      00070043617074696F6E0F000000040048696E74000D006362416E7469616C69
      617A6564010200000012000000070043617074696F6E11000000040048696E74
      0006004C6162656C36010100000013000000070043617074696F6E000B006362
      54657874436F6C6F72010100000014000000040048696E740006004C6162656C
      37010100000015000000070043617074696F6E00110063624261636B67726F75
      6E64436F6C6F72010100000016000000040048696E740006004C6162656C3801
      0100000017000000070043617074696F6E000B00747262436F6E747261737401
      0100000018000000040048696E740006004C6162656C39010100000019000000
      070043617074696F6E000C0074724272696768746E65737301010000001A0000
      00040048696E740007004C6162656C313001010000001B000000070043617074
      696F6E000900436F6D626F426F783201010000001C00000005004974656D7300
      060050616E656C3100000600496D6167653100000600496D6167653200000600
      4C6162656C3401010000001D000000070043617074696F6E000E006C62546F6F
      4C61726765466F6E7400000700696D675A6F6F6D0000070042697442746E3301
      020000001F000000070043617074696F6E1E000000040048696E740007004269
      7442746E31010200000021000000070043617074696F6E20000000040048696E
      7400070042697442746E32010200000023000000070043617074696F6E220000
      00040048696E74000B00536176654469616C6F67310102000000240000000A00
      44656661756C7445787425000000060046696C746572000A00506F7075704D65
      6E753100000F0044454641554C54434841525345543101010000002600000007
      0043617074696F6E0002004E31010100000027000000070043617074696F6E00
      0E00417261626963636861727365743101010000002800000007004361707469
      6F6E001200456173746575726F70656368617273657431010100000029000000
      070043617074696F6E000D00477265656B636861727365743101010000002A00
      0000070043617074696F6E000D004A6F68616263686172736574310101000000
      2B000000070043617074696F6E000E0048656272657763686172736574310101
      0000002C000000070043617074696F6E000E0052757373696E63686172736574
      3101010000002D000000070043617074696F6E000E0075726B69736863686172
      7365743101010000002E000000070043617074696F6E001200566965746E616D
      657365636861727365743101010000002F000000070043617074696F6E000200
      4E32010100000030000000070043617074696F6E000C00414E53496368617273
      657431010100000031000000070043617074696F6E000B004F454D6368617273
      657431010100000032000000070043617074696F6E000A004D41436368727365
      7431010100000033000000070043617074696F6E00130048696E7442616C6C6F
      6F6E436F6E74726F6C310000}
  end
  object HintBalloonControl1: THintBalloonControl
    AnimationType = batNone
  end
end
)qwd";

}  // namespace fontcreator
