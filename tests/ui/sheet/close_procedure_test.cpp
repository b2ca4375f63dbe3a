#include "ui/sheet/close_procedure.h"

#include <gtest/gtest.h>

#include <deque>

#include "recording_sheet_control.h"

namespace kestrel {
namespace {

class ScriptedPrompt : public SaveChangesPrompt {
 public:
  std::deque<SaveChangesAnswer> answers;
  int asked = 0;
  SaveChangesAnswer ask() override {
    ++asked;
    const SaveChangesAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class ScriptedSettings : public SettingsCloseActions {
 public:
  bool saveSucceeds = true;
  int saves = 0;
  int discards = 0;
  bool saveEnabled() override { return true; }
  bool saveProfile() override {
    ++saves;
    return saveSucceeds;
  }
  void discardChanges() override { ++discards; }
};

constexpr SettingsPageState kUnsaved{true, true, true};

class CloseProcedureTest : public ::testing::Test {
 protected:
  bool close(const SettingsPageState& state, SettingsCloseActions* actions) {
    return RunCloseProcedure(state, actions, prompt, sheet);
  }
  bool applyDisabled() {
    return sheet.enabledState.count(SheetButton::Apply) != 0 &&
           !sheet.enabledState[SheetButton::Apply];
  }
  ScriptedPrompt prompt;
  ScriptedSettings settings;
  fakes::RecordingSheetControl sheet;
};

TEST_F(CloseProcedureTest, FailedSaveKeepsTheSheetOpenAndTouchesNothingElse) {
  prompt.answers = {SaveChangesAnswer::Save};
  settings.saveSucceeds = false;
  EXPECT_FALSE(close(kUnsaved, &settings));
  EXPECT_EQ(settings.saves, 1);
  EXPECT_EQ(settings.discards, 0);
  EXPECT_TRUE(sheet.enabledState.empty());
}

TEST_F(CloseProcedureTest, SuccessfulSaveClosesWithApplyDisabled) {
  prompt.answers = {SaveChangesAnswer::Save};
  EXPECT_TRUE(close(kUnsaved, &settings));
  EXPECT_EQ(settings.saves, 1);
  EXPECT_TRUE(applyDisabled());
}

TEST_F(CloseProcedureTest, DiscardingClosesWithoutSaving) {
  prompt.answers = {SaveChangesAnswer::Discard};
  EXPECT_TRUE(close(kUnsaved, &settings));
  EXPECT_EQ(settings.saves, 0);
  EXPECT_EQ(settings.discards, 1);
  EXPECT_TRUE(applyDisabled());
}

TEST_F(CloseProcedureTest, AskedAgainAfterAFailedSave) {
  prompt.answers = {SaveChangesAnswer::Save, SaveChangesAnswer::Discard};
  settings.saveSucceeds = false;
  EXPECT_FALSE(close(kUnsaved, &settings));
  EXPECT_TRUE(close(kUnsaved, &settings));
  EXPECT_EQ(prompt.asked, 2);
}

TEST_F(CloseProcedureTest, NoQuestionUnlessTheVisibleSettingsPageHoldsUnsavedEdits) {
  const SettingsPageState states[] = {
      {false, false, false},
      {true, false, true},  // edits on the settings page while another page is shown
      {true, true, false},
  };
  for (const SettingsPageState& state : states) {
    EXPECT_TRUE(close(state, &settings));
  }
  EXPECT_EQ(prompt.asked, 0);
  EXPECT_EQ(settings.saves + settings.discards, 0);
}

TEST_F(CloseProcedureTest, WithoutThePageActionsNothingIsAsked) {
  EXPECT_TRUE(close(kUnsaved, nullptr));
  EXPECT_EQ(prompt.asked, 0);
  EXPECT_TRUE(applyDisabled());
}

}  // namespace
}  // namespace kestrel
