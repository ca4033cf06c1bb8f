#include "core/animation/MorphDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace orlenza {
namespace {

TEST(MorphDialogTest, StartsFromTheDrawingAndRefusesWhatCannotBeRenderedWithASentence) {
  MorphDialog dialog(800, 600);
  EXPECT_EQ(dialog.getText(MorphDialog::width), "800");
  EXPECT_EQ(dialog.getText(MorphDialog::height), "600");
  EXPECT_EQ(dialog.getCodecItem(), 0);  // H.264

  dialog.setText(MorphDialog::frameCount, " 7 ");
  dialog.setText(MorphDialog::framesPerSecond, "+30");
  dialog.setCodecItem(1);
  auto const accepted = dialog.confirm();
  ASSERT_TRUE(std::holds_alternative<MovieSettings>(accepted)) << std::get<std::string>(accepted);
  MovieSettings const settings = std::get<MovieSettings>(accepted);
  EXPECT_EQ(settings.width, 800);
  EXPECT_EQ(settings.height, 600);
  EXPECT_EQ(settings.frameCount, 7);
  EXPECT_EQ(settings.framesPerSecond, 30);
  EXPECT_FALSE(settings.usesH264());

  struct Case {
    MorphDialog::Field field;
    char const* text;
    char const* sentenceStart;
  };
  for (Case const& c : {Case{MorphDialog::width, "", "The width must be a whole number"},
                        Case{MorphDialog::width, "12a", "The width must be a whole number"},
                        Case{MorphDialog::height, "99999999999", "The height must be a whole number"},
                        Case{MorphDialog::height, "1.5", "The height must be a whole number"},
                        Case{MorphDialog::width, "0", "The movie size must be between"},
                        Case{MorphDialog::height, "2049", "The movie size must be between"},
                        Case{MorphDialog::frameCount, "0", "The frame count must be between"},
                        Case{MorphDialog::frameCount, "-3", "The frame count must be between"},
                        Case{MorphDialog::framesPerSecond, "0", "The frame rate must be between"},
                        Case{MorphDialog::framesPerSecond, "601", "The frame rate must be between"}}) {
    MorphDialog refused(256, 256);
    refused.setText(c.field, c.text);
    auto const answer = refused.confirm();
    ASSERT_TRUE(std::holds_alternative<std::string>(answer)) << c.text;
    std::string const& sentence = std::get<std::string>(answer);
    EXPECT_EQ(sentence.rfind(c.sentenceStart, 0), 0u) << sentence;
    EXPECT_EQ(sentence.back(), '.') << sentence;
  }
}

}  // namespace
}  // namespace orlenza
