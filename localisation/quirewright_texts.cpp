// Quirewright's built-in named texts (English). Add a text the builder shows here; the test
// of the table checks that every literal name passed to TextByName in the sources is in it.
#include "localisation/constants.h"

namespace localisation {

namespace {

constexpr TBuiltInText kTexts[] = {
    // Wizard messages: text and caption.
    {"NotSupportedTitle", "Unfortunatelly, this phone is not supported by Tomefalcon."},
    {"NotSupportedText", "Not supported!"},
    {"MidletSizeTooBig",
     "Selected fonts do not fit into the JAR size limit of the phone. Please select smaller "
     "fonts, switch off negative support or ZIP support. Midlet size should not be large than "},
    {"bytes", "bytes"},
    {"JARLimitExceeded", "JAR limit exceeded"},
    {"UnableToOpen",
     "Wizard is unable to open one of the specified text files, or no files specified. Please "
     "specify valid text files."},
    {"UnableToOpenTitle", "Error"},
    {"UnableToOpenListOfPhones", "Unable to open file with list of phones:"},
    {"UnableToOpenListOfPhonesTitle", "Error"},
    {"InvalidMidletName",
     "Invalid midlet name. Midlet name should contain only english letters, numbers and spaces. "
     "Maximum length is 14."},
    {"InvalidMidletNameCaption", "Error"},
    {"InvalidBookTitle", "Invalid or empty book title. Maximum length is 16."},
    {"InvalidBookTitleCaption", "Error"},

    // Book midlet build.
    {"UnableToBuildMidlet",
     "Unable to build midlet. Nake core is too close to JAR size limit, or image sizes are too big."},
    {"UnableToBuildMidletTitle", "Fatal Error"},
    {"JARLimitTooSmall",
     "JAR limit is too small. Midlets will contain too few text.\r\n"
     "Embed less fonts and decrease images quality if possible."},
    {"JARLimitTooSmallTitle", "Warning"},
    {"TooManyMidletsMsg", "Too many midlets. Please embed less fonts or divide text file into parts."},
    {"TooManyMidletsTitle", "Error"},
    {"LoadingTextFiles", "Please wait, formatting text and converting images..."},
    {"GeneratingMidlets", "Generating midlets..."},
    {"Chapter", "Chapter"},

    // Captions and labels of the wizard.
    {"MultipleVersions_FULL", "Build all versions"},
    {"MultipleVersions_LITE", "Build for custom list of phones..."},
    {"AllVersions1", "Build multiple versions of midlet."},
    {"FinishButtonCaption", "Finish"},
    {"CancelButtonCaption", "Cancel"},
    {"NoneFont", "None"},
    {"CustomFont", "Custom..."},
    {"HasJARSizeLimit", "Selected phone has JAR size limit"},
    {"JARSizeIs", "Midlet JAR Size with selected fonts is"},

    // Descriptions of the cores (phone model page).
    {"SiemensCoreDesc", "Core for Siemens MIDP1.0 phones (55 series and SL45i)."},
    {"SiemensMIDP20CoreDesc", "Core for Siemens MIDP2.0 phones (65, 70 and 75 series)."},
    {"NokiaCoreDesc", "Core for Nokia MIDP1.0 phones."},
    {"MIDP10CoreDesc", "Core for generic MIDP1.0 phones."},
    {"MIDP10BacklightCoreDesc", "Core for generic MIDP1.0 phones with backlight control."},
    {"MotorolaMIDP10CoreDesc", "Core for Motorola MIDP1.0 phones."},
    {"MOTOC650CoreDesc",
     "Core for Motorola C380, C650, E398 and V635 phones with access to the file system of the phone."},
    {"MIDP20CoreDesc", "Core for generic MIDP2.0 phones."},
    {"MIDP20JSR75CoreDesc",
     "Core for generic MIDP2.0 phones with access to the file system of the phone (JSR-75)."},
    {"SX1CoreDesc", "Core for the Siemens SX1 phone."},

    // Descriptions of the key layouts (key layout page).
    {"MIDP10KeysConfigDesc", "Keys configuration for generic MIDP1.0 phones."},
    {"MIDP20KeysConfigDesc", "Keys configuration for generic MIDP2.0 phones."},
    {"JOYONLYKeysConfigDesc", "Keys configuration for phones that are controlled with the joystick only."},
    {"AlcatelKeysConfigDesc", "Keys configuration for Alcatel phones."},
    {"LGKeysConfigDesc", "Keys configuration for LG Electronics phones."},
    {"Motorola1KeysConfigDesc", "Keys configuration 1 for Motorola phones."},
    {"Motorola2KeysConfigDesc", "Keys configuration 2 for Motorola phones."},
    {"NokiaKeysConfigDesc", "Keys configuration for Nokia phones."},
    {"SamsungKeysConfigDesc", "Keys configuration for Samsung phones."},
    {"SiemensKeysConfigDesc", "Keys configuration for Siemens phones."},
    {"SiemensSX1KeysConfigDesc", "Keys configuration for the Siemens SX1 phone."},
    {"SonyErricssonKeysConfigDesc", "Keys configuration for SonyErricsson phones."},
    {"CustomKeysConfigDesc", "Keys configuration read from your own keys configuration file."},

    // Notes of the finish page on the phone's file system: text (_1) and help link (_2).
    {"FSSIEMENS45_1", "Copy your books into the file system of the phone to read them with Tomefalcon."},
    {"FSSIEMENS45_2", "How to copy books to Siemens 45 series phones?"},
    {"FSSIEMENS55_1", "Copy your books into the file system of the phone to read them with Tomefalcon."},
    {"FSSIEMENS55_2", "How to copy books to Siemens 55 series phones?"},
    {"FSSIEMENS65_1", "Copy your books into the file system of the phone to read them with Tomefalcon."},
    {"FSSIEMENS65_2", "How to copy books to Siemens 65 series phones?"},
    {"FSSIEMENSS75_1", "Copy your books into the file system of the phone to read them with Tomefalcon."},
    {"FSSIEMENSS75_2", "How to copy books to Siemens 75 series phones?"},
    {"FSJSR75_1",
     "Copy your books into the storage folder of the phone to read them with Tomefalcon."},
    {"FSJSR75_2", "How to copy books to phones with JSR-75 file access?"},
    {"FSMOTO_1", "Copy your books into the file system of the phone to read them with Tomefalcon."},
    {"FSMOTO_2", "How to copy books to Motorola phones?"},
    {"FSMOTOJSR75_1",
     "Copy your books into the storage folder of the phone to read them with Tomefalcon."},
    {"FSMOTOJSR75_2", "How to copy books to Motorola phones with JSR-75 file access?"},
};

}  // namespace

std::span<const TBuiltInText> QuirewrightTexts() { return kTexts; }

}  // namespace localisation
