#include "assembly/pictureformats.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <string>

using namespace assembly;
using testing_support::ReadFile;

namespace {

const std::string kPictures = std::string(QW_TEST_DATA) + "/pictures/";

}  // namespace

TEST(PictureFormats, AreKnownByTheEndingOfThePathInAnyCase) {
  // Only the very end counts: "gif" needs its dot, a folder's ending is no file's.
  const struct {
    const char* path;
    const char* format;  // nullptr: not a picture
  } cases[] = {
      {"book/logo.gif", "GIF"},        {"book/LOGO.GIF", "GIF"},   {"book/rose.Jpg", "JPEG"},
      {"book/rose.jpeg", "JPEG"},      {"book/ROSE.JPEG", "JPEG"}, {"book/map.png", "PNG"},
      {"book/map.png.txt", nullptr},   {"book/a.htm", nullptr},    {"book/picture", nullptr},
      {"book/picture.bmp", nullptr},   {"book/gif", nullptr},      {"book/map.jpg.", nullptr},
      {"pictures.png/notes", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const TPictureFormat* format = PictureFormatOf(c.path);
    if (c.format == nullptr) {
      EXPECT_EQ(format, nullptr);
      continue;
    }
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->Name, c.format);
  }
}

TEST(PictureFormats, PngFailuresEndTheBuildGifAndJpegFailuresSkipThePicture) {
  const struct {
    const char* path;
    DecodeFailure rule;
  } cases[] = {
      {"a.gif", DecodeFailure::SkipPicture},
      {"a.jpg", DecodeFailure::SkipPicture},
      {"a.jpeg", DecodeFailure::SkipPicture},
      {"a.png", DecodeFailure::EndBuild},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const TPictureFormat* format = PictureFormatOf(c.path);
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->OnFailure, c.rule);
  }
}

TEST(PictureFormats, EachDecoderReadsItsOwnFormatAndRefusesTheOthers) {
  // Sizes of the sample files.
  const struct {
    const char* file;
    int width, height;
  } cases[] = {{"logo.gif", 160, 120}, {"rose.jpg", 70, 46}, {"rgb.png", 70, 46}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string data = ReadFile(kPictures + c.file);
    const TPictureFormat* own = PictureFormatOf(c.file);
    ASSERT_NE(own, nullptr);
    const platform::Bitmap picture = own->Decoder.Decode(data);
    EXPECT_EQ(picture.Width(), c.width);
    EXPECT_EQ(picture.Height(), c.height);
    for (const TPictureFormat& other : PictureFormats()) {
      if (&other == own) continue;
      SCOPED_TRACE(other.Name);
      EXPECT_THROW(other.Decoder.Decode(data), platform::EImageError);
    }
  }
}
