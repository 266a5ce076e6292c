#include "assembly/normalize.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/slownormalize.h"

namespace assembly {
namespace {

using testing_support::SlowNormalize;

std::string Marker(int n) { return std::string("\x01") + std::to_string(n) + ".png\x02"; }

std::string RandomBookText(std::mt19937& rng, std::size_t length) {
  static const std::string pieces[] = {"a", "b", "word", " ", "  ", "\n", "\n\n\n\n", "\r\n",
                                       "\t", " \n", "\x01", "\x02"};
  std::string s;
  std::uniform_int_distribution<int> pick(0, 14);
  while (s.size() < length) {
    const int k = pick(rng);
    if (k >= 12) s += Marker(k == 12 ? 7 : 123);
    else s += pieces[k];
  }
  return s;
}

TEST(NormalizeBookText, EdgeCases) {
  const std::string pad4(4, ' ');
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"  a   b  ", "a b "},
      {"a\n   b", "a\nb"},
      {"a\n\n\n\n\nb", "a\n\n\nb"},
      {"a \nb", "a\nb"},
      {"a \r\nb", "a \r\nb"},
      {"word\n" + Marker(2) + "\nnext", "word" + Marker(2) + "next"},
      {std::string("x \t\r\n").append(Marker(3)) + " \t\r\ny", std::string("x").append(Marker(3)) + "y"},
      {"a\t  b", "a\t b"},
      // A 7-character marker starting at 124 ends at 130: moved to 128.
      {std::string(124, 'x') + Marker(2) + "y", std::string(124, 'x') + pad4 + Marker(2) + "y"},
      // Starting at 120 it ends at 126 and stays.
      {std::string(120, 'x') + Marker(2) + "y", std::string(120, 'x') + Marker(2) + "y"},
      // Ending exactly at 128 (start 122) is moved too.
      {std::string(122, 'x') + Marker(2), std::string(122, 'x') + std::string(6, ' ') + Marker(2)},
      // Starting exactly on a block boundary stays.
      {std::string(128, 'x') + Marker(2), std::string(128, 'x') + Marker(2)},
      // A marker start without an end counts up to the text's end.
      {std::string(126, 'x') + "\x01zz", std::string(126, 'x') + "  \x01zz"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalizeBookText(c.in), c.out) << ::testing::PrintToString(c.in);
    EXPECT_EQ(SlowNormalize(c.in), c.out) << ::testing::PrintToString(c.in);
  }
}

TEST(NormalizeBookText, EqualsLiteralSweepsAndIsIdempotent) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomBookText(rng, 1 + rng() % 700);
    const std::string fast = NormalizeBookText(text);
    ASSERT_EQ(fast, SlowNormalize(text)) << ::testing::PrintToString(text);
    ASSERT_EQ(NormalizeBookText(fast), fast) << ::testing::PrintToString(text);
  }
}

TEST(NormalizeBookText, MarkersNeverCrossBlocks) {
  std::mt19937 rng(99);
  std::string text;
  for (int i = 1; i <= 300; ++i) text += std::string(rng() % 200, 'q') + " " + Marker(i) + " ";
  const std::string out = NormalizeBookText(text);
  for (std::size_t i = out.find('\x01'); i != std::string::npos; i = out.find('\x01', i + 1)) {
    const std::size_t j = out.find('\x02', i);
    ASSERT_NE(j, std::string::npos);
    EXPECT_EQ(i / 128, j / 128) << "marker at " << i;
  }
}

// The rest of a text normalised again after a cut: as if a word came before it, so that a
// space right after the cut is kept.
std::string NormalizeRest(const std::string& rest) {
  return AlignPictureMarkers(GlueBookText("x" + rest).substr(1));
}

// The cut-and-prepend text of the book build against the same steps on whole strings.
TEST(NormalizedText, FollowsTheLiteralSteps) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    const std::string book = RandomBookText(rng, 1 + rng() % 3000);
    const std::string intro = round % 3 == 0 ? "" : RandomBookText(rng, rng() % 300);
    std::string literal = NormalizeBookText(intro + book);
    TNormalizedText text(intro + book);
    for (int step = 0; step < 40 && !literal.empty(); ++step) {
      ASSERT_EQ(text.Length(), literal.size());
      const std::size_t k = rng() % (literal.size() + 20);
      ASSERT_EQ(text.Head(k), literal.substr(0, k));
      ASSERT_EQ(text.LengthAtMost(k), literal.size() <= k);
      if (rng() % 5 == 0) {
        literal = intro.empty() ? NormalizeRest(literal) : NormalizeBookText(intro + literal);
        text.Prepend(intro);
      } else {
        std::size_t n = rng() % 2 ? 128 * (1 + rng() % 8) : 1 + rng() % 700;
        if (n >= literal.size()) {
          literal.clear();
        } else {
          literal = literal.substr(n);
          if (n % 128 != 0) literal = NormalizeRest(literal);
        }
        text.DropFront(n);
      }
      ASSERT_EQ(text.ToString(), literal) << "round " << round << " step " << step;
      ASSERT_EQ(text.Empty(), literal.empty());
    }
  }
}

// Texts thick with marker bytes, with and without their ends: the length of what is left
// after each cut, found from the alignment of the whole book, against the literal steps.
TEST(NormalizedText, LengthOfMarkerBytesFollowsTheLiteralSteps) {
  std::mt19937 rng(23);
  const struct {
    const char* alphabet;
    std::size_t size;
  } kinds[] = {
      {"\x01", 5000},              // picture starts only, never an end
      {"\x01\x01\x01\x02", 4000},  // ends now and then
      {"\x01"
       "a\x02"
       "bcdefghij ",
       6000},  // short markers among words
      {"\x01"
       "aaaaaaaaaaaaaaaaaaaaa\x02",
       6000},  // long markers, rarely
      {"\x01\x02 \n", 3000},
  };
  for (const auto& kind : kinds) {
    const std::string alphabet = kind.alphabet;
    for (int round = 0; round < 20; ++round) {
      std::string book;
      for (std::size_t i = 0; i < kind.size; ++i) book += alphabet[rng() % alphabet.size()];
      const std::string intro = round % 2 == 0 ? "Intro\r\n\r\n" : "";
      std::string literal = NormalizeBookText(intro + book);
      TNormalizedText text(intro + book);
      for (int step = 0; step < 30 && !literal.empty(); ++step) {
        ASSERT_EQ(text.Length(), literal.size())
            << ::testing::PrintToString(alphabet) << " round " << round << " step " << step;
        if (step % 4 == 3) {
          literal = intro.empty() ? NormalizeRest(literal) : NormalizeBookText(intro + literal);
          text.Prepend(intro);
          continue;
        }
        const std::size_t n = rng() % 2 ? 8192 : 1 + rng() % 9000;
        if (n >= literal.size()) {
          literal.clear();
        } else {
          literal = literal.substr(n);
          if (n % 128 != 0) literal = NormalizeRest(literal);
        }
        text.DropFront(n);
      }
    }
  }
}

}  // namespace
}  // namespace assembly
