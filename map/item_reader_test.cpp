#include "map/item_reader.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace map {
namespace {

TEST(ItemReader, NumbersAreSeparatedByBlanksCommasAndLineEnds) {
  ItemReader in("1 2,3\n  4 ,5\r\n\r\n6\r7\n", "f.txt");
  for (int expected = 1; expected <= 7; ++expected) EXPECT_EQ(in.readNumber(), expected);
  EXPECT_TRUE(in.atEnd());
}

TEST(ItemReader, EmptyNumericItemReadsZero) {
  ItemReader in("1,,3\n,5", "f.txt");
  EXPECT_EQ(in.readInteger(), 1);
  EXPECT_EQ(in.readInteger(), 0);
  EXPECT_EQ(in.readInteger(), 3);
  EXPECT_EQ(in.readInteger(), 0);
  EXPECT_EQ(in.readInteger(), 5);
}

TEST(ItemReader, TextItemsEndAtCommasOrLineEndsUnlessQuoted) {
  ItemReader in("  A12,3,5\nsetosa 1 , 2, 3\n\"a, quoted\" , 4\n\"two\nlines\",5\nlast", "f.bmu");
  EXPECT_EQ(in.readText(), "A12");
  EXPECT_FALSE(in.lastItemEndedLine());
  EXPECT_EQ(in.readNumber(), 3);
  EXPECT_EQ(in.readNumber(), 5);
  EXPECT_TRUE(in.lastItemEndedLine());
  EXPECT_EQ(in.readText(), "setosa 1");  // blanks inside kept, trailing ones dropped
  EXPECT_EQ(in.readNumber(), 2);
  EXPECT_EQ(in.readNumber(), 3);
  EXPECT_EQ(in.readText(), "a, quoted");
  EXPECT_EQ(in.readNumber(), 4);
  EXPECT_EQ(in.readText(), "two\nlines");
  EXPECT_EQ(in.readNumber(), 5);
  EXPECT_EQ(in.readText(), "last");
  EXPECT_TRUE(in.lastItemEndedLine());
}

TEST(ItemReader, ReadLineTakesTheRestOfTheLine) {
  ItemReader in("header line\r\n10\n20,30 , ignored text\nnext\n", "f.txt");
  EXPECT_EQ(in.readLine(), "header line");
  EXPECT_EQ(in.readNumber(), 10);  // its line end is consumed with it
  EXPECT_EQ(in.readNumber(), 20);
  EXPECT_EQ(in.readNumber(), 30);
  EXPECT_EQ(in.readLine(), " ignored text");  // after the comma, as it stands
  EXPECT_EQ(in.readLine(), "next");
  EXPECT_THROW(in.readLine(), common::ToolError);
}

TEST(ItemReader, WholeNumbersRoundHalfToEvenAndOverflow) {
  ItemReader in("2.5 3.5 -2.5 32767 32768 70000.4", "f.txt");
  EXPECT_EQ(in.readInteger(), 2);
  EXPECT_EQ(in.readInteger(), 4);
  EXPECT_EQ(in.readInteger(), -2);
  EXPECT_EQ(in.readInteger(), 32767);
  try {
    in.readInteger();
    FAIL() << "32768 fits no Integer";
  } catch (const common::ToolError& e) {
    EXPECT_EQ(e.fault(), common::Fault::kOverflow);
    EXPECT_STREQ(e.what(),
                 "f.txt: item 5 (line 1): overflow: the value does not fit an integer of 16 bits");
  }
  EXPECT_EQ(in.readLong(), 70000);
}

TEST(ItemReader, ErrorsNameFileItemAndLine) {
  struct Row {
    const char* text;
    int reads;
    const char* message;
  } rows[] = {
      {"1,2\n3,abc\n", 3, "m.wgt: item 4 (line 2): type mismatch: expected a number, got \"abc\""},
      {"1,2\n3\n\n", 3, "m.wgt: item 4 (line 4): input past end of file"},
      {"", 0, "m.wgt: item 1 (line 1): input past end of file"},
      {"\"4\"", 0, "m.wgt: item 1 (line 1): type mismatch: expected a number, got \"\"4\"\""},
  };
  for (const Row& r : rows) {
    ItemReader in(r.text, "m.wgt");
    for (int i = 0; i < r.reads; ++i) in.readSingle();
    try {
      in.readSingle();
      ADD_FAILURE() << r.text;
    } catch (const common::ToolError& e) {
      EXPECT_STREQ(e.what(), r.message);
    }
  }
  ItemReader text("  \n\n", "labels.bmu");
  EXPECT_THROW(text.readText(), common::ToolError);
}

TEST(ItemReader, AtEndIgnoresTrailingBlankLines) {
  ItemReader in("1 2\n\n  \n", "f.txt");
  EXPECT_FALSE(in.atEnd());
  in.readNumber();
  in.readNumber();
  EXPECT_TRUE(in.atEnd());
}

}  // namespace
}  // namespace map
